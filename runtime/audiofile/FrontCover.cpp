#include "runtime/audiofile/FrontCover.h"

#include <taglib/aifffile.h>
#include <taglib/asffile.h>
#include <taglib/attachedpictureframe.h>
#include <taglib/flacfile.h>
#include <taglib/id3v2tag.h>
#include <taglib/mp4file.h>
#include <taglib/mpegfile.h>
#include <taglib/oggflacfile.h>
#include <taglib/opusfile.h>
#include <taglib/vorbisfile.h>
#include <taglib/wavfile.h>
#include <taglib/xiphcomment.h>

#include <vector>

#include "runtime/audiofile/AudioTags.h"

namespace cdz {

namespace {

// A picture as its tag holds it. ByteVector shares its data, so a candidate copies no bytes.
struct CoverCandidate {
    bool front = false;
    TagLib::String mimeType;
    TagLib::ByteVector bytes;
};

using Candidates = std::vector<CoverCandidate>;

void addId3v2Pictures(const TagLib::ID3v2::Tag* tag, Candidates& out) {
    if (tag == nullptr) return;
    using TagLib::ID3v2::AttachedPictureFrame;
    for (const TagLib::ID3v2::Frame* frame : tag->frameList("APIC")) {
        if (const auto* picture = dynamic_cast<const AttachedPictureFrame*>(frame)) {
            out.push_back({picture->type() == AttachedPictureFrame::FrontCover, picture->mimeType(),
                           picture->picture()});
        }
    }
}

void addFlacPictures(const TagLib::List<TagLib::FLAC::Picture*>& pictures, Candidates& out) {
    for (const TagLib::FLAC::Picture* picture : pictures) {
        out.push_back({picture->type() == TagLib::FLAC::Picture::FrontCover, picture->mimeType(),
                       picture->data()});
    }
}

void addXiphPictures(TagLib::Ogg::XiphComment* comment, Candidates& out) {
    if (comment != nullptr) addFlacPictures(comment->pictureList(), out);
}

const char* coverArtMimeType(TagLib::MP4::CoverArt::Format format) {
    switch (format) {
        case TagLib::MP4::CoverArt::JPEG:
            return "image/jpeg";
        case TagLib::MP4::CoverArt::PNG:
            return "image/png";
        case TagLib::MP4::CoverArt::GIF:
            return "image/gif";
        case TagLib::MP4::CoverArt::BMP:
            return "image/bmp";
        case TagLib::MP4::CoverArt::Unknown:
            break;
    }
    return "";
}

// covr names no picture type: the first one is taken for the front.
void addMp4Pictures(const TagLib::MP4::Tag* tag, Candidates& out) {
    if (tag == nullptr || !tag->contains("covr")) return;
    for (const TagLib::MP4::CoverArt& art : tag->item("covr").toCoverArtList()) {
        out.push_back({out.empty(), coverArtMimeType(art.format()), art.data()});
    }
}

void addAsfPictures(const TagLib::ASF::Tag* tag, Candidates& out) {
    if (tag == nullptr) return;
    for (const TagLib::ASF::Attribute& attribute : tag->attribute("WM/Picture")) {
        const TagLib::ASF::Picture picture = attribute.toPicture();
        if (!picture.isValid()) continue;
        out.push_back({picture.type() == TagLib::ASF::Picture::FrontCover, picture.mimeType(),
                       picture.picture()});
    }
}

Candidates coverCandidates(TagLib::File& file) {
    Candidates found;
    if (auto* flac = dynamic_cast<TagLib::FLAC::File*>(&file)) {
        addFlacPictures(flac->pictureList(), found);
    } else if (auto* mpeg = dynamic_cast<TagLib::MPEG::File*>(&file)) {
        addId3v2Pictures(mpeg->hasID3v2Tag() ? mpeg->ID3v2Tag() : nullptr, found);
    } else if (auto* vorbis = dynamic_cast<TagLib::Ogg::Vorbis::File*>(&file)) {
        addXiphPictures(vorbis->tag(), found);
    } else if (auto* opus = dynamic_cast<TagLib::Ogg::Opus::File*>(&file)) {
        addXiphPictures(opus->tag(), found);
    } else if (auto* oggFlac = dynamic_cast<TagLib::Ogg::FLAC::File*>(&file)) {
        addXiphPictures(oggFlac->tag(), found);
    } else if (auto* mp4 = dynamic_cast<TagLib::MP4::File*>(&file)) {
        addMp4Pictures(mp4->tag(), found);
    } else if (auto* asf = dynamic_cast<TagLib::ASF::File*>(&file)) {
        addAsfPictures(asf->tag(), found);
    } else if (auto* wav = dynamic_cast<TagLib::RIFF::WAV::File*>(&file)) {
        addId3v2Pictures(wav->hasID3v2Tag() ? wav->ID3v2Tag() : nullptr, found);
    } else if (auto* aiff = dynamic_cast<TagLib::RIFF::AIFF::File*>(&file)) {
        addId3v2Pictures(aiff->hasID3v2Tag() ? aiff->tag() : nullptr, found);
    }
    return found;
}

bool usable(const CoverCandidate& candidate) {
    return !candidate.bytes.isEmpty() && candidate.bytes.size() <= kMaxCoverBytes;
}

}  // namespace

std::optional<AudioPicture> readFrontCover(TagLib::File& file) {
    const Candidates candidates = coverCandidates(file);
    const CoverCandidate* chosen = nullptr;
    for (const CoverCandidate& candidate : candidates) {
        if (!usable(candidate)) continue;
        if (candidate.front) {
            chosen = &candidate;
            break;
        }
        if (chosen == nullptr) chosen = &candidate;
    }
    if (chosen == nullptr) return std::nullopt;
    return AudioPicture{chosen->mimeType.to8Bit(true),
                        std::string(chosen->bytes.data(), chosen->bytes.size())};
}

}  // namespace cdz
