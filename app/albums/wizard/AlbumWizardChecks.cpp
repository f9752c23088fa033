#include "app/albums/wizard/AlbumWizardChecks.h"

#include <charconv>
#include <system_error>

#include "runtime/text/Picture.h"

namespace cdz {

namespace {

using Problem = AlbumGeneralProblem;

Problem unreadableDate(const std::string& shown) {
    return {Problem::What::UnreadableDate, Problem::Field::ReleaseDate, "Invalid Date",
            "\"" + shown +
                "\" is not a date.|Type the release date as the date format of the Preferences "
                "shows it, or leave it blank."};
}

}  // namespace

AlbumWizardChecks::AlbumWizardChecks(std::string datePicture, bool singleArtist, Lookups lookups)
    : datePicture_(std::move(datePicture)),
      singleArtist_(singleArtist),
      lookups_(std::move(lookups)) {}

std::optional<int32_t> AlbumWizardChecks::releaseDay(const std::string& shown) const {
    if (shown.empty()) return 0;
    const std::string value = deformatPicture(datePicture_, shown);
    int32_t day = 0;
    const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), day);
    if (error != std::errc() || end != value.data() + value.size() || day <= 0) {
        return std::nullopt;
    }
    return day;
}

std::optional<AlbumGeneralProblem> AlbumWizardChecks::category(const std::string& typed) const {
    if (lookups_.acceptCategory(typed)) return std::nullopt;
    return Problem{Problem::What::CategoryRefused, Problem::Field::Category, {}, {}};
}

std::variant<AlbumGeneralValues, AlbumGeneralProblem> AlbumWizardChecks::general(
    const AlbumGeneralTyped& typed) const {
    const std::optional<int32_t> day = releaseDay(typed.releaseDate);
    if (!day) return unreadableDate(typed.releaseDate);
    if (auto refused = category(typed.category)) return *refused;
    if (!typed.media) return Problem{Problem::What::NoMedia, Problem::Field::Media, {}, {}};
    if (singleArtist_ && !lookups_.mediaFiled(*typed.media)) {
        return Problem{Problem::What::MediaNotFiled, Problem::Field::Media, {}, {}};
    }
    return AlbumGeneralValues{typed.artist, typed.album, typed.fileNumber, *day, *typed.media};
}

}  // namespace cdz
