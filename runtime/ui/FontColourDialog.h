#pragma once
// The font dialog with a colour: Qt's font dialog has no colour of its own, yet a chosen font
// carries one, so this puts Qt's font panel and a colour button in one dialog.
#include <QColor>
#include <QDialog>
#include <QFont>

class QFontDialog;
class QPushButton;

namespace cdz {

class FontColourDialog final : public QDialog {
public:
    FontColourDialog(QWidget* parent, const QString& title, const QFont& font,
                     const QColor& colour);

    QFont selectedFont() const;
    // Invalid while no colour was ever given or picked.
    QColor selectedColour() const { return colour_; }
    void setSelectedColour(const QColor& colour);

private:
    void pickColour();

    QFontDialog* fonts_;
    QPushButton* colourButton_;
    QColor colour_;
};

}  // namespace cdz
