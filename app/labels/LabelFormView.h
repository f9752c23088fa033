#pragma once
// What the label form shows beyond its fields, refreshed each time the form shows the label
// buffer: the controls of the label's kind (CD or cassette) with the others hidden (their
// contents stay in the record); the picture, shown only while the label names one; the width
// and height only for an "Other" picture size; each panel's font description; and each text
// control drawn in the font its panel prints in, with a note when a typeface this machine lacks
// is shown in the nearest one.
#include <QFont>
#include <QPointer>
#include <QString>

#include <cstdint>
#include <map>
#include <string>
#include <vector>

class QLabel;
class QWidget;

namespace cdz {

class AppState;
class FormWindow;
struct FontRecord;

class LabelFormView {
public:
    // The form's pages, in order.
    enum Page { General, FrontCover, BackCover, Position, SideA, SideB };

    // One panel of a label: the field naming its font, the text fields drawn in it, and
    // whether CD labels (else cassette labels) have it.
    struct Panel {
        const char* fontField;
        std::vector<const char*> texts;
        bool cd;
    };
    static const std::vector<Panel>& panels();

    // Object names of the controls a panel's font field has on the form.
    static QString buttonName(const char* fontField);
    static QString descriptionName(const char* fontField);

    explicit LabelFormView(AppState& state) : state_(state) {}

    // Once the form exists: its pages and controls are found by name from here on.
    void attach(FormWindow* form) { form_ = form; }
    // Shows the label in the buffer as described above (the form's "before display").
    void refresh();

    // The favourite font `id` names; nullptr for 0, a number not in the file, or a failed read.
    const FontRecord* fontOf(int32_t id, FontRecord* found) const;

private:
    void showKind(bool cd);
    void show(const QString& name, bool shown);
    void showPicture();
    bool showFonts(bool cd);

    AppState& state_;
    QPointer<FormWindow> form_;
    std::map<QWidget*, QFont> designed_;  // each text control's own font
    QString pictureShown_;
};

}  // namespace cdz
