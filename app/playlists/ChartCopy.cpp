#include "app/playlists/ChartCopy.h"

#include "app/domain/data/Catalogue.h"
#include "runtime/data/DataFile.h"

namespace cdz {
namespace {

constexpr std::string_view kMarker = "LW:";

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Characters of UTF-8 text (continuation bytes not counted).
size_t characters(std::string_view s) {
    size_t n = 0;
    for (const char c : s) n += (static_cast<unsigned char>(c) & 0xC0) != 0x80 ? 1 : 0;
    return n;
}

// The first `n` characters of UTF-8 text.
std::string_view firstCharacters(std::string_view s, size_t n) {
    size_t seen = 0;
    for (size_t i = 0; i < s.size(); ++i) {
        if ((static_cast<unsigned char>(s[i]) & 0xC0) != 0x80 && seen++ == n) return s.substr(0, i);
    }
    return s;
}

}  // namespace

ChartCopy::ChartCopy(Catalogue& catalogue, int32_t playlist)
    : catalogue_(catalogue),
      details_(catalogue.file(CatalogueFile::PlaylistDetails)),
      playlist_(playlist) {}

std::string ChartCopy::markedNote(std::string_view note, int64_t position) {
    std::string text(note);
    // Every marker goes with all its digits, so a position of 100 or more leaves nothing behind.
    for (size_t at; (at = text.find(kMarker)) != std::string::npos;) {
        size_t end = at + kMarker.size();
        while (end < text.size() && isDigit(text[end])) ++end;
        text.erase(at, end - at);
    }
    text = std::string(clip(text));
    const std::string marker = " " + std::string(kMarker) + std::to_string(position);
    const size_t room = static_cast<size_t>(kNoteWidth) - marker.size();
    if (characters(text) > room) text = std::string(clip(firstCharacters(text, room)));
    return text + marker;
}

std::string ChartCopy::lastWeek(std::string_view note) {
    const size_t at = note.find(kMarker);
    if (at == std::string_view::npos) return "--";
    size_t end = at + kMarker.size();
    while (end < note.size() && isDigit(note[end])) ++end;
    return std::string(note.substr(at + kMarker.size(), end - at - kMarker.size()));
}

bool ChartCopy::start() {
    records_.clear();
    next_ = 0;
    error_.clear();
    PlaylistDetailRecord& entry = catalogue_.playlistEntry();
    details_.clearBuffer();
    entry.PlaylistID = playlist_;
    int code = details_.setAt(PlaylistDetailRecord::KeyPlaylistID);
    while (code == 0 && (code = details_.next()) == 0 && entry.PlaylistID == playlist_) {
        records_.push_back(details_.recordNumber());
    }
    if (code != 0 && code != err::kRecordNotAvailable) {
        error_ = details_.error();
        return false;
    }
    return true;
}

bool ChartCopy::step() {
    PlaylistDetailRecord& entry = catalogue_.playlistEntry();
    for (int n = 0; n < kBatch && next_ < static_cast<int>(records_.size()); ++n) {
        int code = details_.getRecord(records_[static_cast<size_t>(next_)]);
        if (code == 0) {
            entry.PlaylistNotes =
                markedNote(entry.PlaylistNotes.clipped(), entry.PlaylistSeq.toInt());
            code = details_.put();
        }
        if (code != 0) {
            error_ = details_.error();
            return false;
        }
        ++next_;
    }
    return next_ < static_cast<int>(records_.size());
}

int ChartCopy::percent() const {
    if (records_.empty()) return 100;
    return static_cast<int>(static_cast<int64_t>(next_) * 100 /
                            static_cast<int64_t>(records_.size()));
}

}  // namespace cdz
