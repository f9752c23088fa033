#include "app/songs/csv/PictureDialog.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>

#include "runtime/ui/Dialogs.h"

namespace cdz {

PictureDialog::PictureDialog(Dialogs& dialogs, const std::string& picture, QWidget* parent)
    : QDialog(parent), dialogs_(dialogs) {
    setObjectName("PictureDialog");
    setWindowTitle("Enter Picture...");
    setFont(QFont("Arial"));
    auto* form = new QFormLayout(this);
    entry_ = new QLineEdit(QString::fromStdString(picture), this);
    entry_->setObjectName("PictureEntry");
    entry_->setMaxLength(30);
    form->addRow("Picture:", entry_);
    auto* row = new QHBoxLayout;
    auto* ok = new QPushButton("&OK", this);
    ok->setObjectName("OkButton");
    ok->setDefault(true);
    auto* cancel = new QPushButton("&Cancel", this);
    cancel->setObjectName("CancelButton");
    row->addStretch();
    row->addWidget(ok);
    row->addWidget(cancel);
    form->addRow(row);
    connect(ok, &QPushButton::clicked, this, &PictureDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &PictureDialog::reject);
}

std::string PictureDialog::picture() const {
    return entry_->text().trimmed().toStdString();
}

void PictureDialog::accept() {
    if (!picture().starts_with('@')) {
        dialogs_.message("Invalid Picture!", "Pictures must begin with \"@\"", MessageIcon::Warning,
                         Button::Ok, Button::Ok);
        entry_->setFocus();
        return;
    }
    QDialog::accept();
}

std::string PictureDialog::ask(Dialogs& dialogs, const std::string& picture, QWidget* parent) {
    PictureDialog dialog(dialogs, picture, parent);
    return dialog.exec() == QDialog::Accepted ? dialog.picture() : std::string();
}

}  // namespace cdz
