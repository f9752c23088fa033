#include "app/albums/cd/ReleaseFill.h"

#include <algorithm>
#include <cctype>

#include "runtime/text/DateTime.h"

namespace cdz {

namespace {

constexpr std::string_view kLabels[] = {
    "Label: ", "Catalogue number: ", "Barcode: ", ReleaseFill::kReleaseLine};
constexpr int kLastSideDisc = 9;

std::string lower(std::string_view text) {
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return out;
}

bool contains(const std::string& text, std::string_view word) {
    return text.find(word) != std::string::npos;
}

// The names a format may be kept under in the media file, most fitting first.
std::vector<std::string_view> namesFor(const std::string& format) {
    if (contains(format, "vinyl") || contains(format, "\"")) return {"vinyl", "lp", "record"};
    if (contains(format, "cassette")) return {"cassette", "tape", "mc"};
    if (contains(format, "digital")) return {"digital", "file"};
    if (contains(format, "dvd")) return {"dvd"};
    if (contains(format, "sacd")) return {"sacd", "cd"};
    if (contains(format, "cd")) return {"cd"};
    if (contains(format, "minidisc")) return {"minidisc", "md"};
    return {};
}

bool isReleaseLine(std::string_view line) {
    return std::any_of(std::begin(kLabels), std::end(kLabels),
                       [&](std::string_view label) { return line.starts_with(label); });
}

}  // namespace

std::string ReleaseFill::mediaFor(std::string_view format,
                                  const std::vector<std::string>& mediaNames) {
    // The first medium's format: "2xCD + DVD" is a CD first.
    std::string first = lower(format.substr(0, format.find(" + ")));
    if (const size_t x = first.find('x');
        x != std::string::npos && x > 0 && std::isdigit(static_cast<unsigned char>(first[0])))
        first = first.substr(x + 1);
    for (const std::string_view wanted : namesFor(first)) {
        for (const std::string& name : mediaNames) {
            if (lower(name) == wanted) return name;
        }
    }
    return {};
}

std::string ReleaseFill::notesOf(const TitleRelease& release) {
    const std::string values[] = {release.label, release.catalogueNumber, release.barcode,
                                  release.id};
    std::string out;
    for (size_t i = 0; i < std::size(values); ++i) {
        if (values[i].empty()) continue;
        if (!out.empty()) out += "\n";
        out += std::string(kLabels[i]) + values[i];
    }
    return out;
}

std::string ReleaseFill::withNotes(std::string_view notes, const TitleRelease& release,
                                   size_t most) {
    std::string own;
    size_t at = 0;
    while (at < notes.size()) {
        size_t end = notes.find('\n', at);
        if (end == std::string_view::npos) end = notes.size();
        const std::string_view line = notes.substr(at, end - at);
        if (!isReleaseLine(line)) own += std::string(line) + "\n";
        at = end + 1;
    }
    while (!own.empty() && (own.back() == '\n' || own.back() == '\r')) own.pop_back();
    const std::string added = notesOf(release);
    if (added.size() >= most) return added.substr(0, most);
    const size_t room = most - added.size() - (own.empty() ? 0 : 1);
    if (own.size() > room) {
        own.resize(room);
        // Not in the middle of a character.
        while (!own.empty() && (static_cast<unsigned char>(own.back()) & 0xC0) == 0x80)
            own.pop_back();
        if (!own.empty() && (static_cast<unsigned char>(own.back()) & 0x80) != 0) own.pop_back();
    }
    return own.empty() ? added : own + "\n" + added;
}

std::string ReleaseFill::releaseIdIn(std::string_view notes) {
    const size_t at = notes.rfind(kReleaseLine);
    if (at == std::string_view::npos) return {};
    std::string_view id = notes.substr(at + std::string_view(kReleaseLine).size());
    id = id.substr(0, id.find_first_of("\r\n"));
    while (!id.empty() && id.back() == ' ') id.remove_suffix(1);
    return std::string(id);
}

int32_t ReleaseFill::timeOf(int32_t lengthMs) {
    constexpr int32_t kMsPerSecond = 1000;
    return lengthMs <= 0 ? 0 : timeFromHms(0, 0, (lengthMs + kMsPerSecond / 2) / kMsPerSecond);
}

int ReleaseFill::cutValues(const TitleRelease& release, int trackChars) {
    const auto chars = [](const std::string& utf8) {
        return std::count_if(utf8.begin(), utf8.end(),
                             [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; });
    };
    int cut = release.cutValues;
    for (const TitleTrack& t : release.tracks)
        cut += (chars(t.title) > trackChars ? 1 : 0) + (chars(t.artist) > trackChars ? 1 : 0);
    return cut;
}

std::string ReleaseFill::sideOf(const TitleTrack& track) {
    if (track.disc < 1 || track.disc > kLastSideDisc) return {};
    return std::to_string(track.disc);
}

}  // namespace cdz
