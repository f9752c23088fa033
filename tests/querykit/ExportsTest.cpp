// The exports on the library's own state: saved queries listed, read and deleted, fields
// numbered, and the exported data.
#include "querykit/querykit.h"

#include <QApplication>
#include <QDialog>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

#include "querykit/qwizard/LibraryState.h"
#include "runtime/ui/ScriptedDialogs.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

namespace qk {
namespace {

class ExportsTest : public ::testing::Test {
protected:
    void SetUp() override {
        XR_SETQWFILEPATHS(0, dir.path().string(), "");
        XR_SETQWDIALOGS(&dialogs);
        XR_SETQWHALTHANDLER([this](std::string_view text) { halts.emplace_back(text); });
        XR_SETQWDISPLAYTEXT(302, "All Records");
        XR_SETQWDISPLAYTEXT(303, "Custom Query...");
    }
    void TearDown() override {
        XR_SETQWDIALOGS(nullptr);
        XR_SETQWHALTHANDLER({});
        XR_SETQWFILEPATHS(2);
    }

    int32_t save(const char* cls, const char* description, const char* text) {
        QueryStore& store = libraryState().store;
        store.query() = QueryRec{};
        store.query().ClassName = cls;
        store.query().Description = description;
        store.query().QueryString = text;
        EXPECT_EQ(store.addQuery(), 0);
        return store.query().QueryNo;
    }

