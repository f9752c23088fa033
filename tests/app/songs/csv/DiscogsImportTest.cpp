// The import of a Discogs collection export over real files into a real catalogue: one album
// for each release, the broken lines named, nothing added twice, and a cancelled run that keeps
// its batches.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/domain/data/Catalogue.h"
#include "app/songs/csv/DiscogsImport.h"
#include "runtime/text/DateTime.h"
#include "tests/app/songs/csv/DiscogsExportFile.h"
#include "tests/support/TempDir.h"

namespace cdz::test {
namespace {

using F = CatalogueFile;

struct DiscogsFixture : ::testing::Test {
    TempDir dir;
    Catalogue catalogue{dir.path()};
    std::string path = dir.file("collection.csv");

    void SetUp() override {
        for (F f : {F::Album, F::Media}) ASSERT_EQ(catalogue.use(f), 0);
        for (const char* name : {"CD", "Flac"}) {
            catalogue.media().Media = name;
            ASSERT_EQ(catalogue.file(F::Media).add(), 0);
        }
        std::ofstream(path, std::ios::binary) << DiscogsExportFile::bytes();
    }

    // One run over the file, `batches` steps of `lines` lines at most, then cancelled.
    struct Run {
        CsvLineReader reader;
        std::unique_ptr<DiscogsImport> import;
    };
    std::unique_ptr<Run> import(int lines = 20, int batches = 1000) {
        auto run = std::make_unique<Run>();
        EXPECT_TRUE(run->reader.open(path));
        EXPECT_EQ(run->reader.read(), CsvRead::Line);
        const std::optional<DiscogsColumns> columns = DiscogsColumns::of(run->reader.fields());
        EXPECT_TRUE(columns);
        if (!columns) return run;
        run->import = std::make_unique<DiscogsImport>(catalogue, run->reader, *columns, path);
        run->import->start();
        for (int i = 0; i < batches && run->import->step(lines); ++i) {
        }
        run->import->cancel();
        return run;
    }

    std::vector<AlbumRecord> albums() {
        std::vector<AlbumRecord> out;
        DataFile& file = catalogue.file(F::Album);
        file.set(AlbumRecord::KeyAlbumID);
        while (file.next() == 0) out.push_back(catalogue.album());
        return out;
    }

    std::vector<std::string> media() {
        std::vector<std::string> out;
        DataFile& file = catalogue.file(F::Media);
        file.set(MediaRecord::KeyMedia);
        while (file.next() == 0) out.push_back(catalogue.media().Media.str());
        return out;
    }
};

std::vector<std::string> refusals(const DiscogsImport& run) {
    std::vector<std::string> out;
    for (const std::string& n : run.notes())
        if (n.find(": media \"") == std::string::npos) out.push_back(n);
    return out;
}

TEST_F(DiscogsFixture, EachReleaseIsAnAlbumAndEachBrokenLineIsNamed) {
    const auto run = import();
    const DiscogsImport& r = *run->import;
    EXPECT_EQ(r.state(), ImportState::Completed);
    EXPECT_EQ(r.added(), DiscogsExportFile::kReleasesAdded);
    EXPECT_EQ(r.refused(), 6);
    EXPECT_EQ(r.already(), 1);
    EXPECT_EQ(r.cut(), DiscogsExportFile::kCut);
    EXPECT_EQ(refusals(r), std::vector<std::string>(DiscogsExportFile::kRefusals.begin(),
                                                    DiscogsExportFile::kRefusals.end()));
    // Names the media file lacked are added once, told on the line that first needed them;
    // "FLAC" finds the "Flac" it holds.
    std::vector<std::string> names = media();
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names,
              (std::vector<std::string>{"CD", "CDr", "Cassette", "File", "Flac", "MP3", "Vinyl"}));
    EXPECT_NE(std::find(r.notes().begin(), r.notes().end(),
                        "line 3: media \"Vinyl\" did not exist; it was added"),
              r.notes().end());

