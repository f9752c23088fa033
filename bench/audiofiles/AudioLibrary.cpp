#include "bench/audiofiles/AudioLibrary.h"

#include <fstream>
#include <optional>
#include <stdexcept>
#include <string>

#include "bench/audiofiles/AlbumPlan.h"
#include "bench/audiofiles/CoverJpeg.h"
#include "tests/support/audio/AudioFileMaker.h"

namespace cdz::gen {

namespace {

void writeCoverFile(const std::filesystem::path& file, const std::string& jpeg) {
    std::ofstream out(file, std::ios::binary);
    out.write(jpeg.data(), static_cast<std::streamsize>(jpeg.size()));
    if (!out.flush()) throw std::runtime_error("cannot write " + file.string());
}

void count(AudioLibraryCounts& counts, const PlannedAlbum& album) {
    const int tracks = static_cast<int>(album.tracks.size());
    counts.files += tracks;
    ++counts.albums;
    switch (album.format) {
        case test::AudioFormat::Flac:
            counts.flac += tracks;
            break;
        case test::AudioFormat::OggVorbis:
            counts.ogg += tracks;
            break;
        default:
            counts.mp3 += tracks;
            break;
    }
    if (album.cover == CoverPlace::Embedded) ++counts.embeddedCovers;
    if (album.cover == CoverPlace::Beside) ++counts.coverFiles;
}

}  // namespace

AudioLibraryCounts writeAudioLibrary(const std::filesystem::path& into, int files, uint64_t seed,
                                     const std::function<void(int)>& progress) {
    const test::SilentTemplates templates;
    AlbumPlanner planner(seed);
    AudioLibraryCounts counts;
    while (counts.files < files) {
        const PlannedAlbum album = planner.next(files - counts.files);
        const std::filesystem::path folder = into / album.folder;
        std::filesystem::create_directories(folder);
        std::optional<AudioPicture> cover;
        if (album.cover != CoverPlace::None)
            cover = AudioPicture{"image/jpeg", coverJpeg(album.coverSeed)};
        if (album.cover == CoverPlace::Beside) writeCoverFile(folder / "cover.jpg", cover->bytes);
        for (const PlannedTrack& track : album.tracks) {
            const std::filesystem::path file = into / track.file;
            std::filesystem::create_directories(file.parent_path());
            AudioTags tags = track.tags;
            if (album.cover == CoverPlace::Embedded) tags.frontCover = cover;
            test::makeAudioFile(templates, file.parent_path(), file.filename().string(),
                                album.format, tags);
        }
        count(counts, album);
        progress(counts.files);
    }
    return counts;
}

}  // namespace cdz::gen