    cdz::test::TempDir dir;
    cdz::ScriptedDialogs dialogs;
    std::vector<std::string> halts;
};

struct Listed {
    std::string description;
    int32_t queryNo;
    std::string sortKey;
    bool operator==(const Listed&) const = default;
};

std::vector<Listed> listed(const XRQW_QueriesQueue& q) {
    std::vector<Listed> out;
    for (const auto& e : q) out.push_back({e.Description.str(), e.QueryNo, e.SortKey.str()});
    return out;
}

TEST_F(ExportsTest, FillQueuePutsAllRecordsAndCustomFirst) {
    const int32_t zebra = save("BROWSECADENZIO", "zebra songs", "1");
    const int32_t alpha = save("BROWSECADENZIO", "Alpha", "2");
    save("PRINTDJLIST", "not this class", "3");
    XRQW_QueriesQueue q;
    q.add(XRQW_QueryEntry{});  // freed first

    XR_FILLQWQUEUE(q, "BrowseCadenzio");
    EXPECT_EQ(listed(q), (std::vector<Listed>{{"All Records", 0, "1"},
                                              {"Alpha", alpha, "3ALPHA"},
                                              {"zebra songs", zebra, "3ZEBRA SONGS"}}));
    XR_FILLQWQUEUE(q, "BROWSECADENZIO", 1);
    EXPECT_EQ(listed(q).at(1), (Listed{"Custom Query...", 0, "2"}));
    EXPECT_EQ(q.size(), 4u);
    XR_FILLQWQUEUE(q, "BROWSECADENZIO", 0);  // given as 0: no custom entry
    EXPECT_EQ(q.size(), 3u);
    XR_FILLQWQUEUE(q, "NOBODY");
    EXPECT_EQ(listed(q), (std::vector<Listed>{{"All Records", 0, "1"}}));
}

TEST_F(ExportsTest, GetQueryFillsTheCallersFilter) {
    const int32_t no = save("C", "d", "UPPER(MUS:Artist) = 'ABBA'");
    cdz::Text<1024> filter("old");
    XR_GETQUERY(no, filter);
    EXPECT_EQ(filter, "UPPER(MUS:Artist) = 'ABBA'");
    cdz::Text<10> narrow;
    XR_GETQUERY(no, narrow);
    EXPECT_EQ(narrow, "UPPER(MUS:");
    XR_GETQUERY(no + 1, filter);
    EXPECT_EQ(filter, "");
    filter = "old";
    XR_GETQUERY(0, filter);
    EXPECT_EQ(filter, "");
}

TEST_F(ExportsTest, DeleteQueryConfirmsAndReportsTheOutcome) {
    const int32_t no = save("C", "d", "x");
    dialogs.queue(cdz::Button::Cancel);
    EXPECT_EQ(XR_DELETEQUERY(no), 0);
    dialogs.queue(cdz::Button::Ok);
    EXPECT_EQ(XR_DELETEQUERY(no, 1), 1);
    EXPECT_EQ(XR_DELETEQUERY(no), 0);  // gone: nothing asked
    EXPECT_EQ(dialogs.shown().size(), 2u);
}

TEST_F(ExportsTest, FieldsAreNumberedThroughTheExports) {
    XRQW_FieldsQueue q;
    int32_t error = 0;
    XR_ADDFIELDSQUEUEDATA(q, error,
                          "Title¦0¦ALB:Title¦@s40¦40¦1¦1¦¦¦«Artist¦0¦ALB:Artist¦@s40¦40¦1¦1¦¦¦«");
    ASSERT_EQ(error, 0);
    XR_INITFIELDSQUEUE(q, "PRINTINDEX:ALBUMSBYTITLE");
    ASSERT_EQ(q.size(), 2u);
    EXPECT_EQ(q[0].Label, "Artist");
    EXPECT_EQ(q[0].FieldPointer, 2);
    EXPECT_EQ(q[1].FieldPointer, 1);
    EXPECT_TRUE(std::filesystem::exists(dir.path() / "QUERIES.TPS"));
}

TEST_F(ExportsTest, DefaultStoreIsInTheCurrentFolder) {
    XR_SETQWFILEPATHS(2);
    const std::filesystem::path before = std::filesystem::current_path();
    std::filesystem::current_path(dir.path());
    XRQW_FieldsQueue q;
    q.add(XRQW_FieldEntry{});
    XR_INITFIELDSQUEUE(q, "C");
    std::filesystem::current_path(before);
    EXPECT_TRUE(std::filesystem::exists(dir.path() / "QUERIES.TPS"));
    EXPECT_EQ(q[0].FieldPointer, 1);
}

TEST_F(ExportsTest, ExportedDataAreTheLibrarysVariables) {
    EXPECT_EQ(XRQW_FilePath().str(), dir.path().string() + "/");
    XRQW_FilePath() = (dir.path() / "sub").string();
    XRQW_FileName() = "OTHER.TPS";
    std::filesystem::create_directory(dir.path() / "sub");
    cdz::Text<10> filter;
    XR_GETQUERY(1, filter);  // every store call builds the names first
    EXPECT_TRUE(std::filesystem::exists(dir.path() / "sub" / "OTHER.TPS"));
    XRQW_Response() = -2;
    EXPECT_EQ(libraryState().response, -2);
}

TEST_F(ExportsTest, WizardRunSetsTheResponse) {
    XRQW_FieldsQueue q;
    cdz::Text<1024> filter("old");
    cdz::Text<30> description;
    XRQW_Response() = 5;
    XR_QWIZARD(q, "C", filter, &description, std::nullopt, std::nullopt, 99);
    EXPECT_EQ(XRQW_Response(), 0);  // no query 99: cancelled
    EXPECT_EQ(filter, "old");

    dialogs.queue(cdz::Button::No);  // a new query, not saved
    QTimer::singleShot(0, [] {
        QWidget* w = QApplication::activeModalWidget();
        ASSERT_NE(w, nullptr);
        w->findChild<QPushButton*>("ManualButton")->click();
        w->findChild<QPlainTextEdit*>("ManualText")->setPlainText("1 = 1");
        w->findChild<QPushButton*>("FinishButton")->click();
        if (w->isVisible()) qobject_cast<QDialog*>(w)->reject();
    });
    XR_QWIZARD(q, "C", filter, &description, 1);
    EXPECT_EQ(XRQW_Response(), -1);
    EXPECT_EQ(filter, "1 = 1");
    EXPECT_EQ(description, "1 = 1");
}

}  // namespace
}  // namespace qk
