#include "app/albums/wizard/SelectAddType.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/engine/state/AppState.h"

namespace cdz {

namespace {
constexpr const char* kModes[] = {"Compilation", "Single Artist", "Normal"};
}

SelectAddType::SelectAddType(AppState& state, QWidget* parent) : QDialog(parent), state_(state) {
    setObjectName("SelectAddType");
    setWindowTitle("Select Add Mode");
    auto* group = new QGroupBox("Mode", this);
    auto* options = new QVBoxLayout(group);
    modes_ = new QButtonGroup(this);
    int id = 0;
    for (const char* mode : kModes) {
        auto* option = new QRadioButton(mode, group);
        option->setObjectName(QString(mode).remove(' ') + "Option");
        modes_->addButton(option, id++);
        options->addWidget(option);
    }
    modes_->button(0)->setChecked(true);
    auto* ok = new QPushButton("&Ok", this);
    ok->setObjectName("OkButton");
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addWidget(ok, 0, Qt::AlignRight);
}

void SelectAddType::done(int result) {
    const int chosen = modes_->checkedId();
    state_.answerWith(kModes[chosen < 0 ? 0 : chosen]);
    QDialog::done(result);
}

void SelectAddType::ask(AppState& state, QWidget* parent) {
    SelectAddType question(state, parent);
    question.exec();
}

}  // namespace cdz
