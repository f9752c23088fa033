#include "app/reports/ReportCriteriaWindow.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/engine/state/AppState.h"
#include "app/engine/window/WindowPlacement.h"
#include "runtime/text/Text.h"

namespace cdz {
namespace {

enum Choice { kFirst = 0, kSecond = 1 };
constexpr int kSelectionWidth = 30;

QGroupBox* optionGroup(const QString& title, const char* name, QButtonGroup*& group,
                       const QString& first, const QString& second, QWidget* parent) {
    auto* box = new QGroupBox(title, parent);
    box->setObjectName(name);
    group = new QButtonGroup(box);
    auto* row = new QHBoxLayout(box);
    int id = kFirst;
    for (const QString& caption : {first, second}) {
        auto* b = new QRadioButton(caption, box);
        b->setObjectName(QString(name) + caption);
        group->addButton(b, id++);
        row->addWidget(b);
    }
    return box;
}

QString qs(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

}  // namespace

ReportCriteriaWindow::ReportCriteriaWindow(const ReportCriteria& start, const std::string& noun,
                                           QWidget* parent)
    : QDialog(parent) {
    setObjectName(kProcedure);
    setWindowTitle("Report Criteria");
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(optionGroup("Report &Style", "Style", style_, "Standard", "Brief", this));
    preview_ = new QCheckBox("Preview", this);
    preview_->setObjectName("Preview");
    customFont_ = new QCheckBox("Use Custom Font", this);
    customFont_->setObjectName("CustomFont");
    layout->addWidget(preview_);
    layout->addWidget(customFont_);
    layout->addWidget(optionGroup("&Include", "Include", include_, "All", "Selected", this));
    prompt_ = new QLabel(qs("Select " + noun + " that start with:"), this);
    prompt_->setObjectName("SelectionPrompt");
    selection_ = new QLineEdit(this);
    selection_->setObjectName("Selection");
    selection_->setMaxLength(kSelectionWidth);
    prompt_->setBuddy(selection_);
    layout->addWidget(prompt_);
    layout->addWidget(selection_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName("OkButton");
    buttons->button(QDialogButtonBox::Cancel)->setObjectName("CancelButton");
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);

    // The reports ask only whether the style is "Brief": anything else is the full report.
    style_->button(start.brief() ? kSecond : kFirst)->setChecked(true);
    preview_->setChecked(start.preview);
    customFont_->setChecked(start.customFont);
    include_->button(start.selectedOnly() ? kSecond : kFirst)->setChecked(true);
    selection_->setText(qs(clip(start.selection)));
    connect(include_, &QButtonGroup::idClicked, this, [this] { includeChanged(); });
    includeChanged();
}

void ReportCriteriaWindow::includeChanged() {
    selection_->setEnabled(include_->checkedId() == kSecond);
}

ReportCriteria ReportCriteriaWindow::answers() const {
    ReportCriteria a;
    a.style = style_->checkedId() == kSecond ? "Brief" : "Standard";
    a.preview = preview_->isChecked();
    a.customFont = customFont_->isChecked();
    a.selectedOrAll = include_->checkedId() == kSecond ? "Selected" : "All";
    a.selection = std::string(cutChars(selection_->text().toStdString(), kSelectionWidth));
    return a;
}

std::optional<ReportCriteria> ReportCriteriaWindow::ask(AppState& state, const std::string& noun,
                                                        QWidget* parent) {
    ReportCriteriaWindow w(state.reportCriteria, noun, parent);
    WindowPlacement::restore(w, state.settingsFile(), kProcedure);
    const int result = w.exec();
    WindowPlacement::save(w, state.settingsFile(), kProcedure);
    if (result != QDialog::Accepted) return std::nullopt;
    state.reportCriteria = w.answers();
    return state.reportCriteria;
}

}  // namespace cdz
