// The help pages and the help window: contents order, links, and the word search.
#include <QCoreApplication>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QTextBrowser>

#include <fstream>
#include <functional>

#include <gtest/gtest.h>

#include "app/shell/frame/HelpLibrary.h"
#include "app/shell/frame/HelpWindow.h"
#include "tests/support/TempDir.h"

namespace cdz::test {
namespace {

QStringList titles(const std::vector<const HelpPage*>& pages) {
    QStringList out;
    for (const HelpPage* p : pages) out << p->title;
    return out;
}

void page(const TempDir& dir, const char* file, const char* title, const char* body) {
    std::ofstream(dir.path() / file)
        << "<html><head><title>" << title << "</title></head><body>" << body << "</body></html>";
}

TEST(HelpLibrary, ContentsComeFirstThenThePagesInTheOrderItLinksThem) {
    TempDir dir;
    page(dir, "contents.html", "Contents",
         "<a href=\"zebra.html\">Z</a> <a href=\"apple.html\">A</a> <a href=\"zebra.html\">Z</a>");
    page(dir, "apple.html", "Apples", "apple");
    page(dir, "zebra.html", "Zebras", "zebra");
    page(dir, "loose.html", "Loose page", "not linked");
    const HelpLibrary lib(QString::fromStdString(dir.path().string()));
    QStringList files;
    for (const HelpPage& p : lib.pages()) files << p.file;
    EXPECT_EQ(files, (QStringList{"contents.html", "zebra.html", "apple.html", "loose.html"}));
    ASSERT_NE(lib.page("apple.html"), nullptr);
    EXPECT_EQ(lib.page("apple.html")->title, "Apples");
    EXPECT_EQ(lib.page("missing.html"), nullptr);
}

TEST(HelpLibrary, SearchFindsPagesWithAllTheWordsMostMentionsFirst) {
    TempDir dir;
    page(dir, "contents.html", "Contents", "<a href=\"a.html\">A</a><a href=\"b.html\">B</a>");
    page(dir, "a.html", "Cassettes", "A cassette label.");
    page(dir, "b.html", "Labels", "Labels: a <b>CD</b> label, a cassette LABEL, a tray label.");
    page(dir, "c.html", "Songs", "Songs only.");
    const HelpLibrary lib(QString::fromStdString(dir.path().string()));
    struct Case {
        const char* query;
        QStringList expected;
    };
    const Case cases[] = {
        {"label", {"Labels", "Cassettes"}},
        {"CASSETTE   label", {"Labels", "Cassettes"}},  // case and spacing do not matter
        {"cassette zebra", {}},                         // every word must be there
        {"cd label", {"Labels"}},                       // words inside markup are words too
        {"songs", {"Songs"}},                           // the title counts
        {"", {}},
        {"   ", {}},
    };
    for (const Case& c : cases) EXPECT_EQ(titles(lib.search(c.query)), c.expected) << c.query;
}

// A link to a page that does not ship would leave the reader in front of an empty window.
TEST(ShippedHelp, EveryLinkLeadsToAShippedPage) {
    const HelpLibrary lib;
    ASSERT_GE(lib.pages().size(), 10u);
    EXPECT_EQ(lib.pages().front().file, "contents.html");
    ASSERT_NE(lib.page("howtohelp.html"), nullptr);
    const QRegularExpression href("href=\"([^\"#]+)\"");
    for (const HelpPage& p : lib.pages()) {
        EXPECT_FALSE(p.title.isEmpty()) << p.file.toStdString();
        QFile f(":/help/" + p.file);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        const QString html = QString::fromUtf8(f.readAll());
        for (auto it = href.globalMatch(html); it.hasNext();) {
            const QString target = it.next().captured(1);
            if (target.startsWith("http")) continue;
            EXPECT_NE(lib.page(target), nullptr)
                << p.file.toStdString() << " links to " << target.toStdString();
        }
    }
}

TEST(HelpWindow, SearchBoxListsMatchingPagesAndOpensThem) {
    HelpWindow help;
    help.showSearch();
    auto* box = help.findChild<QLineEdit*>("helpSearchBox");
    auto* list = help.findChild<QListWidget*>("helpTopicList");
    ASSERT_NE(box, nullptr);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->count(), static_cast<int>(help.library().pages().size()));

    box->setText("J-card");
    ASSERT_GE(list->count(), 1);
    EXPECT_EQ(list->item(0)->text(), "Labels");
    list->setCurrentRow(0);
    EXPECT_EQ(help.currentPage(), "labels.html");

    box->setText("qwertyuiop");
    ASSERT_EQ(list->count(), 1);
    EXPECT_FALSE(list->item(0)->flags() & Qt::ItemIsSelectable);
    box->clear();
    EXPECT_EQ(list->count(), static_cast<int>(help.library().pages().size()));
}

TEST(HelpWindow, LinksAndBackAndForwardMoveBetweenPages) {
    HelpWindow help;
    help.showContents();
    auto* text = help.findChild<QTextBrowser*>("helpText");
    text->setSource(QUrl("songs.html"));
    EXPECT_EQ(help.currentPage(), "songs.html");
    EXPECT_NE(text->toPlainText().indexOf("user defined key"), -1);
    text->backward();
    EXPECT_EQ(help.currentPage(), "contents.html");
    text->forward();
    EXPECT_EQ(help.currentPage(), "songs.html");
}

// The reader leaves the help window by its Close button or by Escape, wherever the focus is.
TEST(HelpWindow, CloseAndEscapeCloseIt) {
    HelpWindow help;
    auto* closeButton = help.findChild<QPushButton*>("helpCloseButton");
    ASSERT_NE(closeButton, nullptr);
    auto escapeIn = [](QWidget* w) {
        QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QCoreApplication::sendEvent(w, &escape);
    };
    const std::pair<const char*, std::function<void()>> ways[] = {
        {"Close", [&] { closeButton->click(); }},
        {"Escape in the search box",
         [&] { escapeIn(help.findChild<QLineEdit*>("helpSearchBox")); }},
        {"Escape in the page", [&] { escapeIn(help.findChild<QTextBrowser*>("helpText")); }},
    };
    for (const auto& [way, close] : ways) {
        help.showSearch();
        ASSERT_TRUE(help.isVisible()) << way;
        close();
        EXPECT_FALSE(help.isVisible()) << way;
    }
}

}  // namespace
}  // namespace cdz::test
