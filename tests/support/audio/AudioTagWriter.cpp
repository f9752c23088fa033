#include "tests/support/audio/AudioTagWriter.h"

#include <taglib/aifffile.h>
#include <taglib/asffile.h>
#include <taglib/attachedpictureframe.h>
#include <taglib/flacfile.h>
#include <taglib/id3v1tag.h>
#include <taglib/id3v2tag.h>
#include <taglib/infotag.h>
#include <taglib/mp4file.h>
#include <taglib/mpegfile.h>
#include <taglib/opusfile.h>
#include <taglib/tpropertymap.h>
#include <taglib/vorbisfile.h>
#include <taglib/wavfile.h>
#include <taglib/xiphcomment.h>

#include <cstdio>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>

namespace cdz::test {

namespace {

TagLib::String utf8(std::string_view text) {
    return {std::string(text), TagLib::String::UTF8};
}

TagLib::ByteVector bytesOf(const std::string& text) {
    return {text.data(), static_cast<unsigned int>(text.size())};
}

TagLib::StringList splitValues(std::string_view text) {
    TagLib::StringList values;
    for (std::size_t at = 0;;) {
        const std::size_t next = text.find("; ", at);
        values.append(utf8(text.substr(at, next - at)));
        if (next == std::string_view::npos) return values;
        at = next + 2;
    }
}

std::string twoDigits(int value) {
    char text[4];
    std::snprintf(text, sizeof text, "%02d", value % 100);
    return text;
}

std::string dateText(const AudioTags& tags) {
    std::string date = std::to_string(tags.year);
    if (tags.month > 0) date.append("-").append(twoDigits(tags.month));
    if (tags.day > 0) date.append("-").append(twoDigits(tags.day));
    return date;
}

std::string numberText(int number, int total) {
    std::string text = std::to_string(number);
    if (total > 0) text.append("/").append(std::to_string(total));
    return text;
}

// Vorbis comments keep totals under keys of their own; the other formats write "3/12".
TagLib::PropertyMap propertiesOf(const AudioTags& tags, bool separateTotals) {
    TagLib::PropertyMap map;
    const auto put = [&](const char* key, const std::string& value) {
        if (!value.empty()) map.replace(key, splitValues(value));
    };
    put("TITLE", tags.title);
    put("ARTIST", tags.artist);
    put("ALBUMARTIST", tags.albumArtist);
    put("ALBUM", tags.album);
    put("GENRE", tags.genre);
    put("COMPOSER", tags.composer);
    put("COMMENT", tags.comment);
    if (tags.year > 0) put("DATE", dateText(tags));
    if (separateTotals) {
        if (tags.track > 0) put("TRACKNUMBER", std::to_string(tags.track));
        if (tags.trackTotal > 0) put("TRACKTOTAL", std::to_string(tags.trackTotal));
        if (tags.disc > 0) put("DISCNUMBER", std::to_string(tags.disc));
        if (tags.discTotal > 0) put("DISCTOTAL", std::to_string(tags.discTotal));
    } else {
        if (tags.track > 0) put("TRACKNUMBER", numberText(tags.track, tags.trackTotal));
        if (tags.disc > 0) put("DISCNUMBER", numberText(tags.disc, tags.discTotal));
    }
    put("MUSICBRAINZ_TRACKID", tags.recordingId);
    put("MUSICBRAINZ_ALBUMID", tags.releaseId);
    put("MUSICBRAINZ_RELEASEGROUPID", tags.releaseGroupId);
    put("MUSICBRAINZ_ARTISTID", tags.artistId);
    put("MUSICBRAINZ_ALBUMARTISTID", tags.albumArtistId);
    put("MUSICBRAINZ_RELEASETRACKID", tags.trackId);
    return map;
}

std::unique_ptr<TagLib::FLAC::Picture> flacPicture(const AudioPicture& cover) {
    auto picture = std::make_unique<TagLib::FLAC::Picture>();
    picture->setType(TagLib::FLAC::Picture::FrontCover);
    picture->setMimeType(utf8(cover.mimeType));
    picture->setData(bytesOf(cover.bytes));
    return picture;
}

void addId3v2Cover(TagLib::ID3v2::Tag& tag, const AudioTags& tags) {
    if (!tags.frontCover) return;
    auto frame = std::make_unique<TagLib::ID3v2::AttachedPictureFrame>();
    frame->setType(TagLib::ID3v2::AttachedPictureFrame::FrontCover);
    frame->setMimeType(utf8(tags.frontCover->mimeType));
    frame->setPicture(bytesOf(tags.frontCover->bytes));
    tag.addFrame(frame.release());  // the tag owns its frames
}

void addXiphCover(TagLib::Ogg::XiphComment& comment, const AudioTags& tags) {
    if (tags.frontCover) comment.addPicture(flacPicture(*tags.frontCover).release());
}

void check(bool saved, const std::filesystem::path& file) {
    if (!saved) throw std::runtime_error("TagLib cannot save tags into " + file.string());
}

template <typename File>
void checkOpen(const File& opened, const std::filesystem::path& file) {
    if (!opened.isValid()) throw std::runtime_error("TagLib cannot open " + file.string());
}

void writeFlac(const std::filesystem::path& file, const AudioTags& tags) {
    TagLib::FLAC::File flac(file.c_str());
    checkOpen(flac, file);
    flac.setProperties(propertiesOf(tags, true));
    flac.removePictures();
    if (tags.frontCover) flac.addPicture(flacPicture(*tags.frontCover).release());
    check(flac.save(), file);
}

void writeMp3(const std::filesystem::path& file, AudioFormat format, const AudioTags& tags) {
    TagLib::MPEG::File mp3(file.c_str());
    checkOpen(mp3, file);
    if (format == AudioFormat::Mp3Id3v1) {
        // ID3v1 holds numbers, not texts, for the year and track.
        TagLib::ID3v1::Tag& tag = *mp3.ID3v1Tag(true);
        tag.setTitle(utf8(tags.title));
        tag.setArtist(utf8(tags.artist));
        tag.setAlbum(utf8(tags.album));
        tag.setComment(utf8(tags.comment));
        tag.setGenre(utf8(tags.genre));
        tag.setYear(static_cast<unsigned int>(tags.year));
        tag.setTrack(static_cast<unsigned int>(tags.track));
        check(mp3.save(TagLib::MPEG::File::ID3v1, TagLib::File::StripOthers), file);
        return;
    }
    mp3.setProperties(propertiesOf(tags, false));
    addId3v2Cover(*mp3.ID3v2Tag(true), tags);
    const auto version = format == AudioFormat::Mp3Id3v23 ? TagLib::ID3v2::v3 : TagLib::ID3v2::v4;
    check(mp3.save(TagLib::MPEG::File::ID3v2, TagLib::File::StripOthers, version), file);
}

template <typename OggFile>
void writeOgg(const std::filesystem::path& file, const AudioTags& tags) {
    OggFile ogg(file.c_str());
    checkOpen(ogg, file);
    ogg.setProperties(propertiesOf(tags, true));
    ogg.tag()->removeAllPictures();
    addXiphCover(*ogg.tag(), tags);
    check(ogg.save(), file);
}

TagLib::MP4::CoverArt::Format coverArtFormat(const std::string& mimeType) {
    if (mimeType == "image/png") return TagLib::MP4::CoverArt::PNG;
    if (mimeType == "image/gif") return TagLib::MP4::CoverArt::GIF;
    if (mimeType == "image/bmp") return TagLib::MP4::CoverArt::BMP;
    return TagLib::MP4::CoverArt::JPEG;
}

void writeM4a(const std::filesystem::path& file, const AudioTags& tags) {
    TagLib::MP4::File m4a(file.c_str());
    checkOpen(m4a, file);
    m4a.setProperties(propertiesOf(tags, false));
    if (tags.frontCover) {
        TagLib::MP4::CoverArtList covers;
        covers.append({coverArtFormat(tags.frontCover->mimeType), bytesOf(tags.frontCover->bytes)});
        m4a.tag()->setItem("covr", covers);
    }
    check(m4a.save(), file);
}

void writeWav(const std::filesystem::path& file, const AudioTags& tags) {
    TagLib::RIFF::WAV::File wav(file.c_str());
    checkOpen(wav, file);
    wav.setProperties(propertiesOf(tags, false));
    addId3v2Cover(*wav.ID3v2Tag(), tags);
    check(wav.save(TagLib::RIFF::WAV::File::ID3v2, TagLib::File::StripOthers), file);
}

// RIFF INFO fields written as a tagging program writes them, as text: TagLib's own mapping goes
// through numbers and would lose a full date.
void writeWavInfo(const std::filesystem::path& file, const AudioTags& tags) {
    TagLib::RIFF::WAV::File wav(file.c_str());
    checkOpen(wav, file);
    TagLib::RIFF::Info::Tag& info = *wav.InfoTag();
    const auto put = [&](const char* id, const std::string& value) {
        if (!value.empty()) info.setFieldText(id, utf8(value));
    };
    put("INAM", tags.title);
    put("IART", tags.artist);
    put("IPRD", tags.album);
    put("IGNR", tags.genre);
    put("IMUS", tags.composer);
    put("ICMT", tags.comment);
    if (tags.year > 0) put("ICRD", dateText(tags));
    if (tags.track > 0) put("ITRK", numberText(tags.track, tags.trackTotal));
    check(wav.save(TagLib::RIFF::WAV::File::Info, TagLib::File::StripOthers), file);
}

void writeAiff(const std::filesystem::path& file, const AudioTags& tags) {
    TagLib::RIFF::AIFF::File aiff(file.c_str());
    checkOpen(aiff, file);
    aiff.setProperties(propertiesOf(tags, false));
    addId3v2Cover(*aiff.tag(), tags);
    check(aiff.save(), file);
}

void writeWma(const std::filesystem::path& file, const AudioTags& tags) {
    TagLib::ASF::File wma(file.c_str());
    checkOpen(wma, file);
    wma.setProperties(propertiesOf(tags, false));
    if (tags.frontCover) {
        TagLib::ASF::Picture picture;
        picture.setType(TagLib::ASF::Picture::FrontCover);
        picture.setMimeType(utf8(tags.frontCover->mimeType));
        picture.setPicture(bytesOf(tags.frontCover->bytes));
        wma.tag()->setAttribute("WM/Picture", TagLib::ASF::Attribute(picture));
    }
    check(wma.save(), file);
}

}  // namespace

void writeAudioTags(const std::filesystem::path& file, AudioFormat format, const AudioTags& tags) {
    switch (format) {
        case AudioFormat::Flac:
            return writeFlac(file, tags);
        case AudioFormat::Mp3:
        case AudioFormat::Mp3Id3v23:
        case AudioFormat::Mp3Id3v1:
            return writeMp3(file, format, tags);
        case AudioFormat::OggVorbis:
            return writeOgg<TagLib::Ogg::Vorbis::File>(file, tags);
        case AudioFormat::Opus:
            return writeOgg<TagLib::Ogg::Opus::File>(file, tags);
        case AudioFormat::M4a:
        case AudioFormat::M4aAlac:
            return writeM4a(file, tags);
        case AudioFormat::Wav:
            return writeWav(file, tags);
        case AudioFormat::WavInfo:
            return writeWavInfo(file, tags);
        case AudioFormat::Aiff:
            return writeAiff(file, tags);
        case AudioFormat::Wma:
            return writeWma(file, tags);
    }
}

}  // namespace cdz::test
