#pragma once
// The dialog facade of tests and scripted whole-program runs: each dialog takes the next
// queued answer (in the answer-file form of DialogsFromEnvironment.h) and every dialog shown is
// recorded. When the answers run out a message box gets its default button, a popup 0 and the
// other dialogs are cancelled. An answer that does not fit its dialog (a button the box does not
// show, a disabled popup item, an unreadable font) is treated the same way and noted in
// problems(), so a script that went out of step is seen rather than followed blindly.
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "runtime/ui/DialogRecord.h"
#include "runtime/ui/Dialogs.h"

namespace cdz {

class ScriptedDialogs final : public Dialogs {
public:
    ScriptedDialogs() = default;
    explicit ScriptedDialogs(std::vector<std::string> answers);

    void queue(std::string answer) { answers_.push_back(std::move(answer)); }
    void queue(Button b) { answers_.emplace_back(buttonName(b)); }
    std::size_t pending() const { return answers_.size(); }
    // Runs while each message box is up, as the person's own input would go on meanwhile (a
    // journey releases the mouse there, as a click on the box's button does).
    void whileShown(std::function<void()> act) { whileShown_ = std::move(act); }

    const std::vector<DialogRecord>& shown() const { return shown_; }
    const std::vector<std::string>& problems() const { return problems_; }

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

private:
    // The next answer, or nullopt when none is left.
    std::optional<std::string> take();
    void problem(const DialogRecord& record, const std::string& answer);
    std::optional<std::string> file(DialogKind kind, std::string_view title,
                                    std::string_view filterList, std::string_view startPath);

    std::deque<std::string> answers_;
    std::vector<DialogRecord> shown_;
    std::vector<std::string> problems_;
    int taken_ = 0;
    std::function<void()> whileShown_;
};

}  // namespace cdz
