#include "app/engine/form/FormLayout.h"

#include <QLabel>
#include <QPushButton>

#include <utility>

namespace cdz {

FormEntry FormLayout::line(int tab, int row, QString prompt, std::string field, std::string picture,
                           int width, Type type, int left) const {
    const int x = left > 0 ? left : grid_.left;
    const int y = grid_.top + row * grid_.pitch;
    return entry(tab, std::move(prompt), std::move(field), std::move(picture),
                 QRect(6, y + 2, x - grid_.promptGap, 10), QRect(x, y, width, 12), type);
}

FormEntry FormLayout::notes(int tab, int y, QString prompt, std::string field, int height) const {
    return entry(tab, std::move(prompt), std::move(field), {}, QRect(6, y, 120, 10),
                 QRect(6, y + 11, grid_.notesWidth, height), Type::Text);
}

FormEntry FormLayout::entry(int tab, QString prompt, std::string field, std::string picture,
                            QRect promptAt, QRect at, Type type) {
    FormEntry e;
    e.tab = tab;
    e.type = type;
    e.prompt = std::move(prompt);
    e.field = std::move(field);
    e.picture = std::move(picture);
    e.promptPlace = promptAt;
    e.entryPlace = at;
    return e;
}

FormEntry FormLayout::options(int tab, QString prompt, std::string field,
                              const std::vector<QString>& choices, QRect at) {
    FormEntry e = entry(tab, std::move(prompt), std::move(field), {}, {}, at, Type::Options);
    for (const QString& c : choices) e.options.emplace_back(c, c.toStdString());
    return e;
}

FormPanel FormLayout::text(int tab, QRect place, const QString& shown, const QString& name) {
    return {tab, place, [shown, name](QWidget* page) -> QWidget* {
                auto* label = new QLabel(shown, page);
                label->setObjectName(name);
                label->setWordWrap(true);
                return label;
            }};
}

FormPanel FormLayout::button(int tab, QRect place, const QString& caption, const QString& name,
                             const std::function<void()>& pressed, const QString& tip) {
    return {tab, place, [=](QWidget* page) -> QWidget* {
                auto* b = new QPushButton(caption, page);
                b->setObjectName(name);
                if (!tip.isEmpty()) b->setToolTip(tip);
                b->setAutoDefault(false);
                QObject::connect(b, &QPushButton::clicked, b, [b, pressed] {
                    if (auto* form = qobject_cast<FormWindow*>(b->window())) {
                        form->act(pressed);
                    } else {
                        pressed();
                    }
                });
                return b;
            }};
}

}  // namespace cdz
