#include "querykit/savedqueries/ChoiceDialog.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace qk {

namespace {
// exec() gives 0 for a closed window: every button's value is carried one above it.
constexpr int kOffset = 1;
}  // namespace

ChoiceDialog::ChoiceDialog(const char* objectName, const char* title, const char* text,
                           std::initializer_list<Choice> choices, QWidget* parent)
    : QDialog(parent) {
    setObjectName(objectName);
    setWindowTitle(QString::fromUtf8(title));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QString::fromUtf8(text), this));
    for (const Choice& c : choices) {
        auto* b = new QPushButton(QString::fromUtf8(c.caption), this);
        b->setObjectName(c.objectName);
        b->setAutoDefault(false);
        const int code = c.value + kOffset;
        connect(b, &QPushButton::clicked, this, [this, code] { done(code); });
        layout->addWidget(b);
    }
}

uint8_t ChoiceDialog::ask() {
    const int code = exec();
    return code >= kOffset ? static_cast<uint8_t>(code - kOffset) : 0;
}

}  // namespace qk
