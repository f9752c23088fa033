#include "app/shell/frame/AboutWindow.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/engine/state/ProcedureNames.h"
#include "app/engine/window/AppIcons.h"
#include "app/shell/frame/CompileInfoWindow.h"

namespace cdz {

AboutWindow::AboutWindow(AppState& state, QWidget* parent)
    : QDialog(parent), state_(state), picture_(new QToolButton(this)) {
    setObjectName(proc::kAbout);
    setWindowTitle("About Orvanta 98");
    setWindowIcon(AppIcons::icon("WINPYR.ICO"));

    picture_->setObjectName("aboutPicture");
    picture_->setIcon(AppIcons::icon("WINPYR.ICO"));
    picture_->setIconSize(QSize(64, 64));
    picture_->setAutoRaise(true);
    picture_->setToolTip("Compile information");
    connect(picture_, &QToolButton::clicked, this, &AboutWindow::showCompileInformation);

    auto* product = new QLabel(
        "<b style='font-size:15pt'>Orvanta 98</b><br>"
        "Music collection catalogue",
        this);
    product->setObjectName("aboutProduct");
    auto* version = new QLabel("v" CDZ_PROGRAM_VERSION, this);
    version->setObjectName("aboutVersion");
    auto* maker = new QLabel(
        "Cadenzio Software<br>"
        "Web: <a href='https://www.cadenzio.example/'>www.cadenzio.example</a><br>"
        "E-mail: <a href='mailto:support@cadenzio.example'>support@cadenzio.example</a>",
        this);
    maker->setObjectName("aboutMaker");
    maker->setOpenExternalLinks(true);
    maker->setTextInteractionFlags(Qt::TextBrowserInteraction);

    auto* ok = new QPushButton("&OK", this);
    ok->setObjectName("aboutOk");
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* words = new QVBoxLayout;
    words->addWidget(product);
    words->addWidget(version);
    words->addSpacing(8);
    words->addWidget(maker);
    auto* top = new QHBoxLayout;
    top->addWidget(picture_, 0, Qt::AlignTop);
    top->addSpacing(12);
    top->addLayout(words, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addSpacing(10);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    setAttribute(Qt::WA_DeleteOnClose);
}

QDialog* AboutWindow::showCompileInformation() {
    if (auto* open = findChild<CompileInfoWindow*>()) {
        open->raise();
        open->activateWindow();
        return open;
    }
    auto* info = new CompileInfoWindow(state_, this);
    info->open();
    return info;
}

}  // namespace cdz
