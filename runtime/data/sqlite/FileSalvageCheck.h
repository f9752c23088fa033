#pragma once
// Whether an example file is the example of the damaged file it is meant to repair. A repair
// from another file's example would turn the file into an empty file of another kind, so the
// tables and layouts the example declares must be the ones the damaged file says it holds; when
// the damaged file cannot say (its layout table cannot be read), the example must at least be
// named after it.
#include <filesystem>
#include <string>

namespace cdz {

// Empty when `example` fits `damaged`; else why not, in words for the user.
std::string exampleMismatch(const std::filesystem::path& damaged,
                            const std::filesystem::path& example);

}  // namespace cdz
