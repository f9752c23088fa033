// The Qt facade under the offscreen platform: each dialog is found once it is up, acted on the
// way a user would, and what the facade returns is checked.
#include "runtime/ui/QtDialogs.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QFontDatabase>
#include <QJsonDocument>
#include <QJsonObject>
#include <QKeyEvent>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <fstream>
#include <functional>

#include <gtest/gtest.h>

#include "runtime/ui/FontColourDialog.h"
#include "runtime/ui/LoggingDialogs.h"
#include "tests/support/TempDir.h"

namespace cdz {
namespace {

// Runs act on the first visible widget of type T once the facade has put it up. Gives up (and
// closes whatever is modal) after a few seconds so that a failing test cannot hang.
template <typename T>
void whenShown(std::function<void(T*)> act) {
    auto* timer = new QTimer;
    auto* tries = new int(0);
    QObject::connect(timer, &QTimer::timeout, [timer, tries, act] {
        T* found = nullptr;
        if (auto* popup = dynamic_cast<T*>(QApplication::activePopupWidget())) found = popup;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (!found && w->isVisible()) found = dynamic_cast<T*>(w);
        if (!found && ++*tries < 500) return;
        timer->stop();
        timer->deleteLater();
        delete tries;
        if (found) {
            act(found);
        } else if (auto* modal = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            ADD_FAILURE() << "the expected dialog never showed";
            modal->reject();
        }
    });
    timer->start(10);
}

TEST(QtDialogs, MessageBoxShowsTextIconAndButtonsAndReturnsThePress) {
    QtDialogs dialogs;
    QString text, title;
    QMessageBox::Icon icon{};
    int buttons = 0;
    Qt::TextFormat format{};
    whenShown<QMessageBox>([&](QMessageBox* box) {
        text = box->text();
        title = box->windowTitle();
        icon = box->icon();
        buttons = static_cast<int>(box->buttons().size());
        format = box->textFormat();
        box->defaultButton()->click();  // Enter
    });
    EXPECT_EQ(dialogs.message("Invalid Key", "<b>Songs</b> key file is invalid.|Rebuild?",
                              MessageIcon::Question, Button::Yes | Button::No, Button::Yes),
              Button::Yes);
    EXPECT_EQ(title, "Invalid Key");
    EXPECT_EQ(text, "<b>Songs</b> key file is invalid.\nRebuild?");
    EXPECT_EQ(format, Qt::PlainText);
    EXPECT_EQ(icon, QMessageBox::Question);
    EXPECT_EQ(buttons, 2);

    whenShown<QMessageBox>([](QMessageBox* box) { box->button(QMessageBox::Retry)->click(); });
    EXPECT_EQ(dialogs.message("Auto Increment Error", "e", MessageIcon::Warning,
                              Button::Retry | Button::Cancel, Button::Cancel),
              Button::Retry);
}

TEST(QtDialogs, PopupNumbersItemsWithoutSeparators) {
    QtDialogs dialogs;
    std::vector<bool> enabled, checked;
    whenShown<QMenu>([&](QMenu* menu) {
        QList<QAction*> items;
        for (QAction* a : menu->actions())
            if (!a->isSeparator()) items.push_back(a);
        for (QAction* a : items) {
            enabled.push_back(a->isEnabled());
            checked.push_back(a->isChecked());
        }
        menu->setActiveAction(items.at(2));
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QApplication::sendEvent(menu, &enter);
    });
    EXPECT_EQ(dialogs.popup("&Add|~&Change|-|+&Print|-|Search"), 3);
    EXPECT_EQ(enabled, (std::vector<bool>{true, false, true, true}));
    EXPECT_EQ(checked, (std::vector<bool>{false, false, true, false}));

    whenShown<QMenu>([](QMenu* menu) { menu->close(); });
    EXPECT_EQ(dialogs.popup("&Add|&Change"), 0);
    EXPECT_EQ(dialogs.popup("-|-"), 0);  // nothing to show
}

TEST(QtDialogs, FontDialogReturnsFontWithColour) {
    QtDialogs dialogs;
    // The panel offers only the styles a family has: take one with a bold italic.
    QString family;
    for (const QString& f : QFontDatabase::families())
        for (const QString& style : QFontDatabase::styles(f))
            if (family.isEmpty() && QFontDatabase::bold(f, style) &&
                QFontDatabase::italic(f, style))
                family = f;
    if (family.isEmpty()) GTEST_SKIP() << "no font family with a bold italic style";
    const FontChoice initial{family.toStdString(), 13, Colour(),
                             FontChoice::kBold | FontChoice::kItalic};
    whenShown<FontColourDialog>([](FontColourDialog* d) {
        d->setSelectedColour(QColor(0, 0, 255));
        d->accept();
    });
    const auto chosen = dialogs.font("Choose Font", initial);
    ASSERT_TRUE(chosen);
    EXPECT_EQ(chosen->typeface, initial.typeface);
    EXPECT_EQ(chosen->size, 13);
    EXPECT_EQ(chosen->style, initial.style);
    EXPECT_EQ(chosen->colour, Colour::fromValue(0xFF0000));

    whenShown<FontColourDialog>([](FontColourDialog* d) { d->reject(); });
    EXPECT_EQ(dialogs.font("Choose Font", initial), std::nullopt);
}

TEST(QtDialogs, ColourDialogReturnsTheChoice) {
    QtDialogs dialogs;
    whenShown<QColorDialog>([](QColorDialog* d) { d->accept(); });
    EXPECT_EQ(dialogs.colour("Select Color", Colour::fromValue(255)), Colour::fromValue(255));
    whenShown<QColorDialog>([](QColorDialog* d) {
        d->setCurrentColor(QColor(0x10, 0x20, 0x30));
        d->accept();
    });
    EXPECT_EQ(dialogs.colour("Select Color", Colour()), Colour::fromRgb(0x10, 0x20, 0x30));
    whenShown<QColorDialog>([](QColorDialog* d) { d->reject(); });
    EXPECT_EQ(dialogs.colour("Select Color", Colour()), std::nullopt);
}

TEST(QtDialogs, OpenFileStartsAtThePathWithCaseBlindFilters) {
    test::TempDir dir;
    const std::string file = dir.file("songs.csv");
    std::ofstream(file) << "x";
    QtDialogs dialogs;
    QStringList filters;
    QString shownDir;
    whenShown<QFileDialog>([&](QFileDialog* d) {
        filters = d->nameFilters();
        shownDir = d->directory().absolutePath();
        static_cast<QDialog*>(d)->accept();  // QFileDialog's own accept is protected
    });
    EXPECT_EQ(dialogs.openFile("Import File", "Import Files|*.CSV|All Files|*.*", file), file);
    EXPECT_EQ(filters, (QStringList{"Import Files (*.[cC][sS][vV])", "All Files (*)"}));
    EXPECT_EQ(shownDir.toStdString(), dir.path().string());

    whenShown<QFileDialog>([](QFileDialog* d) { d->reject(); });
    EXPECT_EQ(dialogs.saveFile("Export File", "Export Files|*.CSV", dir.path().string()),
              std::nullopt);
}

TEST(QtDialogs, LogRecordsTheBoxWhenShownAndWhatTheUserPressed) {
    test::TempDir dir;
    std::string error;
    auto dialogs = LoggingDialogs::open(std::make_unique<QtDialogs>(), dir.file("log"), error);
    ASSERT_TRUE(dialogs) << error;
    whenShown<QMessageBox>([](QMessageBox* box) { box->button(QMessageBox::No)->click(); });
    EXPECT_EQ(dialogs->message("Update Cancelled", "Save?", MessageIcon::Question,
                               Button::Yes | Button::No | Button::Cancel, Button::No),
              Button::No);
    std::ifstream in(dir.file("log"));
    std::string line;
    // Written before the box waited: a run that hangs on it still shows it.
    ASSERT_TRUE(std::getline(in, line));
    const QJsonObject shown = QJsonDocument::fromJson(QByteArray::fromStdString(line)).object();
    EXPECT_TRUE(shown.value("shown").toBool());
    EXPECT_FALSE(shown.contains("answer"));
    EXPECT_EQ(shown.value("title").toString(), "Update Cancelled");
    ASSERT_TRUE(std::getline(in, line));
    const QJsonObject logged = QJsonDocument::fromJson(QByteArray::fromStdString(line)).object();
    EXPECT_EQ(logged.value("answer").toString(), "No");
    EXPECT_EQ(logged.value("title").toString(), "Update Cancelled");
}

TEST(QtDialogs, EndingClosesTheOpenBoxAsEscapeWouldAndShowsNoMore) {
    QtDialogs dialogs;
    whenShown<QMessageBox>([&](QMessageBox*) { dialogs.endAll(); });
    EXPECT_EQ(dialogs.message("Warning", "Fix the file?", MessageIcon::Question,
                              Button::Yes | Button::No, Button::Yes),
              Button::No);
    // Answered at once from now on, none of them shown.
    EXPECT_EQ(dialogs.message("Record Update Error", "Save again?", MessageIcon::Warning,
                              Button::Yes | Button::No | Button::Cancel, Button::Yes),
              Button::Cancel);
    EXPECT_EQ(
        dialogs.message("File Access Error", "e", MessageIcon::Warning, Button::Ok, Button::Ok),
        Button::Ok);
    EXPECT_EQ(dialogs.openFile("Import File", "Import Files|*.CSV", ""), std::nullopt);
    EXPECT_EQ(dialogs.popup("&Add|&Change"), 0);
    dialogs.halt("Disk Error");
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);

    // A halt box already up closes too, and the halt goes on.
    QtDialogs halting;
    whenShown<QMessageBox>([&](QMessageBox*) { halting.endAll(); });
    halting.halt("Invalid Key!");
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

}  // namespace
}  // namespace cdz
