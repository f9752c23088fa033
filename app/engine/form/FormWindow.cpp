#include "app/engine/form/FormWindow.h"

#include "app/engine/form/FormBeside.h"

#include <QApplication>
#include <QButtonGroup>
#include <QComboBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>

#include <algorithm>
#include <cmath>
#include <limits>

#include "app/engine/columns/DatePictures.h"
#include "app/engine/resize/ControlResizer.h"
#include "app/engine/resize/DialogUnits.h"
#include "app/engine/state/AppState.h"
#include "app/engine/window/AppIcons.h"
#include "app/engine/window/PendingPress.h"
#include "app/engine/window/WindowPlacement.h"
#include "runtime/data/FieldLimits.h"
#include "runtime/text/DateTime.h"

namespace cdz {
namespace {

// The largest value a spin box offers: what its picture shows and its field holds.
// The picture's digits, so that all a person types shows ("300" stays 300 and the field's range
// check then refuses it, where a box stopping at 255 would have taken the "30" typed so far).
int spinMaximum(const std::optional<Picture>& picture, const FieldDesc& field) {
    if (picture && picture->kind() == 'N') {
        const int digits = std::clamp(picture->width(), 1, 9);
        return static_cast<int>(std::pow(10, digits)) - 1;
    }
    return static_cast<int>(
        std::min<long long>(limitsOf(field).hi, std::numeric_limits<int>::max()));
}

}  // namespace

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

std::pair<const FieldDesc*, void*> FormWindow::fieldOf(const std::string& label) const {
    Catalogue& c = state_.catalogue();
    const std::string prefix = label.substr(0, label.find(':'));
    for (const CatalogueFileInfo& info : catalogueFiles()) {
        DataFile& f = c.file(info.file);
        if (f.decl().prefix() != prefix) continue;
        if (const FieldDesc* d = f.decl().column(label)) return {d, f.record()};
    }
    return {nullptr, nullptr};
}

QWidget* FormWindow::makeControl(const FormEntry& e, QWidget* parent, Entry& entry) {
    const auto [field, record] = fieldOf(e.field);
    switch (e.type) {
        case FormEntry::Type::Entry: {
            entry.edit = new QLineEdit(parent);
            if (entry.picture && entry.picture->kind() == 'S') {
                entry.edit->setMaxLength(entry.picture->width());
            }
            return entry.edit;
        }
        case FormEntry::Type::Spin: {
            auto* spin = new QSpinBox(parent);
            spin->setRange(0, field ? spinMaximum(entry.picture, *field) : 999);
            return spin;
        }
        case FormEntry::Type::Combo: {
            auto* combo = new QComboBox(parent);
            combo->setEditable(true);
            combo->setInsertPolicy(QComboBox::NoInsert);
            entry.edit = combo->lineEdit();
            if (entry.picture && entry.picture->kind() == 'S') {
                entry.edit->setMaxLength(entry.picture->width());
            }
            return combo;
        }
        case FormEntry::Type::Options: {
            auto* box = new QGroupBox(e.prompt, parent);
            auto* group = new QButtonGroup(box);
            const int h = e.entryPlace.height() > 0 ? e.entryPlace.height() : 40;
            const int step = std::max<int>(1, static_cast<int>(e.options.size()));
            const QFontMetrics fm(font());
            for (size_t i = 0; i < e.options.size(); ++i) {
                auto* radio = new QRadioButton(e.options[i].first, box);
                radio->setObjectName(QString::fromStdString(e.field) + "Option" +
                                     QString::number(i + 1));
                radio->setGeometry(
                    dialogUnitsToPixelsX(4, fm.averageCharWidth()),
                    dialogUnitsToPixelsY(10 + static_cast<int>(i) * (h - 12) / step, fm.height()),
                    dialogUnitsToPixelsX(e.entryPlace.width() - 8, fm.averageCharWidth()),
                    dialogUnitsToPixelsY(10, fm.height()));
                group->addButton(radio, static_cast<int>(i));
                entry.values.push_back(e.options[i].second);
            }
            return box;
        }
        case FormEntry::Type::Text:
            return new QPlainTextEdit(parent);
    }
    return nullptr;
}

QRect FormWindow::pixels(const QRect& du) const {
    const QFontMetrics fm(font());
    return QRect(dialogUnitsToPixelsX(du.x(), fm.averageCharWidth()),
                 dialogUnitsToPixelsY(du.y(), fm.height()),
                 dialogUnitsToPixelsX(du.width(), fm.averageCharWidth()),
                 dialogUnitsToPixelsY(du.height(), fm.height()));
}

void FormWindow::build() {
    setWindowTitle(spec_.designTitle);
    setWindowIcon(AppIcons::icon("WINPYR.ICO"));
    designPixels_ = pixels(QRect(QPoint(0, 0), spec_.designSize)).size();
    makePages();
    const std::string dates = datePictureSetting(state_.settings().dateFormat);
    for (size_t i = 0; i < spec_.entries.size(); ++i) addEntry(i, dates);
    makeButtons();
    resize(designPixels_);
    if (spec_.minimumIsDesign) setMinimumSize(designPixels_);
    resizer_ = new ControlResizer(*this);
    resizer_->recordControls(ResizeMode::Form);
}

void FormWindow::makePages() {
    if (spec_.tabs.empty()) return;
    sheet_ = new QTabWidget(this);
    sheet_->setObjectName("Sheet");
    sheet_->setGeometry(pixels(spec_.sheetPlace));
    for (const QString& t : spec_.tabs) {
        auto* page = new QWidget;
        sheet_->addTab(page, t);
        pages_.push_back(page);
    }
    // Moving between pages shows the buffers as they are now.
    connect(sheet_, &QTabWidget::currentChanged, this, [this] { display(); });
}

QWidget* FormWindow::pageOf(int tab) {
    return tab >= 0 && tab < static_cast<int>(pages_.size()) ? pages_[static_cast<size_t>(tab)]
                                                             : this;
}

// Entry `i` of the spec: its control and prompt on its page, and what accepts its value.
void FormWindow::addEntry(size_t i, const std::string& dates) {
    const FormEntry& e = spec_.entries[i];
    QWidget* parent = pageOf(e.tab);
    Entry entry;
    entry.type = e.type;
    entry.field = e.field;
    entry.items = e.items;
    entry.picture =
        Picture::parse(dates.empty() ? e.picture : replaceDatePicture(e.picture, dates));
    QWidget* control = makeControl(e, parent, entry);
    entry.widget = control;
    control->setObjectName(QString::fromStdString(e.field));
    control->setGeometry(pixels(e.entryPlace));
    control->setToolTip(e.tip);
    if (e.type != FormEntry::Type::Options && !e.prompt.isEmpty()) {
        auto* prompt = new QLabel(e.prompt, parent);
        prompt->setGeometry(pixels(e.promptPlace));
        prompt->setBuddy(control);
    }
    if (entry.edit) entry.edit->installEventFilter(this);
    const int index = static_cast<int>(i);
    switch (e.type) {
        case FormEntry::Type::Entry:
        case FormEntry::Type::Combo:
            connect(entry.edit, &QLineEdit::editingFinished, this, [this, index] {
                if (entries_[static_cast<size_t>(index)].edit->isModified()) accepted(index);
            });
            if (auto* combo = qobject_cast<QComboBox*>(control)) {
                connect(combo, &QComboBox::activated, this, [this, index] { accepted(index); });
            }
            break;
        case FormEntry::Type::Spin:
            connect(static_cast<QSpinBox*>(control), &QSpinBox::editingFinished, this,
                    [this, index] { accepted(index); });
            break;
        case FormEntry::Type::Options:
            for (QRadioButton* r : control->findChildren<QRadioButton*>()) {
                connect(r, &QRadioButton::clicked, this, [this, index] { accepted(index); });
            }
            break;
        case FormEntry::Type::Text:
            break;
    }
    entries_.push_back(std::move(entry));
}

// OK, Cancel, the spec's panels and buttons, and the hidden Ditto.
void FormWindow::makeButtons() {
    ok_ = new QPushButton(spec_.okCaption, this);
    ok_->setObjectName("OkButton");
    ok_->setToolTip(spec_.okTip);
    ok_->setDefault(true);
    ok_->setGeometry(pixels(spec_.okPlace));
    cancel_ = new QPushButton(spec_.cancelCaption, this);
    cancel_->setObjectName("CancelButton");
    cancel_->setToolTip(spec_.cancelTip);
    cancel_->setAutoDefault(false);
    cancel_->setGeometry(pixels(spec_.cancelPlace));
    connect(ok_, &QPushButton::clicked, this, &FormWindow::accept);
    connect(cancel_, &QPushButton::clicked, this, &FormWindow::reject);
    for (const FormPanel& panel : spec_.panels) {
        if (QWidget* made = panel.make ? panel.make(pageOf(panel.tab)) : nullptr) {
            made->setGeometry(pixels(panel.place));
            panels_.emplace_back(made);
        }
    }
    for (const FormButton& b : spec_.buttons) {
        auto* button = new QPushButton(b.caption, this);
        button->setToolTip(b.tip);
        button->setAutoDefault(false);
        button->setGeometry(pixels(b.place));
        connect(button, &QPushButton::clicked, this,
                [this, pressed = b.pressed] { act(pressed ? pressed : [] {}); });
    }
    if (!spec_.dittoKey.isEmpty()) {
        // Hidden, but still a control that can be pressed (the key's twin).
        ditto_ = new QPushButton("Ditto", this);
        ditto_->setObjectName("DittoButton");
        ditto_->setAutoDefault(false);
        ditto_->setFocusPolicy(Qt::NoFocus);
        ditto_->hide();
        connect(ditto_, &QPushButton::clicked, this, &FormWindow::dittoFocused);
    }
}

Response FormWindow::run(AppState& state, FormDeclaration declaration, FormWindowSpec spec,
                         QWidget* parent, const std::function<void(FormEngine&)>& setup) {
    FormWindow window(state, std::move(declaration), std::move(spec), parent);
    if (setup) setup(window.engine());
    if (window.engine().start()) {
        if (auto title = window.engine().title()) {
            window.setWindowTitle(QString::fromStdString(*title));
        }
        if (window.spec_.takesDrops) {
            FormBeside beside(window, parent);
            beside.run();
        } else {
            window.exec();
        }
    }
    return window.engine().finish();
}

void FormWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (opened_) return;
    opened_ = true;
    // A page's fields grow with the page as a form's own do. The page in front has its design
    // size now, laid out as the sheet was shown; the pages behind it are given that size
    // first, since the sheet sizes only the page it shows.
    for (int page = 0; sheet_ && page < sheet_->count(); ++page) {
        QWidget* sheetPage = sheet_->widget(page);
        sheetPage->resize(sheet_->currentWidget()->size());
        auto* pageResizer = new ControlResizer(*sheetPage);
        pageResizer->recordControls(ResizeMode::Form);
    }
    WindowPlacement::restore(*this, state_.settingsFile(), objectName().toStdString());
    resizer_->resizeControls();
    fillLists();
    display();
    focusControl(0);
}

