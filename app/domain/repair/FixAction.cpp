#include "app/domain/repair/FixAction.h"

#include <filesystem>
#include <optional>
#include <vector>

#include "app/domain/repair/RepairProgram.h"
#include "runtime/data/DataFile.h"
#include "runtime/filemgr/FileRegistry.h"
#include "runtime/filemgr/FileSalvageSummary.h"
#include "runtime/ui/Dialogs.h"

namespace cdz {

namespace {

constexpr std::string_view kMultiTableQuestion =
    "This is a multi-table TPS file. You can try using Fix, but the results are not guarenteed "
    "and could damage your file further.  Do you want to continue ? ";

std::string records(int64_t n) {
    return std::to_string(n) + (n == 1 ? " record" : " records");
}

std::string withoutTrailingBreaks(std::string text) {
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
    return text;
}

}  // namespace

FixAction::FixAction(Dialogs& dialogs, FileRegistry& registry, RepairProgram& program)
    : dialogs_(dialogs), registry_(registry), program_(program) {}

std::vector<std::string> FixAction::arguments(const std::string& fileName) {
    std::filesystem::path file(fileName);
    if (!file.has_extension()) file += ".tps";
    std::filesystem::path example = file;
    example.replace_extension(".tpe");
    return {file.string(), "/E:" + example.string(), "/K"};
}

FixAction::Result FixAction::onServer(const RegisteredFile& registered) {
    DataFile& file = *registered.file;
    Database& db = file.database();
    if (file.build() != 0) {
        dialogs_.message("Error",
                         file.name() + " could not be repaired on the database server.|" +
                             db.error().text +
                             (db.error().driverText.empty() ? "" : " " + db.error().driverText),
                         MessageIcon::Error, Button::Ok, Button::Ok);
        return Result::RepairFailed;
    }
    std::string held;
    if (file.open(access::kSharedRead) == 0) {
        held = " It holds " + records(file.records()) + ".";
        file.close();
    }
    dialogs_.message("Information",
                     "The repair of " + file.name() +
                         " is finished: the database server keeps its records whole itself, so "
                         "its keys and record count were made again and nothing was lost." +
                         held,
                     MessageIcon::Information, Button::Ok, Button::Ok);
    return Result::Repaired;
}

FixAction::Result FixAction::operator()(const RegisteredFile& registered) {
    if (!registered.file->database().has(StorageFeature::PageSalvage)) return onServer(registered);
    std::string name = registered.file->name();
    if (const auto bang = name.find('!'); bang != std::string::npos) {
        if (dialogs_.message("Warning", kMultiTableQuestion, MessageIcon::Question,
                             Button::Yes | Button::No, Button::No) != Button::Yes) {
            return Result::Declined;
        }
        name.erase(bang > 0 && name[bang - 1] == '\\' ? bang - 1 : bang);
    }

    const std::string example = registry_.makeExample(registered.label);
    if (example == FileRegistry::kExampleNotCreated || example == FileRegistry::kNotKeyedFile ||
        example == FileRegistry::kExampleError) {
        std::string text;
        if (example == FileRegistry::kExampleNotCreated) {
            text = "Unable to create TPE Example file.";
        } else if (example == FileRegistry::kNotKeyedFile) {
            text = "Not a TOPSPEED file.";
        } else {
            text = "Error creating TPE file : " + registered.file->database().error().text;
        }
        dialogs_.message("Error", text, MessageIcon::Error, Button::Ok, Button::Ok);
        return Result::ExampleFailed;
    }

    const RepairProgram::Result run =
        program_.run(arguments(name), registered.file->database().folder());
    if (!run.started) {
        dialogs_.message("Error",
                         std::string("The repair program ") + RepairProgram::kName +
                             " could not be found beside this program or on the PATH, or it "
                             "could not be started.|" +
                             name + " was not repaired.",
                         MessageIcon::Error, Button::Ok, Button::Ok);
        return Result::ProgramMissing;
    }
    const std::optional<SalvageSummary> summary = readSummary(run.output);
    if (run.exitCode != 0 || !summary) {
        // Said rather than kept quiet: the user would otherwise take the file for repaired.
        const std::string what = run.exitCode != 0 ? " could not repair " + name + "."
                                                   : " ended without saying what it saved, so " +
                                                         name + " may not have been repaired.";
        const std::string output = withoutTrailingBreaks(run.output);
        dialogs_.message("Error",
                         std::string("The repair program ") + RepairProgram::kName + what +
                             (output.empty() ? "" : "|" + output),
                         MessageIcon::Error, Button::Ok, Button::Ok);
        return Result::RepairFailed;
    }
    dialogs_.message("Information", repairedText(name, *summary), MessageIcon::Information,
                     Button::Ok, Button::Ok);
    return Result::Repaired;
}

std::string FixAction::repairedText(const std::string& name, const SalvageSummary& summary) {
    std::string text =
        "The repair of " + name + " is finished: " + records(summary.saved) + " saved, ";
    if (summary.lost < 0) {
        text += "an unknown number lost (the damaged file could not say how many it held).";
    } else {
        text += records(summary.lost) + " lost.";
    }
    return text + "|The damaged file is kept as " + summary.keptAs.string() + ".";
}

}  // namespace cdz
