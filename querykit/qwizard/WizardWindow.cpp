#include "querykit/qwizard/WizardWindow.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "runtime/text/Picture.h"
#include "runtime/text/Text.h"

namespace qk {

namespace {

QString qs(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

std::string utf8(const QString& s) {
    return s.toUtf8().toStdString();
}

// Designed text sizes, which pick the font slots.
constexpr int kSmall = 8;
constexpr int kNormal = 10;
constexpr int kLarge = 12;
constexpr char kDesignedSize[] = "designedSize";

// The lookup button leaves the entry this wide at most.
constexpr int kLookupEntryWidth = 116;
// The joining word of a condition shows in red.
const QColor kConjunctionColour(255, 0, 0);

// Dates and times are typed as shown and kept as their stored numbers.
bool storesAsNumber(const std::optional<cdz::Picture>& p) {
    return p && (p->kind() == 'D' || p->kind() == 'T');
}

void fillFieldList(QListWidget* list, const XRQW_FieldsQueue& fields) {
    list->clear();
    for (const XRQW_FieldEntry& f : fields) list->addItem(qs(f.Label.clipped()));
}

void setRow(QListWidget* list, int row) {
    if (row >= 0 && row < list->count()) list->setCurrentRow(row);
}

}  // namespace

WizardWindow::WizardWindow(WizardFlow& flow, const DisplayTexts& texts,
                           const cdz::Bindings* bindings, QWidget* parent)
    : QDialog(parent), flow_(flow), texts_(texts), bindings_(bindings) {
    setObjectName("QueryWizard");
    auto* layout = new QVBoxLayout(this);
    const std::string banner = texts.text(170);
    if (!banner.empty() && banner != "1" && banner != "2") {
        layout->addWidget(label("Banner", 170, kLarge));
    }
    layout->addWidget(label("Heading", 171, kLarge));
    pages_ = new QStackedWidget(this);
    pages_->setObjectName("Pages");
    pages_->addWidget(buildFieldPage());
    pages_->addWidget(buildOperationPage());
    pages_->addWidget(buildValuePage());
    pages_->addWidget(buildQueryPage());
    pages_->addWidget(buildManualPage());
    layout->addWidget(pages_, 1);

    auto* buttons = new QHBoxLayout;
    backButton_ = button("BackButton", 104);
    nextButton_ = button("NextButton", 122);
    finishButton_ = button("FinishButton", 116);
    cancelButton_ = button("CancelButton", 107);
    manualButton_ = button("ManualButton", 119);
    buttons->addWidget(manualButton_);
    buttons->addStretch(1);
    for (QPushButton* b : {backButton_, nextButton_, finishButton_, cancelButton_}) {
        buttons->addWidget(b);
    }
    layout->addLayout(buttons);
    connect(nextButton_, &QPushButton::clicked, this, [this] { onNext(); });
    connect(backButton_, &QPushButton::clicked, this, [this] { onBack(); });
    connect(cancelButton_, &QPushButton::clicked, this, [this] { onCancel(); });
    connect(finishButton_, &QPushButton::clicked, this, [this] { onFinish(); });
    connect(manualButton_, &QPushButton::clicked, this, [this] { onManual(); });

    fillFieldList(fieldList_, flow.fields());
    fillFieldList(compareList_, flow.fields());
    fillFieldList(manualFields_, flow.fields());
    applyFonts();
    refresh();
}

QPushButton* WizardWindow::button(const char* name, int firstSlot) {
    auto* b = new QPushButton(qs(texts_.text(firstSlot + 2)), this);
    b->setObjectName(name);
    b->setToolTip(qs(texts_.text(firstSlot)));
    b->setStatusTip(qs(texts_.text(firstSlot + 1)));
    b->setAutoDefault(false);
    return b;
}

QLabel* WizardWindow::label(const char* name, int slot, int designedSize) {
    auto* l = new QLabel(qs(texts_.text(slot)), this);
    l->setObjectName(name);
    l->setProperty(kDesignedSize, designedSize);
    return l;
}

QWidget* WizardWindow::buildFieldPage() {
    auto* page = new QWidget(this);
    auto* v = new QVBoxLayout(page);
    v->addWidget(label("FieldHeading", 158, kLarge));
    v->addWidget(label("FieldInstruction", 166, kNormal));
    v->addWidget(label("FieldListHeader", 159, kSmall));
    fieldList_ = new QListWidget(page);
    fieldList_->setObjectName("FieldList");
    v->addWidget(fieldList_);
    connect(fieldList_, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
        fieldList_->setCurrentItem(item);
        onNext();
    });
    return page;
}

QWidget* WizardWindow::buildOperationPage() {
    auto* page = new QWidget(this);
    auto* v = new QVBoxLayout(page);
    v->addWidget(label("OperationHeading", 164, kLarge));
    v->addWidget(label("OperationInstruction", 168, kNormal));
    v->addWidget(label("OperatorListHeader", 165, kSmall));
    operatorList_ = new QListWidget(page);
    operatorList_->setObjectName("OperatorList");
    v->addWidget(operatorList_);
    connect(operatorList_, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
        operatorList_->setCurrentItem(item);
        onNext();
    });
    return page;
}

