#pragma once
// "Enter Picture...": asks for a column's picture, shared by the import and the export. A
// picture must begin with "@"; the dialog says so and keeps the entry until it does.
#include <QDialog>
#include <string>

class QLineEdit;

namespace cdz {

class Dialogs;

class PictureDialog final : public QDialog {
    Q_OBJECT
public:
    PictureDialog(Dialogs& dialogs, const std::string& picture, QWidget* parent = nullptr);

    // The new picture; blank when cancelled or closed.
    static std::string ask(Dialogs& dialogs, const std::string& picture, QWidget* parent);
    std::string picture() const;

    void accept() override;

private:
    Dialogs& dialogs_;
    QLineEdit* entry_ = nullptr;
};

}  // namespace cdz
