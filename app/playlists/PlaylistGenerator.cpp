#include "app/playlists/PlaylistGenerator.h"

#include <algorithm>
#include <memory>
#include <numeric>
#include <optional>
#include <vector>

#include "app/domain/data/Catalogue.h"
#include "runtime/data/ErrorGuard.h"
#include "runtime/data/RecordRanks.h"
#include "runtime/data/Transaction.h"
#include "runtime/text/DateTime.h"
#include "runtime/text/Text.h"

namespace cdz {
namespace {

using Result = PlaylistGeneratorOutcome::Result;

// The generator's own handles and buffers: drawing never moves what a browse shows.
struct Files {
    SongRecord song;
    CategoryRecord category;
    PlaylistMasterRecord playlist;
    PlaylistDetailRecord entry;
    DataFile songs;
    DataFile categories;
    DataFile playlists;
    DataFile entries;

    explicit Files(Catalogue& c)
        : songs(c.database(), SongRecord::declaration(), song),
          categories(c.database(), CategoryRecord::declaration(), category),
          playlists(c.database(), PlaylistMasterRecord::declaration(), playlist),
          entries(c.database(), PlaylistDetailRecord::declaration(), entry) {
        songs.setName(c.file(CatalogueFile::Cadenzio).name());
        categories.setName(c.file(CatalogueFile::Categories).name());
        playlists.setName(c.file(CatalogueFile::PlaylistMaster).name());
        entries.setName(c.file(CatalogueFile::PlaylistDetails).name());
    }
    ~Files() {
        ErrorGuard keep(songs.database().error());
        for (DataFile* f : {&entries, &playlists, &categories, &songs})
            if (f->isOpen()) f->close();
    }
    Files(const Files&) = delete;
    Files& operator=(const Files&) = delete;
};

std::string errorOf(const ErrorState& e) {
    std::string text = e.driverText.empty() ? e.text : e.driverText;
    return "(" + std::to_string(e.code) + " - " + text + ")";
}

int yearOf(int32_t release) {
    return release <= kLastBareYear ? release : ymdFromDate(release).year;
}

// A release bound as a condition on the songs: a day number bounds dated songs by day and
// songs known only by their year by the bound's year; a bare-year bound the other way round.
// An unknown release (0) is never within a bounded range.
void addBound(SqlFilter* where, int32_t bound, bool start) {
    if (bound == 0) return;
    int64_t day = bound;
    int64_t year = yearOf(bound);
    if (bound <= kLastBareYear) day = start ? dateFromYmd(bound, 1, 1) : dateFromYmd(bound, 12, 31);
    const char* cmp = start ? ">=" : "<=";
    if (!where->where.empty()) where->where += " AND ";
    where->where += "(({MUS:ReleaseDate} > " + std::to_string(kLastBareYear) +
                    " AND {MUS:ReleaseDate} " + cmp + " ?) OR ({MUS:ReleaseDate} > 0 AND " +
                    "{MUS:ReleaseDate} <= " + std::to_string(kLastBareYear) +
                    " AND {MUS:ReleaseDate} " + cmp + " ?))";
    where->params.emplace_back(day);
    where->params.emplace_back(year);
}

bool recentRelease(int32_t release, int32_t today) {
    if (release > kLastBareYear) return release >= today - PlaylistGenerator::kRecentDays;
    return release >= ymdFromDate(today).year;
}

struct Draw {
    int64_t rank = 0;
    bool weighed = false;  // the release weighting applies to this draw
    int64_t recno = 0;
};

// Every draw made up front: where each lands never depends on an earlier one. The release
// weightings reject some draws, so they may need up to the limit.
std::vector<Draw> makeDraws(int64_t pool, const PlaylistGeneratorChoice& choice,
                            std::mt19937_64& random) {
    std::vector<Draw> draws;
    if (pool <= 0) return draws;
    const bool byRelease = choice.weighting == PlaylistWeighting::RecentRelease ||
                           choice.weighting == PlaylistWeighting::OlderRelease;
    const int wanted = byRelease ? PlaylistGenerator::kDrawLimit
                                 : std::min(choice.size, PlaylistGenerator::kDrawLimit);
    const int64_t half = std::max<int64_t>(1, pool / 2);
    std::bernoulli_distribution coin(0.5);
    for (int i = 0; i < wanted; ++i) {
        int64_t low = 1, high = pool;
        const bool heads = coin(random);
        if (heads && choice.weighting == PlaylistWeighting::RecentAddition) low = half;
        if (heads && choice.weighting == PlaylistWeighting::OlderAddition) high = half;
        draws.push_back(
            {std::uniform_int_distribution<int64_t>(low, high)(random), heads && byRelease, 0});
    }
    return draws;
}

// The playlist and its entries together, or nothing; `out` tells which.
void writePlaylist(Files& f, Database& db, const std::vector<int32_t>& chosen, int32_t today,
                   PlaylistGeneratorOutcome* result) {
    PlaylistGeneratorOutcome& out = *result;
    Transaction transaction(db, {&f.playlists, &f.entries}, db.lockWait());
    if (transaction.began() != 0) {
        out.result = Result::NotWritten;
        out.message = "There was an error " + errorOf(db.error()) +
                      " adding to the Play List Master file. No play list was made.";
        return;
    }
    auto fail = [&](const char* file) {
        const ErrorState cause = db.error();
        transaction.rollback();
        out.result = Result::NotWritten;
        out.entries = 0;
        out.message = std::string("There was an error ") + errorOf(cause) + " adding to the " +
                      file + " file. No play list was made.";
    };
    // A number no playlist and no stray entry has: entries left behind by a playlist that
    // was never kept must not join the new one.
    int32_t id = 1;
    for (DataFile* file : {&f.playlists, &f.entries}) {
        file->set(0);  // KeyPlaylistID, in either file
        const int last = file->previous();
        if (last == err::kRecordNotAvailable) continue;
        const int32_t highest = file == &f.playlists ? f.playlist.PlaylistID : f.entry.PlaylistID;
        if (last != 0 || highest == INT32_MAX) {
            if (last == 0) db.fail(err::kDriverError, 0, "no playlist number is left");
            fail("Play List Master");
            return;
        }
        id = std::max(id, highest + 1);
    }
    // Number and name agree: a name taken already moves both on.
    for (;;) {
        f.playlists.clearBuffer();
        f.playlist.PlaylistID = id;
        f.playlist.PlaylistDescription = PlaylistGenerator::kNamePrefix + std::to_string(id);
        const int taken = f.playlists.duplicateOfNew(PlaylistMasterRecord::KeyPlaylistDescription);
        if (taken == 0) break;
        if (taken != err::kDuplicateKey || id == INT32_MAX) {
            fail("Play List Master");
            return;
        }
        ++id;
    }
    f.playlist.LastEditDate = today;
    if (f.playlists.add() != 0) {
        fail("Play List Master");
        return;
    }
    for (size_t i = 0; i < chosen.size(); ++i) {
        f.entries.clearBuffer();
        f.entry.PlaylistID = id;
        f.entry.PlaylistSeq = Decimal<6, 0>::fromRaw(static_cast<int64_t>(i + 1));
        f.entry.ID = Decimal<6, 0>::fromRaw(chosen[i]);
        if (f.entries.add() != 0) {
            fail("Play List Details");
            return;
        }
    }
    if (transaction.commit() != 0) {
        fail("Play List Master");
        return;
    }
    out.result = Result::Generated;
    out.playlistId = id;
    out.name = std::string(f.playlist.PlaylistDescription.clipped());
    out.entries = static_cast<int>(chosen.size());
}

// The songs of the chosen category and release bounds; false, with `out` told why, when the
// category is not in its file.
bool candidatesOf(Files& files, const PlaylistGeneratorChoice& choice, SqlFilter* candidates,
                  PlaylistGeneratorOutcome* out) {
    const std::string category(clip(choice.category));
    if (!category.empty()) {
        // The whole name must match: a longer name than the field holds is no category.
        files.category.Category = category;
        const bool found = files.categories.get(CategoryRecord::KeyCategory) == 0 &&
                           files.category.Category.clipped() == category;
        if (!found) {
            out->result = PlaylistGeneratorOutcome::Result::UnknownCategory;
            out->message = "There is no category \"" + category + "\". No play list was made.";
            return false;
        }
        candidates->where = "{MUS:CategoryID} = ?";
        candidates->params.emplace_back(files.category.CategoryID.toInt());
    }
    addBound(candidates, choice.startDate, true);
    addBound(candidates, choice.endDate, false);
    return true;
}

// The draws over the candidates, each given the record it landed on (0 for none), in the
// order drawn; false when the songs could not be read.
bool drawSongs(DataFile& songs, const SqlFilter& candidates, const PlaylistGeneratorChoice& choice,
               std::mt19937_64& random, std::vector<Draw>* draws) {
    RecordRanks ranks(songs);
    // A song's number is given as it is added, so its order is the order of addition that
    // the weightings by addition lean on; and its index is narrow to read.
    ranks.setOrder(SongRecord::KeyID);
    // No index serves a release bound: the songs within it are gathered in one pass rather
    // than counted in one and drawn from in another.
    const bool gathered = choice.startDate != 0 || choice.endDate != 0;
    std::vector<int64_t> within;
    int64_t pool = 0;
    if (ranks.setCondition(candidates) != 0) return false;
    {
        // A release bound reads every song once; a count reads the narrow key.
        std::optional<LeanPass> lean;
        if (gathered) lean.emplace(songs.database());
        if ((gathered ? ranks.all(&within) : ranks.count(&pool)) != 0) return false;
    }
    if (gathered) pool = static_cast<int64_t>(within.size());

    *draws = makeDraws(pool, choice, random);
    // Ranks are looked up in ascending order, which the index reads in one sweep.
    std::vector<size_t> order(draws->size());
    std::iota(order.begin(), order.end(), size_t{0});
    std::sort(order.begin(), order.end(),
              [&](size_t a, size_t b) { return (*draws)[a].rank < (*draws)[b].rank; });
    std::vector<int64_t> sorted;
    sorted.reserve(order.size());
    for (size_t i : order) sorted.push_back((*draws)[i].rank);
    std::vector<int64_t> recnos;
    if (gathered) {
        for (int64_t rank : sorted)
            recnos.push_back(rank >= 1 && rank <= pool ? within[static_cast<size_t>(rank - 1)] : 0);
    } else if (ranks.recordNumbers(sorted, &recnos) != 0) {
        return false;
    }
    for (size_t i = 0; i < order.size(); ++i) (*draws)[order[i]].recno = recnos[i];
    return true;
}

}  // namespace

std::vector<std::string> PlaylistGenerator::categoryNames(Catalogue& catalogue) {
    std::vector<std::string> names;
    Files files(catalogue);
    if (files.categories.open() != 0) return names;
    files.categories.set(CategoryRecord::KeyCategory);
    while (files.categories.next() == 0) {
        const std::string name(files.category.Category.clipped());
        if (!name.empty()) names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    return names;
}

PlaylistGeneratorOutcome PlaylistGenerator::generate(const PlaylistGeneratorChoice& choice,
                                                     int32_t today) {
    PlaylistGeneratorOutcome out;
    if (choice.size < 0 || choice.size > kMaxSize) {
        out.result = Result::BadChoice;
        out.message = "The play list size is a number of songs from 0 to 99.";
        return out;
    }
    auto files = std::make_unique<Files>(catalogue_);
    Database& db = catalogue_.database();
    for (DataFile* f : {&files->songs, &files->categories, &files->playlists, &files->entries}) {
        if (f->open() != 0) {
            out.result = Result::NotWritten;
            out.message = "The " + f->decl().label() + " file could not be opened " +
                          errorOf(db.error()) + ". No play list was made.";
            return out;
        }
    }
    const int64_t songCount = files->songs.records();
    if (songCount <= 0) {
        out.result = Result::NoSongs;
        out.message = kNoSongs;
        return out;
    }

    // Which songs a draw may land on.
    SqlFilter candidates;
    if (!candidatesOf(*files, choice, &candidates, &out)) return out;
    std::vector<Draw> draws;
    if (!drawSongs(files->songs, candidates, choice, random_, &draws)) {
        out.result = Result::NotWritten;
        out.message =
            "The songs could not be read " + errorOf(db.error()) + ". No play list was made.";
        return out;
    }

    std::vector<int32_t> chosen;
    for (const Draw& d : draws) {
        if (static_cast<int>(chosen.size()) >= choice.size) break;
        ++out.draws;
        // A song deleted since the count is a draw that found nothing.
        if (d.recno == 0 || files->songs.getRecord(d.recno) != 0) continue;
        const int32_t release = files->song.ReleaseDate;
        if (d.weighed && release != 0) {
            const bool recent = recentRelease(release, today);
            if (choice.weighting == PlaylistWeighting::RecentRelease && !recent) continue;
            if (choice.weighting == PlaylistWeighting::OlderRelease && recent) continue;
        }
        chosen.push_back(files->song.ID);
    }

    writePlaylist(*files, db, chosen, today, &out);
    return out;
}

}  // namespace cdz