QWidget* WizardWindow::buildValuePage() {
    auto* page = new QWidget(this);
    auto* v = new QVBoxLayout(page);
    v->addWidget(label("ValueHeading", 169, kLarge));
    valueCaption_ = label("ValueCaption", 0, kNormal);
    v->addWidget(valueCaption_);
    v->addWidget(label("ValueInstruction", 157, kNormal));
    auto* kinds = new QHBoxLayout;
    const auto kindButton = [&](const char* name, int slot, ValueKind kind) {
        auto* r = new QRadioButton(qs(texts_.text(slot)), page);
        r->setObjectName(name);
        r->setProperty(kDesignedSize, kNormal);
        kinds->addWidget(r);
        connect(r, &QRadioButton::toggled, this, [this, kind](bool on) {
            if (on) onValueKind(kind);
        });
        return r;
    };
    constantKind_ = kindButton("ConstantKind", 151, ValueKind::Constant);
    expressionKind_ = kindButton("ExpressionKind", 152, ValueKind::Expression);
    otherFieldKind_ = kindButton("OtherFieldKind", 153, ValueKind::OtherField);
    v->addLayout(kinds);

    auto* entryRow = new QHBoxLayout;
    valueEntry_ = new QLineEdit(page);
    valueEntry_->setObjectName("ValueEntry");
    valueEntry_->setProperty(kDesignedSize, kNormal);
    lookupButton_ = new QPushButton("...", page);
    lookupButton_->setObjectName("LookupButton");
    lookupButton_->setAutoDefault(false);
    entryRow->addWidget(valueEntry_);
    entryRow->addWidget(lookupButton_);
    entryRow->addStretch(1);
    v->addLayout(entryRow);
    connect(lookupButton_, &QPushButton::clicked, this, [this] { onLookup(); });

    choiceHeader_ = label("ChoiceListHeader", 167, kSmall);
    v->addWidget(choiceHeader_);
    choiceList_ = new QListWidget(page);
    choiceList_->setObjectName("ChoiceList");
    v->addWidget(choiceList_);
    connect(choiceList_, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
        choiceList_->setCurrentItem(item);
        onNext();
    });

    valueCheck_ = new QCheckBox(page);
    valueCheck_->setObjectName("ValueCheck");
    valueCheck_->setProperty(kDesignedSize, kNormal);
    v->addWidget(valueCheck_);

    compareHeader_ = label("CompareListHeader", 159, kSmall);
    v->addWidget(compareHeader_);
    compareList_ = new QListWidget(page);
    compareList_->setObjectName("CompareList");
    v->addWidget(compareList_);

    auto* optionRow = new QHBoxLayout;
    optionBox_ = new QCheckBox(page);
    optionBox_->setObjectName("OptionBox");
    optionBox_->setProperty(kDesignedSize, kNormal);
    optionBeside_ = label("OptionBeside", 0, kNormal);
    optionRow->addWidget(optionBox_);
    optionRow->addWidget(optionBeside_);
    optionRow->addStretch(1);
    v->addLayout(optionRow);
    v->addStretch(1);
    return page;
}

