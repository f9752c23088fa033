// One catalogue in a folder's files and on the server: every key of the songs file pages
// through the same records in the same order on both engines, both ways, record by record.
#include <QString>

#include <gtest/gtest.h>

#include "app/domain/data/Catalogue.h"
#include "tests/runtime/pg/PgEnvironment.h"
#include "tests/runtime/pg/PgSongs.h"
#include "tests/support/TempDir.h"

namespace cdz::test {
namespace {

constexpr int kCopies = 60;  // of each tricky song, so that equal keys span several pages

// The record numbers along `key` (forward or backward), with every key value read.
std::vector<std::string> walk(DataFile& f, int key, bool forward) {
    std::vector<std::string> out;
    EXPECT_EQ(f.set(key), 0);
    while ((forward ? f.next() : f.previous()) == 0) out.push_back(f.position(key));
    EXPECT_EQ(f.error().code, err::kRecordNotAvailable) << f.error().driverText;
    return out;
}

TEST(PgEnginePages, EveryKeyReadsTheSameRecordsInTheSameOrderOnBothEngines) {
    const auto& env = PgEnvironment::get();
    if (!env.skipReason().empty()) GTEST_SKIP() << env.skipReason();
    ASSERT_TRUE(env.failure().empty()) << env.failure();
    TempDir dir;
    Catalogue files(dir.path()), server(dir.path(), OnServer{env.cluster().conninfo(), "pages"});
    std::vector<Catalogue*> both{&files, &server};
    for (Catalogue* c : both) {
        ASSERT_EQ(c->use(CatalogueFile::Cadenzio), 0) << c->database().error().driverText;
        DataFile& f = c->file(CatalogueFile::Cadenzio);
        ASSERT_EQ(f.stream(), 0);
        for (int copy = 0; copy < kCopies; ++copy) {
            for (const Song& s : kSongs) {
                fill(c->song(), s);
                // Every other copy differs only in case, so folded keys meet in long runs.
                if (copy % 2) {
                    c->song().Artist = QString::fromUtf8(s.artist).toUpper().toStdString();
                }
                ASSERT_EQ(f.add(), 0) << f.error().driverText;
            }
        }
        ASSERT_EQ(f.flush(), 0);
        f.send("QUICKSCAN=on");
    }
    DataFile& a = files.file(CatalogueFile::Cadenzio);
    DataFile& b = server.file(CatalogueFile::Cadenzio);
    EXPECT_EQ(a.records(), b.records());
    for (int key = kRecordOrder; key < static_cast<int>(a.decl().keys().size()); ++key) {
        for (bool forward : {true, false}) {
            SCOPED_TRACE((key < 0 ? std::string("record order") : a.decl().keys()[key].name) +
                         (forward ? " forward" : " backward"));
            const auto onFiles = walk(a, key, forward);
            EXPECT_EQ(onFiles.size(), static_cast<size_t>(a.records()));
            EXPECT_EQ(walk(b, key, forward), onFiles);
        }
    }
}

}  // namespace
}  // namespace cdz::test
