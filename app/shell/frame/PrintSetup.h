#pragma once
// File > "&Print Setup ...": the platform's printer set-up dialog over the printer the reports
// print on, offering a PDF file beside the printers. When the user confirms, the choice is kept
// in that printer and in the settings file for the next run; Cancel keeps nothing.
class QDialog;
class QPrinter;
class QWidget;

namespace cdz {

class IniFile;

class PrintSetup {
public:
    // Opens the dialog over parent and returns at once; the dialog deletes itself when closed.
    // `printer` and `settings` must outlive it.
    static QDialog* open(QPrinter& printer, IniFile& settings, QWidget* parent);
};

}  // namespace cdz