QWidget* WizardWindow::buildQueryPage() {
    auto* page = new QWidget(this);
    auto* v = new QVBoxLayout(page);
    conditionList_ = new QTreeWidget(page);
    conditionList_->setObjectName("ConditionList");
    conditionList_->setRootIsDecorated(false);
    conditionList_->setColumnCount(2);
    conditionList_->setHeaderLabels({qs(texts_.text(154)), QString()});
    conditionList_->header()->setStretchLastSection(false);
    conditionList_->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    v->addWidget(conditionList_);
    connect(conditionList_, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem* item, int col) {
                flow_.select(static_cast<std::size_t>(conditionList_->indexOfTopLevelItem(item)));
                flow_.setClickOnConjunction(col == 1);
            });
    connect(conditionList_, &QTreeWidget::itemDoubleClicked, this,
            [this](QTreeWidgetItem*, int) { onChange(); });
    auto* row = new QHBoxLayout;
    QPushButton* andButton = button("AndButton", 101);
    QPushButton* orButton = button("OrButton", 125);
    QPushButton* changeButton = button("ChangeButton", 110);
    QPushButton* deleteButton = button("DeleteButton", 113);
    for (QPushButton* b : {andButton, orButton, changeButton, deleteButton}) row->addWidget(b);
    row->addStretch(1);
    v->addLayout(row);
    v->addWidget(label("QueryInstruction1", 155, kNormal));
    v->addWidget(label("QueryInstruction2", 156, kNormal));
    connect(andButton, &QPushButton::clicked, this, [this] { onJoin("AND"); });
    connect(orButton, &QPushButton::clicked, this, [this] { onJoin("OR"); });
    connect(changeButton, &QPushButton::clicked, this, [this] { onChange(); });
    connect(deleteButton, &QPushButton::clicked, this, [this] { onDelete(); });
    return page;
}

QWidget* WizardWindow::buildManualPage() {
    auto* page = new QWidget(this);
    auto* v = new QVBoxLayout(page);
    v->addWidget(label("ManualHeading", 160, kLarge));
    manualText_ = new QPlainTextEdit(page);
    manualText_->setObjectName("ManualText");
    manualText_->setProperty(kDesignedSize, kNormal);
    v->addWidget(manualText_, 1);
    v->addWidget(label("ManualFieldListHeader", 159, kSmall));
    manualFields_ = new QListWidget(page);
    manualFields_->setObjectName("ManualFieldList");
    v->addWidget(manualFields_);
    connect(manualFields_, &QListWidget::itemClicked, this, [this] { onManualField(); });
    return page;
}

void WizardWindow::applyFonts() {
    const auto font = [this](int nameSlot) -> std::optional<QFont> {
        const std::string name = texts_.text(nameSlot);
        if (name.empty()) return std::nullopt;
        QFont f(qs(name));
        if (const int size = texts_.fontSize(nameSlot + 1); size > 0) f.setPointSize(size);
        return f;
    };
    const auto buttonsFont = font(71);
    const auto listsFont = font(75);
    const auto normalFont = font(73);
    const auto smallFont = font(77);
    const auto largeFont = font(79);
    for (QWidget* w : findChildren<QWidget*>()) {
        std::optional<QFont> f;
        if (qobject_cast<QPushButton*>(w)) {
            f = buttonsFont;
        } else if (qobject_cast<QListWidget*>(w) || qobject_cast<QTreeWidget*>(w)) {
            f = listsFont;
        } else {
            switch (w->property(kDesignedSize).toInt()) {
                case kSmall:
                    f = smallFont;
                    break;
                case kNormal:
                    f = normalFont;
                    break;
                case kLarge:
                    f = largeFont;
                    break;
                default:
                    break;
            }
        }
        if (f) w->setFont(*f);
    }
}

void WizardWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (shownOnce_) return;
    shownOnce_ = true;
    if (opened_) QTimer::singleShot(0, this, [this] { opened_(); });
}

void WizardWindow::takePage() {
    ConditionEdit& e = flow_.edit();
    switch (flow_.page()) {
        case WizardPage::Field:
            if (fieldList_->currentRow() >= 0) e.field = fieldList_->currentRow() + 1;
            break;
        case WizardPage::Operation:
            e.opcode = operatorList_->currentRow() + 1;
            break;
        case WizardPage::Value: {
            const auto picture = cdz::Picture::parse(flow_.valuePicture());
            const std::string shown = utf8(valueEntry_->text());
            e.typed = storesAsNumber(picture) && !cdz::clip(shown).empty()
                          ? picture->deformat(shown)
                          : shown;
            if (choiceList_->currentItem()) e.choice = utf8(choiceList_->currentItem()->text());
            e.checked = valueCheck_->isChecked();
            e.option = optionBox_->isChecked();
            if (compareList_->currentRow() >= 0) e.otherField = compareList_->currentRow() + 1;
            break;
        }
        case WizardPage::Manual:
            flow_.setManualText(utf8(manualText_->toPlainText()));
            break;
        case WizardPage::Query:
            break;
    }
}

void WizardWindow::refresh() {
    refreshing_ = true;
    const WizardPage page = flow_.page();
    pages_->setCurrentIndex(static_cast<int>(page) - 1);
    backButton_->setVisible(flow_.backVisible());
    backButton_->setEnabled(flow_.backEnabled());
    nextButton_->setVisible(flow_.nextVisible());
    finishButton_->setVisible(flow_.finishVisible());
    manualButton_->setVisible(flow_.manualVisible());
    nextButton_->setDefault(flow_.nextVisible());
    finishButton_->setDefault(flow_.finishVisible());

    setRow(fieldList_, flow_.edit().field - 1);
    operatorList_->clear();
    for (int i = 1; i <= flow_.operatorCount(); ++i) {
        operatorList_->addItem(qs(flow_.display().operatorName(i)));
    }
    setRow(operatorList_, flow_.edit().opcode - 1);
    if (page == WizardPage::Value) refreshValuePage();
    refreshConditions();
    if (page == WizardPage::Manual && shownPage_ != WizardPage::Manual) {
        manualText_->setPlainText(qs(flow_.manualText()));
    }
    // A new page takes the keyboard where the user works on it: typing goes straight in.
    if (page != shownPage_) {
        QWidget* focus = nullptr;
        switch (page) {
            case WizardPage::Field:
                focus = fieldList_;
                break;
            case WizardPage::Operation:
                focus = operatorList_;
                break;
            case WizardPage::Value:
                for (QWidget* w : std::initializer_list<QWidget*>{valueEntry_, choiceList_,
                                                                  valueCheck_, compareList_}) {
                    if (!w->isHidden()) {
                        focus = w;
                        break;
                    }
                }
                break;
            case WizardPage::Query:
                focus = conditionList_;
                break;
            case WizardPage::Manual:
                focus = manualText_;
                break;
        }
        if (focus) focus->setFocus();
    }
    shownPage_ = page;
    refreshing_ = false;
}

