// Several stations (processes) on one store: numbering new queries, the auto-number question,
// and the field-list update waiting for, or giving up on, another station's locks.
#include <QApplication>
#include <QEvent>
#include <QObject>

#include <set>

#include "querykit/qwizard/BusyNotice.h"
#include "querykit/qwizard/FieldListUpdate.h"
#include "querykit/savedqueries/DeleteRequest.h"
#include "runtime/data/TableLock.h"
#include "tests/querykit/StoreFixture.h"

namespace qk::test {
namespace {

using cdz::Button;
namespace err = cdz::err;

// What a station needs of its own: dialogs that keep answering Retry, and its own store.
struct OtherStation {
    explicit OtherStation(const std::filesystem::path& folder) {
        names.setFilePaths(0, folder.string(), std::nullopt);
        for (int i = 0; i < 1000; ++i) dialogs.queue(Button::Retry);
        messages.setDialogs(&dialogs);
        messages.setHaltHandler([](std::string_view) { _exit(90); });
    }
    cdz::ScriptedDialogs dialogs;
    DisplayTexts texts;
    StoreNames names;
    Messages messages;
    QueryStore store{names, messages, texts};
};

// Fields known to the store by these labels.
XRQW_FieldsQueue labelled(std::initializer_list<const char*> labels) {
    XRQW_FieldsQueue q;
    for (const char* l : labels) {
        XRQW_FieldEntry e;
        e.Label = l;
        e.KeyByLabel = 1;
        q.add(e);
    }
    return q;
}

// Raises `letGo` when the field-list update shows its busy notice: it has read the stored
// fields, and takes the locks next.
class LetGoOnBusyNotice : public QObject {
public:
    explicit LetGoOnBusyNotice(Signal& letGo) : letGo_(letGo) {
        QApplication::instance()->installEventFilter(this);
    }
    ~LetGoOnBusyNotice() override { QApplication::instance()->removeEventFilter(this); }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show && watched->objectName() == BusyNotice::kObjectName) {
            letGo_.raise();
        }
        return false;
    }

private:
    Signal& letGo_;
};

class StationsTest : public StoreFixture {
protected:
    // A station that holds the store file's write lock (a transaction on the queries table)
    // from `held` until it is told to let go.
    pid_t holdWriteLock(Signal& held, Signal& letGo) {
        return station([&] {
            OtherStation other(dir.path());
            TableUse use(other.store, StoreTableId::Queries);
            if (!use || cdz::beginTransaction(other.store.database(),
                                              {&other.store.file(StoreTableId::Queries)}, 1000)) {
                return 1;
            }
            held.raise();
            letGo.wait();
            return other.store.abandon() == 0 ? 0 : 2;
        });
    }
};

TEST_F(StationsTest, StationsAddingAtOnceGetDifferentNumbers) {
    { TableUse create(store, StoreTableId::Queries); }
    constexpr int kStations = 3;
    constexpr int kEach = 25;
    Signal go;
    std::vector<pid_t> pids;
    for (int s = 0; s < kStations; ++s) {
        pids.push_back(station([&, s] {
            OtherStation other(dir.path());
            go.wait();
            for (int i = 0; i < kEach; ++i) {
                other.store.query() = QueryRec{};
                other.store.query().ClassName = "CLS";
                other.store.query().Description = std::to_string(s) + "-" + std::to_string(i);
                if (other.store.addQuery() != 0) return 1;
            }
            return 0;
        }));
    }
    for (int s = 0; s < kStations; ++s) go.raise();
    for (pid_t pid : pids) EXPECT_EQ(waitFor(pid), 0);

    std::set<int32_t> numbers;
    std::set<std::string> descriptions;
    savedQueries(numbers, descriptions);
    EXPECT_EQ(descriptions.size(), static_cast<size_t>(kStations * kEach));
    EXPECT_EQ(numbers.size(), descriptions.size());
    EXPECT_EQ(*numbers.begin(), 1);
    EXPECT_EQ(*numbers.rbegin(), kStations * kEach);
}

