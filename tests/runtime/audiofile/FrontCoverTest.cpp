// The embedded front picture, in each container's own picture block.
#include <gtest/gtest.h>
#include <QBuffer>
#include <QColor>
#include <QImage>

#include <fstream>
#include <string>

#include "runtime/audiofile/AudioTags.h"
#include "tests/runtime/audiofile/ReadBack.h"
#include "tests/support/TempDir.h"
#include "tests/support/audio/AudioFileMaker.h"

namespace cdz {
namespace {

using test::AudioFormat;
using test::audioFormatName;

AudioPicture picture(const std::string& mimeType, std::string bytes) {
    return AudioPicture{mimeType, std::move(bytes)};
}

TEST(FrontCover, EachContainerGivesItsPictureOnlyWhenAsked) {
    test::TempDir dir;
    AudioTags tags;
    tags.title = "Pictured";
    tags.frontCover = picture("image/png", std::string("\x89PNG\r\n\x1a\n", 8) + "front");
    for (const AudioFormat format : {AudioFormat::Flac, AudioFormat::Mp3, AudioFormat::Mp3Id3v23,
                                     AudioFormat::OggVorbis, AudioFormat::Opus, AudioFormat::M4a,
                                     AudioFormat::Wav, AudioFormat::Aiff, AudioFormat::Wma}) {
        SCOPED_TRACE(audioFormatName(format));
        const auto file = test::makeAudioFile(dir.path(), "pictured", format, tags);
        const AudioTags read = test::readBack(file, true);
        ASSERT_TRUE(read.frontCover);
        EXPECT_EQ(read.frontCover->mimeType, "image/png");
        EXPECT_EQ(read.frontCover->bytes, tags.frontCover->bytes);
        EXPECT_EQ(read.title, "Pictured");
        EXPECT_FALSE(test::readBack(file, false).frontCover);
    }
}

// A small real JPEG, since the encoders read a picture's size from it; `padding` bytes after
// its end make it as large as a test needs.
std::string jpeg(Qt::GlobalColor color, std::size_t padding = 0) {
    QImage image(8, 8, QImage::Format_RGB32);
    image.fill(color);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPEG");
    std::string bytes = buffer.data().toStdString();
    return bytes.append(padding, '\0');
}

std::string writePicture(const std::filesystem::path& file, const std::string& bytes) {
    std::ofstream(file, std::ios::binary) << bytes;
    return file.string();
}

// The encoders' picture option: TYPE|MIME|DESCRIPTION|WIDTHxHEIGHTxDEPTH|FILE, type 3 the
// front cover, 4 the back.
std::string pictureOption(int type, const std::string& file) {
    return std::to_string(type) + "|image/jpeg|||" + file;
}

TEST(FrontCover, TheFrontIsChosenOverOtherPicturesAndAnOversizedOneIsPassedOver) {
    test::TempDir dir;
    const std::string backBytes = jpeg(Qt::blue);
    const std::string frontBytes = jpeg(Qt::red);
    const std::string back = writePicture(dir.path() / "back.jpg", backBytes);
    const std::string front = writePicture(dir.path() / "front.jpg", frontBytes);
    const std::string huge = writePicture(dir.path() / "huge.jpg", jpeg(Qt::green, kMaxCoverBytes));
    const struct {
        const char* name;
        std::string first, second;
        const std::string& chosen;
    } cases[] = {
        {"front second", pictureOption(4, back), pictureOption(3, front), frontBytes},
        {"no front", pictureOption(4, back), pictureOption(4, front), backBytes},
        {"front too large", pictureOption(3, huge), pictureOption(4, back), backBytes},
    };
    for (const AudioFormat format : {AudioFormat::Flac, AudioFormat::Opus}) {
        const std::string flag = format == AudioFormat::Flac ? "--picture=" : "--picture";
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(audioFormatName(format)) + ": " + c.name);
            const std::vector<std::string> options =
                format == AudioFormat::Flac
                    ? std::vector<std::string>{flag + c.first, flag + c.second}
                    : std::vector<std::string>{flag, c.first, flag, c.second};
            const auto file = test::encodeAudioFile(dir.path(), "pictures", format, options);
            const AudioTags read = test::readBack(file, true);
            ASSERT_TRUE(read.frontCover);
            EXPECT_EQ(read.frontCover->bytes, c.chosen);
            EXPECT_EQ(read.frontCover->mimeType, "image/jpeg");
        }
    }
    AudioTags alone;
    alone.frontCover = picture("image/jpeg", std::string(kMaxCoverBytes + 1, 'h'));
    const auto file = test::makeAudioFile(dir.path(), "huge", AudioFormat::Mp3, alone);
    EXPECT_FALSE(test::readBack(file, true).frontCover);
}

}  // namespace
}  // namespace cdz
