#pragma once
// File > "&Print Setup ...": the platform's printer set-up dialog over the printer the reports
// print on. The choice is kept in that printer when the user confirms it.
class QDialog;
class QPrinter;
class QWidget;

namespace cdz {

class PrintSetup {
public:
    // Opens the dialog over parent and returns at once; the dialog deletes itself when closed.
    static QDialog* open(QPrinter& printer, QWidget* parent);
};

}  // namespace cdz
