#include "app/core/frame/PrintSetup.h"

#include <QDialogButtonBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>

namespace cdz {

QDialog* PrintSetup::open(QPrinter& printer, QWidget* parent) {
    auto* dialog = new QPrintDialog(&printer, parent);
    dialog->setObjectName("PrintSetupDialog");
    dialog->setWindowTitle("Print Setup");
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    // Setting up chooses printer, paper and orientation; what to print is asked by each report.
    dialog->setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog->setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog->setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    // Nothing is printed from here, so the confirming button must not promise it.
    if (auto* box = dialog->findChild<QDialogButtonBox*>())
        if (QPushButton* ok = box->button(QDialogButtonBox::Ok)) ok->setText("OK");
    dialog->open();
    return dialog;
}

}  // namespace cdz
