#include "querykit/qwizard/WizardWidgets.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTreeWidget>
#include <optional>

namespace qk::wizardui {

namespace {

constexpr char kDesignedSize[] = "designedSize";

}  // namespace

QString qs(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

std::string utf8(const QString& s) {
    return s.toUtf8().toStdString();
}

void setDesignedSize(QWidget* w, int designedSize) {
    w->setProperty(kDesignedSize, designedSize);
}

QLabel* label(QWidget* parent, const DisplayTexts& texts, const char* name, int slot,
              int designedSize) {
    auto* l = new QLabel(qs(texts.text(slot)), parent);
    l->setObjectName(name);
    setDesignedSize(l, designedSize);
    return l;
}

QPushButton* button(QWidget* parent, const DisplayTexts& texts, const char* name, int firstSlot) {
    auto* b = new QPushButton(qs(texts.text(firstSlot + 2)), parent);
    b->setObjectName(name);
    b->setToolTip(qs(texts.text(firstSlot)));
    b->setStatusTip(qs(texts.text(firstSlot + 1)));
    b->setAutoDefault(false);
    return b;
}

void setRow(QListWidget* list, int row) {
    if (row >= 0 && row < list->count()) list->setCurrentRow(row);
}

void fillFieldList(QListWidget* list, const XRQW_FieldsQueue& fields) {
    list->clear();
    for (const XRQW_FieldEntry& f : fields) list->addItem(qs(f.Label.clipped()));
}

void applyFonts(QWidget& root, const DisplayTexts& texts) {
    const auto font = [&texts](int nameSlot) -> std::optional<QFont> {
        const std::string name = texts.text(nameSlot);
        if (name.empty()) return std::nullopt;
        QFont f(qs(name));
        if (const int size = texts.fontSize(nameSlot + 1); size > 0) f.setPointSize(size);
        return f;
    };
    const auto buttonsFont = font(71);
    const auto listsFont = font(75);
    const auto normalFont = font(73);
    const auto smallFont = font(77);
    const auto largeFont = font(79);
    for (QWidget* w : root.findChildren<QWidget*>()) {
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

}  // namespace qk::wizardui
