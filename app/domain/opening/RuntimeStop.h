#pragma once
// The one way the program halts: the halt text is shown (or logged), an open transaction is
// rolled back, every open data file is closed, and the process ends. A test gives its own end
// so that the stop returns to it.
#include <functional>
#include <string_view>

namespace cdz {

class Catalogue;
class Dialogs;

class RuntimeStop {
public:
    // Called last with the halt text; without one the process exits with status 1.
    using EndHandler = std::function<void(std::string_view text)>;

    RuntimeStop(Dialogs& dialogs, Catalogue& catalogue, EndHandler end = {});

    void operator()(std::string_view text);
    // The same stop for a halt whose text was already shown (the query wizard library shows its
    // own before it hands the program the halt).
    void afterShown(std::string_view text);
    int stops() const { return stops_; }

private:
    Dialogs& dialogs_;
    Catalogue& catalogue_;
    EndHandler end_;
    int stops_ = 0;
};

}  // namespace cdz