void WizardWindow::refreshValuePage() {
    const ConditionEdit& e = flow_.edit();
    valueCaption_->setText(qs(flow_.caption()));
    constantKind_->setChecked(e.kind == ValueKind::Constant);
    otherFieldKind_->setChecked(e.kind == ValueKind::OtherField);
    expressionKind_->setChecked(e.kind == ValueKind::Expression);

    const ValueControl control = flow_.valueControl();
    valueEntry_->setVisible(control == ValueControl::Entry);
    const auto picture = cdz::Picture::parse(flow_.valuePicture());
    valueEntry_->setMaxLength(picture ? std::max(picture->width(), 1) : kValueWidth);
    valueEntry_->setText(qs(storesAsNumber(picture) && !cdz::clip(e.typed).empty()
                                ? picture->format(e.typed)
                                : e.typed));
    lookupButton_->setVisible(flow_.lookupShown());
    valueEntry_->setMaximumWidth(flow_.lookupShown() ? kLookupEntryWidth : QWIDGETSIZE_MAX);

    choiceHeader_->setVisible(control == ValueControl::DropList);
    choiceList_->setVisible(control == ValueControl::DropList);
    choiceList_->clear();
    if (control == ValueControl::DropList) {
        for (const std::string& c : flow_.choices()) choiceList_->addItem(qs(c));
        setRow(choiceList_, static_cast<int>(flow_.choiceRow()));
    }
    valueCheck_->setVisible(control == ValueControl::CheckBox);
    const XRQW_FieldEntry* f = flow_.field();
    valueCheck_->setText(f ? qs(f->Choices.clipped()) : QString());
    valueCheck_->setChecked(e.checked);
    compareHeader_->setVisible(control == ValueControl::FieldList);
    compareList_->setVisible(control == ValueControl::FieldList);
    setRow(compareList_, e.otherField - 1);

    const int slot = flow_.optionSlot();
    optionBox_->setVisible(slot != 0);
    optionBeside_->setVisible(slot != 0);
    if (slot != 0) {
        optionBox_->setText(qs(texts_.text(slot)));
        optionBeside_->setText(qs(texts_.besideText(slot)));
    }
    optionBox_->setChecked(e.option);
}

void WizardWindow::refreshConditions() {
    conditionList_->clear();
    for (const QueryElement& e : flow_.elements().elements()) {
        auto* item = new QTreeWidgetItem(conditionList_, {qs(e.display), qs(e.conjunction)});
        item->setForeground(1, kConjunctionColour);
    }
    if (const auto sel = flow_.selected()) {
        conditionList_->setCurrentItem(conditionList_->topLevelItem(static_cast<int>(*sel)));
    }
}

void WizardWindow::onNext() {
    takePage();
    flow_.next();
    refresh();
}

void WizardWindow::onBack() {
    takePage();
    flow_.back();
    refresh();
}

void WizardWindow::onCancel() {
    takePage();
    if (flow_.cancel()) {
        reject();
        return;
    }
    refresh();
}

void WizardWindow::onFinish() {
    takePage();
    if (!finish_ || finish_(flow_.finishText(), flow_.finishIsManual())) {
        accept();
        return;
    }
    refresh();
}

void WizardWindow::onManual() {
    takePage();
    flow_.manual();
    refresh();
}

void WizardWindow::onJoin(const char* conjunction) {
    flow_.join(conjunction);
    refresh();
}

void WizardWindow::onChange() {
    flow_.change();
    refresh();
}

void WizardWindow::onDelete() {
    flow_.remove();
    refresh();
}

void WizardWindow::onValueKind(ValueKind kind) {
    if (refreshing_) return;
    takePage();
    flow_.setValueKind(kind);
    refresh();
}

void WizardWindow::onLookup() {
    takePage();
    flow_.lookup(bindings_);
    refresh();
}

void WizardWindow::onManualField() {
    const XRQW_FieldEntry* f = fieldAt(flow_.fields(), manualFields_->currentRow() + 1);
    if (f == nullptr) return;
    manualText_->insertPlainText(qs(f->Source.clipped()));
    manualText_->setFocus();
}

}  // namespace qk
