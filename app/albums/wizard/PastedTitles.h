#pragma once
// Track titles taken from pasted text, one a line: empty lines are skipped, a leading track
// number ("1.", "01 -", "A1") and a trailing length ("(3:45)", "- 3:45") are cut off, so a
// track list copied from a sleeve or a web page fills an album's titles in order.
#include <string>
#include <string_view>
#include <vector>

namespace cdz {

class PastedTitles {
public:
    explicit PastedTitles(std::string_view text);

    // The titles in the order of their lines.
    const std::vector<std::string>& titles() const { return titles_; }

    // What the user is told once the titles went onto `trackCount` tracks: how many lines were
    // used, and how many tracks were left untitled or how many lines were left over.
    std::string report(int trackCount) const;

private:
    std::vector<std::string> titles_;
};

}  // namespace cdz
