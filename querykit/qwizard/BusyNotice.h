#pragma once
// A small window showing a text, with the busy cursor, for the life of the object: what the
// user sees while the store converts or updates its tables. A host without widgets (no
// QApplication) gets nothing shown.
#include <memory>
#include <string_view>

#include "querykit/querykit.h"

class QWidget;

namespace qk {

class QUERYKIT_API BusyNotice {
public:
    static constexpr const char* kObjectName = "qkBusyNotice";

    explicit BusyNotice(std::string_view text);
    ~BusyNotice();
    BusyNotice(const BusyNotice&) = delete;
    BusyNotice& operator=(const BusyNotice&) = delete;

private:
    std::unique_ptr<QWidget> window_;
};

}  // namespace qk
