// The saved-query windows: the browse of a class's queries, the description form, and the two
// question windows, driven through their widgets.
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QTreeView>

#include "querykit/qwizard/SavedQueryWindows.h"
#include "tests/querykit/ModalDriver.h"
#include "tests/querykit/StoreFixture.h"

namespace qk::test {
namespace {

using cdz::Button;
using Act = std::function<void(QWidget*)>;
using Rows = std::vector<std::string>;

QTreeView* listOf(QWidget* w) {
    return w->findChild<QTreeView*>("SavedQueryList");
}

Rows rowsOf(QWidget* w) {
    Rows rows;
    const QAbstractItemModel* m = listOf(w)->model();
    for (int r = 0; r < m->rowCount(); ++r)
        rows.push_back(m->index(r, 0).data().toString().toStdString());
    return rows;
}

void key(QWidget* w, int k, Qt::KeyboardModifiers mods = Qt::NoModifier, QString text = {}) {
    QKeyEvent e(QEvent::KeyPress, k, mods, text);
    QApplication::sendEvent(listOf(w), &e);
}

void type(QWidget* w, const QString& text) {
    for (QChar c : text) key(w, 0, Qt::NoModifier, c);
}

void rightClick(QWidget* w) {
    QContextMenuEvent e(QContextMenuEvent::Keyboard, {5, 5}, listOf(w)->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(listOf(w), &e);
}

void doubleClick(QWidget* w) {
    QTreeView* v = listOf(w);
    const QPoint at = v->visualRect(v->currentIndex()).center();
    for (QEvent::Type t : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease,
                           QEvent::MouseButtonDblClick, QEvent::MouseButtonRelease}) {
        QMouseEvent e(t, at, v->viewport()->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
        QApplication::sendEvent(v->viewport(), &e);
    }
}

Act typeThen(const char* text, const char* button) {
    return [=](QWidget* w) {
        w->findChild<QLineEdit*>("DescriptionEdit")->setText(text);
        click(w, button);
    };
}

class SavedWindowsTest : public StoreFixture {
protected:
    SavedWindowsTest() {
        texts.set(201, "Query Description");
        texts.set(202, "Saved Queries");
        texts.set(220, "Query No Longer Valid");
        texts.set(221, "Edit it first.");
    }

    BrowseOutcome browse(Act act, QueryRequest request = QueryRequest::Select) {
        whenModal(std::move(act));
        return windows->browse("cls", true, request);
    }

    bool describe(QueryRequest request, Act act) {
        whenModal(std::move(act));
        return windows->describe(request);
    }

    // The titles of the dialogs shown from `from` on.
    std::vector<std::string> titlesSince(size_t from) const {
        std::vector<std::string> titles;
        for (size_t i = from; i < dialogs.shown().size(); ++i)
            titles.push_back(dialogs.shown()[i].title);
        return titles;
    }

    std::unique_ptr<SavedQueryWindows> windows = makeSavedQueryWindows(store);
};

TEST_F(SavedWindowsTest, EveryWayOfEndingTheBrowse) {
    saveQuery("CLS", "A");
    const int32_t b = saveQuery("CLS", "B");
    auto button = [](const char* name) { return [name](QWidget* w) { click(w, name); }; };
    struct Case {
        const char* name;
        QueryRequest request;
        const char* popupAnswer;
        Act act;
        BrowseOutcome outcome;
    } cases[] = {
        {"Select", QueryRequest::Select, "", button("SelectButton"), BrowseOutcome::Select},
        {"AND Join", QueryRequest::Select, "", button("AndJoinButton"), BrowseOutcome::AndJoin},
        {"OR Join", QueryRequest::Select, "", button("OrJoinButton"), BrowseOutcome::OrJoin},
        {"Change", QueryRequest::Select, "", button("ChangeButton"), BrowseOutcome::Change},
        {"Insert", QueryRequest::Select, "", button("InsertButton"), BrowseOutcome::Insert},
        {"Close", QueryRequest::Select, "", button("CloseButton"), BrowseOutcome::Cancelled},
        {"Insert key", QueryRequest::Change, "", [](QWidget* w) { key(w, Qt::Key_Insert); },
         BrowseOutcome::Insert},
        {"Ctrl+Enter", QueryRequest::Select, "",
         [](QWidget* w) { key(w, Qt::Key_Return, Qt::ControlModifier); }, BrowseOutcome::Change},
        {"double-click selecting", QueryRequest::Select, "", doubleClick, BrowseOutcome::Select},
        {"double-click otherwise", QueryRequest::Change, "", doubleClick, BrowseOutcome::Change},
        {"popup Change", QueryRequest::Change, "2", rightClick, BrowseOutcome::Change},
        {"popup Select", QueryRequest::Select, "4", rightClick, BrowseOutcome::Select},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (*c.popupAnswer) dialogs.queue(c.popupAnswer);
        const BrowseOutcome got = browse(
            [&](QWidget* w) {
                type(w, "b");
                c.act(w);
            },
            c.request);
        EXPECT_EQ(got, c.outcome);
        if (got != BrowseOutcome::Insert && got != BrowseOutcome::Cancelled) {
            EXPECT_EQ(store.query().QueryNo, b);
        }
    }
    EXPECT_TRUE(dialogs.problems().empty());
}

TEST_F(SavedWindowsTest, WithoutQueriesOnlyInsertActs) {
    bool changeEnabled = true, deleteEnabled = true;
    EXPECT_EQ(browse([&](QWidget* w) {
                  changeEnabled = w->findChild<QPushButton*>("ChangeButton")->isEnabled();
                  deleteEnabled = w->findChild<QPushButton*>("DeleteButton")->isEnabled();
                  rightClick(w);
                  key(w, Qt::Key_Delete);
                  key(w, Qt::Key_Insert);
              }),
              BrowseOutcome::Insert);
    EXPECT_FALSE(changeEnabled);
    EXPECT_FALSE(deleteEnabled);
    ASSERT_EQ(dialogs.shown().size(), 1u);  // the popup, and no delete question
    EXPECT_EQ(dialogs.shown()[0].text, "&Insert|~&Change|~&Delete|~&Select");
}

TEST_F(SavedWindowsTest, AnInvalidQueryCannotBeRunOrJoinedButCanBeChanged) {
    const int32_t q = saveQuery("CLS", "Broken");
    {
        TableUse use(store, StoreTableId::Queries);
        store.readQuery(q);
        store.query().Invalid = 1;
        ASSERT_EQ(store.file(StoreTableId::Queries).put(), 0);
    }
    int stayed = 0;
    EXPECT_EQ(browse([&](QWidget* w) {
                  for (const char* b : {"SelectButton", "AndJoinButton", "OrJoinButton"}) {
                      click(w, b);
                      if (QApplication::activeModalWidget() == w) ++stayed;
                  }
                  click(w, "ChangeButton");
              }),
              BrowseOutcome::Change);
    EXPECT_EQ(stayed, 3);
    EXPECT_EQ(titlesSince(0), Rows(3, "Query No Longer Valid"));
    EXPECT_EQ(lastMessage()->text, "Edit it first.");
    EXPECT_EQ(store.query().QueryNo, q);
}

// The list is read a page at a time; typing finds a description on a later page.
TEST_F(SavedWindowsTest, TypingMovesToTheFirstDescriptionBeginningWithIt) {
    for (int i = 0; i < 45; ++i) saveQuery("CLS", "Item " + std::to_string(100 + i));
    for (const char* d : {"Zulu", "beta two", "Alpha"}) saveQuery("CLS", d);
    size_t firstRead = 0;
    Rows found;
    browse([&](QWidget* w) {
        firstRead = rowsOf(w).size();
        for (const char* typed : {"z", "b", "a", "lx"}) {  // nothing begins with "alx"
            if (typed[1] == '\0') key(w, Qt::Key_Backspace);
            type(w, typed);
            found.push_back(listOf(w)->currentIndex().data().toString().toStdString());
        }
        click(w, "CloseButton");
    });
    EXPECT_LT(firstRead, 45u);
    EXPECT_EQ(found, (Rows{"Zulu", "beta two", "Alpha", "Alpha"}));
}

TEST_F(SavedWindowsTest, TheClassInDescriptionOrderLosesALineOnceItsDeleteIsConfirmed) {
    saveQuery("CLS", "B");
    const int32_t a = saveQuery("CLS", "A", {{1, 0}});
    saveQuery("OTHER", "C");
    Rows before, afterCancel, afterOk;
    QString title, header;
    dialogs.queue(Button::Cancel);
    dialogs.queue(Button::Ok);
    browse([&](QWidget* w) {
        title = w->windowTitle();
        header = listOf(w)->model()->headerData(0, Qt::Horizontal).toString();
        before = rowsOf(w);
        click(w, "DeleteButton");
        afterCancel = rowsOf(w);
        click(w, "DeleteButton");
        afterOk = rowsOf(w);
        click(w, "CloseButton");
    });
    EXPECT_EQ(title, "Saved Queries");
    EXPECT_EQ(header, "Query Description");
    EXPECT_EQ(before, (Rows{"A", "B"}));
    EXPECT_EQ(afterCancel, before);
    EXPECT_EQ(afterOk, Rows{"B"});
    EXPECT_EQ(queryRecord(a).QueryNo, 0);
    EXPECT_TRUE(elementsOf(a).empty());
}

TEST_F(SavedWindowsTest, AddingAQueryEndsWrittenOrLeavesNothingBehind) {
    struct Case {
        const char* name;
        Act act;
        Button answer;  // to the question on cancelling, when asked
        bool written;
        Rows titles;  // the dialogs shown
    } cases[] = {
        {"OK", typeThen("Mine", "OkButton"), Button::None, true, {}},
        {"OK without a description",
         [](QWidget* w) {
             typeThen("  ", "OkButton")(w);
             typeThen("Mine", "OkButton")(w);
         },
         Button::None,
         true,
         {"Description Required"}},
        {"Cancel untouched", typeThen("", "CancelButton"), Button::None, false, {}},
        {"Cancel typed, not saved",
         typeThen("Mine", "CancelButton"),
         Button::No,
         false,
         {"Update Cancelled"}},
        {"Cancel typed, saved",
         typeThen("Mine", "CancelButton"),
         Button::Yes,
         true,
         {"Update Cancelled"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const size_t before = dialogs.shown().size();
        if (c.answer != Button::None) dialogs.queue(c.answer);
        store.query() = QueryRec{};
        store.query().ClassName = "CLS";
        store.query().QueryString = "A = 1";
        EXPECT_EQ(describe(QueryRequest::Insert, c.act), c.written);
        EXPECT_EQ(titlesSince(before), c.titles);
        const QueryRec saved = queryRecord(1);
        EXPECT_EQ(saved.QueryNo, c.written ? 1 : 0);
        if (c.written) {
            EXPECT_EQ(saved.Description, "Mine");
            EXPECT_EQ(saved.QueryString, "A = 1");
            ASSERT_EQ(store.deleteQuery(1), 0);
        }
    }
}

TEST_F(SavedWindowsTest, ChangingTellsOfAnotherStationsChangeAndThenWrites) {
    const int32_t q = saveQuery("CLS", "Old");
    DisplayTexts otherTexts;
    StoreNames otherNames;
    otherNames.setFilePaths(0, dir.path().string(), std::nullopt);
    QueryStore other(otherNames, messages, otherTexts);

    store.query() = queryRecord(q);
    store.query().QueryString = "B = 2";  // what the wizard designed
    bool stayed = false;
    EXPECT_TRUE(describe(QueryRequest::Change, [&](QWidget* w) {
        {
            TableUse use(other, StoreTableId::Queries);
            other.readQuery(q);
            other.query().Description = "Theirs";
            other.file(StoreTableId::Queries).put();
        }
        typeThen("New", "OkButton")(w);
        stayed = QApplication::activeModalWidget() == w;
        click(w, "OkButton");
    }));
    EXPECT_TRUE(stayed);
    EXPECT_EQ(lastMessage()->text, "This record was changed by another station.");
    const QueryRec saved = queryRecord(q);
    EXPECT_EQ(saved.Description, "New");
    EXPECT_EQ(saved.QueryString, "B = 2");
}

TEST(QuestionWindowsTest, EachButtonGivesItsValueAndClosingGivesNone) {
    struct Case {
        uint8_t (*question)();
        const char* button;  // nullptr: the window is closed
        uint8_t value;
    } cases[] = {
        {XR_QWPREACTION, "SelectSavedButton", 1}, {XR_QWPREACTION, "CreateNewButton", 2},
        {XR_QWPREACTION, "NoQueryButton", 3},     {XR_QWPREACTION, nullptr, 0},
        {XR_QWASKAPPEND, "NoJoinButton", 0},      {XR_QWASKAPPEND, "AndJoinButton", 30},
        {XR_QWASKAPPEND, "OrJoinButton", 40},     {XR_QWASKAPPEND, nullptr, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.button ? c.button : "closed");
        whenModal([&](QWidget* w) { c.button ? click(w, c.button) : void(w->close()); });
        EXPECT_EQ(c.question(), c.value);
    }
}

}  // namespace
}  // namespace qk::test
