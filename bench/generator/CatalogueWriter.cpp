#include "bench/generator/CatalogueWriter.h"

#include <ostream>
#include <string>

#include "bench/generator/AlbumGenerator.h"
#include "bench/generator/CatalogueCsv.h"
#include "bench/generator/CategoryMaker.h"
#include "bench/generator/MediaNames.h"
#include "bench/generator/SongGenerator.h"
#include "bench/generator/TextCut.h"

namespace cdz::gen {

namespace {

// Collects lines and hands them to the stream in large blocks.
class BlockOutput {
public:
    explicit BlockOutput(std::ostream& out) : out_(out) { block_.reserve(kBlock + 20000); }
    ~BlockOutput() { flush(); }
    BlockOutput(const BlockOutput&) = delete;
    BlockOutput& operator=(const BlockOutput&) = delete;

    void line(const std::string& text) {
        block_ += text;
        block_ += '\n';
        if (block_.size() >= kBlock) flush();
    }
    void flush() {
        out_.write(block_.data(), static_cast<std::streamsize>(block_.size()));
        block_.clear();
    }

private:
    static constexpr std::size_t kBlock = 1 << 20;
    std::ostream& out_;
    std::string block_;
};

}  // namespace

int64_t CatalogueWriter::writeSongs(std::ostream& out, const CatalogueShape& shape, bool header,
                                    CatalogueStats* stats) {
    BlockOutput output(out);
    CsvLine line;
    if (header) {
        CatalogueCsv::songHeader(line);
        output.line(line.text());
    }
    SongGenerator songs(shape);
    SongRecord song;
    while (songs.next(song)) {
        CatalogueCsv::songLine(song, line);
        output.line(line.text());
        if (stats != nullptr) stats->addSong(song, charCount(line.text()));
    }
    return songs.produced();
}

int64_t CatalogueWriter::writeAlbums(std::ostream& out, const CatalogueShape& shape, int32_t count,
                                     bool header) {
    BlockOutput output(out);
    CsvLine line;
    if (header) {
        CatalogueCsv::albumHeader(line);
        output.line(line.text());
    }
    const ArtistPool artists(shape.seed, shape.artists());
    AlbumGenerator albums(shape, artists);
    for (int32_t i = 0; i < count; ++i) {
        CatalogueCsv::albumLine(albums.next().record, line);
        output.line(line.text());
    }
    return albums.produced();
}

int64_t CatalogueWriter::writeCategories(std::ostream& out, const CatalogueShape& shape,
                                         bool header) {
    BlockOutput output(out);
    CsvLine line;
    if (header) {
        CatalogueCsv::categoryHeader(line);
        output.line(line.text());
    }
    const auto categories = CategoryMaker::make(shape.seed, shape.categories);
    for (const CategoryRecord& category : categories) {
        CatalogueCsv::categoryLine(category, line);
        output.line(line.text());
    }
    return static_cast<int64_t>(categories.size());
}

int64_t CatalogueWriter::writeMedia(std::ostream& out, bool header) {
    BlockOutput output(out);
    CsvLine line;
    if (header) {
        CatalogueCsv::mediaHeader(line);
        output.line(line.text());
    }
    for (std::string_view media : mediaNames()) {
        CatalogueCsv::mediaLine(media, line);
        output.line(line.text());
    }
    return static_cast<int64_t>(mediaNames().size());
}

}  // namespace cdz::gen