void FormWindow::fillLists() {
    for (Entry& e : entries_) {
        auto* combo = qobject_cast<QComboBox*>(e.widget);
        if (!combo || !e.items) continue;
        const QString typed = combo->currentText();
        combo->clear();
        for (const std::string& item : e.items()) combo->addItem(QString::fromStdString(item));
        combo->setCurrentIndex(-1);
        combo->setEditText(typed);
    }
}

// The control's value into its field, then the control's check.
void FormWindow::accepted(int index) {
    if (accepting_) return;
    FormEngine::Turn turn(*engine_);
    // A button pressed on the way out of the field is pressed once the check is done.
    PendingPress pressed(*this);
    bool passed = readable(index);
    if (passed) {
        store(index);
        passed = engine_->validate(index);
        Entry& e = entries_[static_cast<size_t>(index)];
        if (e.items && e.type == FormEntry::Type::Combo) fillLists();
        if (passed) display();
    }
    pressed.finish(passed);
}

// A date its picture cannot read stays as typed and the user is told, rather than the field
// going blank when it is left.
bool FormWindow::readable(int index) {
    const Entry& e = entries_[static_cast<size_t>(index)];
    if (!e.edit || !e.picture || !e.picture->asDate()) return true;
    const std::string typed = e.edit->text().trimmed().toStdString();
    if (typed.empty() || e.picture->deformat(typed) != "0") return true;
    const std::string example = e.picture->format(std::to_string(dateFromYmd(1997, 9, 22)));
    state_.dialogs().message("Invalid Date",
                             "\"" + typed + "\" is not a date.  Type a date as " + example +
                                 ", as 1997-09-22 or as a year alone.",
                             MessageIcon::Warning, Button::Ok, Button::Ok);
    focusControl(index);
    return false;
}

