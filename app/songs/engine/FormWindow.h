#pragma once
// The window around a form engine: its entries with their prompts, OK and Cancel, the hidden
// Ditto control and the Ditto key, the title by request, the window's place kept in its
// settings section, and the form rules of resizing. A form runs modally over its caller; a
// deletion runs without showing the window at all.
#include <QDialog>
#include <QKeySequence>
#include <QRect>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/songs/engine/FormEngine.h"
#include "runtime/text/Picture.h"

class QLineEdit;
class QPushButton;

namespace cdz {

class AppState;
class ControlResizer;

// One entry control: its prompt, the field it edits and its picture; places in dialog units.
struct FormEntry {
    QString prompt;       // "&Category:"
    std::string field;    // "CAT:Category"
    std::string picture;  // "s30"; a date picture takes the user's date format
    QRect promptPlace;
    QRect entryPlace;
    FieldCheck check;
};

struct FormWindowSpec {
    QString designTitle;
    QSize designSize{200, 60};  // dialog units
    bool minimumIsDesign = false;
    std::vector<FormEntry> entries;
    QString okCaption = "&Ok";
    QString okTip;
    QRect okPlace;
    QString cancelCaption = "Cancel";
    QString cancelTip;
    QRect cancelPlace;
    QKeySequence dittoKey;  // empty: no Ditto
};

class FormWindow : public QDialog {
    Q_OBJECT
public:
    FormWindow(AppState& state, FormDeclaration declaration, FormWindowSpec spec,
               QWidget* parent = nullptr);
    ~FormWindow() override;

    // Runs the form on the program's request: starts the engine, shows the window modally when
    // the request needs it, and leaves. Returns the response (also left in the program state).
    static Response run(AppState& state, FormDeclaration declaration, FormWindowSpec spec,
                        QWidget* parent);

    FormEngine& engine() { return *engine_; }
    QLineEdit* entry(int index) const { return entries_[static_cast<size_t>(index)].edit; }

    void accept() override;
    void reject() override;
    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Entry {
        QLineEdit* edit = nullptr;
        std::optional<Picture> picture;
        std::string field;
    };

    void build();
    void display();
    void store(int index);
    void storeAll();
    void focusControl(int index);
    void dittoFocused();

    AppState& state_;
    FormWindowSpec spec_;
    std::unique_ptr<FormEngine> engine_;
    std::vector<Entry> entries_;
    QPushButton* ok_ = nullptr;
    QPushButton* cancel_ = nullptr;
    QPushButton* ditto_ = nullptr;
    ControlResizer* resizer_ = nullptr;
    QSize designPixels_;
    int lastEntry_ = 0;
    bool opened_ = false;
    bool left_ = false;
};

}  // namespace cdz
