#pragma once
// Recognises the rollback journal a killed process leaves beside a database file: present,
// not empty, and with no live process holding the file's write lock.
#include <filesystem>

namespace cdz {

class StaleJournal {
public:
    static std::filesystem::path journalOf(const std::filesystem::path& database);
    // True when the journal would make the next reader roll the file back.
    static bool present(const std::filesystem::path& database);
};

}  // namespace cdz
