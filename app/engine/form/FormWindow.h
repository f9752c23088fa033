#pragma once
// The window around a form engine: its entries with their prompts, OK and Cancel, the hidden
// Ditto control and the Ditto key, the title by request, the window's place kept in its
// settings section, and the form rules of resizing. A form runs modally over its caller, or
// beside the other windows when it takes dragged songs; a deletion runs without showing the
// window at all.
#include <QDialog>
#include <QKeySequence>
#include <QPointer>
#include <QRect>

#include <functional>
#include <utility>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/engine/form/FormEngine.h"
#include "runtime/text/Picture.h"

class QLineEdit;
class QTabWidget;

namespace cdz {
struct FieldDesc;
}
class QPushButton;

namespace cdz {

class AppState;
class ControlResizer;

// One control of a form: an entry, a spin box, a combo with a drop-down list, a group of option
// buttons or a text box (for a memo), with its prompt and the field it edits (of the form's file
// or of another file the form declares). Places in dialog units; `tab` is the page of the
// form's sheet it sits on (-1: on the window itself).
struct FormEntry {
    enum class Type { Entry, Spin, Combo, Options, Text };

    QString prompt;       // "&Category:"
    std::string field;    // "CAT:Category"
    std::string picture;  // "s30"; a date picture takes the user's date format
    QRect promptPlace;
    QRect entryPlace;
    FieldCheck check;
    Type type = Type::Entry;
    int tab = -1;
    QString tip;
    // Option buttons: caption and the value each stores.
    std::vector<std::pair<QString, std::string>> options;
    // A combo's list, asked for when the window opens and after the check of the control.
    std::function<std::vector<std::string>()> items;
};

// A button of the form's own beside OK and Cancel.
struct FormButton {
    QString caption;
    QString tip;
    QRect place;
    std::function<void()> pressed;
};

// A control of the form's own on a page (a list of related records, a picture): made when the
// window is built, with the page as its parent.
struct FormPanel {
    int tab = -1;
    QRect place;  // dialog units
    std::function<QWidget*(QWidget* parent)> make;
};

struct FormWindowSpec {
    QString designTitle;
    QSize designSize{200, 60};  // dialog units
    bool minimumIsDesign = false;
    std::vector<QString> tabs;  // the sheet's pages; none: no sheet
    QRect sheetPlace;
    std::vector<FormEntry> entries;
    QString okCaption = "&Ok";
    QString okTip;
    QRect okPlace;
    QString cancelCaption = "Cancel";
    QString cancelTip;
    QRect cancelPlace;
    std::vector<FormButton> buttons;
    std::vector<FormPanel> panels;
    QKeySequence dittoKey;  // empty: no Ditto
    // Runs before the controls show the buffers (values shown that are looked up elsewhere).
    std::function<void()> beforeDisplay;
    // Runs on OK once the controls are stored, before the checks and the write: a value every
    // save stamps (the date of the last change).
    std::function<void()> beforeOk;
    // The form has a list that takes songs dragged from the song browse: it runs beside the
    // song browse instead of over every window, so that a drag can reach it.
    bool takesDrops = false;
};

class FormWindow : public QDialog {
    Q_OBJECT
public:
    FormWindow(AppState& state, FormDeclaration declaration, FormWindowSpec spec,
               QWidget* parent = nullptr);
    ~FormWindow() override;

    // Runs the form on the program's request: starts the engine, shows the window when the
    // request needs it (modally, or beside the song browse for a form that takes drops) and
    // leaves. Returns the response (also left in the program state).
    // `setup` prepares the engine before it starts (a step after each write, ...).
    static Response run(AppState& state, FormDeclaration declaration, FormWindowSpec spec,
                        QWidget* parent, const std::function<void(FormEngine&)>& setup = {});

    FormEngine& engine() { return *engine_; }
    // The entry control of a control number (nullptr when that control is not an entry).
    QLineEdit* entry(int index) const { return entries_[static_cast<size_t>(index)].edit; }
    QWidget* control(int index) const { return entries_[static_cast<size_t>(index)].widget; }
    // Shows the buffers again (after a button of the form's own changed them).
    void display();
    // Every control's value into its field (before a button of the form's own reads them).
    void storeAll();
    // A step of the form's own (a button on a page): the controls stored, the step, the buffers
    // shown again, all in one turn of the form (FormEngine::Turn).
    void act(const std::function<void()>& step);

    void accept() override;
    void reject() override;
    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Entry {
        FormEntry::Type type = FormEntry::Type::Entry;
        QWidget* widget = nullptr;
        QLineEdit* edit = nullptr;
        std::optional<Picture> picture;
        std::string field;
        std::vector<std::string> values;  // option buttons' values
        std::function<std::vector<std::string>()> items;
    };

    void build();
    // The parts of build(): the pages, each entry, the buttons; a design place in pixels.
    void makePages();
    QWidget* pageOf(int tab);
    void addEntry(size_t i, const std::string& dates);
    void makeButtons();
    QRect pixels(const QRect& du) const;
    QWidget* makeControl(const FormEntry& e, QWidget* parent, Entry& entry);
    void accepted(int index);
    bool readable(int index);
    void fillLists();
    std::pair<const FieldDesc*, void*> fieldOf(const std::string& label) const;
    void store(int index);
    void focusControl(int index);
    void dittoFocused();

    AppState& state_;
    FormWindowSpec spec_;
    std::unique_ptr<FormEngine> engine_;
    std::vector<Entry> entries_;
    QPushButton* ok_ = nullptr;
    QPushButton* cancel_ = nullptr;
    QPushButton* ditto_ = nullptr;
    std::vector<QPointer<QWidget>> panels_;
    QTabWidget* sheet_ = nullptr;
    ControlResizer* resizer_ = nullptr;
    QSize designPixels_;
    std::vector<QWidget*> pages_;  // the sheet's pages, by tab
    int lastEntry_ = 0;
    bool opened_ = false;
    bool left_ = false;
    bool accepting_ = false;
};

}  // namespace cdz
