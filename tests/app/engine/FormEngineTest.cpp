// The form engine on real files with scripted answers: numbering, inserts and their duplicates,
// changes detected field by field and memo by memo, deletions asked first, a cancelled insert
// leaving nothing behind, and Ditto.
#include <sqlite3.h>

#include <gtest/gtest.h>

#include "app/engine/form/FormEngine.h"
#include "tests/support/StateFixture.h"

namespace cdz::test {
namespace {

using F = CatalogueFile;

FormDeclaration categories() {
    FormDeclaration d;
    d.file = F::Categories;
    d.numberKey = "CAT:KeyCategoryID";
    d.numberField = "CAT:CategoryID";
    d.uniqueKeys = {{"CAT:KeyCategoryID", "CAT:KeyCategoryID"},
                    {"CAT:KeyCategory", "CAT:KeyCategory"}};
    d.ditto = true;
    return d;
}

FormDeclaration media() {
    FormDeclaration d;
    d.file = F::Media;
    d.uniqueKeys = {{"MED:KeyMedia", "MED:KeyMedia"}};
    return d;
}

FormDeclaration songs() {
    FormDeclaration d;
    d.file = F::Cadenzio;
    d.numberKey = "MUS:KeyID";
    d.numberField = "MUS:ID";
    d.updateFlag = Integrity::kSongForm;
    return d;
}

class FormEngineTest : public ::testing::Test {
protected:
    FormEngineTest() : files(cat(), {F::Categories, F::Media, F::Cadenzio}) {}

    Catalogue& cat() { return f.state->catalogue(); }
    DataFile& file(F which) { return cat().file(which); }

    void addCategory(int id, const char* name) {
        cat().category().CategoryID = id;
        cat().category().Category = name;
        ASSERT_EQ(file(F::Categories).add(), 0);
    }
    void addMedia(const char* name) {
        cat().media().Media = name;
        ASSERT_EQ(file(F::Media).add(), 0);
    }
    // Loads a record as a browse does before a change or a delete: watched.
    void load(F which, int key) {
        file(which).watch();
        ASSERT_EQ(file(which).get(key), 0);
    }
    // Every category as "id name", in number order.
    std::vector<std::string> categoryList() {
        std::vector<std::string> out;
        DataFile& c = file(F::Categories);
        EXPECT_EQ(c.set(CategoryRecord::KeyCategoryID), 0);
        while (c.next() == 0) {
            out.push_back(std::to_string(cat().category().CategoryID.toInt()) + " " +
                          cat().category().Category.str());
        }
        return out;
    }
    std::vector<std::string> titles() {
        std::vector<std::string> out;
        for (const auto& d : f.dialogs->shown()) out.push_back(d.title);
        return out;
    }
    // A form engine started as a browse calls it, with `r`; *started is what start() said.
    std::unique_ptr<FormEngine> form(FormDeclaration d, Request r, bool* started) {
        auto engine = std::make_unique<FormEngine>(*f.state, std::move(d));
        f.state->call(r, [&] { *started = engine->start(); });
        return engine;
    }

