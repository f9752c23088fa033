#pragma once
// One run of the export: every song in artist order, joined to its category, written as one
// line of the chosen fields through their pictures, after a header line of the field names
// when asked for. Lines are written in large blocks to a new file beside the chosen one; a block
// that does not write is offered again (Retry) or the run is abandoned (Abort). The chosen file
// is replaced when the run completes or is cancelled (keeping what was written); a failed,
// abandoned or killed run leaves it as it was.
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/domain/data/Catalogue.h"
#include "app/songs/csv/CsvFieldWriter.h"
#include "runtime/data/View.h"
#include "runtime/ini/ReplacingFile.h"
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
    // Stops at once; what was written replaces the file at finish().
    void cancel();
    // Writes what is held and puts the file in place of the chosen one (after a completed or
    // cancelled run); false when the run failed or was abandoned, or the file could not be put
    // in place (the run Failed).
    bool finish();
    // Whether finish() replaced the chosen file; when not, it is as it was before the run.
    bool replaced() const { return replaced_; }

    ExportState state() const { return state_; }
    // Songs that reached the file.
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
    LeanPass lean_;  // every song read once
    std::vector<ExportField> fields_;
    bool header_;
    std::unique_ptr<View> view_;
    std::vector<Column> columns_;
    CsvFieldWriter line_;
    std::string block_;
    std::filesystem::path path_;
    std::unique_ptr<ReplacingFile> out_;
    RetryQuestion ask_;
    ExportState state_ = ExportState::Running;
    int64_t written_ = 0;
    int64_t pending_ = 0;  // lines in block_, not yet in the file
    int64_t read_ = 0;
    bool replaced_ = false;
    int64_t total_ = 0;
    std::string failureTitle_;
    std::string failureText_;
};

}  // namespace cdz
