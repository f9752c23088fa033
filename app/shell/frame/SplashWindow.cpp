#include "app/shell/frame/SplashWindow.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

#include "app/engine/state/AppState.h"
#include "app/engine/state/ProcedureNames.h"
#include "app/engine/window/AppIcons.h"
#include "app/engine/window/WindowPlacement.h"

namespace cdz {

std::vector<StartupBrowse> startupBrowses(const Settings& s) {
    std::vector<StartupBrowse> out;
    if (s.suSongs != 0) out.push_back(StartupBrowse::Songs);
    if (s.suAlbums != 0) out.push_back(StartupBrowse::Albums);
    if (s.suPlaylists != 0) out.push_back(StartupBrowse::PlayLists);
    if (s.suLabels != 0) out.push_back(StartupBrowse::Labels);
    return out;
}

namespace {

QLabel* picture(QWidget* parent, const char* icon, const char* name) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setPixmap(AppIcons::icon(icon).pixmap(72, 72));
    label->setAlignment(Qt::AlignCenter);
    return label;
}

}  // namespace

SplashWindow::SplashWindow(AppState& state, Commands commands, QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint),
      state_(state),
      commands_(std::move(commands)) {
    setObjectName(proc::kSplash);
    setWindowTitle("Orvanta 98");
    setFixedSize(440, 230);
    setCursor(Qt::PointingHandCursor);

    auto* title = new QLabel("Orvanta 98", this);
    title->setObjectName("splashTitle");
    QFont big = title->font();
    big.setPointSizeF(big.pointSizeF() * 2.6);
    big.setBold(true);
    title->setFont(big);
    auto* version = new QLabel("Version " CDZ_PROGRAM_VERSION, this);
    version->setObjectName("splashVersion");
    QFont mid = version->font();
    mid.setPointSizeF(mid.pointSizeF() * 1.3);
    version->setFont(mid);
    for (QLabel* l : {title, version}) {
        l->setAlignment(Qt::AlignCenter);
        l->setStyleSheet("color: white; background: transparent;");
    }

    auto* words = new QVBoxLayout;
    words->addStretch();
    words->addWidget(title);
    words->addWidget(version);
    words->addStretch();
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(24, 16, 24, 16);
    row->addWidget(picture(this, "SPEAKER1.ICO", "splashSpeaker"));
    row->addLayout(words, 1);
    row->addWidget(picture(this, "HEAD2.ICO", "splashHeadphones"));

    QTimer::singleShot(kShowMs, this, &QWidget::close);
}

void SplashWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (placed_) return;
    placed_ = true;
    // Over the frame (or the screen) unless it has a place of its own.
    const QWidget* over = parentWidget() ? parentWidget()->window() : nullptr;
    const QRect room = over && over->isVisible() ? over->frameGeometry()
                       : screen()                ? screen()->availableGeometry()
                                                 : QRect();
    if (room.isValid()) move(room.center() - rect().center());
    WindowPlacement::restore(*this, state_.settingsFile(), proc::kSplash);
}

void SplashWindow::mousePressEvent(QMouseEvent*) {
    close();
}

void SplashWindow::closeEvent(QCloseEvent* event) {
    event->accept();
    if (closed_) return;
    closed_ = true;
    WindowPlacement::save(*this, state_.settingsFile(), proc::kSplash);
    postStartupBrowses(state_.settings(), commands_);
}

void SplashWindow::postStartupBrowses(const Settings& settings, const Commands& commands) {
    for (StartupBrowse b : startupBrowses(settings)) {
        const QPointer<QAction>& command = commandFor(commands, b);
        // Posted, as if the user chose it once the splash is out of the way.
        if (command) QMetaObject::invokeMethod(command, &QAction::trigger, Qt::QueuedConnection);
    }
}

const QPointer<QAction>& SplashWindow::commandFor(const Commands& commands, StartupBrowse browse) {
    switch (browse) {
        case StartupBrowse::Songs:
            return commands.songs;
        case StartupBrowse::Albums:
            return commands.albums;
        case StartupBrowse::PlayLists:
            return commands.playLists;
        case StartupBrowse::Labels:
            break;
    }
    return commands.labels;
}

void SplashWindow::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient fill(0, 0, 0, height());
    fill.setColorAt(0, QColor("#3d7cc0"));
    fill.setColorAt(1, QColor("#17375e"));
    p.fillRect(rect(), fill);
    p.setPen(QPen(QColor("#f2c14e"), 3));
    p.drawRect(rect().adjusted(1, 1, -2, -2));
    p.setPen(QPen(QColor(255, 255, 255, 60), 1));
    p.drawRect(rect().adjusted(6, 6, -7, -7));
}

}  // namespace cdz
