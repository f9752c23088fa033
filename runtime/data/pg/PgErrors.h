#pragma once
// How a PostgreSQL failure reads as a runtime error code: the server's SQLSTATE names the
// cause, and the runtime code is what the program tests after each data operation, so a
// catalogue on a server fails with the same codes as one in files.
#include <string>
#include <string_view>

#include "runtime/data/ErrorState.h"

namespace cdz::pg {

// The SQLSTATEs the data layer tells apart; a state not listed falls to its class, then to 90.
namespace sqlstate {
constexpr std::string_view kUniqueViolation = "23505";
constexpr std::string_view kLockNotAvailable = "55P03";
constexpr std::string_view kObjectInUse = "55006";
constexpr std::string_view kQueryCanceled = "57014";
constexpr std::string_view kDeadlockDetected = "40P01";
constexpr std::string_view kSerializationFailure = "40001";
constexpr std::string_view kUndefinedTable = "42P01";
constexpr std::string_view kInvalidSchemaName = "3F000";
constexpr std::string_view kInvalidCatalogName = "3D000";
constexpr std::string_view kUndefinedColumn = "42703";
constexpr std::string_view kInsufficientPrivilege = "42501";
constexpr std::string_view kReadOnlyTransaction = "25006";
constexpr std::string_view kActiveTransaction = "25001";
constexpr std::string_view kNoActiveTransaction = "25P01";
constexpr std::string_view kInFailedTransaction = "25P02";
constexpr std::string_view kIndexCorrupted = "XX002";
// Classes (the first two characters).
constexpr std::string_view kClassConnection = "08";
constexpr std::string_view kClassAuthorization = "28";
constexpr std::string_view kClassRollback = "40";
}  // namespace sqlstate

// The runtime code of a SQLSTATE: an exact state first, then its class, else 90.
int runtimeCodeOf(std::string_view sqlstate);

// A SQLSTATE as the integer the error state's driver code holds (six bits a character, as the
// server packs it itself), and back; 0 for no state.
int packSqlstate(std::string_view sqlstate);
std::string unpackSqlstate(int packed);

// Sets `state` from a failed statement: the runtime code of its SQLSTATE, the packed state as
// the driver code and the server's message as the driver text. A result without a state (the
// connection was lost) is 90 with the connection's message.
int failFrom(ErrorState& state, std::string_view sqlstate, std::string_view message);

}  // namespace cdz::pg
