#include "runtime/ui/ScriptedDialogs.h"

#include <charconv>
#include <cstdio>

#include "runtime/text/Unicode.h"
#include "runtime/ui/PopupMenuText.h"

namespace cdz {

namespace {

bool isCancel(const std::string& answer) {
    return answer.empty() || foldCase(answer) == "cancel";
}
bool isOk(const std::string& answer) {
    return foldCase(answer) == "ok";
}

}  // namespace

ScriptedDialogs::ScriptedDialogs(std::vector<std::string> answers)
    : answers_(answers.begin(), answers.end()) {}

std::optional<std::string> ScriptedDialogs::take() {
    if (answers_.empty()) return std::nullopt;
    std::string answer = std::move(answers_.front());
    answers_.pop_front();
    ++taken_;
    return answer;
}

void ScriptedDialogs::problem(const DialogRecord& record, const std::string& answer) {
    std::string text = "answer " + std::to_string(taken_) + " \"" + answer + "\" does not fit " +
                       std::string(dialogKindName(record.kind)) + " \"" + record.title + "\"";
    if (record.kind == DialogKind::Popup || record.kind == DialogKind::Message)
        text += " (" + record.text + ")";
    // Also on stderr: in a whole-program run nobody calls problems().
    std::fprintf(stderr, "scripted dialogs: %s\n", text.c_str());
    problems_.push_back(std::move(text));
}

Button ScriptedDialogs::message(std::string_view title, std::string_view text, MessageIcon icon,
                                Buttons buttons, Button defaultButton) {
    DialogRecord record{DialogKind::Message,
                        std::string(title),
                        std::string(text),
                        icon,
                        buttons,
                        defaultButton,
                        {},
                        {}};
    if (whileShown_) whileShown_();
    Button pressed = effectiveDefault(buttons, defaultButton);
    if (const auto answer = take(); answer && !answer->empty()) {
        const auto b = buttonFromName(*answer);
        if (b && shownButtons(buttons).has(*b))
            pressed = *b;
        else
            problem(record, *answer);
    }
    record.answer = buttonName(pressed);
    shown_.push_back(std::move(record));
    return pressed;
}

std::optional<std::string> ScriptedDialogs::file(DialogKind kind, std::string_view title,
                                                 std::string_view filterList,
                                                 std::string_view startPath) {
    DialogRecord record{kind, std::string(title), std::string(filterList), MessageIcon::None,
                        {},   Button::None,       std::string(startPath),  {}};
    std::optional<std::string> chosen;
    if (const auto answer = take(); answer && !isCancel(*answer)) chosen = *answer;
    record.answer = chosen.value_or("");
    shown_.push_back(std::move(record));
    return chosen;
}

std::optional<std::string> ScriptedDialogs::openFile(std::string_view title,
                                                     std::string_view filterList,
                                                     std::string_view startPath) {
    return file(DialogKind::OpenFile, title, filterList, startPath);
}

std::optional<std::string> ScriptedDialogs::saveFile(std::string_view title,
                                                     std::string_view filterList,
                                                     std::string_view startPath) {
    return file(DialogKind::SaveFile, title, filterList, startPath);
}

std::optional<std::string> ScriptedDialogs::chooseFolder(std::string_view title,
                                                         std::string_view startPath) {
    return file(DialogKind::Folder, title, {}, startPath);
}

std::optional<FontChoice> ScriptedDialogs::font(std::string_view title, const FontChoice& initial) {
    DialogRecord record{DialogKind::Font, std::string(title), {}, MessageIcon::None, {},
                        Button::None,     initial.toText(),   {}};
    std::optional<FontChoice> chosen;
    if (const auto answer = take(); answer && !isCancel(*answer)) {
        chosen = isOk(*answer) ? std::optional(initial) : FontChoice::parse(*answer);
        if (!chosen) problem(record, *answer);
    }
    record.answer = chosen ? chosen->toText() : "";
    shown_.push_back(std::move(record));
    return chosen;
}

std::optional<Colour> ScriptedDialogs::colour(std::string_view title, Colour initial) {
    DialogRecord record{DialogKind::Colour, std::string(title), {}, MessageIcon::None, {},
                        Button::None,       initial.toString(), {}};
    std::optional<Colour> chosen;
    if (const auto answer = take(); answer && !isCancel(*answer)) {
        chosen = isOk(*answer) ? std::optional(initial) : Colour::parse(*answer);
        if (!chosen) problem(record, *answer);
    }
    record.answer = chosen ? chosen->toString() : "";
    shown_.push_back(std::move(record));
    return chosen;
}

int ScriptedDialogs::popup(std::string_view text) {
    DialogRecord record{
        DialogKind::Popup, {}, std::string(text), MessageIcon::None, {}, Button::None, {}, {}};
    int chosen = 0;
    if (const auto answer = take(); answer && !isCancel(*answer)) {
        int n = 0;
        const char* end = answer->data() + answer->size();
        const auto [stop, ec] = std::from_chars(answer->data(), end, n);
        const bool isNumber = ec == std::errc() && stop == end;
        if (isNumber && (n == 0 || isChoosable(parsePopupText(text), n)))
            chosen = n;
        else
            problem(record, *answer);
    }
    record.answer = std::to_string(chosen);
    shown_.push_back(std::move(record));
    return chosen;
}

void ScriptedDialogs::halt(std::string_view text) {
    shown_.push_back(DialogRecord{
        DialogKind::Halt, {}, std::string(text), MessageIcon::None, {}, Button::None, {}, {}});
}

}  // namespace cdz
