#pragma once
// The label printouts of the label browse's Print button: the label the browse highlighted,
// read fresh from the labels file by its number, previewed or printed as the user answers the
// question every report asks. The label's own kind picks the CD or the cassette printout.
class QWidget;

namespace cdz {

class AppState;
struct LabelSheetResult;

class LabelPrintSession {
public:
    static constexpr const char* kNoLabel = "There is no label to print: highlight one first.";
    static constexpr const char* kNoticeTitle = "Label";

    // Runs the printout for the label in the catalogue's label buffer; no window outlives it.
    static QWidget* start(AppState& state, QWidget* frame);
    // Tells the notices, then shows the page in the report preview, whose Print prints it; or
    // prints it at once when `preview` is false. `title` names the print job.
    static void output(AppState& state, const LabelSheetResult& sheet, const char* title,
                       bool preview, QWidget* parent);
};

}  // namespace cdz
