#pragma once
// What the query wizard's pages share: captions and tips from the display-text slots, the
// designed text size that picks each control's font, and the face every page shows the window
// so that it can navigate without knowing the page's controls.
#include <QWidget>
#include <string>
#include <string_view>

#include "querykit/qwizard/WizardFlow.h"

class QLabel;
class QListWidget;
class QPushButton;

namespace qk {

// One page of the wizard over the flow it shows.
class WizardPageView : public QWidget {
public:
    WizardPageView(WizardFlow& flow, const DisplayTexts& texts, QWidget* parent)
        : QWidget(parent), flow_(flow), texts_(texts) {}

    // Takes what the user entered on the page into the flow.
    virtual void take() {}
    // The control that takes the keyboard when the page comes up, so typing goes straight in;
    // null when none can.
    virtual QWidget* focusTarget() const = 0;

protected:
    WizardFlow& flow() const { return flow_; }
    const DisplayTexts& texts() const { return texts_; }

private:
    WizardFlow& flow_;
    const DisplayTexts& texts_;
};

namespace wizardui {

// Designed text sizes, which pick the font slots.
inline constexpr int kSmall = 8;
inline constexpr int kNormal = 10;
inline constexpr int kLarge = 12;

QString qs(std::string_view s);
std::string utf8(const QString& s);

void setDesignedSize(QWidget* w, int designedSize);
// A label showing slot `slot`.
QLabel* label(QWidget* parent, const DisplayTexts& texts, const char* name, int slot,
              int designedSize);
// A button whose tip, status tip and caption are the three slots from `firstSlot` on.
QPushButton* button(QWidget* parent, const DisplayTexts& texts, const char* name, int firstSlot);
// Selects `row` when the list has it.
void setRow(QListWidget* list, int row);
void fillFieldList(QListWidget* list, const XRQW_FieldsQueue& fields);
// The display texts' fonts on every control under `root`: buttons and lists by their kind,
// the rest by their designed size.
void applyFonts(QWidget& root, const DisplayTexts& texts);

}  // namespace wizardui

}  // namespace qk
