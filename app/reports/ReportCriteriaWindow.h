#pragma once
// "Report Criteria": the question a song report asks before it prints (style, preview, custom
// font, all songs or those whose order field starts with a text). It opens on the program's
// last answers; OK keeps the answers as the new last ones and hands the report its own copy,
// Cancel changes nothing.
#include <QDialog>

#include <optional>
#include <string>

#include "app/engine/state/ReportCriteria.h"

class QButtonGroup;
class QCheckBox;
class QLabel;
class QLineEdit;

namespace cdz {

class AppState;

class ReportCriteriaWindow : public QDialog {
    Q_OBJECT
public:
    static constexpr const char* kProcedure = "ReportCriteria";

    // The answers the report goes on with; nothing when the user cancelled. `noun` completes
    // the prompt "Select <noun> that start with:".
    static std::optional<ReportCriteria> ask(AppState& state, const std::string& noun,
                                             QWidget* parent);

    ReportCriteriaWindow(const ReportCriteria& start, const std::string& noun, QWidget* parent);
    ReportCriteria answers() const;

private:
    // The entry takes a text only while "Selected" is chosen.
    void includeChanged();

    QButtonGroup* style_ = nullptr;
    QCheckBox* preview_ = nullptr;
    QCheckBox* customFont_ = nullptr;
    QButtonGroup* include_ = nullptr;
    QLabel* prompt_ = nullptr;
    QLineEdit* selection_ = nullptr;
};

}  // namespace cdz
