#include "tests/support/audio/SilentContainers.h"

#include <array>
#include <cstdint>
#include <string_view>

namespace cdz::test {

namespace {

constexpr uint32_t kRate = 44100;
constexpr uint16_t kChannels = 2;
constexpr uint16_t kBits = 16;
constexpr uint32_t kFrameBytes = kChannels * kBits / 8;
constexpr uint32_t kDataBytes = kRate * kFrameBytes;  // one second

void putBig(std::string& out, uint64_t value, int bytes) {
    for (int i = bytes - 1; i >= 0; --i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

void putLittle(std::string& out, uint64_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

std::string big(uint64_t value, int bytes) {
    std::string out;
    putBig(out, value, bytes);
    return out;
}

std::string little(uint64_t value, int bytes) {
    std::string out;
    putLittle(out, value, bytes);
    return out;
}

// An ISO media box: its length, its type, its payload.
std::string box(std::string_view type, std::string_view payload) {
    std::string out = big(8 + payload.size(), 4);
    out.append(type).append(payload);
    return out;
}

std::string fullBox(std::string_view type, std::string_view payload, uint32_t flags = 0) {
    std::string body = big(flags, 4);
    body.append(payload);
    return box(type, body);
}

std::string unityMatrix() {
    std::string out;
    for (const uint32_t v : {0x10000U, 0U, 0U, 0U, 0x10000U, 0U, 0U, 0U, 0x40000000U}) {
        putBig(out, v, 4);
    }
    return out;
}

// The sample entry's audio fields, shared by AAC and ALAC.
std::string audioSampleFields() {
    std::string out(6, '\0');
    putBig(out, 1, 2);  // data reference index
    out.append(8, '\0');
    putBig(out, kChannels, 2);
    putBig(out, kBits, 2);
    out.append(4, '\0');
    putBig(out, uint64_t{kRate} << 16, 4);
    return out;
}

// An MPEG-4 descriptor whose body is under 128 bytes, so its length takes one byte.
std::string descriptor(uint8_t tag, std::string_view body) {
    std::string out{static_cast<char>(tag), static_cast<char>(body.size())};
    return out.append(body);
}

std::string aacSampleEntry() {
    const std::string specific = descriptor(5, "\x12\x10");  // AAC LC, 44.1 kHz, stereo
    std::string config = "\x40\x15";                         // MPEG-4 audio stream
    config.append(3, '\0');                                  // buffer size
    config.append(big(128000, 4)).append(big(128000, 4)).append(specific);
    std::string stream = big(1, 2);
    stream += '\0';
    stream.append(descriptor(4, config)).append(descriptor(6, "\x02"));
    return box("mp4a", audioSampleFields() + fullBox("esds", descriptor(3, stream)));
}

std::string alacSampleEntry() {
    std::string config = big(4096, 4);  // frames per packet
    for (const uint8_t v : {0, 16, 40, 10, 14, 2}) config += static_cast<char>(v);
    config.append(big(255, 2)).append(big(0, 4)).append(big(0, 4)).append(big(kRate, 4));
    return box("alac", audioSampleFields() + fullBox("alac", config));
}

std::string soundTrack(bool alac, uint32_t samples, uint32_t sampleBytes, uint32_t dataOffset) {
    const uint32_t samplesPerFrame = alac ? 4096 : 1024;
    const uint32_t frames = (samples + samplesPerFrame - 1) / samplesPerFrame;
    std::string header = big(0, 8) + big(1, 4) + big(0, 4) + big(1000, 4) + std::string(8, '\0');
    header.append(big(0, 4)).append(big(0x100, 2)).append(big(0, 2)).append(unityMatrix());
    header.append(big(0, 8));
    const std::string mediaHeader =
        big(0, 8) + big(kRate, 4) + big(samples, 4) + big(0x55C40000, 4);
    const std::string handler = big(0, 4) + "soun" + std::string(12, '\0') + "SoundHandler";
    const std::string table =
        fullBox("stsd", big(1, 4) + (alac ? alacSampleEntry() : aacSampleEntry())) +
        fullBox("stts", big(1, 4) + big(frames, 4) + big(samplesPerFrame, 4)) +
        fullBox("stsc", big(1, 4) + big(1, 4) + big(frames, 4) + big(1, 4)) +
        fullBox("stsz", big(sampleBytes, 4) + big(frames, 4)) +
        fullBox("stco", big(1, 4) + big(dataOffset, 4));
    const std::string info = fullBox("smhd", big(0, 4)) +
                             box("dinf", fullBox("dref", big(1, 4) + fullBox("url ", "", 1))) +
                             box("stbl", table);
    return box("trak", fullBox("tkhd", header, 7) +
                           box("mdia", fullBox("mdhd", mediaHeader) +
                                           fullBox("hdlr", handler + '\0') + box("minf", info)));
}

// An ASF object: its GUID as written (the first three fields little-endian), its length.
std::string asfObject(const std::array<uint8_t, 16>& guid, std::string_view payload) {
    std::string out(guid.begin(), guid.end());
    putLittle(out, 24 + payload.size(), 8);
    return out.append(payload);
}

std::string asGuid(const std::array<uint8_t, 16>& guid) {
    return {guid.begin(), guid.end()};
}

constexpr std::array<uint8_t, 16> kAsfHeader{0x30, 0x26, 0xB2, 0x75, 0x8E, 0x66, 0xCF, 0x11,
                                             0xA6, 0xD9, 0x00, 0xAA, 0x00, 0x62, 0xCE, 0x6C};
constexpr std::array<uint8_t, 16> kAsfData{0x36, 0x26, 0xB2, 0x75, 0x8E, 0x66, 0xCF, 0x11,
                                           0xA6, 0xD9, 0x00, 0xAA, 0x00, 0x62, 0xCE, 0x6C};
constexpr std::array<uint8_t, 16> kAsfFileProperties{
    0xA1, 0xDC, 0xAB, 0x8C, 0x47, 0xA9, 0xCF, 0x11, 0x8E, 0xE4, 0x00, 0xC0, 0x0C, 0x20, 0x53, 0x65};
constexpr std::array<uint8_t, 16> kAsfStreamProperties{
    0x91, 0x07, 0xDC, 0xB7, 0xB7, 0xA9, 0xCF, 0x11, 0x8E, 0xE6, 0x00, 0xC0, 0x0C, 0x20, 0x53, 0x65};
constexpr std::array<uint8_t, 16> kAsfAudioMedia{0x40, 0x9E, 0x69, 0xF8, 0x4D, 0x5B, 0xCF, 0x11,
                                                 0xA8, 0xFD, 0x00, 0x80, 0x5F, 0x5C, 0x44, 0x2B};
constexpr std::array<uint8_t, 16> kAsfNoErrorCorrection{
    0x00, 0x57, 0xFB, 0x20, 0x55, 0x5B, 0xCF, 0x11, 0xA8, 0xFD, 0x00, 0x80, 0x5F, 0x5C, 0x44, 0x2B};
constexpr std::array<uint8_t, 16> kAsfHeaderExtension{
    0xB5, 0x03, 0xBF, 0x5F, 0x2E, 0xA9, 0xCF, 0x11, 0x8E, 0xE3, 0x00, 0xC0, 0x0C, 0x20, 0x53, 0x65};
constexpr std::array<uint8_t, 16> kAsfReserved1{0x11, 0xD2, 0xD3, 0xAB, 0xBA, 0xA9, 0xCF, 0x11,
                                                0x8E, 0xE6, 0x00, 0xC0, 0x0C, 0x20, 0x53, 0x65};

constexpr uint32_t kAsfPacketBytes = 3200;

}  // namespace

std::string silentWav() {
    std::string out = "RIFF" + little(36 + kDataBytes, 4) + "WAVEfmt " + little(16, 4);
    out.append(little(1, 2)).append(little(kChannels, 2)).append(little(kRate, 4));
    out.append(little(kRate * kFrameBytes, 4)).append(little(kFrameBytes, 2));
    out.append(little(kBits, 2)).append("data").append(little(kDataBytes, 4));
    return out.append(kDataBytes, '\0');
}

std::string silentAiff() {
    // The sample rate as an 80-bit extended float: exponent, then the integer's bits from the
    // top one down.
    int top = 31;
    while ((kRate >> top) == 0) --top;
    std::string common = big(kChannels, 2) + big(kRate, 4) + big(kBits, 2);
    common.append(big(16383 + static_cast<uint64_t>(top), 2));
    common.append(big(uint64_t{kRate} << (63 - top), 8));
    const std::string sound = big(0, 8) + std::string(kDataBytes, '\0');
    const std::string body =
        "AIFFCOMM" + big(common.size(), 4) + common + "SSND" + big(sound.size(), 4) + sound;
    return "FORM" + big(body.size(), 4) + body;
}

std::string silentM4a(bool alac) {
    const uint32_t sampleBytes = alac ? 16 : 6;
    const uint32_t frames = alac ? (kRate + 4095) / 4096 : (kRate + 1023) / 1024;
    const std::string type = box("ftyp", std::string("M4A ") + big(0, 4) + "M4A mp42isom");
    // The media data comes before the movie, so that tags written into the movie move no
    // sample of it.
    const std::string data = box("mdat", std::string(sampleBytes * frames, '\0'));
    const auto dataOffset = static_cast<uint32_t>(type.size() + 8);
    std::string movieHeader = big(0, 8) + big(1000, 4) + big(1000, 4) + big(0x10000, 4);
    movieHeader.append(big(0x100, 2)).append(10, '\0').append(unityMatrix());
    movieHeader.append(24, '\0').append(big(2, 4));
    const std::string movie = box(
        "moov", fullBox("mvhd", movieHeader) + soundTrack(alac, kRate, sampleBytes, dataOffset));
    return type + data + movie;
}

std::string silentWma() {
    const std::string fileId(16, '\x11');
    constexpr uint64_t kPrerollMs = 3000;
    constexpr uint64_t kSecond = 10000000;  // in 100 ns
    std::string file = fileId + little(0, 8) + little(0, 8) + little(1, 8);
    file.append(little(kSecond + kPrerollMs * 10000, 8)).append(little(kSecond, 8));
    file.append(little(kPrerollMs, 8)).append(little(2, 4));
    file.append(little(kAsfPacketBytes, 4)).append(little(kAsfPacketBytes, 4));
    file.append(little(128000, 4));
    // WAVEFORMATEX of WMA version 2 (format tag 0x161), with its ten bytes of codec data.
    std::string format = little(0x161, 2) + little(kChannels, 2) + little(kRate, 4);
    format.append(little(16000, 4)).append(little(kAsfPacketBytes, 2)).append(little(kBits, 2));
    format.append(little(10, 2)).append(10, '\0');
    std::string stream = asGuid(kAsfAudioMedia) + asGuid(kAsfNoErrorCorrection) + little(0, 8);
    stream.append(little(format.size(), 4)).append(little(0, 4)).append(little(1, 2));
    stream.append(little(0, 4)).append(format);
    const std::string extension = asGuid(kAsfReserved1) + little(6, 2) + little(0, 4);
    const std::string objects = asfObject(kAsfFileProperties, file) +
                                asfObject(kAsfStreamProperties, stream) +
                                asfObject(kAsfHeaderExtension, extension);
    const std::string header = asfObject(kAsfHeader, little(3, 4) + "\x01\x02" + objects);
    const std::string packets(kAsfPacketBytes, '\0');
    return header + asfObject(kAsfData, fileId + little(1, 8) + "\x01\x01" + packets);
}

}  // namespace cdz::test
