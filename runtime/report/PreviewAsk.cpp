#include "runtime/report/PreviewAsk.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>

namespace cdz {

namespace {

QSpinBox* spin(QDialog& dialog, const char* name, int value, int maximum, const char* tip) {
    auto* box = new QSpinBox(&dialog);
    box->setObjectName(QString::fromLatin1(name));
    box->setRange(1, maximum);
    box->setValue(value);
    box->setToolTip(QString::fromLatin1(tip));
    return box;
}

QDialogButtonBox* buttons(QDialog& dialog, const char* okTip, const char* cancelTip) {
    auto* box = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    box->button(QDialogButtonBox::Ok)->setToolTip(QString::fromLatin1(okTip));
    box->button(QDialogButtonBox::Cancel)->setToolTip(QString::fromLatin1(cancelTip));
    QObject::connect(box, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(box, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    return box;
}

}  // namespace

std::optional<int> askPreviewPage(QWidget* parent, int current, int pageCount) {
    QDialog dialog(parent);
    dialog.setWindowTitle(QStringLiteral("Jump to a Report Page"));
    auto* form = new QFormLayout(&dialog);
    auto* page = spin(dialog, "jumpPage", current, pageCount, "Select a page of the report");
    form->addRow(QStringLiteral("&Page:"), page);
    form->addRow(buttons(dialog, "Jump to the selected page", "Cancel this selection"));
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return page->value();
}

std::optional<std::pair<int, int>> askPreviewDisplay(QWidget* parent, int across, int down,
                                                     int maxAcross, int maxDown) {
    QDialog dialog(parent);
    dialog.setWindowTitle(QStringLiteral("Change the Report Display"));
    auto* form = new QFormLayout(&dialog);
    auto* shown = new QLabel(&dialog);
    auto* a = spin(dialog, "displayAcross", across, maxAcross,
                   "Select the number of thumbnails in a row");
    auto* d =
        spin(dialog, "displayDown", down, maxDown, "Select the number of thumbnails in a column");
    const auto count = [=] { shown->setNum(a->value() * d->value()); };
    count();
    QObject::connect(a, &QSpinBox::valueChanged, &dialog, count);
    QObject::connect(d, &QSpinBox::valueChanged, &dialog, count);
    form->addRow(QStringLiteral("Pages Displayed:"), shown);
    form->addRow(QStringLiteral("&Across:"), a);
    form->addRow(QStringLiteral("&Down:"), d);
    form->addRow(buttons(dialog, "Change the display", "Cancel this selection"));
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return std::pair{a->value(), d->value()};
}

}  // namespace cdz
