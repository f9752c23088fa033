#pragma once
// Replaces a file's whole content so that a crash at any moment leaves either the old or the
// new file, never a mixture: the text goes to a temporary file in the same folder, is flushed
// to disk, and is renamed over the old one.
#include <filesystem>
#include <string>
#include <string_view>

#include "runtime/ini/FileCalls.h"
#include "runtime/ini/FileError.h"

namespace cdz {

// Returns no error on success, else why the file was left unchanged; only when the folder could
// not be flushed after the rename does the file hold the new content (the error says so). The
// new file keeps the old one's permissions. Caller holds any lock that serialises writers of
// target.
FileError replaceFileAtomically(const std::filesystem::path& target, std::string_view content,
                                const FileCalls& calls = FileCalls::system());

// Temporary files of target left behind by writers that died before their rename. Only safe
// to call while holding the writers' lock.
void removeStaleTemporaries(const std::filesystem::path& target);

}  // namespace cdz
