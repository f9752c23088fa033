// The DJ log: songs in media and file-number order, the year as a collector wrote it, and the
// notes column under the user's caption.
#include <gtest/gtest.h>

#include "app/reports/ReportCatalogue.h"
#include "app/reports/ReportJob.h"
#include "runtime/text/DateTime.h"
#include "tests/app/reports/ReportFixture.h"

namespace cdz::test {
namespace {

TEST(DjLog, ListsByMediaWithTheYearAsStoredAndTheUsersNotesCaption) {
    StateFixture f;
    f.state->settings().notesLabel = "Cue";
    Catalogue& c = f.state->catalogue();
    ASSERT_EQ(c.use(CatalogueFile::Cadenzio), 0);
    struct S {
        const char* title;
        const char* media;
        const char* file;
        int32_t release;
    };
    for (const S& s : {S{"Bare Year", "LP", "2", 1987}, S{"No Date", "CD", "9", 0},
                       S{"Dated", "LP", "1", dateFromYmd(2004, 5, 6)}}) {
        c.file(CatalogueFile::Cadenzio).clearBuffer();
        c.song().Artist = "Artist";
        c.song().Title = s.title;
        c.song().Media = s.media;
        c.song().FileNumber = s.file;
        c.song().ReleaseDate = s.release;
        ASSERT_EQ(c.file(CatalogueFile::Cadenzio).add(), 0);
    }
    FileUse files(c, {CatalogueFile::Categories});
    ReportJob job(*f.state, *ReportCatalogue::find("PRINTDJLIST"), {}, letterPaper());
    ASSERT_TRUE(job.start());
    while (job.step(10)) {
    }
    ASSERT_TRUE(job.finish());
    const auto texts = textsOf(job.pages());
    ASSERT_FALSE(texts.empty());
    EXPECT_EQ(texts[0], "DJ LOG");
    EXPECT_NE(std::find(texts.begin(), texts.end(), "Cue"), texts.end());
    // Each title is followed, a few runs on, by its year: CD first, then LP by file number.
    std::vector<std::string> rows;
    for (size_t i = 0; i + 3 < texts.size(); ++i)
        if (texts[i] == "No Date" || texts[i] == "Dated" || texts[i] == "Bare Year")
            rows.push_back(texts[i] + "=" + texts[i + 3]);
    EXPECT_EQ(rows, (std::vector<std::string>{"No Date= --", "Dated=2004", "Bare Year=1987"}));
    c.release(CatalogueFile::Cadenzio);
}

}  // namespace
}  // namespace cdz::test