    StateFixture f;
    FileUse files;
};

TEST_F(FormEngineTest, ANewCategoryTakesTheHighestNumberPlusOne) {
    struct Case {
        std::vector<int> stored;
        int expected;
    };
    for (const Case& c : {Case{{}, 1}, Case{{1, 5}, 6}, Case{{3}, 4}}) {
        StateFixture fresh;
        FileUse use(fresh.state->catalogue(), {F::Categories});
        for (int id : c.stored) {
            fresh.state->catalogue().category().CategoryID = id;
            fresh.state->catalogue().category().Category = "c" + std::to_string(id);
            ASSERT_EQ(fresh.state->catalogue().file(F::Categories).add(), 0);
        }
        fresh.state->catalogue().file(F::Categories).clearBuffer();
        FormEngine engine(*fresh.state, categories());
        bool started = false;
        fresh.state->call(Request::Insert, [&] { started = engine.start(); });
        ASSERT_TRUE(started);
        EXPECT_EQ(fresh.state->catalogue().category().CategoryID.toInt(), c.expected);
        fresh.state->catalogue().category().Category = "new";
        EXPECT_TRUE(engine.ok());
        EXPECT_EQ(engine.finish(), Response::Completed);
        EXPECT_EQ(fresh.state->catalogue().file(F::Categories).records(),
                  static_cast<int64_t>(c.stored.size()) + 1);
    }
}

TEST_F(FormEngineTest, ACancelledInsertLeavesNoRecord) {
    addCategory(1, "Rock");
    file(F::Categories).clearBuffer();
    bool engineStarted = false;
    auto engine = form(categories(), Request::Insert, &engineStarted);
    ASSERT_TRUE(engineStarted);
    EXPECT_EQ(file(F::Categories).records(), 2);  // the reserved record
    cat().category().Category = "typed";
    engine->cancel();
    EXPECT_EQ(engine->finish(), Response::Cancelled);
    EXPECT_EQ(f.state->response(), Response::Cancelled);
    EXPECT_EQ(categoryList(), std::vector<std::string>{"1 Rock"});
}

// A process killed with its form open leaves its blank reserved record; the next form numbers
// past it and writes its own record, not that one.
TEST_F(FormEngineTest, AReservedRecordLeftBehindIsNotTakenForAnotherRecord) {
    addCategory(1, "Rock");
    addCategory(2, "");
    file(F::Categories).clearBuffer();
    bool engineStarted = false;
    auto engine = form(categories(), Request::Insert, &engineStarted);
    ASSERT_TRUE(engineStarted);
    EXPECT_EQ(cat().category().CategoryID.toInt(), 3);
    // Another window reads the file while the form is open: "Rock" becomes the current record.
    ASSERT_EQ(file(F::Categories).set(), 0);
    ASSERT_EQ(file(F::Categories).next(), 0);
    cat().category().CategoryID = 3;
    cat().category().Category = "Jazz";
    EXPECT_TRUE(engine->ok());
    engine->finish();
    EXPECT_EQ(categoryList(), (std::vector<std::string>{"1 Rock", "2 ", "3 Jazz"}));
}

TEST_F(FormEngineTest, ADuplicateNameKeepsTheFormOpenAndNamesTheKey) {
    struct Case {
        FormDeclaration decl;
        F which;
        std::string key;
    };
    addCategory(1, "Rock");
    addMedia("CD");
    addMedia("LP");
    for (const Case& c : {Case{categories(), F::Categories, "CAT:KeyCategory"},
                          Case{media(), F::Media, "MED:KeyMedia"}}) {
        SCOPED_TRACE(c.key);
        const int64_t before = file(c.which).records();
        // The browse's highlighted record is the one duplicated.
        load(c.which, 0);
        file(c.which).clearBuffer();
        bool engineStarted = false;
        auto engine = form(c.decl, Request::Insert, &engineStarted);
        ASSERT_TRUE(engineStarted);
        const char* typed = c.which == F::Media ? "CD" : "Rock";
        file(c.which)
            .decl()
            .column(c.which == F::Media ? "MED:Media" : "CAT:Category")
            ->text(file(c.which).record()) = typed;
        EXPECT_FALSE(engine->ok());
        EXPECT_EQ(f.lastMessage(),
                  "Adding this record creates a duplicate entry for the key:" + c.key);
        EXPECT_EQ(file(c.which)
                      .decl()
                      .column(c.which == F::Media ? "MED:Media" : "CAT:Category")
                      ->toString(file(c.which).record()),
                  typed);
        file(c.which)
            .decl()
            .column(c.which == F::Media ? "MED:Media" : "CAT:Category")
            ->text(file(c.which).record()) = "Other";
        EXPECT_TRUE(engine->ok());
        EXPECT_EQ(engine->finish(), Response::Completed);
        EXPECT_EQ(file(c.which).records(), before + 1);
    }
}

// Changing nothing writes nothing: a write would meet the other station's change.
TEST_F(FormEngineTest, AnUnchangedChangeWritesNothing) {
    addCategory(1, "Rock");
    cat().category().CategoryID = 1;
    load(F::Categories, CategoryRecord::KeyCategoryID);
    bool engineStarted = false;
    auto engine = form(categories(), Request::Change, &engineStarted);
    ASSERT_TRUE(engineStarted);
    {
        Catalogue other(f.dir.path());
        ASSERT_EQ(other.use(F::Categories), 0);
        other.category().CategoryID = 1;
        ASSERT_EQ(other.file(F::Categories).get(0), 0);
        other.category().Category = "Theirs";
        ASSERT_EQ(other.file(F::Categories).put(), 0);
    }
    EXPECT_TRUE(engine->ok());
    EXPECT_EQ(engine->finish(), Response::Completed);
    EXPECT_TRUE(f.dialogs->shown().empty());
    EXPECT_EQ(categoryList(), std::vector<std::string>{"1 Theirs"});
}

TEST_F(FormEngineTest, AChangeOfOneMemoIsWritten) {
    file(F::Cadenzio).clearBuffer();
    cat().song().Title = "Song";
    ASSERT_EQ(file(F::Cadenzio).add(), 0);
    const int32_t id = cat().song().ID;
    load(F::Cadenzio, SongRecord::KeyID);
    bool engineStarted = false;
    auto engine = form(songs(), Request::Change, &engineStarted);
    ASSERT_TRUE(engineStarted);
    cat().song().PerformanceNotes = "live take";
    EXPECT_TRUE(engine->ok());
    engine->finish();
    file(F::Cadenzio).clearBuffer();
    cat().song().ID = id;
    ASSERT_EQ(file(F::Cadenzio).get(SongRecord::KeyID), 0);
    EXPECT_EQ(cat().song().PerformanceNotes, "live take");
}

// Warning 32 first; Cancel keeps the record. A refused deletion asks to try again.
TEST_F(FormEngineTest, DeletingAsksFirstAndReportsARefusal) {
    struct Case {
        std::vector<std::string> answers;
        Response response;
        int64_t mediaLeft;
        std::vector<std::string> titles;
    };
    addMedia("LP");
    addMedia("CD");
    file(F::Cadenzio).clearBuffer();
    cat().song().Media = "CD";
    ASSERT_EQ(file(F::Cadenzio).add(), 0);
    const std::vector<Case> cases{
        {{"Cancel"}, Response::Cancelled, 2, {"Confirm Delete"}},
        {{"Ok", "No"},
         Response::Cancelled,
         2,
         {"Confirm Delete", "Referential Integrity Delete Error", "Record Update Error"}},
        {{"Ok"}, Response::Completed, 1, {"Confirm Delete"}},
    };
    const char* names[] = {"LP", "CD", "LP"};
    for (size_t i = 0; i < cases.size(); ++i) {
        SCOPED_TRACE(i);
        const size_t before = f.dialogs->shown().size();
        for (const auto& a : cases[i].answers) f.dialogs->queue(a);
        cat().media().Media = names[i];
        load(F::Media, 0);
        bool engineStarted = false;
        auto engine = form(media(), Request::Delete, &engineStarted);
        EXPECT_FALSE(engineStarted);
        EXPECT_EQ(engine->finish(), cases[i].response);
        EXPECT_EQ(file(F::Media).records(), cases[i].mediaLeft);
        std::vector<std::string> shown = titles();
        EXPECT_EQ(std::vector<std::string>(shown.begin() + static_cast<long>(before), shown.end()),
                  cases[i].titles);
    }
}

// When the number cannot be reserved the user may retry; giving up opens no window and leaves
// no record.
TEST_F(FormEngineTest, NumberingThatKeepsFailingAsksToRetry) {
    {
        sqlite3* db = nullptr;
        ASSERT_EQ(sqlite3_open((f.dir.path() / "CDZCAT.tps").c_str(), &db), SQLITE_OK);
        ASSERT_EQ(sqlite3_exec(db,
                               "CREATE TRIGGER refuse BEFORE INSERT ON Categories "
                               "BEGIN SELECT RAISE(ABORT, 'full'); END",
                               nullptr, nullptr, nullptr),
                  SQLITE_OK);
        sqlite3_close(db);
    }
    f.dialogs->queue("Retry");
    f.dialogs->queue("Cancel");
    file(F::Categories).clearBuffer();
    bool engineStarted = false;
    auto engine = form(categories(), Request::Insert, &engineStarted);
    EXPECT_FALSE(engineStarted);
    EXPECT_EQ(engine->finish(), Response::Cancelled);
    EXPECT_EQ(titles(), (std::vector<std::string>{"Auto Increment Error", "Auto Increment Error"}));
    EXPECT_EQ(file(F::Categories).records(), 0);
}

TEST_F(FormEngineTest, DittoRecallsTheLastCompletedRecord) {
    file(F::Categories).clearBuffer();
    bool firstStarted = false;
    auto first = form(categories(), Request::Insert, &firstStarted);
    ASSERT_TRUE(firstStarted);
    EXPECT_TRUE(first->ditto("CAT:Category"));  // nothing completed yet: blank
    EXPECT_EQ(cat().category().Category, "");
    cat().category().Category = "Blues";
    ASSERT_TRUE(first->ok());
    first->finish();
    file(F::Categories).clearBuffer();
    bool secondStarted = false;
    auto second = form(categories(), Request::Insert, &secondStarted);
    ASSERT_TRUE(secondStarted);
    EXPECT_TRUE(second->ditto("CAT:Category"));
    EXPECT_EQ(cat().category().Category, "Blues");
    EXPECT_EQ(cat().category().CategoryID.toInt(), 2);  // the number is not recalled
    second->cancel();
}

TEST_F(FormEngineTest, ChecksRunInControlOrderAndStopAtTheFirstFailure) {
    addMedia("CD");
    file(F::Cadenzio).clearBuffer();
    FormEngine engine(*f.state, songs());
    std::vector<int> focused;
    engine.setChecks({FieldCheck::none(), FieldCheck::range("MUS:ChartNumber", 0, 100),
                      FieldCheck::inFile("MUS:Media", F::Media, "MED:KeyMedia")});
    bool started = false;
    f.state->call(Request::Insert, [&] { started = engine.start(); });
    ASSERT_TRUE(started);
    cat().song().ChartNumber = 101;
    cat().song().Media = "Tape";
    EXPECT_FALSE(engine.ok());
    EXPECT_EQ(f.lastMessage(), "The value of MUS:ChartNumber must be between 0 and 100.");
    cat().song().ChartNumber = 100;
    EXPECT_FALSE(engine.ok());
    EXPECT_EQ(f.lastMessage(), "The value for MUS:Media must be found in the Media file.");
    cat().song().Media = "CD";
    EXPECT_TRUE(engine.ok());
    EXPECT_EQ(f.dialogs->shown().size(), 2u);
}

}  // namespace
}  // namespace cdz::test
