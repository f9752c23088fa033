#pragma once
// The add-album wizard's rules for its General page, without widgets: the release date read
// with the date picture of the Preferences, the category and media checked as a form checks
// them on leaving their fields, and for the first value refused what the user is told and
// which field then takes the focus. What only the catalogue knows comes in as lookups.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <variant>

namespace cdz {

// The General page as typed; the date and category with surrounding blanks trimmed.
struct AlbumGeneralTyped {
    std::optional<std::string> artist;  // a compilation has no artist field
    std::string album;
    std::string releaseDate;
    std::string fileNumber;
    std::string category;
    std::optional<std::string> media;  // none when no media name is chosen
};

// The values the album's songs start from, once every one was accepted.
struct AlbumGeneralValues {
    std::optional<std::string> artist;
    std::string album;
    std::string fileNumber;
    int32_t releaseDate = 0;  // day number, 0 for none
    std::string media;
};

struct AlbumGeneralProblem {
    enum class What { UnreadableDate, CategoryRefused, NoMedia, MediaNotFiled };
    enum class Field { ReleaseDate, Category, Media };
    What what;
    Field focus;
    // The message the window shows; blank where the category's own check told the user
    // already, where the standard warning of a value not in its file does (MediaNotFiled), or
    // where nothing is said.
    std::string title;
    std::string text;
};

class AlbumWizardChecks {
public:
    struct Lookups {
        // The category typed (blank for none) accepted, a new one perhaps added after the
        // user was asked; false when it is refused.
        std::function<bool(const std::string&)> acceptCategory;
        // Whether the media file still holds the name: another station may have removed it
        // since the list was filled.
        std::function<bool(const std::string&)> mediaFiled;
    };

    // `datePicture` is the picture the release date is typed in ("@d17"); only the
    // single-artist wizard checks the media name against the file.
    AlbumWizardChecks(std::string datePicture, bool singleArtist, Lookups lookups);

    // The page's values, checked in the page's order (date, category, media), or the first
    // problem; a later check is not made (no category question after a bad date).
    std::variant<AlbumGeneralValues, AlbumGeneralProblem> general(
        const AlbumGeneralTyped& typed) const;
    // The category alone, as its field is left.
    std::optional<AlbumGeneralProblem> category(const std::string& typed) const;
    // The day number of the shown date, 0 for blank; nullopt when it does not read as a date,
    // which is refused rather than saved as no date.
    std::optional<int32_t> releaseDay(const std::string& shown) const;

private:
    std::string datePicture_;
    bool singleArtist_;
    Lookups lookups_;
};

}  // namespace cdz
