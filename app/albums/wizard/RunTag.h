#pragma once
// The tag that keeps one add-album wizard run's tracks apart from every other run's in the
// shared work file, on this station or another. A run owns a marker record (side "*", track 0)
// carrying its tag, the thread number that started it and, while the run is open, its owner
// (host and process). A new tag is the highest tag in the file + 1, reserved with its marker in
// one transaction, so two runs never share one. Tracks a cancelled run left behind are offered
// again to the next run of the same thread number; a run whose owner process on this host has
// died counts as cancelled.
#include <string>

namespace cdz {

class AppState;

class RunTag {
public:
    static constexpr const char* kMarkerSide = "*";

    // Runtime code of the failure, 0 when the run holds its tag.
    int claim(AppState& state, int thread);
    // The run ends without a transfer: its tracks stay for the next run of its thread number;
    // a run without tracks leaves nothing behind.
    void release(AppState& state);
    // The marker is gone with the transfer: nothing to release.
    void forget() { tag_ = 0; }

    int tag() const { return tag_; }
    bool held() const { return tag_ != 0; }
    // "host:pid" of this process, the owner a claimed marker carries.
    static std::string ownerName();

private:
    int tag_ = 0;
};

}  // namespace cdz
