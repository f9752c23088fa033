#include "app/engine/columns/ColumnSettings.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QSpinBox>

#include "app/engine/columns/ColumnLayout.h"

namespace cdz {
namespace {

// The justifications in the order the lists offer them.
constexpr Justify kJustify[] = {Justify::Decimal, Justify::Left, Justify::Center, Justify::Right};

QComboBox* justifyBox(QWidget* parent, const char* name) {
    auto* box = new QComboBox(parent);
    box->setObjectName(name);
    box->addItems({"Dec", "Left", "Center", "Right"});
    return box;
}

int indexOf(Justify j) {
    for (int i = 0; i < 4; ++i) {
        if (kJustify[i] == j) return i;
    }
    return 1;
}

}  // namespace

ColumnSettings::ColumnSettings(ColumnLayout& layout, QWidget* parent)
    : QWidget(parent), layout_(layout) {
    header_ = new QLineEdit(this);
    header_->setObjectName("HeaderText");
    header_->setMaxLength(static_cast<int>(ColumnLayout::kHeaderLength));
    header_->setToolTip("Change Column Header Text");
    // "~" would end the header inside the format.
    header_->setValidator(new QRegularExpressionValidator(QRegularExpression("[^~]*"), header_));
    headerOffset_ = unitsBox(this, "HeaderOffset", "Change Header Offset", -kMaxListUnits);
    headerJustify_ = justifyBox(this, "HeaderJustify");
    fieldJustify_ = justifyBox(this, "FieldJustify");
    width_ = unitsBox(this, "ColumnWidth", "Change Column Width", 0);
    offset_ = unitsBox(this, "DataOffset", "Change Data Field Offset", -kMaxListUnits);
    fixed_ =
        switchBox(this, "F&ixed", "Fixed", "Fix all columns to the left when horizontal Scrolling");
    underline_ = switchBox(this, "&Uline", "Underline", "Underline the current column");
    border_ = switchBox(this, "&Border", "Border", "Right hand border line");
    resize_ = switchBox(this, "&Resize", "Resizable", "Allow Column Resize with Mouse");

    auto* form = new QFormLayout;
    auto label = [this](const char* text, QWidget* buddy) {
        auto* l = new QLabel(text, this);
        l->setBuddy(buddy);
        return l;
    };
    form->addRow(label("&Header:", header_), header_);
    form->addRow(label("Off&set:", headerOffset_), headerOffset_);
    form->addRow(label("Header &Justification", headerJustify_), headerJustify_);
    form->addRow(label("&Field Justification", fieldJustify_), fieldJustify_);
    form->addRow(label("&Width:", width_), width_);
    form->addRow(label("Offse&t:", offset_), offset_);
    auto* switches = new QGridLayout;
    switches->addWidget(fixed_, 0, 0);
    switches->addWidget(underline_, 0, 1);
    switches->addWidget(border_, 1, 0);
    switches->addWidget(resize_, 1, 1);
    form->addRow(switches);
    form->setContentsMargins(0, 0, 0, 0);
    setLayout(form);

    connect(header_, &QLineEdit::textEdited, this, &ColumnSettings::edited);
    for (QSpinBox* box : {headerOffset_, width_, offset_}) {
        connect(box, &QSpinBox::valueChanged, this, &ColumnSettings::edited);
    }
    for (QComboBox* box : {headerJustify_, fieldJustify_}) {
        connect(box, &QComboBox::currentIndexChanged, this, &ColumnSettings::edited);
    }
    for (QCheckBox* box : {fixed_, underline_, border_, resize_}) {
        connect(box, &QCheckBox::toggled, this, &ColumnSettings::edited);
    }
    showColumn(std::nullopt);
}

void ColumnSettings::showColumn(std::optional<size_t> place) {
    if (place && *place >= layout_.shown().size()) place.reset();
    place_ = place;
    setEnabled(place_.has_value());
    loadValues();
}

void ColumnSettings::loadValues() {
    loading_ = true;
    if (place_) {
        const ListColumn& c = layout_.column(*place_);
        header_->setText(QString::fromStdString(c.header().value_or("")));
        headerOffset_->setValue(c.headerOffset().value_or(0));
        headerJustify_->setCurrentIndex(indexOf(c.headerJustify().value_or(c.justify())));
        fieldJustify_->setCurrentIndex(indexOf(c.justify()));
        width_->setValue(c.width());
        offset_->setValue(c.offset().value_or(0));
        fixed_->setChecked(c.fixed());
        underline_->setChecked(c.underline());
        border_->setChecked(c.border());
        resize_->setChecked(c.resizable());
    } else {
        header_->clear();
        for (QSpinBox* box : {headerOffset_, width_, offset_}) box->setValue(0);
        for (QCheckBox* box : {fixed_, underline_, border_, resize_}) box->setChecked(false);
    }
    loading_ = false;
}

// Every control is written back, so that the format holds what the window shows.
void ColumnSettings::edited() {
    if (loading_ || !place_) return;
    layout_.setHeader(*place_, header_->text().toStdString());
    ListColumn& c = layout_.column(*place_);
    c.setJustify(kJustify[std::max(fieldJustify_->currentIndex(), 0)]);
    const Justify headerJustify = kJustify[std::max(headerJustify_->currentIndex(), 0)];
    const int headerOffset = headerOffset_->value();
    // A header written without its own justification follows the field's until either changes.
    if (c.headerJustify() || headerJustify != c.justify() || headerOffset != 0) {
        c.setHeaderJustify(headerJustify, headerOffset);
    }
    c.setWidth(width_->value());
    if (c.offset() || offset_->value() != 0) c.setOffset(offset_->value());
    c.setFixed(fixed_->isChecked());
    c.setUnderline(underline_->isChecked());
    c.setBorder(border_->isChecked());
    c.setResizable(resize_->isChecked());
    emit changed();
}

QSpinBox* ColumnSettings::unitsBox(QWidget* parent, const char* name, const char* tip, int least) {
    auto* box = new QSpinBox(parent);
    box->setObjectName(name);
    box->setToolTip(tip);
    box->setRange(least, kMaxListUnits);
    return box;
}

QCheckBox* ColumnSettings::switchBox(QWidget* parent, const char* caption, const char* name,
                                     const char* tip) {
    auto* box = new QCheckBox(caption, parent);
    box->setObjectName(name);
    box->setToolTip(tip);
    return box;
}

}  // namespace cdz
