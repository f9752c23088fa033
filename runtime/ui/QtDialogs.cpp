#include "runtime/ui/QtDialogs.h"

#include <QApplication>
#include <QColorDialog>
#include <QCursor>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <utility>
#include <vector>

#include "runtime/ui/FileFilterList.h"
#include "runtime/ui/FontColourDialog.h"
#include "runtime/ui/PopupMenuText.h"

namespace cdz {

namespace {

QString qs(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

QWidget* parentWidget() {
    return QApplication::activeWindow();
}

QMessageBox::StandardButton standardButton(Button b) {
    switch (b) {
        case Button::Ok:
            return QMessageBox::Ok;
        case Button::Yes:
            return QMessageBox::Yes;
        case Button::No:
            return QMessageBox::No;
        case Button::Abort:
            return QMessageBox::Abort;
        case Button::Retry:
            return QMessageBox::Retry;
        case Button::Ignore:
            return QMessageBox::Ignore;
        case Button::Cancel:
            return QMessageBox::Cancel;
        case Button::None:
            break;
    }
    return QMessageBox::NoButton;
}

QMessageBox::Icon messageIcon(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::Warning:
            return QMessageBox::Warning;
        case MessageIcon::Question:
            return QMessageBox::Question;
        case MessageIcon::Information:
            return QMessageBox::Information;
        case MessageIcon::Error:
            return QMessageBox::Critical;
        case MessageIcon::None:
            break;
    }
    return QMessageBox::NoIcon;
}

}  // namespace

Button QtDialogs::message(std::string_view title, std::string_view text, MessageIcon icon,
                          Buttons buttons, Button defaultButton) {
    const Button escape = escapeButton(buttons, defaultButton);
    if (ending_) return escape;
    QMessageBox box(parentWidget());
    box.setWindowTitle(qs(title));
    box.setIcon(messageIcon(icon));
    // Plain text: a song title such as "<b>" must not be taken for markup.
    box.setTextFormat(Qt::PlainText);
    box.setText(qs(text).replace(u'|', u'\n'));
    std::vector<std::pair<QAbstractButton*, Button>> pressable;
    for (Button b : shownButtons(buttons).list())
        pressable.emplace_back(box.addButton(standardButton(b)), b);
    const Button preset = effectiveDefault(buttons, defaultButton);
    for (const auto& [widget, b] : pressable) {
        if (b == preset) box.setDefaultButton(qobject_cast<QPushButton*>(widget));
        // Set rather than left to Qt, so that closing the box always presses it.
        if (b == escape) box.setEscapeButton(widget);
    }
    Dialogs::shown({DialogKind::Message,
                    std::string(title),
                    std::string(text),
                    icon,
                    buttons,
                    defaultButton,
                    {},
                    {}});
    box.exec();
    for (const auto& [widget, b] : pressable)
        if (widget == box.clickedButton()) return b;
    return escape;
}

std::optional<std::string> QtDialogs::openFile(std::string_view title, std::string_view filterList,
                                               std::string_view startPath) {
    return file(false, title, filterList, startPath);
}

std::optional<std::string> QtDialogs::saveFile(std::string_view title, std::string_view filterList,
                                               std::string_view startPath) {
    return file(true, title, filterList, startPath);
}

std::optional<std::string> QtDialogs::file(bool save, std::string_view title,
                                           std::string_view filterList,
                                           std::string_view startPath) {
    if (ending_) return std::nullopt;
    const auto mode = save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen;
    QFileDialog dialog(parentWidget(), qs(title));
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                       : QFileDialog::AnyFile);
    // The case-blind globs are for matching, not for reading: show only the names.
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    const std::vector<QString> filters = toQtNameFilters(parseFileFilterList(filterList));
    dialog.setNameFilters(QStringList(filters.begin(), filters.end()));
    if (!startPath.empty()) {
        const QFileInfo start(qs(startPath));
        if (start.isDir()) {
            dialog.setDirectory(start.absoluteFilePath());
        } else {
            dialog.setDirectory(start.absolutePath());
            dialog.selectFile(start.fileName());
        }
    }
    Dialogs::shown({save ? DialogKind::SaveFile : DialogKind::OpenFile,
                    std::string(title),
                    std::string(filterList),
                    MessageIcon::None,
                    {},
                    Button::None,
                    std::string(startPath),
                    {}});
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return dialog.selectedFiles().constFirst().toStdString();
}

