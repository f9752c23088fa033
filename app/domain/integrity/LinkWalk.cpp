#include "app/domain/integrity/LinkWalk.h"

namespace cdz {

bool walkLinked(DataFile& file, int key, StandardWarning& warning,
                const std::function<bool()>& carries, const std::function<bool()>& visit) {
    int code = file.setAt(key);
    while (code == 0) {
        code = file.next();
        if (code != 0) break;
        if (!carries()) return true;
        if (!visit()) return false;
    }
    if (code == err::kRecordNotAvailable) return true;
    warning.saveError();
    warning(Warning::RecordRetrievalError, file.decl().label());
    return false;
}

}  // namespace cdz
