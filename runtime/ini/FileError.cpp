#include "runtime/ini/FileError.h"

#include <cstring>

namespace cdz {

FileError FileError::fromErrno(std::string action, int errnum) {
    return {std::move(action), std::strerror(errnum)};
}

}  // namespace cdz
