#pragma once
// The example of a data file: an empty file with the declared layout (tables, keys, layout
// record), from which the repair program rebuilds a damaged file. It sits beside the data file
// with the extension ".tpe".
#include <filesystem>
#include <string>
#include <string_view>

#include "runtime/data/Database.h"
#include "runtime/data/FileDecl.h"

namespace cdz {

// The example's path for a data file's external name ("cdzdata" -> folder/cdzdata.tpe).
std::filesystem::path examplePath(const Database& db, const FileDecl& decl,
                                  std::string_view externalName);

// Makes (or remakes) the example of `decl`; returns a runtime code and sets *example. Refused
// (5) for a catalogue on a server, whose files have no pages of the program's to salvage. An
// owner-protected file's example is made under the file's own owner password.
int makeExampleFile(Database& db, const FileDecl& decl, std::string_view externalName,
                    std::filesystem::path* example, const std::string& owner = {});

}  // namespace cdz