std::optional<std::string> QtDialogs::chooseFolder(std::string_view title,
                                                   std::string_view startPath) {
    if (ending_) return std::nullopt;
    QFileDialog dialog(parentWidget(), qs(title));
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    if (!startPath.empty()) dialog.setDirectory(qs(startPath));
    Dialogs::shown({DialogKind::Folder,
                    std::string(title),
                    {},
                    MessageIcon::None,
                    {},
                    Button::None,
                    std::string(startPath),
                    {}});
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return dialog.selectedFiles().constFirst().toStdString();
}

std::optional<FontChoice> QtDialogs::font(std::string_view title, const FontChoice& initial) {
    if (ending_) return std::nullopt;
    FontColourDialog dialog(parentWidget(), qs(title), initial.toQFont(QApplication::font()),
                            initial.colour.toQColor());
    Dialogs::shown({DialogKind::Font,
                    std::string(title),
                    {},
                    MessageIcon::None,
                    {},
                    Button::None,
                    initial.toText(),
                    {}});
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return FontChoice::fromQFont(dialog.selectedFont(),
                                 Colour::fromQColor(dialog.selectedColour()));
}

std::optional<Colour> QtDialogs::colour(std::string_view title, Colour initial) {
    if (ending_) return std::nullopt;
    Dialogs::shown({DialogKind::Colour,
                    std::string(title),
                    {},
                    MessageIcon::None,
                    {},
                    Button::None,
                    initial.toString(),
                    {}});
    const QColor start = initial.isNone() ? QColor(Qt::black) : initial.toQColor();
    const QColor picked = QColorDialog::getColor(start, parentWidget(), qs(title));
    if (!picked.isValid()) return std::nullopt;
    return Colour::fromQColor(picked);
}

int QtDialogs::popup(std::string_view text) {
    if (ending_) return 0;
    const std::vector<PopupItem> items = parsePopupText(text);
    QMenu menu(parentWidget());
    menu.setObjectName("popupMenu");
    bool anyItem = false;
    for (const PopupItem& item : items) {
        if (item.separator) {
            menu.addSeparator();
            continue;
        }
        QAction* action = menu.addAction(qs(item.text));
        action->setEnabled(item.enabled);
        action->setCheckable(item.checkable);
        action->setChecked(item.checked);
        action->setData(item.number);
        anyItem = true;
    }
    if (!anyItem) return 0;
    Dialogs::shown(
        {DialogKind::Popup, {}, std::string(text), MessageIcon::None, {}, Button::None, {}, {}});
    const QAction* chosen = menu.exec(QCursor::pos());
    return chosen ? chosen->data().toInt() : 0;
}

void QtDialogs::halt(std::string_view text) {
    if (text.empty() || ending_) return;
    QMessageBox box(QMessageBox::Critical, QApplication::applicationDisplayName(), qs(text),
                    QMessageBox::Ok, parentWidget());
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

void QtDialogs::endAll() {
    ending_ = true;
    // Innermost first: each one closed uncovers the one it was opened over. A widget that would
    // not go ends the loop rather than spinning on it.
    QWidget* last = nullptr;
    for (;;) {
        QWidget* open = QApplication::activePopupWidget();
        if (!open) open = QApplication::activeModalWidget();
        if (!open || open == last) break;
        last = open;
        auto* dialog = qobject_cast<QDialog*>(open);
        // A message box closes through its escape button; other dialogs are cancelled.
        if (dialog && !qobject_cast<QMessageBox*>(open))
            dialog->reject();
        else
            open->close();
    }
}

}  // namespace cdz
