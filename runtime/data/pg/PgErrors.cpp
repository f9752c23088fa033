#include "runtime/data/pg/PgErrors.h"

#include <array>

namespace cdz::pg {
namespace {

struct StateCode {
    std::string_view state;  // five characters, or a two-character class
    int code;
};

// Lock waits that run out, deadlocks and a statement the engine cancelled for its wait limit
// all read as a locked file, as SQLite's busy does; a transaction the server gave up for a
// conflict must be run again, so it failed as a whole.
constexpr std::array kStates{
    StateCode{sqlstate::kUniqueViolation, err::kDuplicateKey},
    StateCode{sqlstate::kLockNotAvailable, err::kFileLocked},
    StateCode{sqlstate::kObjectInUse, err::kFileLocked},
    StateCode{sqlstate::kQueryCanceled, err::kFileLocked},
    StateCode{sqlstate::kDeadlockDetected, err::kFileLocked},
    StateCode{sqlstate::kSerializationFailure, err::kTransactionFailed},
    StateCode{sqlstate::kUndefinedTable, err::kFileNotFound},
    StateCode{sqlstate::kInvalidSchemaName, err::kFileNotFound},
    StateCode{sqlstate::kInvalidCatalogName, err::kFileNotFound},
    StateCode{sqlstate::kUndefinedColumn, err::kInvalidRecordLayout},
    StateCode{sqlstate::kInsufficientPrivilege, err::kAccessDenied},
    StateCode{sqlstate::kReadOnlyTransaction, err::kAccessDenied},
    StateCode{sqlstate::kActiveTransaction, err::kTransactionActive},
    StateCode{sqlstate::kNoActiveTransaction, err::kTransactionFailed},
    StateCode{sqlstate::kInFailedTransaction, err::kTransactionFailed},
    StateCode{sqlstate::kIndexCorrupted, err::kKeyFileRebuild},
    StateCode{sqlstate::kClassConnection, err::kDriverError},
    StateCode{sqlstate::kClassAuthorization, err::kAccessDenied},
    StateCode{sqlstate::kClassRollback, err::kTransactionFailed},
};

constexpr size_t kStateLength = 5;
constexpr size_t kClassLength = 2;
constexpr int kBitsPerChar = 6;
constexpr int kCharMask = 0x3F;

}  // namespace

int runtimeCodeOf(std::string_view state) {
    if (state.size() != kStateLength) return err::kDriverError;
    for (const auto& s : kStates) {
        if (s.state == state) return s.code;
    }
    for (const auto& s : kStates) {
        if (s.state.size() == kClassLength && state.substr(0, kClassLength) == s.state) {
            return s.code;
        }
    }
    return err::kDriverError;
}

int packSqlstate(std::string_view state) {
    if (state.size() != kStateLength) return 0;
    int packed = 0;
    for (size_t i = 0; i < kStateLength; ++i) {
        packed |= ((state[i] - '0') & kCharMask) << (kBitsPerChar * static_cast<int>(i));
    }
    return packed;
}

std::string unpackSqlstate(int packed) {
    if (packed == 0) return {};
    std::string state;
    for (size_t i = 0; i < kStateLength; ++i) {
        state +=
            static_cast<char>(((packed >> (kBitsPerChar * static_cast<int>(i))) & kCharMask) + '0');
    }
    return state;
}

int failFrom(ErrorState& state, std::string_view sqlstate, std::string_view message) {
    // The server ends its messages with a line break the program's texts do not have.
    while (!message.empty() && (message.back() == '\n' || message.back() == ' ')) {
        message.remove_suffix(1);
    }
    const int code = sqlstate.empty() ? err::kDriverError : runtimeCodeOf(sqlstate);
    state.set(code, packSqlstate(sqlstate), message);
    return code;
}

}  // namespace cdz::pg
