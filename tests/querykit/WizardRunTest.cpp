// A whole wizard run: the saved-queries browse's outcomes, the window driven through its
// controls, Finish with its checks and questions, saving, joining and the exit values.
#include "querykit/qwizard/WizardRun.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QTreeWidget>
#include <functional>

#include "querykit/qwizard/SavedElements.h"
#include "tests/querykit/SongFields.h"
#include "tests/querykit/StoreFixture.h"

namespace qk::test {
namespace {

using cdz::Button;

// The saved-query windows as a script: the browse ends as told with query `chosen` in the
// buffer, the description form gives `description`, the join question answers `join`.
class ScriptedWindows final : public SavedQueryWindows {
public:
    explicit ScriptedWindows(QueryStore& store) : store_(store) {}

    BrowseOutcome browse(std::string_view, bool allowJoin, QueryRequest) override {
        calls.push_back(allowJoin ? "browse with joins" : "browse");
        TableUse queries(store_, StoreTableId::Queries);
        store_.readQuery(chosen);
        return outcome;
    }
    bool describe(QueryRequest request) override {
        calls.push_back(request == QueryRequest::Insert ? "insert" : "change");
        if (description.empty()) return false;  // cancelled
        store_.query().Description = description;
        return (request == QueryRequest::Insert ? store_.addQuery() : store_.changeQuery()) == 0;
    }
    JoinChoice askAppend() override {
        calls.push_back("join?");
        return join;
    }

    BrowseOutcome outcome = BrowseOutcome::Cancelled;
    int32_t chosen = 0;
    std::string description = "My songs";
    JoinChoice join = JoinChoice::None;
    std::vector<std::string> calls;

private:
    QueryStore& store_;
};

class WizardRunTest : public StoreFixture {
protected:
    WizardRunTest() {
        const std::pair<int, const char*> kTexts[] = {
            {1, "Is Equal To"},      {7, "Begins With"},       {31, "ErrorLoadingQuery"},
            {32, "Cannot load"},     {33, "Invalid Query"},    {34, "Designed query is invalid"},
            {35, "Overwrite Query"}, {36, "Overwrite?"},       {37, "Query No Longer Valid"},
            {38, "Fields renamed"},  {39, "Restricted Query"}, {40, "May not be modified"},
            {41, "Save Query"},      {42, "Save it?"},         {163, "(New Query)"},
        };
        for (const auto& [n, t] : kTexts) texts.set(n, t);
        bindSong(bindings, song);
    }

    // Every scripted answer was taken by the box it was meant for.
    void TearDown() override {
        EXPECT_TRUE(dialogs.problems().empty());
        EXPECT_EQ(dialogs.pending(), 0u);
    }

    int32_t run(WizardRequest r = {}) {
        r.fields = &fields;
        r.className = "BrowseCadenzio";
        r.filter = &filter;
        if (r.description == nullptr) r.description = &description;
        return WizardRun(store, texts, messages, &bindings, windows).run(r);
    }

    // Runs `steps` on the wizard's window once it has opened; a window the steps leave open
    // is cancelled and the test fails.
    void whenOpen(std::function<void(QWidget*)> steps) {
        QTimer::singleShot(0, [steps] {
            QTimer::singleShot(0, [steps] {
                auto* w = qobject_cast<QDialog*>(QApplication::activeModalWidget());
                ASSERT_NE(w, nullptr);
                titles.push_back(w->windowTitle().toStdString());
                steps(w);
                if (w->isVisible()) {
                    ADD_FAILURE() << "the wizard stayed open";
                    w->reject();
                }
            });
        });
    }

    static void click(QWidget* w, const char* name) {
        auto* b = w->findChild<QPushButton*>(name);
        ASSERT_NE(b, nullptr) << name;
        ASSERT_TRUE(b->isVisible()) << name;
        b->click();
    }
    // Title Begins With `value`, through the pages.
    static void designTitleBeginsWith(QWidget* w, const QString& value) {
        w->findChild<QListWidget*>("FieldList")->setCurrentRow(kTitle - 1);
        click(w, "NextButton");
        w->findChild<QListWidget*>("OperatorList")->setCurrentRow(op::kBeginsWith - 1);
        click(w, "NextButton");
        w->findChild<QLineEdit*>("ValueEntry")->setText(value);
        click(w, "NextButton");
    }
    std::vector<std::string> messageTitles() const {
        std::vector<std::string> out;
        for (const auto& d : dialogs.shown()) out.push_back(d.title);
        return out;
    }

