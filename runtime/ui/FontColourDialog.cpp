#include "runtime/ui/FontColourDialog.h"

#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFontDialog>
#include <QHBoxLayout>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

namespace cdz {

FontColourDialog::FontColourDialog(QWidget* parent, const QString& title, const QFont& font,
                                   const QColor& colour)
    : QDialog(parent),
      fonts_(new QFontDialog(font, this)),
      colourButton_(new QPushButton(tr("&Colour..."), this)) {
    setWindowTitle(title);
    setObjectName("FontColourDialog");
    // Qt's panel lives inside this dialog; its own Enter and Escape end this one.
    fonts_->setOptions(QFontDialog::NoButtons | QFontDialog::DontUseNativeDialog);
    fonts_->setWindowFlags(Qt::Widget);
    fonts_->setCurrentFont(font);
    connect(fonts_, &QDialog::accepted, this, &QDialog::accept);
    connect(fonts_, &QDialog::rejected, this, &QDialog::reject);

    colourButton_->setObjectName("colourButton");
    connect(colourButton_, &QPushButton::clicked, this, [this] { pickColour(); });
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(colourButton_);
    bottom->addStretch();
    bottom->addWidget(buttons);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(fonts_);
    layout->addLayout(bottom);
    setSelectedColour(colour);
}

QFont FontColourDialog::selectedFont() const {
    return fonts_->currentFont();
}

void FontColourDialog::setSelectedColour(const QColor& colour) {
    colour_ = colour;
    QPixmap swatch(16, 16);
    swatch.fill(colour.isValid() ? colour : QColor(Qt::black));
    colourButton_->setIcon(QIcon(swatch));
}

void FontColourDialog::pickColour() {
    const QColor picked =
        QColorDialog::getColor(colour_.isValid() ? colour_ : QColor(Qt::black), this, tr("Colour"));
    if (picked.isValid()) setSelectedColour(picked);
}

}  // namespace cdz
