// Process entry of cdzapp.
#include <QApplication>

#include "app/core/MainFrame.h"
#include "app/core/QueryWizardTexts.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Orvanta 98");

    cdz::setQueryWizardTexts();

    cdz::MainFrame frame;
    frame.show();
    return QApplication::exec();
}