    const std::vector<AlbumRecord> a = albums();
    ASSERT_EQ(a.size(), 43u);
    EXPECT_EQ(a[0].AlbumID, 1);
    EXPECT_EQ(a[0].Artist, "Nirvana");
    EXPECT_EQ(a[0].Album, "Nevermind");
    EXPECT_EQ(a[0].Media, "CD");
    EXPECT_EQ(a[0].ReleaseDate, dateFromYmd(1991, 9, 24));
    EXPECT_EQ(a[0].Rating, "5");
    EXPECT_EQ(a[0].Notes,
              "Label: DGC\nCatalogue number: DGCD-24425\nMedia condition: Near Mint (NM or M-)\n"
              "Sleeve condition: Very Good Plus (VG+)\nFolder: Uncategorized\n"
              "Purchase Price: 12.50\nDiscogs release: 367084");
    EXPECT_EQ(a[1].Album, "In Utero");
    EXPECT_EQ(a[1].Media, "Vinyl");
    EXPECT_EQ(a[1].ReleaseDate, dateFromYmd(1993, 1, 1));  // a year alone
    EXPECT_EQ(a[1].Rating, "");                            // 0: not rated
    EXPECT_EQ(a[2].Media, "Cassette");
    EXPECT_EQ(a[2].ReleaseDate, dateFromYmd(1977, 6, 1));  // "1977-06-00"
    EXPECT_EQ(a[3].Album, "Café del Mar");
    EXPECT_EQ(a[3].Media, "Flac");
    EXPECT_EQ(a[3].ReleaseDate, 0);  // "0": not known
    EXPECT_EQ(a[4].Artist, "Tab Here");
    EXPECT_EQ(a[4].Album, std::string(40, 't'));
    EXPECT_EQ(a[4].Notes,
              "Label: Label 503\nCatalogue number: [31mC3\nMedia condition: Mint (M)\n"
              "Folder: Uncategorized\nDiscogs release: 503");
    EXPECT_EQ(a[5].Media, "File");
    // Notes too long for the album: the free text is cut, the release line kept.
    const std::string& cut = a[41].Notes;
    EXPECT_EQ(cut.size(), 2000u);
    EXPECT_TRUE(cut.ends_with("nnnn\nDiscogs release: 4900")) << cut.substr(cut.size() - 40);
    EXPECT_EQ(a[42].Notes,
              "Label: Label 5000\nCatalogue number: C50\nMedia condition: Mint (M)\n"
              "Folder: Uncategorized\nfirst line\nsecond line\nDiscogs release: 5000");
}

// A run cancelled after its first batch keeps that batch whole; the file imported again adds
// the rest and refuses, in words, every album already there; a third run adds nothing.
TEST_F(DiscogsFixture, ARunAgainAddsOnlyWhatIsNotThereYet) {
    const auto first = import(10, 1);
    EXPECT_EQ(first->import->state(), ImportState::Cancelled);
    EXPECT_EQ(first->import->added(), 5);  // of lines 2 to 11
    EXPECT_EQ(albums().size(), 5u);
    const auto second = import();
    EXPECT_EQ(second->import->added(), DiscogsExportFile::kReleasesAdded - 5);
    EXPECT_EQ(second->import->already(), 6);
    EXPECT_EQ(refusals(*second->import)[0],
              "line 2: the album \"Nevermind\" by \"Nirvana\" is already in the catalogue");
    const auto third = import();
    EXPECT_EQ(third->import->added(), 0);
    EXPECT_EQ(third->import->already(), DiscogsExportFile::kReleasesAdded + 1);
    EXPECT_EQ(third->import->refused(), 49);
    EXPECT_EQ(albums().size(), static_cast<size_t>(DiscogsExportFile::kReleasesAdded));
}

TEST(DiscogsRelease, ArtistsLoseTheirNumberAndFormatsGiveAMedia) {
    const struct {
        std::string (*rule)(std::string_view);
        const char* given;
        const char* wanted;
    } cases[] = {
        {&DiscogsRelease::artistName, "Nirvana (2)", "Nirvana"},
        {&DiscogsRelease::artistName, "The The (10)", "The The"},
        {&DiscogsRelease::artistName, "Nirvana (UK)", "Nirvana (UK)"},
        {&DiscogsRelease::artistName, "(2)", "(2)"},
        {&DiscogsRelease::artistName, "Sunn O)))", "Sunn O)))"},
        {&DiscogsRelease::artistName, "A (2) B", "A (2) B"},
        {&DiscogsRelease::artistName, "A ()", "A ()"},
        {&DiscogsRelease::mediaName, "Vinyl, LP, Album", "Vinyl"},
        {&DiscogsRelease::mediaName, "CD, Album, Reissue", "CD"},
        {&DiscogsRelease::mediaName, "Cass, Album", "Cassette"},
        {&DiscogsRelease::mediaName, "2xCD, Comp", "CD"},
        {&DiscogsRelease::mediaName, "10xVinyl, 7\"", "Vinyl"},
        {&DiscogsRelease::mediaName, "File, FLAC", "FLAC"},
        {&DiscogsRelease::mediaName, "File, Ogg Vorbis, Album", "OGG"},
        {&DiscogsRelease::mediaName, "file, mp3, 320 kbps", "MP3"},
        {&DiscogsRelease::mediaName, "File, Album", "File"},
        {&DiscogsRelease::mediaName, "File", "File"},
        {&DiscogsRelease::mediaName, "Box Set, Comp", "Box Set"},
        {&DiscogsRelease::mediaName, "2x", "2x"},
        {&DiscogsRelease::mediaName, "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.given);
        EXPECT_EQ(c.rule(c.given), c.wanted);
    }
}

// Only a header with every fixed column and nothing but "Collection ..." besides is an export.
TEST(DiscogsRelease, TheHeaderSaysWhetherAFileIsAnExport) {
    const auto columns = [](std::vector<std::string> labels) {
        std::vector<CsvField> fields;
        for (std::string& l : labels) fields.push_back({std::move(l), true});
        return DiscogsColumns::of(fields);
    };
    const std::vector<std::string> fixed = {
        "Catalog#",   "Artist",           "Title",     "Label", "Format", "Rating", "Released",
        "release_id", "CollectionFolder", "Date Added"};
    std::vector<std::string> labels = fixed;
    labels.insert(labels.end(),
                  {"Collection Notes", "Collection Grade", "Collection Media Condition"});
    const std::optional<DiscogsColumns> found = columns(labels);
    ASSERT_TRUE(found);
    EXPECT_EQ(found->count, 13u);
    EXPECT_EQ(found->notes.value_or(0), 10u);
    EXPECT_EQ(found->mediaCondition.value_or(0), 12u);
    EXPECT_FALSE(found->sleeveCondition);
    ASSERT_EQ(found->extras.size(), 1u);
    EXPECT_EQ(found->extras[0].name, "Grade");
    EXPECT_EQ(found->extras[0].column, 11u);
    EXPECT_FALSE(columns({fixed.begin(), fixed.end() - 1}));
    labels.push_back("Price");
    EXPECT_FALSE(columns(labels));
    labels.back() = "Artist";
    EXPECT_FALSE(columns(labels));
    EXPECT_FALSE(columns({"MUS:Artist", "MUS:Title"}));
}

}  // namespace
}  // namespace cdz::test
