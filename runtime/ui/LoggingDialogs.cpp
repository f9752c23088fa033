#include "runtime/ui/LoggingDialogs.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace cdz {

std::unique_ptr<LoggingDialogs> LoggingDialogs::open(std::unique_ptr<Dialogs> inner,
                                                     const std::filesystem::path& log,
                                                     std::string& error) {
    const int fd = ::open(log.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0666);
    if (fd < 0) {
        error = "cannot open the dialog log " + log.string() + ": " + std::strerror(errno);
        return nullptr;
    }
    return std::unique_ptr<LoggingDialogs>(new LoggingDialogs(std::move(inner), fd, log));
}

LoggingDialogs::LoggingDialogs(std::unique_ptr<Dialogs> inner, int fd, std::filesystem::path log)
    : inner_(std::move(inner)), fd_(fd), log_(std::move(log)) {
    inner_->setShownHandler(
        [this](const DialogRecord& dialog) { appendLine(dialog.toShownJson()); });
}

LoggingDialogs::~LoggingDialogs() {
    inner_->setShownHandler({});
    ::close(fd_);
}

void LoggingDialogs::appendLine(std::string line) {
    // One write per line straight to the descriptor: nothing waits in a buffer, and lines of
    // processes sharing the log do not interleave.
    line += '\n';
    std::string_view rest = line;
    while (!rest.empty()) {
        const ssize_t n = ::write(fd_, rest.data(), rest.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            std::fprintf(stderr, "cannot write the dialog log %s: %s\n", log_.c_str(),
                         std::strerror(errno));
            return;
        }
        rest.remove_prefix(static_cast<size_t>(n));
    }
}

Button LoggingDialogs::message(std::string_view title, std::string_view text, MessageIcon icon,
                               Buttons buttons, Button defaultButton) {
    const Button pressed = inner_->message(title, text, icon, buttons, defaultButton);
    append({DialogKind::Message,
            std::string(title),
            std::string(text),
            icon,
            buttons,
            defaultButton,
            {},
            std::string(buttonName(pressed))});
    return pressed;
}

std::optional<std::string> LoggingDialogs::openFile(std::string_view title,
                                                    std::string_view filterList,
                                                    std::string_view startPath) {
    return logFile(DialogKind::OpenFile, title, filterList, startPath,
                   inner_->openFile(title, filterList, startPath));
}

std::optional<std::string> LoggingDialogs::saveFile(std::string_view title,
                                                    std::string_view filterList,
                                                    std::string_view startPath) {
    return logFile(DialogKind::SaveFile, title, filterList, startPath,
                   inner_->saveFile(title, filterList, startPath));
}

std::optional<std::string> LoggingDialogs::chooseFolder(std::string_view title,
                                                        std::string_view startPath) {
    return logFile(DialogKind::Folder, title, {}, startPath,
                   inner_->chooseFolder(title, startPath));
}

std::optional<std::string> LoggingDialogs::logFile(DialogKind kind, std::string_view title,
                                                   std::string_view filterList,
                                                   std::string_view startPath,
                                                   std::optional<std::string> chosen) {
    append({kind,
            std::string(title),
            std::string(filterList),
            MessageIcon::None,
            {},
            Button::None,
            std::string(startPath),
            chosen.value_or("")});
    return chosen;
}

std::optional<FontChoice> LoggingDialogs::font(std::string_view title, const FontChoice& initial) {
    auto chosen = inner_->font(title, initial);
    append({DialogKind::Font,
            std::string(title),
            {},
            MessageIcon::None,
            {},
            Button::None,
            initial.toText(),
            chosen ? chosen->toText() : ""});
    return chosen;
}

std::optional<Colour> LoggingDialogs::colour(std::string_view title, Colour initial) {
    auto chosen = inner_->colour(title, initial);
    append({DialogKind::Colour,
            std::string(title),
            {},
            MessageIcon::None,
            {},
            Button::None,
            initial.toString(),
            chosen ? chosen->toString() : ""});
    return chosen;
}

int LoggingDialogs::popup(std::string_view text) {
    const int chosen = inner_->popup(text);
    append({DialogKind::Popup,
            {},
            std::string(text),
            MessageIcon::None,
            {},
            Button::None,
            {},
            std::to_string(chosen)});
    return chosen;
}

void LoggingDialogs::halt(std::string_view text) {
    // Logged first: showing the halt may be the last thing the process manages.
    append({DialogKind::Halt, {}, std::string(text), MessageIcon::None, {}, Button::None, {}, {}});
    inner_->halt(text);
}

}  // namespace cdz