TEST_F(StationsTest, ThreeFailedAttemptsAskTheUser) {
    { TableUse create(store, StoreTableId::Queries); }
    store.database().setLockWait(30);
    Signal held, letGo;
    const pid_t pid = holdWriteLock(held, letGo);
    ASSERT_TRUE(held.wait());

    store.query() = QueryRec{};
    store.query().Description = "mine";
    dialogs.queue(Button::Cancel);
    EXPECT_EQ(store.addQuery(), err::kFileLocked);
    ASSERT_EQ(dialogs.shown().size(), 1u);
    const cdz::DialogRecord& asked = dialogs.shown()[0];
    EXPECT_EQ(asked.title, "Auto Increment Error");
    EXPECT_EQ(asked.text,
              "Attempts to automatically number this record have failed.  Error: File Is Locked "
              "(32).");
    EXPECT_EQ(asked.buttons, Button::Retry | Button::Cancel);
    EXPECT_EQ(asked.defaultButton, Button::Cancel);
    EXPECT_EQ(store.query().Description, "mine");  // the record to add is kept

    // Retry goes on until the other station has let go, which it does once the user is asked
    // again.
    for (int i = 0; i < 200; ++i) dialogs.queue(Button::Retry);
    dialogs.whileShown([&] { letGo.raise(); });
    EXPECT_EQ(store.addQuery(), 0);
    EXPECT_EQ(store.query().QueryNo, 1);
    EXPECT_EQ(store.query().Description, "mine");
    EXPECT_GE(dialogs.shown().size(), 2u);
    EXPECT_EQ(dialogs.shown().back().answer, "Retry");
    letGo.raise();  // the station ends even when the user was not asked again
    EXPECT_EQ(waitFor(pid), 0);
}

TEST_F(StationsTest, WritesBlockedByAnotherStationAreReportedAndChangeNothing) {
    const int32_t q = saveQuery("C", "q", {{1, 0}});
    store.waits().saveMs = 50;
    store.waits().deleteMs = 50;
    Signal held, letGo;
    const pid_t pid = holdWriteLock(held, letGo);
    ASSERT_TRUE(held.wait());

    EXPECT_EQ(store.saveElements(q, {ElementRec{}}, true), err::kFileLocked);
    ASSERT_NE(lastMessage(), nullptr);
    EXPECT_EQ(lastMessage()->title, "Query Save Error");
    EXPECT_EQ(lastMessage()->text, "Error Starting Transaction: 32-File Is Locked");

    dialogs.queue(Button::Ok);  // confirm the delete, then give up on it
    dialogs.queue(Button::No);
    EXPECT_FALSE(deleteSavedQuery(store, q));
    EXPECT_EQ(lastMessage()->title, "Record Update Error");
    EXPECT_EQ(lastMessage()->text,
              "An error was experienced deleting this record.  Do you want to try to save "
              "again?");
    letGo.raise();
    EXPECT_EQ(waitFor(pid), 0);
    EXPECT_EQ(queryRecord(q).QueryNo, q);
    EXPECT_EQ(elementsOf(q), (std::vector<std::pair<int32_t, int32_t>>{{1, 0}}));
}

TEST_F(StationsTest, FieldUpdateWaitsForAnotherStationsLock) {
    { TableUse create(store, StoreTableId::Queries); }
    Signal held, letGo;
    const pid_t pid = station([&] {
        OtherStation other(dir.path());
        other.store.file(StoreTableId::Elements).setName(other.names.table(StoreTableId::Elements));
        cdz::TableLock lock(other.store.file(StoreTableId::Elements));
        if (lock.lock(0)) return 1;
        held.raise();
        letGo.wait();
        return 0;
    });
    ASSERT_TRUE(held.wait());
    XRQW_FieldsQueue queue = labelled({"Artist"});
    LetGoOnBusyNotice release(letGo);
    FieldListUpdate(store).run(queue, "CLS");
    letGo.raise();  // the station ends even when no notice was shown
    EXPECT_TRUE(dialogs.shown().empty());
    EXPECT_EQ(queue[0].FieldPointer, 1);
    EXPECT_EQ(waitFor(pid), 0);
}

