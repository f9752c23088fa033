#pragma once
// The runtime's error state: the code and text every data operation leaves behind, and the
// storage engine's own code and text (its extended code and message) for the damaged-file cases.
#include <string>
#include <string_view>

namespace cdz {

// Runtime error codes the program tests after each data operation.
namespace err {
constexpr int kNone = 0;
constexpr int kFileNotFound = 2;
constexpr int kAccessDenied = 5;
constexpr int kFileLocked = 32;  // stale lock of an interrupted transaction, or a lock wait ran out
constexpr int kRecordNotAvailable =
    33;  // no further record in a sequential step, or no current record
constexpr int kRecordNotFound = 35;
constexpr int kInvalidDataFile = 36;
constexpr int kFileNotOpen = 37;
constexpr int kDuplicateKey = 40;
constexpr int kKeyFileRebuild = 46;
constexpr int kInvalidRecordLayout = 47;
constexpr int kTransactionFailed = 48;
constexpr int kFileAlreadyOpen = 52;
constexpr int kTransactionActive = 56;
constexpr int kInvalidKeyLength = 88;
constexpr int kRecordChanged = 89;
constexpr int kDriverError = 90;
}  // namespace err

// The fixed text of a runtime code ("" for 0; "Unknown Error" for codes the runtime never sets).
std::string_view errorText(int code);

struct ErrorState {
    int code = 0;
    std::string text;
    int driverCode = 0;
    std::string driverText;

    void clear() { *this = ErrorState{}; }
    void set(int runtimeCode, int engineCode = 0, std::string_view engineText = {}) {
        code = runtimeCode;
        text = errorText(runtimeCode);
        driverCode = engineCode;
        driverText = engineText;
    }
    bool ok() const { return code == 0; }
};

}  // namespace cdz
