#include "querykit/qwizard/ValuePage.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <algorithm>
#include <initializer_list>

#include "runtime/text/Picture.h"
#include "runtime/text/Text.h"

namespace qk {

using namespace wizardui;

namespace {

// The lookup button leaves the entry this wide at most.
constexpr int kLookupEntryWidth = 116;

// Dates and times are typed as shown and kept as their stored numbers.
bool storesAsNumber(const std::optional<cdz::Picture>& p) {
    return p && (p->kind() == 'D' || p->kind() == 'T');
}

}  // namespace

ValuePage::ValuePage(WizardFlow& flow, const DisplayTexts& texts, const cdz::Bindings* bindings,
                     Actions actions, QWidget* parent)
    : WizardPageView(flow, texts, parent), bindings_(bindings), actions_(std::move(actions)) {
    auto* v = new QVBoxLayout(this);
    v->addWidget(label(this, texts, "ValueHeading", 169, kLarge));
    caption_ = label(this, texts, "ValueCaption", 0, kNormal);
    v->addWidget(caption_);
    v->addWidget(label(this, texts, "ValueInstruction", 157, kNormal));
    buildKinds(v);
    buildEntry(v);
    buildLists(v);
    buildOption(v);
    v->addStretch(1);
    fillFieldList(compareList_, flow.fields());
}

void ValuePage::buildKinds(QVBoxLayout* v) {
    auto* kinds = new QHBoxLayout;
    const auto kindButton = [&](const char* name, int slot, ValueKind kind) {
        auto* r = new QRadioButton(qs(texts().text(slot)), this);
        r->setObjectName(name);
        setDesignedSize(r, kNormal);
        kinds->addWidget(r);
        connect(r, &QRadioButton::toggled, this, [this, kind](bool on) {
            if (on) onKind(kind);
        });
        return r;
    };
    constantKind_ = kindButton("ConstantKind", 151, ValueKind::Constant);
    expressionKind_ = kindButton("ExpressionKind", 152, ValueKind::Expression);
    otherFieldKind_ = kindButton("OtherFieldKind", 153, ValueKind::OtherField);
    v->addLayout(kinds);
}

void ValuePage::buildEntry(QVBoxLayout* v) {
    auto* entryRow = new QHBoxLayout;
    entry_ = new QLineEdit(this);
    entry_->setObjectName("ValueEntry");
    setDesignedSize(entry_, kNormal);
    lookupButton_ = new QPushButton("...", this);
    lookupButton_->setObjectName("LookupButton");
    lookupButton_->setAutoDefault(false);
    entryRow->addWidget(entry_);
    entryRow->addWidget(lookupButton_);
    entryRow->addStretch(1);
    v->addLayout(entryRow);
    connect(lookupButton_, &QPushButton::clicked, this, [this] { onLookup(); });
}

void ValuePage::buildLists(QVBoxLayout* v) {
    choiceHeader_ = label(this, texts(), "ChoiceListHeader", 167, kSmall);
    v->addWidget(choiceHeader_);
    choiceList_ = new QListWidget(this);
    choiceList_->setObjectName("ChoiceList");
    v->addWidget(choiceList_);
    connect(choiceList_, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
        choiceList_->setCurrentItem(item);
        actions_.next();
    });

    check_ = new QCheckBox(this);
    check_->setObjectName("ValueCheck");
    setDesignedSize(check_, kNormal);
    v->addWidget(check_);

    compareHeader_ = label(this, texts(), "CompareListHeader", 159, kSmall);
    v->addWidget(compareHeader_);
    compareList_ = new QListWidget(this);
    compareList_->setObjectName("CompareList");
    v->addWidget(compareList_);
}

void ValuePage::buildOption(QVBoxLayout* v) {
    auto* optionRow = new QHBoxLayout;
    optionBox_ = new QCheckBox(this);
    optionBox_->setObjectName("OptionBox");
    setDesignedSize(optionBox_, kNormal);
    optionBeside_ = label(this, texts(), "OptionBeside", 0, kNormal);
    optionRow->addWidget(optionBox_);
    optionRow->addWidget(optionBeside_);
    optionRow->addStretch(1);
    v->addLayout(optionRow);
}

void ValuePage::refresh() {
    refreshing_ = true;
    const ConditionEdit& e = flow().edit();
    caption_->setText(qs(flow().caption()));
    constantKind_->setChecked(e.kind == ValueKind::Constant);
    otherFieldKind_->setChecked(e.kind == ValueKind::OtherField);
    expressionKind_->setChecked(e.kind == ValueKind::Expression);

    const ValueControl control = flow().valueControl();
    entry_->setVisible(control == ValueControl::Entry);
    const auto picture = cdz::Picture::parse(flow().valuePicture());
    entry_->setMaxLength(picture ? std::max(picture->width(), 1) : kValueWidth);
    entry_->setText(qs(storesAsNumber(picture) && !cdz::clip(e.typed).empty()
                           ? picture->format(e.typed)
                           : e.typed));
    lookupButton_->setVisible(flow().lookupShown());
    entry_->setMaximumWidth(flow().lookupShown() ? kLookupEntryWidth : QWIDGETSIZE_MAX);

    choiceHeader_->setVisible(control == ValueControl::DropList);
    choiceList_->setVisible(control == ValueControl::DropList);
    choiceList_->clear();
    if (control == ValueControl::DropList) {
        for (const std::string& c : flow().choices()) choiceList_->addItem(qs(c));
        setRow(choiceList_, static_cast<int>(flow().choiceRow()));
    }
    check_->setVisible(control == ValueControl::CheckBox);
    const XRQW_FieldEntry* f = flow().field();
    check_->setText(f ? qs(f->Choices.clipped()) : QString());
    check_->setChecked(e.checked);
    compareHeader_->setVisible(control == ValueControl::FieldList);
    compareList_->setVisible(control == ValueControl::FieldList);
    setRow(compareList_, e.otherField - 1);

    const int slot = flow().optionSlot();
    optionBox_->setVisible(slot != 0);
    optionBeside_->setVisible(slot != 0);
    if (slot != 0) {
        optionBox_->setText(qs(texts().text(slot)));
        optionBeside_->setText(qs(texts().besideText(slot)));
    }
    optionBox_->setChecked(e.option);
    refreshing_ = false;
}

void ValuePage::take() {
    ConditionEdit& e = flow().edit();
    const auto picture = cdz::Picture::parse(flow().valuePicture());
    const std::string shown = utf8(entry_->text());
    e.typed =
        storesAsNumber(picture) && !cdz::clip(shown).empty() ? picture->deformat(shown) : shown;
    if (choiceList_->currentItem()) e.choice = utf8(choiceList_->currentItem()->text());
    e.checked = check_->isChecked();
    e.option = optionBox_->isChecked();
    if (compareList_->currentRow() >= 0) e.otherField = compareList_->currentRow() + 1;
}

QWidget* ValuePage::focusTarget() const {
    for (QWidget* w : std::initializer_list<QWidget*>{entry_, choiceList_, check_, compareList_}) {
        if (!w->isHidden()) return w;
    }
    return nullptr;
}

void ValuePage::onKind(ValueKind kind) {
    if (refreshing_) return;
    take();
    flow().setValueKind(kind);
    actions_.changed();
}

void ValuePage::onLookup() {
    take();
    flow().lookup(bindings_);
    actions_.changed();
}

}  // namespace qk