    static inline std::vector<std::string> titles;
    SongRecord song;
    cdz::Bindings bindings;
    XRQW_FieldsQueue fields = songFields();
    ScriptedWindows windows{store};
    cdz::Text<1024> filter{"MUS:Year > 1"};
    cdz::Text<30> description{"Earlier"};
};

int32_t saveManual(QueryStore& store, const char* text, uint8_t invalid = 0) {
    TableUse use(store, StoreTableId::Queries);
    store.query() = QueryRec{};
    store.query().ClassName = "BROWSECADENZIO";
    store.query().Description = "Typed";
    store.query().Manual = 1;
    store.query().Invalid = invalid;
    store.query().QueryString = text;
    EXPECT_EQ(store.addQuery(), 0);
    return store.query().QueryNo;
}

TEST_F(WizardRunTest, BrowseOutcomesEndTheRunAtOnce) {
    const int32_t saved = saveManual(store, "MUS:Year = 1985");
    struct Case {
        BrowseOutcome outcome;
        int filterWidth;
        bool noManual;
        int32_t response;
        const char* filter;
        const char* description;
        const char* message;
    };
    const Case cases[] = {
        {BrowseOutcome::Select, 1024, false, saved, "MUS:Year = 1985", "Typed", ""},
        {BrowseOutcome::AndJoin, 1024, false, kCombined, "(MUS:Year > 1) AND (MUS:Year = 1985)",
         "(Earlier) AND (Typed)", ""},
        {BrowseOutcome::OrJoin, 20, false, saved, "MUS:Year = 1985", "Typed",
         "Query String Too Small"},
        {BrowseOutcome::Cancelled, 1024, false, kCancelled, "MUS:Year > 1", "Earlier", ""},
        {BrowseOutcome::Change, 1024, true, kCancelled, "MUS:Year > 1", "Earlier",
         "Restricted Query"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.outcome));
        windows.outcome = c.outcome;
        windows.chosen = saved;
        cdz::Text<1024> wide{"MUS:Year > 1"};
        cdz::Text<20> narrow{"MUS:Year > 1"};
        cdz::TextField& f = c.filterWidth == 20 ? static_cast<cdz::TextField&>(narrow) : wide;
        description = "Earlier";
        const std::size_t shown = dialogs.shown().size();
        WizardRequest r;
        r.fields = &fields;
        r.className = "BROWSECADENZIO";
        r.filter = &f;
        r.description = &description;
        r.noManual = c.noManual;
        r.allowCombine = true;
        EXPECT_EQ(WizardRun(store, texts, messages, &bindings, windows).run(r), c.response);
        EXPECT_EQ(f.clipped(), c.filter);
        EXPECT_EQ(description.clipped(), c.description);
        EXPECT_EQ(dialogs.shown().size() - shown, *c.message ? 1u : 0u);
        if (*c.message) {
            EXPECT_EQ(lastMessage()->title, c.message);
        }
    }
    EXPECT_EQ(windows.calls.front(), "browse with joins");
}

TEST_F(WizardRunTest, OpeningASavedQueryThatCannotBeUsed) {
    const int32_t manual = saveManual(store, "MUS:Year = 1985");
    WizardRequest r;
    r.openQueryNo = manual + 1;
    EXPECT_EQ(run(r), kCancelled);
    r.openQueryNo = manual;
    r.noManual = true;
    EXPECT_EQ(run(r), kCancelled);
    EXPECT_EQ(messageTitles(), (std::vector<std::string>{"ErrorLoadingQuery", "Restricted Query"}));
    EXPECT_EQ(filter.clipped(), "MUS:Year > 1");
    EXPECT_TRUE(windows.calls.empty());
}

TEST_F(WizardRunTest, DesignedQueryIsSavedAndOpenedAgain) {
    WizardRequest r;
    r.noBrowse = true;
    dialogs.queue(Button::Yes);  // save it
    whenOpen([](QWidget* w) {
        EXPECT_FALSE(w->findChild<QPushButton*>("FinishButton")->isVisible());
        designTitleBeginsWith(w, QString::fromUtf8("Don't \xF0\x9F\x8E\xB8"));
        click(w, "FinishButton");
    });
    const int32_t no = run(r);
    ASSERT_GT(no, 0);
    const char* text = "UPPER(SUB(MUS:Title,1,7)) = 'DON''T \xF0\x9F\x8E\xB8'";
    EXPECT_EQ(filter.clipped(), text);
    EXPECT_EQ(description.clipped(), "My songs");
    EXPECT_EQ(queryRecord(no).QueryString.clipped(), text);
    EXPECT_EQ(queryRecord(no).Manual, 0);
    EXPECT_EQ(elementsOf(no), (std::vector<std::pair<int32_t, int32_t>>{{30, 0}}));

    // Opened again: the condition list, changed, saved over the same query.
    r.openQueryNo = no;
    dialogs.queue(Button::Yes);  // save it
    dialogs.queue(Button::Yes);  // over the one opened
    windows.description = "Mine";
    whenOpen([](QWidget* w) {
        auto* list = w->findChild<QTreeWidget*>("ConditionList");
        ASSERT_EQ(list->topLevelItemCount(), 1);
        EXPECT_EQ(list->topLevelItem(0)->text(0).toStdString(),
                  "Title Begins With Don't \xF0\x9F\x8E\xB8");
        click(w, "AndButton");
        designTitleBeginsWith(w, "x");
        EXPECT_EQ(list->topLevelItem(0)->text(1).toStdString(), "AND");
        click(w, "FinishButton");
    });
    EXPECT_EQ(run(r), no);
    EXPECT_EQ(titles.back(), "My songs");
    EXPECT_EQ(description.clipped(), "Mine");
    EXPECT_EQ(elementsOf(no).size(), 2u);
    EXPECT_EQ(windows.calls, (std::vector<std::string>{"insert", "change"}));
    EXPECT_EQ(messageTitles(),
              (std::vector<std::string>{"Save Query", "Save Query", "Overwrite Query"}));
}

TEST_F(WizardRunTest, FinishRefusesATextThatDoesNotEvaluate) {
    WizardRequest r;
    r.noBrowse = true;
    r.allowCombine = true;
    dialogs.queue(Button::Ok);  // the text is invalid
    dialogs.queue(Button::No);  // not saved
    windows.join = JoinChoice::Or;
    whenOpen([](QWidget* w) {
        click(w, "ManualButton");
        auto* text = w->findChild<QPlainTextEdit*>("ManualText");
        text->setPlainText("MUS:Nothing = 1");
        click(w, "FinishButton");
        ASSERT_TRUE(w->isVisible());  // refused: still designing
        text->setPlainText("MUS:Year = ");
        text->moveCursor(QTextCursor::End);
        auto* fieldList = w->findChild<QListWidget*>("ManualFieldList");
        fieldList->setCurrentRow(kLength - 1);
        emit fieldList->itemClicked(fieldList->item(kLength - 1));
        click(w, "FinishButton");
    });
    EXPECT_EQ(run(r), kCombined);
    EXPECT_EQ(filter.clipped(), "(MUS:Year > 1) OR (MUS:Year = MUS:Length)");
    EXPECT_EQ(description.clipped(), "(Earlier) OR (<Unsaved Query>)");
    EXPECT_EQ(messageTitles(), (std::vector<std::string>{"Invalid Query", "Save Query"}));
    EXPECT_EQ(titles.back(), "(New Query)");
}

TEST_F(WizardRunTest, CancelledDescriptionGoesBackToTheWizard) {
    const int32_t invalid = saveManual(store, "MUS:Year = 1", 1);
    windows.outcome = BrowseOutcome::Change;
    windows.chosen = invalid;
    windows.description.clear();
    dialogs.queue(Button::Ok);   // no longer valid
    dialogs.queue(Button::Yes);  // save it
    dialogs.queue(Button::No);   // as a new query
    whenOpen([](QWidget* w) {
        EXPECT_FALSE(w->findChild<QPushButton*>("ManualButton")->isVisible());
        EXPECT_EQ(w->findChild<QPlainTextEdit*>("ManualText")->toPlainText(), "MUS:Year = 1");
        click(w, "FinishButton");
        ASSERT_TRUE(w->isVisible());
        click(w, "CancelButton");
    });
    EXPECT_EQ(run(), kCancelled);
    EXPECT_EQ(filter.clipped(), "MUS:Year > 1");
    EXPECT_EQ(messageTitles(),
              (std::vector<std::string>{"Query No Longer Valid", "Save Query", "Overwrite Query"}));
    EXPECT_EQ(windows.calls, (std::vector<std::string>{"browse", "insert"}));
}

}  // namespace
}  // namespace qk::test
