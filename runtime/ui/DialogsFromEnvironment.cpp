#include "runtime/ui/DialogsFromEnvironment.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>

#include "runtime/ui/LoggingDialogs.h"
#include "runtime/ui/QtDialogs.h"
#include "runtime/ui/ScriptedDialogs.h"

namespace cdz {

namespace {

// An unset or empty variable both mean "not asked for".
const char* variable(const char* name) {
    const char* value = std::getenv(name);
    return value && *value ? value : nullptr;
}

}  // namespace

std::optional<std::vector<std::string>> readDialogAnswers(const std::string& path,
                                                          std::string& error) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = "cannot read the dialog answers " + path + ": " + std::strerror(errno);
        return std::nullopt;
    }
    std::vector<std::string> answers;
    std::string line;
    while (std::getline(in, line)) {
        if (line.ends_with('\r')) line.pop_back();
        answers.push_back(line);
    }
    if (in.bad()) {
        error = "cannot read the dialog answers " + path;
        return std::nullopt;
    }
    return answers;
}

std::unique_ptr<Dialogs> dialogsFromEnvironment(std::string& error) {
    std::unique_ptr<Dialogs> dialogs;
    if (const char* answersFile = variable("CDZ_DIALOG_ANSWERS")) {
        auto answers = readDialogAnswers(answersFile, error);
        if (!answers) return nullptr;
        dialogs = std::make_unique<ScriptedDialogs>(std::move(*answers));
    } else {
        dialogs = std::make_unique<QtDialogs>();
    }
    if (const char* log = variable("CDZ_DIALOG_LOG"))
        return LoggingDialogs::open(std::move(dialogs), log, error);
    return dialogs;
}

}  // namespace cdz
