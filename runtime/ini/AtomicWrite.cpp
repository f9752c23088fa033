#include "runtime/ini/AtomicWrite.h"

#include "runtime/ini/ReplacingFile.h"

namespace cdz {

FileError replaceFileAtomically(const std::filesystem::path& target, std::string_view content,
                                const FileCalls& calls) {
    ReplacingFile file(target, calls);
    if (FileError error = file.open()) return error;
    if (FileError error = file.write(content)) return error;
    return file.commit();
}

}  // namespace cdz
