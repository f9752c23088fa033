#include "app/albums/wizard/RunTag.h"

#include <signal.h>
#include <unistd.h>

#include <QSysInfo>
#include <cerrno>
#include <optional>
#include <vector>

#include "app/albums/wizard/WizardTransaction.h"
#include "app/engine/state/AppState.h"
#include "runtime/data/ErrorGuard.h"

namespace cdz {

namespace {

using F = CatalogueFile;
constexpr size_t kHostChars = 20;

struct Marker {
    int64_t recno = 0;
    int tag = 0;
    std::string owner;
    std::string thread;
};

// An owner on this host whose process is gone; owners on other stations cannot be checked and
// count as alive.
bool ownerGone(const std::string& owner) {
    if (owner.empty()) return true;
    const std::string me = RunTag::ownerName();
    const size_t colon = owner.rfind(':');
    if (colon == std::string::npos || owner.substr(0, colon) != me.substr(0, me.rfind(':')))
        return false;
    const long pid = std::strtol(owner.c_str() + colon + 1, nullptr, 10);
    if (pid <= 0) return false;
    return kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH;
}

}  // namespace

std::string RunTag::ownerName() {
    const std::string host = QSysInfo::machineHostName().left(kHostChars).toStdString();
    return host + ":" + std::to_string(getpid());
}

int RunTag::claim(AppState& state, int thread) {
    Catalogue& cat = state.catalogue();
    DataFile& work = cat.file(F::AddWizard);
    AddWizardRecord& aw = cat.addWizard();
    const std::string threadText = std::to_string(thread);
    int claimed = 0;
    const int code = inWizardTransaction(cat, {F::AddWizard}, [&]() -> int {
        std::vector<Marker> markers;
        int highest = 0;
        if (const int c = work.set()) return c;
        int read = 0;
        while ((read = work.next()) == 0) {
            const int tag = static_cast<int>(aw.Instance.toInt());
            highest = std::max(highest, tag);
            if (aw.Side == kMarkerSide) {
                markers.push_back({work.recordNumber(), tag, aw.Artist.str(), aw.Title.str()});
            }
        }
        if (read != err::kRecordNotAvailable) return read;
        for (const Marker& m : markers) {
            if (m.thread != threadText || !ownerGone(m.owner)) continue;
            if (const int c = work.getRecord(m.recno)) return c;
            aw.Artist = ownerName();
            if (const int c = work.put()) return c;
            claimed = m.tag;
            return 0;
        }
        work.clearBuffer();
        aw.Instance = static_cast<double>(highest + 1);
        aw.Side = kMarkerSide;
        aw.Artist = ownerName();
        aw.Title = threadText;
        if (const int c = work.add()) return c;
        claimed = highest + 1;
        return 0;
    });
    if (code == 0) tag_ = claimed;
    return code;
}

void RunTag::release(AppState& state) {
    if (tag_ == 0) return;
    Catalogue& cat = state.catalogue();
    DataFile& work = cat.file(F::AddWizard);
    AddWizardRecord& aw = cat.addWizard();
    ErrorGuard keep(cat.database().error());
    const int tag = tag_;
    tag_ = 0;
    inWizardTransaction(cat, {F::AddWizard}, [&]() -> int {
        work.clearBuffer();
        aw.Instance = static_cast<double>(tag);
        if (const int c = work.setAt(AddWizardRecord::KeyInstance)) return c;
        bool tracks = false;
        std::optional<int64_t> marker;
        while (work.next() == 0 && aw.Instance.toInt() == tag) {
            if (aw.Side == kMarkerSide) {
                marker = work.recordNumber();
            } else {
                tracks = true;
            }
        }
        if (!marker) return 0;
        if (const int c = work.getRecord(*marker)) return c;
        if (!tracks) return work.erase();
        aw.Artist = "";
        return work.put();
    });
}

}  // namespace cdz
