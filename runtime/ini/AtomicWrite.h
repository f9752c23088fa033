#pragma once
// Replaces a file's whole content so that a crash at any moment leaves either the old or the
// new file, never a mixture: the text goes to a temporary file in the same folder, is flushed
// to disk, and is renamed over the old one.
#include <filesystem>
#include <string>
#include <string_view>

namespace cdz {

// Returns an empty string on success, else why the file was left unchanged. The new file keeps
// the old one's permissions. Caller holds any lock that serialises writers of target.
std::string replaceFileAtomically(const std::filesystem::path& target, std::string_view content);

// Temporary files of target left behind by writers that died before their rename. Only safe
// to call while holding the writers' lock.
void removeStaleTemporaries(const std::filesystem::path& target);

}  // namespace cdz
