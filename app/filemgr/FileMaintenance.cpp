#include "app/filemgr/FileMaintenance.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "app/domain/repair/FixAction.h"
#include "runtime/data/StoredSize.h"
#include "runtime/ui/Dialogs.h"

namespace cdz {

namespace {

std::string driverText(const DataFile& file) {
    const ErrorState& e = file.error();
    return e.driverText.empty() ? e.text : e.text + " (" + e.driverText + ")";
}

// The file closes again however the action ends.
struct CloseAfter {
    DataFile& file;
    ~CloseAfter() {
        if (file.isOpen()) file.close();
    }
};

}  // namespace

FileMaintenance::FileMaintenance(Dialogs& dialogs, FileRegistry& registry, RepairProgram& repair)
    : dialogs_(dialogs), registry_(registry), repair_(repair) {}

std::vector<FileRow> FileMaintenance::rows() const {
    std::vector<FileRow> out;
    for (const RegisteredFile& f : registry_.files()) out.push_back({&f, {}, false});
    std::sort(out.begin(), out.end(),
              [](const FileRow& a, const FileRow& b) { return a.file->label < b.file->label; });
    return out;
}

bool FileMaintenance::openAlone(DataFile& file) {
    if (file.open(access::kExclusive) == 0) return true;
    dialogs_.message(kAccessTitle, std::string(kAccessText) + driverText(file),
                     MessageIcon::Warning, Button::Ok, Button::Ok);
    return false;
}

void FileMaintenance::failed(const RegisteredFile& file, std::string_view what) {
    dialogs_.message("Error",
                     std::string(what) + " of " + file.label + " failed: " + driverText(*file.file),
                     MessageIcon::Error, Button::Ok, Button::Ok);
}

bool FileMaintenance::release(DataFile& file) {
    file.send("IGNORESTATUS=ON");
    int code = file.set(kRecordOrder);
    while (code == 0 && (code = file.next()) == 0) {
        if (file.send("HELD") != "ON") continue;
        file.send("RECOVER=1");
        code = file.reget(file.position());
    }
    file.send("RECOVER=0");
    file.send("IGNORESTATUS=OFF");
    return code == 0 || code == err::kRecordNotAvailable;  // past the last record
}

void FileMaintenance::count(FileRow& row) {
    DataFile& file = *row.file->file;
    const bool wasOpen = file.isOpen();
    if (!wasOpen && file.open(access::kSharedRead) != 0) {
        row.records.clear();
        return;
    }
    row.records = std::to_string(file.records());
    if (!wasOpen) file.close();
}

bool FileMaintenance::run(FileAction action, FileRow& row) {
    const RegisteredFile& registered = *row.file;
    DataFile& file = *registered.file;
    if (action == FileAction::Info) {
        dialogs_.message(kInfoTitle, info(registered), MessageIcon::Information, Button::Ok,
                         Button::Ok);
        count(row);
        return true;
    }
    // A window of this program has the file: it is never taken from under the window.
    if (file.isOpen()) {
        dialogs_.message(kAccessTitle,
                         "The file " + registered.label +
                             " is in use by a window of this program.|Close the windows that "
                             "show it, then try again.",
                         MessageIcon::Warning, Button::Ok, Button::Ok);
        return false;
    }
    bool done = false;
    switch (action) {
        case FileAction::Build: {
            if (!openAlone(file)) return false;
            CloseAfter closing{file};
            file.send("FULLBUILD=on");
            done = file.build() == 0;
            if (!done) failed(registered, "Build");
            break;
        }
        case FileAction::Pack: {
            if (!openAlone(file)) return false;
            CloseAfter closing{file};
            done = file.pack() == 0;
            if (!done) failed(registered, "Pack");
            break;
        }
        case FileAction::Release: {
            file.send("RECOVER=1");
            if (!openAlone(file)) {
                file.send("RECOVER=0");
                return false;
            }
            CloseAfter closing{file};
            done = release(file);
            if (!done) failed(registered, "Release");
            break;
        }
        case FileAction::Fix:
            done =
                FixAction(dialogs_, registry_, repair_)(registered) == FixAction::Result::Repaired;
            break;
        case FileAction::Info:
            break;
    }
    count(row);
    return done;
}

std::string FileMaintenance::info(const RegisteredFile& registered) {
    DataFile& file = *registered.file;
    std::error_code ec;
    const auto path = file.path();
    std::string notYet = "The file " + registered.label + " (" + path.filename().string() +
                         ") does not exist yet.|It is made when the program first needs it.";
    // On a server only an open can tell whether the file is there.
    const bool onServer = !file.database().has(StorageFeature::FilesInFolder);
    if (!onServer && !std::filesystem::exists(path, ec)) return notYet;
    const bool wasOpen = file.isOpen();
    const int opened = wasOpen ? 0 : file.open(access::kSharedRead);
    if (onServer && opened == err::kFileNotFound) return notYet;
    std::string text = registered.label + " (" + path.filename().string() + ")";
    const FileDecl& decl = file.decl();
    text += "|Layout: " + decl.prefix() + ", " + std::to_string(decl.fieldCount()) + " fields, " +
            std::to_string(decl.memoCount()) + " memos, " + std::to_string(decl.keys().size()) +
            " keys, " + std::to_string(decl.recordBytes()) + " bytes a record";
    const int64_t bytes = opened == 0 || !onServer ? storedBytes(file) : -1;
    text += "|Size: " + (bytes < 0 ? std::string("unknown") : std::to_string(bytes / 1024) + " KB");
    if (opened != 0) return text + "|The file does not open: " + driverText(file);
    text += "|Records: " + std::to_string(file.records());
    std::string problems;
    if (file.check(&problems) != 0) {
        text += "|Check: could not be made (" + driverText(file) + ")";
    } else {
        text += problems.empty() ? "|Check: the file checks out" : "|Check: damaged: " + problems;
    }
    if (!wasOpen) file.close();
    return text;
}

}  // namespace cdz
