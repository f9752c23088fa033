#include "tests/support/audio/SilentTemplates.h"

#include <QProcess>
#include <QString>
#include <QStringList>

#include <fstream>
#include <stdexcept>

#include "tests/support/audio/SilentContainers.h"

namespace cdz::test {

namespace {

constexpr int kEncoderWaitMs = 60000;
// Ogg encoders draw each stream's serial number at random: a fixed one makes the same file
// every time.
constexpr const char* kOggSerial = "1";

void writeBytes(const std::filesystem::path& file, const std::string& bytes) {
    std::ofstream out(file, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out.flush()) throw std::runtime_error("cannot write " + file.string());
}

void runEncoder(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    const bool finished = process.waitForStarted() && process.waitForFinished(kEncoderWaitMs);
    if (finished && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0) {
        return;
    }
    std::string message = program.toStdString();
    message += ' ';
    message += arguments.join(' ').toStdString();
    message += ": ";
    message += finished ? QString::fromUtf8(process.readAll()).toStdString()
                        : process.errorString().toStdString();
    throw std::runtime_error(message);
}

QString qPath(const std::filesystem::path& path) {
    return QString::fromStdString(path.string());
}

// The file the format's template is kept in; formats that differ only by their tags share one.
std::string templateName(AudioFormat format) {
    switch (format) {
        case AudioFormat::M4aAlac:
            return "alac.m4a";
        case AudioFormat::Wav:
        case AudioFormat::WavInfo:
            return "silent.wav";
        default:
            return std::string("silent.").append(audioExtension(format));
    }
}

}  // namespace

SilentTemplates::SilentTemplates() {
    if (!dir_.isValid()) throw std::runtime_error("cannot make a temporary folder for templates");
    folder_ = dir_.path().toStdString();
    writeBytes(path(AudioFormat::Wav), silentWav());
    writeBytes(path(AudioFormat::Aiff), silentAiff());
    writeBytes(path(AudioFormat::M4a), silentM4a(false));
    writeBytes(path(AudioFormat::M4aAlac), silentM4a(true));
    writeBytes(path(AudioFormat::Wma), silentWma());
    for (const AudioFormat format :
         {AudioFormat::Flac, AudioFormat::Mp3, AudioFormat::OggVorbis, AudioFormat::Opus}) {
        encode(format, path(format), {});
    }
}

std::filesystem::path SilentTemplates::path(AudioFormat format) const {
    return folder_ / templateName(format);
}

void SilentTemplates::encode(AudioFormat format, const std::filesystem::path& target,
                             const std::vector<std::string>& options) const {
    QStringList extra;
    for (const std::string& option : options) extra << QString::fromStdString(option);
    const QString wav = qPath(path(AudioFormat::Wav));
    const QString out = qPath(target);
    switch (format) {
        case AudioFormat::Flac:
            return runEncoder("flac", QStringList{"--silent", "--force", "-o", out} + extra << wav);
        case AudioFormat::Mp3:
        case AudioFormat::Mp3Id3v23:
        case AudioFormat::Mp3Id3v1:
            return runEncoder("lame", QStringList{"--quiet"} + extra << wav << out);
        case AudioFormat::OggVorbis:
            return runEncoder(
                "oggenc", QStringList{"--quiet", "--serial", kOggSerial, "-o", out} + extra << wav);
        case AudioFormat::Opus:
            return runEncoder("opusenc",
                              QStringList{"--quiet", "--serial", kOggSerial} + extra << wav << out);
        default:
            throw std::runtime_error(
                std::string("no encoder makes ").append(audioFormatName(format)));
    }
}

}  // namespace cdz::test
