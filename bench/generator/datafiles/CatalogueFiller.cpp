#include "bench/generator/datafiles/CatalogueFiller.h"

#include <algorithm>

#include "bench/generator/AlbumGenerator.h"
#include "bench/generator/ArtistPool.h"
#include "bench/generator/CategoryMaker.h"
#include "bench/generator/MediaNames.h"
#include "bench/generator/Rng.h"
#include "bench/generator/SongGenerator.h"
#include "bench/generator/datafiles/RecordFill.h"

namespace cdz::gen {

CatalogueFiller::CatalogueFiller(Catalogue& catalogue, const CatalogueShape& shape)
    : catalogue_(catalogue), shape_(shape) {}

std::string CatalogueFiller::failure(DataFile& file, const std::string& what) const {
    const ErrorState& e = file.error();
    std::string text = file.decl().label() + " file: " + what + " failed (" +
                       std::to_string(e.code) + " " + e.text;
    if (!e.driverText.empty()) text += ": " + e.driverText;
    return text + ")";
}

std::string CatalogueFiller::addCategories() {
    DataFile& file = catalogue_.file(CatalogueFile::Categories);
    if (file.stream()) return failure(file, "stream");
    for (const CategoryRecord& c : CategoryMaker::make(shape_.seed, shape_.categories)) {
        file.clearBuffer();
        RecordFill::category(c, catalogue_.category());
        if (file.add()) return failure(file, "adding category " + std::to_string(c.CategoryID));
        ++counts_.categories;
    }
    if (file.flush()) return failure(file, "flush");
    return {};
}

std::string CatalogueFiller::addMedia() {
    DataFile& file = catalogue_.file(CatalogueFile::Media);
    if (file.stream()) return failure(file, "stream");
    for (std::string_view name : mediaNames()) {
        file.clearBuffer();
        catalogue_.media().Media = name;
        if (file.add()) return failure(file, "adding media " + std::string(name));
        ++counts_.media;
    }
    if (file.flush()) return failure(file, "flush");
    return {};
}

std::string CatalogueFiller::checkLinks(const SongRecord& song) {
    albumsNamed_ = std::max(albumsNamed_, song.AlbumID);
    const std::string which = "song " + std::to_string(song.ID);
    if (song.CategoryID < 0 || song.CategoryID > shape_.categories) {
        return which + " names category " + std::to_string(song.CategoryID) +
               ", which the categories file lacks";
    }
    const auto& media = mediaNames();
    if (std::find(media.begin(), media.end(), song.Media) == media.end()) {
        return which + " names media \"" + song.Media + "\", which the media file lacks";
    }
    return {};
}

std::string CatalogueFiller::addSongs(const Progress& progress) {
    DataFile& file = catalogue_.file(CatalogueFile::Cadenzio);
    SongGenerator generator(shape_);
    SongRecord song;
    bool more = true;
    while (more) {
        if (file.stream()) return failure(file, "stream");
        int64_t inBatch = 0;
        while (inBatch < kBatch && (more = generator.next(song))) {
            if (std::string wrong = checkLinks(song); !wrong.empty()) return wrong;
            file.clearBuffer();
            RecordFill::song(song, catalogue_.song());
            if (file.add()) return failure(file, "adding song " + std::to_string(song.ID));
            ++inBatch;
        }
        if (file.flush()) return failure(file, "flush");
        counts_.songs += inBatch;
        if (progress && inBatch > 0) progress(counts_.songs);
    }
    return {};
}

std::string CatalogueFiller::addAlbums(int32_t count) {
    if (albumsNamed_ > count) {
        return "a song is on album " + std::to_string(albumsNamed_) + " of only " +
               std::to_string(count) + " albums";
    }
    DataFile& file = catalogue_.file(CatalogueFile::Album);
    const ArtistPool artists(shape_.seed, shape_.artists());
    AlbumGenerator albums(shape_, artists);
    if (file.stream()) return failure(file, "stream");
    for (int32_t i = 0; i < count; ++i) {
        const AlbumRecord& album = albums.next().record;
        file.clearBuffer();
        RecordFill::album(album, catalogue_.album());
        if (file.add()) return failure(file, "adding album " + std::to_string(album.AlbumID));
        ++counts_.albums;
    }
    if (file.flush()) return failure(file, "flush");
    return {};
}

std::string CatalogueFiller::addPlaylists() {
    if (counts_.songs == 0) return {};
    DataFile& master = catalogue_.file(CatalogueFile::PlaylistMaster);
    DataFile& entries = catalogue_.file(CatalogueFile::PlaylistDetails);
    const int64_t lists = std::max<int64_t>(1, counts_.songs / kSongsAPlaylist);
    Rng rng(mixSeed(shape_.seed, 0x706c61796c697374));  // a stream of its own: "playlist"
    if (master.stream()) return failure(master, "stream");
    if (entries.stream()) return failure(entries, "stream");
    for (int64_t n = 1; n <= lists; ++n) {
        master.clearBuffer();
        PlaylistMasterRecord& list = catalogue_.playlist();
        list.PlaylistID = static_cast<int32_t>(n);
        list.PlaylistDescription = "Chart Week " + std::to_string(n);
        list.LastEditDate = 0;
        if (master.add()) return failure(master, "adding playlist " + std::to_string(n));
        ++counts_.playlists;
        for (int32_t seq = 1; seq <= kPlaylistLength; ++seq) {
            const int64_t song = rng.range(1, counts_.songs);
            entries.clearBuffer();
            PlaylistDetailRecord& entry = catalogue_.playlistEntry();
            entry.PlaylistID = list.PlaylistID;
            entry.PlaylistSeq = decltype(entry.PlaylistSeq)::fromRaw(seq);
            entry.ID = decltype(entry.ID)::fromRaw(song);
            if (entries.add())
                return failure(entries, "adding an entry of playlist " + std::to_string(n));
            ++counts_.playlistEntries;
        }
    }
    if (master.flush()) return failure(master, "flush");
    if (entries.flush()) return failure(entries, "flush");
    return {};
}

}  // namespace cdz::gen