void FormWindow::display() {
    FormEngine::Turn turn(*engine_);
    if (spec_.beforeDisplay) spec_.beforeDisplay();
    for (Entry& e : entries_) {
        const auto [f, record] = fieldOf(e.field);
        if (!f) continue;
        const std::string value = f->isMemo() ? f->memo(record) : f->toString(record);
        const QString shown = QString::fromStdString(e.picture ? e.picture->format(value) : value);
        switch (e.type) {
            case FormEntry::Type::Entry:
                e.edit->setText(shown);
                e.edit->setModified(false);
                break;
            case FormEntry::Type::Combo: {
                auto* combo = static_cast<QComboBox*>(e.widget);
                combo->setCurrentIndex(combo->findText(shown.trimmed()));
                combo->setEditText(shown.trimmed());
                e.edit->setModified(false);
                break;
            }
            case FormEntry::Type::Spin:
                static_cast<QSpinBox*>(e.widget)->setValue(static_cast<int>(f->integer(record)));
                break;
            case FormEntry::Type::Options: {
                const std::string clipped = QString::fromStdString(value).trimmed().toStdString();
                const auto buttons = e.widget->findChildren<QRadioButton*>();
                for (size_t i = 0; i < e.values.size() && i < static_cast<size_t>(buttons.size());
                     ++i) {
                    const std::string v =
                        QString::fromStdString(e.values[i]).trimmed().toStdString();
                    if (v == clipped) buttons[static_cast<qsizetype>(i)]->setChecked(true);
                }
                break;
            }
            case FormEntry::Type::Text:
                static_cast<QPlainTextEdit*>(e.widget)->setPlainText(QString::fromStdString(value));
                break;
        }
    }
}

