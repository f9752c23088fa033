#pragma once
// The file manager's register of a program's data files: the keyed-file driver, each file with
// its prefix, label and flag, and the application name whose profile section holds the
// bad-file marker. Through it the program asks for a file's structural upgrade and for the
// example file the repair program rebuilds a damaged file from.
#include <string>
#include <string_view>
#include <vector>

#include "runtime/data/DataFile.h"

namespace cdz {

struct RegisteredFile {
    std::string prefix;
    std::string label;
    DataFile* file = nullptr;
    int flag = 0;
};

class FileRegistry {
public:
    // The keyed-file driver's name as programs register it.
    static constexpr std::string_view kKeyedDriver = "Tps";
    // makeExample's failures (anything else it returns is the example's path).
    static constexpr std::string_view kExampleNotCreated = "1";
    static constexpr std::string_view kNotKeyedFile = "2";
    static constexpr std::string_view kExampleError = "3";

    void addDriver(std::string_view name);
    void ignoreDriver(std::string_view name, int flag);
    bool hasDriver(std::string_view name) const;
    bool ignoresDriver(std::string_view name) const;

    // Registers a file (again: the later registration replaces the earlier one of its label).
    // The file object must outlive the registry's use of it.
    void usingFile(std::string_view prefix, std::string_view label, DataFile& file, int flag);
    const std::vector<RegisteredFile>& files() const { return files_; }

    void setApplicationName(std::string_view name) { appName_ = std::string(name); }
    const std::string& applicationName() const { return appName_; }

    // The registered file a name stands for: its label, its external name, or the external
    // name's file on disk with or without its extension, all without regard to case.
    // nullptr when none.
    const RegisteredFile* find(std::string_view name) const;

    // Converts the closed file to its declared layout, keeping its records (upgradeFile).
    // Returns a runtime code; 52 when the file is open.
    int upgrade(DataFile& file) const;

    // Makes the example of the registered file `label` (see ExampleFile.h): its path, or "1"
    // when there is no such file, "2" when no keyed-file driver was added, "3" when creating
    // it failed (the database's error state says why).
    std::string makeExample(std::string_view label) const;

private:
    std::vector<std::string> drivers_;
    std::vector<std::string> ignored_;
    std::vector<RegisteredFile> files_;
    std::string appName_;
};

}  // namespace cdz
