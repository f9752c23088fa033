#include "runtime/ui/MessageButtons.h"

#include <array>
#include <charconv>

#include "runtime/text/Unicode.h"

namespace cdz {

namespace {

constexpr std::array<Button, 7> kAllButtons{Button::Ok,    Button::Yes,   Button::No,
                                            Button::Abort, Button::Retry, Button::Ignore,
                                            Button::Cancel};

}  // namespace

std::vector<Button> Buttons::list() const {
    std::vector<Button> out;
    for (Button b : kAllButtons)
        if (has(b)) out.push_back(b);
    return out;
}

Buttons shownButtons(Buttons asked) {
    return asked.empty() ? Buttons(Button::Ok) : asked;
}

Button effectiveDefault(Buttons asked, Button defaultButton) {
    const Buttons shown = shownButtons(asked);
    if (shown.has(defaultButton)) return defaultButton;
    return shown.list().front();
}

Button escapeButton(Buttons asked, Button defaultButton) {
    const Buttons shown = shownButtons(asked);
    for (Button b : {Button::Cancel, Button::Abort, Button::No}) {
        if (shown.has(b)) return b;
    }
    const std::vector<Button> list = shown.list();
    return list.size() == 1 ? list.front() : effectiveDefault(asked, defaultButton);
}

std::string_view buttonName(Button b) {
    switch (b) {
        case Button::Ok:
            return "OK";
        case Button::Yes:
            return "Yes";
        case Button::No:
            return "No";
        case Button::Abort:
            return "Abort";
        case Button::Retry:
            return "Retry";
        case Button::Ignore:
            return "Ignore";
        case Button::Cancel:
            return "Cancel";
        case Button::None:
            break;
    }
    return "";
}

std::optional<Button> buttonFromName(std::string_view name) {
    const std::string folded = foldCase(name);
    for (Button b : kAllButtons)
        if (folded == foldCase(buttonName(b))) return b;
    int code = 0;
    const auto [end, ec] = std::from_chars(name.data(), name.data() + name.size(), code);
    if (ec == std::errc() && end == name.data() + name.size()) {
        for (Button b : kAllButtons)
            if (code == static_cast<int>(b)) return b;
    }
    return std::nullopt;
}

std::string_view iconName(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::None:
            return "none";
        case MessageIcon::Warning:
            return "warning";
        case MessageIcon::Question:
            return "question";
        case MessageIcon::Information:
            return "information";
        case MessageIcon::Error:
            return "error";
    }
    return "none";
}

}  // namespace cdz
