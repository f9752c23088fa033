#include "app/songs/engine/FormWindow.h"

#include <QApplication>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "app/core/AppState.h"
#include "app/core/frame/AppIcons.h"
#include "app/core/frame/WindowPlacement.h"
#include "app/songs/engine/ControlResizer.h"
#include "app/songs/engine/DatePictures.h"
#include "app/songs/engine/DialogUnits.h"

namespace cdz {

FormWindow::FormWindow(AppState& state, FormDeclaration declaration, FormWindowSpec spec,
                       QWidget* parent)
    : QDialog(parent), state_(state), spec_(std::move(spec)) {
    setObjectName(QString::fromStdString(declaration.section));
    FormHost host;
    host.redisplay = [this] { display(); };
    host.focus = [this](int control) { focusControl(control); };
    host.busy = [](bool on) {
        if (on) {
            QApplication::setOverrideCursor(Qt::WaitCursor);
        } else {
            QApplication::restoreOverrideCursor();
        }
    };
    engine_ = std::make_unique<FormEngine>(state_, std::move(declaration), std::move(host));
    std::vector<FieldCheck> checks;
    for (const FormEntry& e : spec_.entries) checks.push_back(e.check);
    engine_->setChecks(std::move(checks));
    build();
}

FormWindow::~FormWindow() = default;

void FormWindow::build() {
    setWindowTitle(spec_.designTitle);
    setWindowIcon(AppIcons::icon("WINPYR.ICO"));
    const QFontMetrics fm(font());
    auto px = [&](const QRect& du) {
        return QRect(dialogUnitsToPixelsX(du.x(), fm.averageCharWidth()),
                     dialogUnitsToPixelsY(du.y(), fm.height()),
                     dialogUnitsToPixelsX(du.width(), fm.averageCharWidth()),
                     dialogUnitsToPixelsY(du.height(), fm.height()));
    };
    designPixels_ = px(QRect(QPoint(0, 0), spec_.designSize)).size();
    const std::string dates = datePictureSetting(state_.settings().dateFormat);
    for (size_t i = 0; i < spec_.entries.size(); ++i) {
        const FormEntry& e = spec_.entries[i];
        auto* prompt = new QLabel(e.prompt, this);
        prompt->setGeometry(px(e.promptPlace));
        Entry entry;
        entry.field = e.field;
        entry.picture =
            Picture::parse(dates.empty() ? e.picture : replaceDatePicture(e.picture, dates));
        entry.edit = new QLineEdit(this);
        entry.edit->setObjectName(QString::fromStdString(e.field));
        entry.edit->setGeometry(px(e.entryPlace));
        if (entry.picture && entry.picture->kind() == 'S') {
            entry.edit->setMaxLength(entry.picture->width());
        }
        prompt->setBuddy(entry.edit);
        entry.edit->installEventFilter(this);
        const int index = static_cast<int>(i);
        connect(entry.edit, &QLineEdit::editingFinished, this, [this, index] {
            QLineEdit* edit = entries_[static_cast<size_t>(index)].edit;
            if (!edit->isModified()) return;
            store(index);
            engine_->validate(index);
        });
        entries_.push_back(std::move(entry));
    }
    ok_ = new QPushButton(spec_.okCaption, this);
    ok_->setObjectName("OkButton");
    ok_->setToolTip(spec_.okTip);
    ok_->setDefault(true);
    ok_->setGeometry(px(spec_.okPlace));
    cancel_ = new QPushButton(spec_.cancelCaption, this);
    cancel_->setObjectName("CancelButton");
    cancel_->setToolTip(spec_.cancelTip);
    cancel_->setAutoDefault(false);
    cancel_->setGeometry(px(spec_.cancelPlace));
    connect(ok_, &QPushButton::clicked, this, &FormWindow::accept);
    connect(cancel_, &QPushButton::clicked, this, &FormWindow::reject);
    if (!spec_.dittoKey.isEmpty()) {
        // Hidden, but still a control that can be pressed (the key's twin).
        ditto_ = new QPushButton("Ditto", this);
        ditto_->setObjectName("DittoButton");
        ditto_->setAutoDefault(false);
        ditto_->setFocusPolicy(Qt::NoFocus);
        ditto_->hide();
        connect(ditto_, &QPushButton::clicked, this, &FormWindow::dittoFocused);
    }
    resize(designPixels_);
    if (spec_.minimumIsDesign) setMinimumSize(designPixels_);
    resizer_ = new ControlResizer(*this);
    resizer_->recordControls(ResizeMode::Form);
}

Response FormWindow::run(AppState& state, FormDeclaration declaration, FormWindowSpec spec,
                         QWidget* parent) {
    FormWindow window(state, std::move(declaration), std::move(spec), parent);
    if (window.engine().start()) {
        if (auto title = window.engine().title()) {
            window.setWindowTitle(QString::fromStdString(*title));
        }
        window.display();
        window.exec();
    }
    return window.engine().finish();
}

void FormWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (opened_) return;
    opened_ = true;
    WindowPlacement::restore(*this, state_.settingsFile(), objectName().toStdString());
    resizer_->resizeControls();
    display();
    focusControl(0);
}

void FormWindow::display() {
    const FileDecl& fd = engine_->file().decl();
    const void* record = engine_->file().record();
    for (Entry& e : entries_) {
        const FieldDesc* f = fd.column(e.field);
        if (!f) continue;
        const std::string value = f->toString(record);
        e.edit->setText(QString::fromStdString(e.picture ? e.picture->format(value) : value));
        e.edit->setModified(false);
    }
}

void FormWindow::store(int index) {
    Entry& e = entries_[static_cast<size_t>(index)];
    const FieldDesc* f = engine_->file().decl().column(e.field);
    if (!f) return;
    const std::string shown = e.edit->text().toStdString();
    f->fromString(engine_->file().record(), e.picture ? e.picture->deformat(shown) : shown);
    e.edit->setModified(false);
}

void FormWindow::storeAll() {
    for (int i = 0; i < static_cast<int>(entries_.size()); ++i) store(i);
}

void FormWindow::focusControl(int index) {
    if (index < 0 || index >= static_cast<int>(entries_.size())) return;
    QLineEdit* edit = entries_[static_cast<size_t>(index)].edit;
    edit->setFocus();
    edit->selectAll();
}

// The focused entry (or the last one that had the focus) gets the history record's value.
void FormWindow::dittoFocused() {
    for (int i = 0; i < static_cast<int>(entries_.size()); ++i) {
        if (entries_[static_cast<size_t>(i)].edit->hasFocus()) lastEntry_ = i;
    }
    if (entries_.empty()) return;
    storeAll();
    engine_->ditto(entries_[static_cast<size_t>(lastEntry_)].field);
}

// The Ditto key is alerted on the entries themselves.
bool FormWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && !spec_.dittoKey.isEmpty() &&
        static_cast<QKeyEvent*>(event)->keyCombination() == spec_.dittoKey[0]) {
        for (int i = 0; i < static_cast<int>(entries_.size()); ++i) {
            if (entries_[static_cast<size_t>(i)].edit == watched) lastEntry_ = i;
        }
        dittoFocused();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void FormWindow::accept() {
    storeAll();
    if (engine_->ok()) QDialog::accept();
}

void FormWindow::reject() {
    engine_->cancel();
    QDialog::reject();
}

void FormWindow::done(int result) {
    if (!left_) {
        left_ = true;
        WindowPlacement::save(*this, state_.settingsFile(), objectName().toStdString());
    }
    QDialog::done(result);
}

}  // namespace cdz