TEST_F(StationsTest, FieldUpdateGivesUpWhenTheLocksStayTaken) {
    { TableUse create(store, StoreTableId::Fields); }
    store.waits().lockAttempts = 3;
    Signal held, letGo;
    const pid_t pid = station([&] {
        OtherStation other(dir.path());
        other.store.file(StoreTableId::Queries).setName(other.names.table(StoreTableId::Queries));
        cdz::TableLock lock(other.store.file(StoreTableId::Queries));
        if (lock.lock(0)) return 1;
        held.raise();
        letGo.wait();
        return 0;
    });
    ASSERT_TRUE(held.wait());
    XRQW_FieldsQueue queue;
    queue.add(XRQW_FieldEntry{});
    FieldListUpdate(store).run(queue, "CLS");
    letGo.raise();
    EXPECT_EQ(waitFor(pid), 0);
    ASSERT_EQ(dialogs.shown().size(), 1u);
    EXPECT_EQ(dialogs.shown()[0].title, "Field List Update Error");
    EXPECT_EQ(dialogs.shown()[0].text,
              "Error Locking Query Wizard Data Files|ERROR - File Is Locked");
    TableUse fields(store, StoreTableId::Fields);
    EXPECT_EQ(store.file(StoreTableId::Fields).records(), 0);
}

// A station that numbered a new field of the class while this one waited for the locks: the
// number this station read before is worked out again, and the other station's saved query
// that uses its field is not silently given to another field.
TEST_F(StationsTest, NumbersAreWorkedOutAgainUnderTheLocks) {
    XRQW_FieldsQueue before = labelled({"A", "B"});
    FieldListUpdate(store).run(before, "CLS");
    Signal held, letGo;
    const pid_t pid = station([&] {
        OtherStation other(dir.path());
        QueryStore& s = other.store;
        TableUse f(s, StoreTableId::Fields), q(s, StoreTableId::Queries),
            el(s, StoreTableId::Elements);
        cdz::TableLock lock(s.file(StoreTableId::Fields));
        if (!f || !q || !el || lock.lock(0)) return 1;
        held.raise();
        letGo.wait();  // the other station has read the field list by then
        if (cdz::beginTransaction(s.database(),
                                  {&s.file(StoreTableId::Fields), &s.file(StoreTableId::Queries),
                                   &s.file(StoreTableId::Elements)},
                                  1000)) {
            return 2;
        }
        s.field() = FieldRec{};
        s.field().ClassName = "CLS";
        s.field().FieldType = 1;
        s.field().FieldName = "X";
        s.field().FieldPointer = 3;
        s.query() = QueryRec{};
        s.query().QueryNo = 50;
        s.query().ClassName = "CLS";
        s.element() = ElementRec{};
        s.element().QueryNo = 50;
        s.element().FieldPointer = 3;
        if (s.file(StoreTableId::Fields).add() || s.file(StoreTableId::Queries).add() ||
            s.file(StoreTableId::Elements).add()) {
            return 3;
        }
        return s.database().commit() ? 4 : 0;
    });
    ASSERT_TRUE(held.wait());
    XRQW_FieldsQueue queue = labelled({"A", "B", "Y"});
    LetGoOnBusyNotice release(letGo);
    FieldListUpdate(store).run(queue, "CLS");
    letGo.raise();  // the station ends even when no notice was shown
    EXPECT_EQ(waitFor(pid), 0);
    EXPECT_TRUE(dialogs.shown().empty());
    EXPECT_EQ(queue[2].FieldPointer, 3);
    EXPECT_EQ(queryRecord(50).Invalid, 1);
    EXPECT_EQ(elementsOf(50), (std::vector<std::pair<int32_t, int32_t>>{{-1, 0}}));
}

}  // namespace
}  // namespace qk::test
