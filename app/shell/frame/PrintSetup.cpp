#include "app/shell/frame/PrintSetup.h"

#include <QDialogButtonBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>

#include "app/domain/settings/PrinterSettings.h"

namespace cdz {

QDialog* PrintSetup::open(QPrinter& printer, IniFile& settings, QWidget* parent) {
    auto* dialog = new QPrintDialog(&printer, parent);
    dialog->setObjectName("PrintSetupDialog");
    dialog->setWindowTitle("Print Setup");
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    // A report can always go to a PDF file, also on a machine without any printer.
    dialog->setOption(QAbstractPrintDialog::PrintToFile, true);
    // Setting up chooses printer, paper and orientation; what to print is asked by each report.
    dialog->setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog->setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog->setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    // Nothing is printed from here, so the confirming button must not promise it.
    if (auto* box = dialog->findChild<QDialogButtonBox*>())
        if (QPushButton* ok = box->button(QDialogButtonBox::Ok)) ok->setText("OK");
    // The dialog has set the printer up by the time it reports acceptance. A failed write has
    // been told to the user by the settings file's watcher; the choice still holds for this run.
    QObject::connect(dialog, &QDialog::accepted, dialog,
                     [&printer, &settings] { PrinterSettings::write(printer, settings); });
    dialog->open();
    return dialog;
}

}  // namespace cdz
