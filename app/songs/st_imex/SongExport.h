#pragma once
// One run of the export: every song in artist order, joined to its category, written as one
// line of the chosen fields through their pictures, after a header line of the field names
// when asked for. Lines are written in large blocks; a block that does not write is offered
// again (Retry) or the run is abandoned (Abort), and the file keeps what was written.
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/core/data/Catalogue.h"
#include "app/songs/st_imex/CsvFieldWriter.h"
#include "runtime/data/View.h"
#include "runtime/text/Picture.h"

namespace cdz {

struct ExportField {
    std::string label;    // "MUS:Artist", "CAT:Category"
    std::string picture;  // "@s40"
};

enum class ExportState { Running, Completed, Cancelled, Abandoned, Failed };

class SongExport {
public:
    // Asked when a write fails, with a title and a text; true to write again, false to stop.
    using RetryQuestion = std::function<bool(const std::string& title, const std::string& text)>;

    // The fields the export offers, with their default pictures, in the window's order.
    static std::vector<ExportField> allFields();

    // The caller holds the songs and categories files open.
    SongExport(Catalogue& catalogue, std::vector<ExportField> fields, bool header);
    ~SongExport();
    SongExport(const SongExport&) = delete;
    SongExport& operator=(const SongExport&) = delete;

    void setRetryQuestion(RetryQuestion ask) { ask_ = std::move(ask); }
    // Creates the file and writes the header line; false with failureTitle()/Text().
    bool start(const std::filesystem::path& file);
    // Writes up to `songs` songs; false once the run has ended.
    bool step(int songs);
    // Stops at once; what was written stays in the file.
    void cancel();
    // Writes what is held and closes the file; false (the run Failed) when that fails.
    bool finish();

    ExportState state() const { return state_; }
    int64_t written() const { return written_; }
    int64_t total() const { return total_; }
    int percent() const;
    const std::string& failureTitle() const { return failureTitle_; }
    const std::string& failureText() const { return failureText_; }

private:
    struct Column {
        const FieldDesc* field = nullptr;
        void* record = nullptr;
        std::optional<Picture> picture;
        char kind = 'S';
    };

    void appendSong();
    bool flush();
    void fail(std::string title, std::string text);

    Catalogue& catalogue_;
    std::vector<ExportField> fields_;
    bool header_;
    std::unique_ptr<View> view_;
    std::vector<Column> columns_;
    CsvFieldWriter line_;
    std::string block_;
    std::filesystem::path path_;
    int fd_ = -1;
    RetryQuestion ask_;
    ExportState state_ = ExportState::Running;
    int64_t written_ = 0;
    int64_t total_ = 0;
    std::string failureTitle_;
    std::string failureText_;
};

}  // namespace cdz
