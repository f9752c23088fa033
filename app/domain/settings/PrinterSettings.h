#pragma once
// The printer set-up the user chose in File > Print Setup, kept in section "Printer" of the
// settings file so that the reports print the same way in the next run: the printer (or a PDF
// file), the paper, the orientation, the copy count and collation. Reading back never fails: a
// printer this machine no longer has, or a value edited out of shape, leaves that part as a
// fresh printer has it, and the next set-up replaces it.
#include <string_view>

class QPrinter;

namespace cdz {

class IniFile;

class PrinterSettings {
public:
    static constexpr std::string_view kSection = "Printer";
    // Values of the "Output" key.
    static constexpr std::string_view kToPrinter = "Printer";
    static constexpr std::string_view kToPdf = "PDF";
    // The most copies the set-up dialog lets the user ask for.
    static constexpr int kMostCopies = 999;

    // Writes the printer's set-up; false when the file could not be written (the file's
    // write-failure handler has then been told), the keys before the failed one being written.
    static bool write(const QPrinter& printer, IniFile& ini);
    // Applies the kept set-up to the printer.
    static void read(const IniFile& ini, QPrinter& printer);
};

}  // namespace cdz
