#pragma once
// A program state over a temporary folder with scripted dialogs, and helpers that fill a wizard
// run's track list and read back what the files hold.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/albums/wizard/RunTag.h"
#include "app/albums/wizard/TrackList.h"
#include "app/albums/wizard/WizardTransaction.h"
#include "app/engine/state/AppState.h"
#include "tests/support/StateFixture.h"

namespace cdz::test {

using F = CatalogueFile;

struct Track {
    std::string artist;
    std::string title;
    int32_t time = 0;
};

// The time value of m minutes and s seconds.
constexpr int32_t minSec(int m, int s) {
    return (m * 60 + s) * 100 + 1;
}

class WizardTest : public ::testing::Test {
protected:
    AppState& state() { return *fx.state; }
    Catalogue& cat() { return fx.state->catalogue(); }

    // A run of `thread` on `on` (this station unless told) holding the given tracks, numbered
    // from 1 and written in one transaction.
    RunTag startRun(int thread, const std::vector<Track>& tracks, AppState* on = nullptr) {
        AppState& s = on ? *on : state();
        RunTag tag;
        EXPECT_EQ(tag.claim(s, thread), 0) << s.error().text;
        Catalogue& c = s.catalogue();
        const int code = inWizardTransaction(c, {F::AddWizard}, [&]() -> int {
            int number = 0;
            for (const Track& t : tracks) {
                c.file(F::AddWizard).clearBuffer();
                AddWizardRecord& aw = c.addWizard();
                aw.Instance = static_cast<double>(tag.tag());
                aw.Track = static_cast<double>(++number);
                aw.Artist = t.artist;
                aw.Title = t.title;
                aw.Time = t.time;
                if (const int added = c.file(F::AddWizard).add()) return added;
            }
            return 0;
        });
        EXPECT_EQ(code, 0) << s.error().text;
        return tag;
    }

    static std::vector<std::string> titles(const std::vector<WizardTrack>& tracks) {
        std::vector<std::string> out;
        for (const WizardTrack& t : tracks) out.push_back(t.title);
        return out;
    }

    template <class Rec>
    std::vector<Rec> all(F file, Rec& buffer, int key = kRecordOrder) {
        std::vector<Rec> out;
        EXPECT_EQ(cat().use(file), 0);
        DataFile& f = cat().file(file);
        EXPECT_EQ(f.set(key), 0);
        while (f.next() == 0) out.push_back(buffer);
        cat().release(file);
        return out;
    }
    std::vector<SongRecord> songs() { return all(F::Cadenzio, cat().song(), SongRecord::KeyID); }
    std::vector<AlbumRecord> albums() {
        return all(F::Album, cat().album(), AlbumRecord::KeyAlbumID);
    }
    size_t workRecords() { return all(F::AddWizard, cat().addWizard()).size(); }

    int32_t addAlbum(std::string_view title, std::string_view artist) {
        EXPECT_EQ(cat().use(F::Album), 0);
        cat().file(F::Album).clearBuffer();
        cat().album().Album = title;
        cat().album().Artist = artist;
        EXPECT_EQ(cat().file(F::Album).add(), 0);
        const int32_t id = cat().album().AlbumID;
        cat().release(F::Album);
        return id;
    }

    // Empties the album, songs and work files, for the next case of a table.
    void clearFiles() {
        Catalogue& c = cat();
        const int code = inWizardTransaction(c, {F::Album, F::Cadenzio, F::AddWizard}, [&] {
            for (F f : {F::Album, F::Cadenzio, F::AddWizard}) {
                DataFile& file = c.file(f);
                while (file.set() == 0 && file.next() == 0) {
                    if (const int erased = file.erase()) return erased;
                }
            }
            return 0;
        });
        ASSERT_EQ(code, 0) << c.database().error().text;
    }

    StateFixture fx;
};

}  // namespace cdz::test
