#include "app/engine/resize/WindowButton.h"

#include <QPushButton>

namespace cdz {

QPushButton* makeWindowButton(QWidget* parent, const QString& caption, const QString& tip,
                              const char* name) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setToolTip(tip);
    b->setAutoDefault(false);
    return b;
}

}  // namespace cdz
