// The song browse made wider and narrower as a person does, by its window: the room to spare
// spread over the columns by their widths, and the widths kept those the user set.
#include <QHeaderView>

#include <numeric>

#include "app/engine/browse/BrowseList.h"
#include "app/songs/SongBrowse.h"
#include "tests/app/journeys/Journey.h"

namespace cdz::test {
namespace {

class ColumnJourney : public Journey {
protected:
    SongBrowse* open() {
        choose("actBrowseSongs");
        return window<SongBrowse>(SongBrowse::kProcedure);
    }

    static std::vector<int> widths(SongBrowse& browse) {
        std::vector<int> out;
        const QHeaderView* header = browse.list().horizontalHeader();
        for (int c = 0; c < header->count(); ++c) out.push_back(header->sectionSize(c));
        return out;
    }

    int column(SongBrowse& browse, const QString& caption) {
        QAbstractItemModel* m = browse.list().model();
        for (int c = 0; c < m->columnCount(); ++c)
            if (m->headerData(c, Qt::Horizontal).toString().trimmed() == caption) return c;
        ADD_FAILURE() << caption.toStdString();
        return 0;
    }
};

TEST_F(ColumnJourney, ASpareWidthIsSpreadOverTheColumnsAndNeverKept) {
    addSongs(30);
    SongBrowse* browse = open();
    ASSERT_NE(browse, nullptr);
    const std::vector<int> design = widths(*browse);
    const QSize normal = browse->size();
    for (int round = 1; round <= 3; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        browse->resize(normal.width() + 300 * round, normal.height());
        settle();
        const std::vector<int> wide = widths(*browse);
        const int title = column(*browse, "Title");
        const int rating = column(*browse, "Rating");
        EXPECT_GT(wide[title] - design[title], wide[rating] - design[rating]);
        EXPECT_EQ(std::accumulate(wide.begin(), wide.end(), 0),
                  std::max(browse->list().viewport()->width(),
                           std::accumulate(design.begin(), design.end(), 0)));
        browse->resize(normal);
        settle();
        EXPECT_EQ(widths(*browse), design);
        // Closed wide, the browse opens again at the widths the user had.
        browse->resize(normal.width() + 300, normal.height());
        settle();
        browse->close();
        settle();
        browse = open();
        ASSERT_NE(browse, nullptr);
        browse->resize(normal);
        settle();
        EXPECT_EQ(widths(*browse), design);
    }
    EXPECT_TRUE(dialogsSince(0).empty());
}

}  // namespace
}  // namespace cdz::test