void FormWindow::store(int index) {
    Entry& e = entries_[static_cast<size_t>(index)];
    const auto [f, record] = fieldOf(e.field);
    if (!f) return;
    switch (e.type) {
        case FormEntry::Type::Entry:
        case FormEntry::Type::Combo: {
            const std::string shown = e.edit->text().toStdString();
            f->fromString(record, e.picture ? e.picture->deformat(shown) : shown);
            e.edit->setModified(false);
            break;
        }
        case FormEntry::Type::Spin: {
            // Beyond what the field holds it keeps its highest value, never a wrapped one.
            const FieldLimits limits = limitsOf(*f);
            const int64_t v = static_cast<QSpinBox*>(e.widget)->value();
            f->setInteger(record, std::clamp<int64_t>(v, limits.lo, limits.hi));
            break;
        }
        case FormEntry::Type::Options: {
            const auto buttons = e.widget->findChildren<QRadioButton*>();
            for (size_t i = 0; i < e.values.size() && i < static_cast<size_t>(buttons.size());
                 ++i) {
                if (buttons[static_cast<qsizetype>(i)]->isChecked())
                    f->fromString(record, e.values[i]);
            }
            break;
        }
        case FormEntry::Type::Text: {
            const std::string text =
                static_cast<QPlainTextEdit*>(e.widget)->toPlainText().toStdString();
            if (f->isMemo()) {
                f->assign(record, SqlValue(text));
            } else {
                f->fromString(record, text);
            }
            break;
        }
    }
}

void FormWindow::storeAll() {
    FormEngine::Turn turn(*engine_);
    for (int i = 0; i < static_cast<int>(entries_.size()); ++i) store(i);
}

void FormWindow::act(const std::function<void()>& step) {
    FormEngine::Turn turn(*engine_);
    storeAll();
    step();
    display();
}

void FormWindow::focusControl(int index) {
    if (index < 0 || index >= static_cast<int>(entries_.size())) return;
    Entry& e = entries_[static_cast<size_t>(index)];
    if (sheet_) {
        for (int page = 0; page < sheet_->count(); ++page) {
            if (sheet_->widget(page)->isAncestorOf(e.widget)) sheet_->setCurrentIndex(page);
        }
    }
    e.widget->setFocus();
    if (e.edit) e.edit->selectAll();
}

// The focused entry (or the last one that had the focus) gets the history record's value.
void FormWindow::dittoFocused() {
    for (int i = 0; i < static_cast<int>(entries_.size()); ++i) {
        if (entries_[static_cast<size_t>(i)].widget->hasFocus() ||
            (entries_[static_cast<size_t>(i)].edit &&
             entries_[static_cast<size_t>(i)].edit->hasFocus())) {
            lastEntry_ = i;
        }
    }
    if (entries_.empty()) return;
    FormEngine::Turn turn(*engine_);
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
    FormEngine::Turn turn(*engine_);
    for (int i = 0; i < static_cast<int>(entries_.size()); ++i) {
        if (!readable(i)) return;
    }
    storeAll();
    if (spec_.beforeOk) spec_.beforeOk();
    accepting_ = true;
    const bool done = engine_->ok();
    accepting_ = false;
    if (done) QDialog::accept();
}

void FormWindow::reject() {
    engine_->cancel();
    QDialog::reject();
}

void FormWindow::done(int result) {
    if (!left_) {
        left_ = true;
        // A list on a page keeps its layout and gives its files back as the form leaves.
        for (const QPointer<QWidget>& panel : panels_) {
            if (panel) panel->close();
        }
        WindowPlacement::save(*this, state_.settingsFile(), objectName().toStdString());
    }
    QDialog::done(result);
}

}  // namespace cdz
