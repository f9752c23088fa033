#include "app/shell/frame/CompileInfoWindow.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <string>

#include "app/engine/state/AppState.h"
#include "app/engine/state/ProcedureNames.h"
#include "app/engine/window/WindowPlacement.h"
#include "app/shell/frame/BuildStamp.h"
#include "runtime/text/Picture.h"

namespace cdz {

namespace {

QLabel* value(QWidget* parent, const char* name, const std::string& text) {
    auto* label = new QLabel(QString::fromStdString(text), parent);
    label->setObjectName(name);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

std::string shown(const char* picture, std::int32_t stored) {
    return stored == 0 ? std::string() : formatPicture(picture, std::to_string(stored));
}

}  // namespace

CompileInfoWindow::CompileInfoWindow(AppState& state, QWidget* parent)
    : CompileInfoWindow(state, BuildStamp::current(), parent) {}

CompileInfoWindow::CompileInfoWindow(AppState& state, const BuildStamp& stamp, QWidget* parent)
    : QDialog(parent), state_(state) {
    setObjectName(proc::kCompileDate);
    setWindowTitle("Compile Information");
    setAttribute(Qt::WA_DeleteOnClose);

    auto* form = new QFormLayout;
    form->addRow(value(this, "compileTag", formatPicture("s8", state.applicationTag())));
    form->addRow("Creation Date:",
                 value(this, "compileCreatedDate", shown("d3", stamp.createdDate)));
    form->addRow("Creation Time:",
                 value(this, "compileCreatedTime", shown("t3", stamp.createdTime)));
    form->addRow("Change Date:", value(this, "compileChangedDate", shown("d3", stamp.changedDate)));
    form->addRow("Change Time:", value(this, "compileChangedTime", shown("t3", stamp.changedTime)));
    form->addRow(value(this, "compileWordSize", BuildStamp::wordSize()));

    auto* close = new QPushButton("Cl&ose", this);
    close->setObjectName("compileClose");
    close->setDefault(true);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void CompileInfoWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (placed_) return;
    placed_ = true;
    WindowPlacement::restore(*this, state_.settingsFile(), proc::kCompileDate);
}

void CompileInfoWindow::done(int result) {
    if (isVisible()) WindowPlacement::save(*this, state_.settingsFile(), proc::kCompileDate);
    QDialog::done(result);
}

}  // namespace cdz
