#include "runtime/cd/ScriptedCdDevice.h"

namespace cdz {

CdFault ScriptedCdDevice::open() {
    if (script_.openFault != CdFault::None) return script_.openFault;
    open_ = true;
    ++opens_;
    return CdFault::None;
}

CdFault ScriptedCdDevice::status() {
    return open_ ? script_.statusFault : CdFault::NotAvailable;
}

CdFault ScriptedCdDevice::contents(CdContents& out) {
    if (!open_) return CdFault::NotAvailable;
    if (script_.contentsFault != CdFault::None) return script_.contentsFault;
    out = script_.contents;
    return CdFault::None;
}

void ScriptedCdDevice::close() {
    if (!open_) return;
    open_ = false;
    ++closes_;
}

}  // namespace cdz
