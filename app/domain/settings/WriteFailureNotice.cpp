#include "app/domain/settings/WriteFailureNotice.h"

#include "runtime/ini/IniFile.h"
#include "runtime/ui/Dialogs.h"

namespace cdz {

namespace {

// The system's error texts start with a capital ("No space left on device"); inside a sentence
// they read better without it. Words in capitals stay as they are.
std::string inSentence(std::string cause) {
    if (cause.size() > 1 && cause[0] >= 'A' && cause[0] <= 'Z' && cause[1] >= 'a' &&
        cause[1] <= 'z') {
        cause[0] = static_cast<char>(cause[0] - 'A' + 'a');
    }
    return cause;
}

}  // namespace

WriteFailureNotice::WriteFailureNotice(Dialogs& dialogs) : dialogs_(dialogs) {}

void WriteFailureNotice::watch(IniFile& file, std::string consequence) {
    file.setWriteFailureHandler(
        [this, consequence = std::move(consequence)](const IniFile& f, const FileError& error) {
            report(f, error, consequence);
        });
}

std::string WriteFailureNotice::text(const std::filesystem::path& file, const FileError& error,
                                     const std::string& consequence) {
    return "Writing " + file.string() + " failed: " + inSentence(error.cause) + ".|" + consequence;
}

void WriteFailureNotice::report(const IniFile& file, const FileError& error,
                                const std::string& consequence) {
    {
        std::lock_guard guard(mutex_);
        if (!reported_.insert(file.path()).second) return;
    }
    dialogs_.message(kTitle, text(file.path(), error, consequence), MessageIcon::Warning,
                     Button::Ok, Button::Ok);
}

}  // namespace cdz
