#pragma once
// A decorator that appends every dialog shown through the facade it wraps to a log file, one
// JSON line each (see DialogRecord::toJson), written as soon as the dialog is answered so that
// the line survives the process ending right after (a halt, for one). A dialog that waits for a
// person also gets a line when it opens (DialogRecord::toShownJson), so that a run that hangs
// shows what it waits on.
#include <filesystem>
#include <memory>
#include <string>

#include "runtime/ui/DialogRecord.h"
#include "runtime/ui/Dialogs.h"

namespace cdz {

class LoggingDialogs final : public Dialogs {
public:
    // nullptr (and error set) when the log cannot be opened for appending.
    static std::unique_ptr<LoggingDialogs> open(std::unique_ptr<Dialogs> inner,
                                                const std::filesystem::path& log,
                                                std::string& error);
    ~LoggingDialogs() override;
    LoggingDialogs(const LoggingDialogs&) = delete;
    LoggingDialogs& operator=(const LoggingDialogs&) = delete;

    Dialogs& inner() { return *inner_; }

    Button message(std::string_view title, std::string_view text, MessageIcon icon, Buttons buttons,
                   Button defaultButton) override;
    std::optional<std::string> openFile(std::string_view title, std::string_view filterList,
                                        std::string_view startPath) override;
    std::optional<std::string> saveFile(std::string_view title, std::string_view filterList,
                                        std::string_view startPath) override;
    std::optional<std::string> chooseFolder(std::string_view title,
                                            std::string_view startPath) override;
    std::optional<FontChoice> font(std::string_view title, const FontChoice& initial) override;
    std::optional<Colour> colour(std::string_view title, Colour initial) override;
    int popup(std::string_view text) override;
    void halt(std::string_view text) override;
    void endAll() override { inner_->endAll(); }

private:
    LoggingDialogs(std::unique_ptr<Dialogs> inner, int fd, std::filesystem::path log);
    void append(const DialogRecord& record) { appendLine(record.toJson()); }
    void appendLine(std::string line);
    // Logs a file dialog of either kind and passes its answer on.
    std::optional<std::string> logFile(DialogKind kind, std::string_view title,
                                       std::string_view filterList, std::string_view startPath,
                                       std::optional<std::string> chosen);

    std::unique_ptr<Dialogs> inner_;
    int fd_;
    std::filesystem::path log_;
};

}  // namespace cdz
