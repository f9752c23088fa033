#include "runtime/filemgr/FileRegistry.h"

#include <algorithm>

#include "runtime/data/FileName.h"
#include "runtime/filemgr/ExampleFile.h"
#include "runtime/filemgr/FileUpgrade.h"

namespace cdz {

namespace {

bool sameNoCase(std::string_view a, std::string_view b) {
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [&](char x, char y) { return lower(x) == lower(y); });
}

bool listed(const std::vector<std::string>& names, std::string_view name) {
    return std::any_of(names.begin(), names.end(),
                       [&](const std::string& n) { return sameNoCase(n, name); });
}

}  // namespace

void FileRegistry::addDriver(std::string_view name) {
    if (!listed(drivers_, name)) drivers_.emplace_back(name);
}

void FileRegistry::ignoreDriver(std::string_view name, int flag) {
    if (flag != 0 && !listed(ignored_, name)) ignored_.emplace_back(name);
}

bool FileRegistry::hasDriver(std::string_view name) const {
    return listed(drivers_, name) && !listed(ignored_, name);
}

bool FileRegistry::ignoresDriver(std::string_view name) const {
    return listed(ignored_, name);
}

void FileRegistry::usingFile(std::string_view prefix, std::string_view label, DataFile& file,
                             int flag) {
    RegisteredFile entry{std::string(prefix), std::string(label), &file, flag};
    for (auto& f : files_) {
        if (sameNoCase(f.label, label)) {
            f = std::move(entry);
            return;
        }
    }
    files_.push_back(std::move(entry));
}

const RegisteredFile* FileRegistry::find(std::string_view name) const {
    for (const auto& f : files_) {
        if (sameNoCase(f.label, name)) return &f;
    }
    for (const auto& f : files_) {
        const DataFile& d = *f.file;
        const std::filesystem::path disk = d.path();
        if (sameNoCase(d.name(), name) || sameNoCase(disk.filename().string(), name) ||
            sameNoCase(disk.stem().string(), name) || sameNoCase(disk.string(), name)) {
            return &f;
        }
    }
    return nullptr;
}

int FileRegistry::upgrade(DataFile& file) const {
    if (file.isOpen()) return file.database().fail(err::kFileAlreadyOpen);
    return upgradeFile(file.database(), file.decl(), file.name());
}

std::string FileRegistry::makeExample(std::string_view label) const {
    const RegisteredFile* f = nullptr;
    for (const auto& r : files_) {
        if (sameNoCase(r.label, label)) f = &r;
    }
    if (!f) return std::string(kExampleNotCreated);
    if (!hasDriver(kKeyedDriver)) return std::string(kNotKeyedFile);
    std::filesystem::path example;
    if (makeExampleFile(f->file->database(), f->file->decl(), f->file->name(), &example,
                        f->file->owner()) != 0) {
        return std::string(kExampleError);
    }
    return example.string();
}

}  // namespace cdz
