// The browse engine's locator: the typed text, its value in the key, and the step search.
#include "app/engine/browse/BrowseEngine.h"

#include <QString>

#include "app/engine/browse/StepLocator.h"
#include "runtime/text/Text.h"
#include "runtime/text/Unicode.h"

namespace cdz {
namespace {

// The sign and digits a text begins with, after blanks; "0" when it begins with none.
std::string leadingDigits(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && text[i] == ' ') ++i;
    std::string out;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) out += text[i++];
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') out += text[i++];
    return out.find_first_of("0123456789") == std::string::npos ? std::string("0") : out;
}

}  // namespace

const std::string& BrowseEngine::locatorText() const {
    static const std::string none;
    if (column_) return columnLocator_.text();
    return sort_ >= 0 ? current().locator.value() : none;
}

SqlValue BrowseEngine::locatorValue() const {
    const FieldDesc& f = decl_.file->decl().columns()[static_cast<size_t>(current().locatorColumn)];
    return f.value(decl_.file->record());
}

std::string BrowseEngine::locatorText(int row) const {
    const SqlValue& v = page_.value(page_.at(row), 0, static_cast<size_t>(current().locatorColumn));
    const auto* s = std::get_if<std::string>(&v);
    return s ? *s : std::string();
}

// The locator's value into its key component, the components after it blanked, so that the
// search starts at the first record with that beginning.
void BrowseEngine::storeLocator(const SqlValue& value) {
    const FileDecl& fd = decl_.file->decl();
    const KeyDesc& key = fd.keys()[static_cast<size_t>(current().key)];
    void* record = decl_.file->record();
    const SortOrder& s = decl_.sorts[static_cast<size_t>(sort_)];
    bool after = false;
    for (size_t c = 0; c < key.components.size(); ++c) {
        const FieldDesc& f = fd.columns()[static_cast<size_t>(key.components[c])];
        if (c == 0 && s.ranged) {
            f.assign(record, current().rangeReset);
        } else if (key.components[c] == current().locatorColumn) {
            if (f.isText()) {
                f.assign(record, value);
            } else {
                // A number's locator is the number its text begins with (0 for a letter).
                if (const auto* t = std::get_if<std::string>(&value)) {
                    f.fromString(record, leadingDigits(*t));
                } else {
                    f.assign(record, value);
                }
            }
            after = true;
        } else if (after) {
            f.clear(record);
        }
    }
}

void BrowseEngine::typeLocator(char32_t ch) {
    if (!ok_ || sort_ < 0) return;
    if (column_) {
        void* record = nullptr;
        const FieldDesc* f = view_->column(column_->label, &record);
        if (!f || !columnLocator_.type(ch)) return;
        columnLocator_.store(*f, record, column_->picture);
        locate(LocateMode::ByValue);
        return;
    }
    const LocatorKind kind = decl_.sorts[static_cast<size_t>(sort_)].locator;
    std::string typed;
    if (ch != U'\b') typed = QString::fromUcs4(&ch, 1).toStdString();
    if (kind == LocatorKind::Incremental) {
        IncrementalLocator& l = current().locator;
        const bool changed = ch == U'\b' ? l.backspace() : l.type(typed);
        if (!changed) return;
        storeLocator(l.value());
        locate(LocateMode::ByValue);
    } else if (kind == LocatorKind::Step && !typed.empty()) {
        stepLocator(typed);
    }
}

void BrowseEngine::stepLocator(const std::string& typed) {
    StepLocator step(current().collation);
    StepLocator::Action action =
        page_.empty() ? StepLocator::Action::Locate : step.onKey(typed, locatorText(choice_));
    if (action == StepLocator::Action::StepDown) {
        scrollOne(true);
        action = step.afterStep(typed, locatorText(choice_));
    }
    if (action == StepLocator::Action::Locate) {
        storeLocator(step.locateValue(typed));
        locate(LocateMode::ByValue);
    } else if (action == StepLocator::Action::Stay) {
        select(choice_);
    }
}

}  // namespace cdz
