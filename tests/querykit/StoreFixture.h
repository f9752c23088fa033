#pragma once
// A query store of the test's own in a temporary folder, with scripted dialogs and a halt that
// is recorded instead of ending the run; helpers that write saved queries as the wizard would.
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "querykit/qwizard/QueryStore.h"
#include "runtime/ui/ScriptedDialogs.h"
#include "tests/support/StationProcess.h"
#include "tests/support/TempDir.h"
#ifdef CDZ_TEST_ON_SERVER
#include "tests/runtime/pg/PgEnvironment.h"
#endif

namespace qk::test {

class StoreFixture : public ::testing::Test {
protected:
    StoreFixture() {
        names.setFilePaths(0, dir.path().string(), std::nullopt);
        messages.setDialogs(&dialogs);
        messages.setHaltHandler([this](std::string_view text) { halts.emplace_back(text); });
        store.waits().lockMs = 100;
#ifdef CDZ_TEST_ON_SERVER
        // The same store on the throwaway server, its catalogue named after the test's folder.
        catalogue =
            "q" + std::to_string(std::hash<std::string>{}(dir.path().string()) % 1000000007);
        store.database().setServer(
            {cdz::test::PgEnvironment::get().cluster().conninfo(), catalogue});
#endif
    }

    static constexpr bool onServer() {
#ifdef CDZ_TEST_ON_SERVER
        return true;
#else
        return false;
#endif
    }

    // A saved query of `cls` with one element per field number (pointer, compared-to).
    int32_t saveQuery(const std::string& cls, const std::string& description,
                      std::vector<std::pair<int32_t, int32_t>> pointers = {}) {
        store.query() = QueryRec{};
        store.query().ClassName = cls;
        store.query().Description = description;
        store.query().QueryString = "text of " + description;
        EXPECT_EQ(store.addQuery(), 0);
        const int32_t no = store.query().QueryNo;
        std::vector<ElementRec> elements;
        for (auto [field, other] : pointers) {
            ElementRec e;
            e.FieldPointer = field;
            e.CmpPointer = other;
            e.Opcode = 1;
            elements.push_back(e);
        }
        EXPECT_EQ(store.saveElements(no, elements, false), 0);
        return no;
    }

    // Every saved query's number and description (sets: a number or description given twice
    // shows as a smaller set).
    void savedQueries(std::set<int32_t>& numbers, std::set<std::string>& descriptions) {
        TableUse use(store, StoreTableId::Queries);
        cdz::DataFile& queries = store.file(StoreTableId::Queries);
        ASSERT_EQ(queries.set(Keys::kQueriesByQueryNo), 0);
        while (queries.next() == 0) {
            numbers.insert(store.query().QueryNo);
            descriptions.insert(store.query().Description.str());
        }
    }

    // The elements of a query as (FieldPointer, CmpPointer), in order.
    std::vector<std::pair<int32_t, int32_t>> elementsOf(int32_t queryNo) {
        TableUse use(store, StoreTableId::Elements);
        std::vector<std::pair<int32_t, int32_t>> out;
        ElementRec& e = store.element();
        e = ElementRec{};
        e.QueryNo = queryNo;
        store.file(StoreTableId::Elements).setAt(Keys::kElementsByQueryNo);
        while (store.file(StoreTableId::Elements).next() == 0 && e.QueryNo == queryNo) {
            out.emplace_back(e.FieldPointer, e.CmpPointer);
        }
        return out;
    }

    QueryRec queryRecord(int32_t queryNo) {
        TableUse use(store, StoreTableId::Queries);
        store.readQuery(queryNo);
        return store.query();
    }

    // The last message box shown (halts are shown too, but are not message boxes).
    const cdz::DialogRecord* lastMessage() const {
        for (auto it = dialogs.shown().rbegin(); it != dialogs.shown().rend(); ++it) {
            if (it->kind == cdz::DialogKind::Message) return &*it;
        }
        return nullptr;
    }

    cdz::test::TempDir dir;
    std::string catalogue;  // the store's name on the server, when it is on one
    cdz::ScriptedDialogs dialogs;
    DisplayTexts texts;
    StoreNames names;
    Messages messages;
    QueryStore store{names, messages, texts};
    std::vector<std::string> halts;
};

// Other stations: child processes, and the signals between them and the test.
using cdz::test::Signal;
using cdz::test::station;
using cdz::test::waitFor;

}  // namespace qk::test
