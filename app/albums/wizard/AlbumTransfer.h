#pragma once
// The wizard's "OK": the album (when asked for), one song per track of the run, and the run's
// work records removed, all in one transaction over the album, songs and work files, so that
// either everything is written or nothing is and the tracks stay for another try. Failures are
// told to the user.
#include <QByteArray>

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "app/albums/cd/TitleRelease.h"
#include "app/domain/data/SongRecord.h"

namespace cdz {

class AppState;

class AlbumTransfer {
public:
    static constexpr const char* kCompilationArtist = "Various";

    struct Outcome {
        int code = 0;  // 0 when committed
        int32_t albumID = 0;
        int songs = 0;
        bool albumExisted = false;  // the new album duplicated one; the songs went to that one
        bool workUnread = false;    // the failure was a read of the wizard's own work file
    };

    // What a release found by the title service adds: the album's notes (its label, catalogue
    // number and identifier), its front cover, and each track's side by track number.
    struct FromRelease {
        std::optional<TitleRelease> release;
        QByteArray cover;
        std::map<int, std::string> sides;
    };

    // `song` is the template every song starts from (the General page's values).
    AlbumTransfer(AppState& state, int tag, bool compilation, bool addAlbum,
                  FromRelease fromRelease = {});

    Outcome run(const SongRecord& general);

    // "mm:ss" of a time value, the minutes within the hour, as the songs' first line of
    // additional information carries it.
    static std::string minutesSeconds(int32_t time);

private:
    int albumStep(const SongRecord& song, Outcome& out);
    int songStep(const SongRecord& song, Outcome& out);
    int clearRun();
    void storeCover(std::string_view artist, std::string_view title);

    AppState& state_;
    int tag_;
    bool compilation_;
    bool addAlbum_;
    FromRelease fromRelease_;
    std::string coverPath_;
};

}  // namespace cdz
