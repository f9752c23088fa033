// Stations (processes) saving queries of one class through the description form at once.
#include <set>

#include "querykit/qwizard/SavedQueryWindows.h"
#include "tests/querykit/ModalDriver.h"
#include "tests/querykit/StoreFixture.h"

namespace qk::test {
namespace {

using SavedQueryStationsTest = StoreFixture;

TEST_F(SavedQueryStationsTest, StationsSavingAtOnceKeepEveryQuery) {
    { TableUse create(store, StoreTableId::Queries); }
    constexpr int kStations = 2;
    constexpr int kEach = 15;
    Signal go;
    std::vector<pid_t> pids;
    for (int s = 0; s < kStations; ++s) {
        pids.push_back(station([&, s] {
            cdz::ScriptedDialogs answers;
            for (int i = 0; i < 100; ++i) answers.queue(cdz::Button::Retry);
            DisplayTexts ownTexts;
            StoreNames ownNames;
            ownNames.setFilePaths(0, dir.path().string(), std::nullopt);
            Messages ownMessages;
            ownMessages.setDialogs(&answers);
            QueryStore own(ownNames, ownMessages, ownTexts);
            auto windows = makeSavedQueryWindows(own);
            go.wait();
            for (int i = 0; i < kEach; ++i) {
                own.query() = QueryRec{};
                own.query().ClassName = "CLS";
                describeAs(QString("%1-%2").arg(s).arg(i));
                if (!windows->describe(QueryRequest::Insert)) return 1;
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
}

}  // namespace
}  // namespace qk::test
