#include "app/songs/csv/CsvLineReader.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <optional>
#include <utility>

#include "runtime/ini/ReplacingFile.h"

namespace cdz {
namespace {

constexpr size_t kBufferBytes = size_t{1} << 20;
constexpr int kEnd = -1;

// Windows-1252's characters 0x80..0x9F; the five it leaves out keep their C1 code points.
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

void appendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// UTF-16 text (after its byte-order mark) as UTF-8; an unpaired surrogate becomes U+FFFD.
std::string fromUtf16(std::string_view bytes, bool bigEndian) {
    std::string out;
    out.reserve(bytes.size());
    auto unit = [&](size_t i) {
        const auto a = static_cast<unsigned char>(bytes[i]);
        const auto b = static_cast<unsigned char>(bytes[i + 1]);
        return static_cast<char32_t>(bigEndian ? (a << 8 | b) : (b << 8 | a));
    };
    for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
        char32_t c = unit(i);
        if (c >= 0xD800 && c <= 0xDBFF && i + 3 < bytes.size() && unit(i + 2) >= 0xDC00 &&
            unit(i + 2) <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (unit(i + 2) - 0xDC00);
            i += 2;
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            c = 0xFFFD;
        }
        appendUtf8(out, c);
    }
    if (bytes.size() % 2 != 0) appendUtf8(out, 0xFFFD);  // half a unit at the end
    return out;
}

std::string fromWindows1252(const std::string& bytes) {
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 4);
    for (const char ch : bytes) {
        const auto b = static_cast<unsigned char>(ch);
        if (b < 0x80) {
            out += ch;
        } else if (b < 0xA0) {
            appendUtf8(out, kCp1252High[b - 0x80]);
        } else {
            appendUtf8(out, b);
        }
    }
    return out;
}

// Length of the UTF-8 sequence led by `b` that is well formed at p (shortest form, no
// surrogates, at most U+10FFFF); 0 when it is not.
size_t utf8Sequence(const unsigned char* p, size_t left) {
    const unsigned char b = p[0];
    if (b < 0x80) return 1;
    size_t n = 0;
    unsigned char low = 0x80, high = 0xBF;
    if (b >= 0xC2 && b <= 0xDF) {
        n = 2;
    } else if (b >= 0xE0 && b <= 0xEF) {
        n = 3;
        if (b == 0xE0) low = 0xA0;
        if (b == 0xED) high = 0x9F;
    } else if (b >= 0xF0 && b <= 0xF4) {
        n = 4;
        if (b == 0xF0) low = 0x90;
        if (b == 0xF4) high = 0x8F;
    } else {
        return 0;
    }
    if (left < n) return 0;
    if (p[1] < low || p[1] > high) return 0;
    for (size_t i = 2; i < n; ++i)
        if ((p[i] & 0xC0) != 0x80) return 0;
    return n;
}

}  // namespace

CsvLineReader::~CsvLineReader() {
    close();
}

bool CsvLineReader::open(const std::filesystem::path& file) {
    close();
    failed_ = false;
    // A pipe would wait for a writer, a device never end: only a regular file is read.
    if (const std::string why = whyNotARegularFile(file); !why.empty()) {
        errno_ = std::filesystem::is_directory(file) ? EISDIR : EINVAL;
        errorText_ = why + ", not a file";
        return false;
    }
    file_ = std::fopen(file.c_str(), "rb");
    if (!file_) {
        errno_ = errno;
        errorText_ = std::strerror(errno_);
        return false;
    }
    std::error_code ec;
    size_ = static_cast<int64_t>(std::filesystem::file_size(file, ec));
    if (ec) size_ = 0;
    // A file of the system's (/proc, /sys) says it is empty and yet reads: its size cannot
    // bound the read nor its progress.
    if (size_ == 0 && std::fgetc(file_) != EOF) {
        close();
        errno_ = EINVAL;
        errorText_ = "it is made by the system as it is read, not a file";
        return false;
    }
    std::rewind(file_);
    if (!openUtf16()) return false;
    buffer_.resize(kBufferBytes);
    unsigned char bom[3] = {};
    const size_t got = std::fread(bom, 1, 3, file_);
    dataStart_ = got == 3 && bom[0] == 0xEF && bom[1] == 0xBB && bom[2] == 0xBF ? 3 : 0;
    windows1252_ = !validUtf8();
    return rewind();
}

// A file with a UTF-16 byte-order mark is read whole, turned into UTF-8 and read from memory.
bool CsvLineReader::openUtf16() {
    unsigned char mark[2] = {};
    const bool marked =
        std::fread(mark, 1, 2, file_) == 2 &&
        ((mark[0] == 0xFF && mark[1] == 0xFE) || (mark[0] == 0xFE && mark[1] == 0xFF));
    if (!marked || size_ > kMostUtf16Bytes) return std::fseek(file_, 0, SEEK_SET) == 0;
    std::string bytes(static_cast<size_t>(size_ - 2), '\0');
    bytes.resize(std::fread(bytes.data(), 1, bytes.size(), file_));
    utf8_ = fromUtf16(bytes, mark[0] == 0xFE);
    std::fclose(file_);
    // A memory stream cannot be empty: a file of only its mark reads as an empty one.
    file_ = utf8_.empty() ? std::tmpfile() : fmemopen(utf8_.data(), utf8_.size(), "rb");
    size_ = static_cast<int64_t>(utf8_.size());
    if (!file_) {
        errno_ = errno;
        errorText_ = std::strerror(errno_);
        return false;
    }
    return true;
}

void CsvLineReader::close() {
    if (file_) std::fclose(file_);
    file_ = nullptr;
    utf8_.clear();
}

bool CsvLineReader::validUtf8() {
    if (!seek(dataStart_)) return false;
    // A sequence may straddle two buffers: the tail of one is carried into the next.
    size_t carry = 0;
    for (;;) {
        const size_t got = std::fread(buffer_.data() + carry, 1, buffer_.size() - carry, file_);
        const size_t have = carry + got;
        const bool last = got == 0;
        const auto* p = reinterpret_cast<const unsigned char*>(buffer_.data());
        size_t i = 0;
        while (i < have) {
            if (p[i] < 0x80) {
                ++i;
                continue;
            }
            const size_t n = utf8Sequence(p + i, have - i);
            if (n == 0) {
                if (!last && have - i < 4) break;  // perhaps cut by the buffer's end
                return false;
            }
            i += n;
        }
        if (last) return i >= have;
        carry = have - i;
        std::memmove(buffer_.data(), buffer_.data() + i, carry);
    }
}

bool CsvLineReader::seek(int64_t offset) {
    pos_ = end_ = 0;
    bufferStart_ = offset;
    consumed_ = offset;
    if (std::fseek(file_, static_cast<long>(offset), SEEK_SET) != 0) {
        errno_ = errno;
        errorText_ = std::strerror(errno_);
        failed_ = true;
        return false;
    }
    return true;
}

bool CsvLineReader::rewind() {
    if (!file_) return false;
    nextLine_ = 1;
    lineNumber_ = 0;
    windows1252Lines_ = 0;
    failed_ = false;
    return seek(dataStart_);
}

bool CsvLineReader::fill() {
    if (failed_) return false;
    bufferStart_ += static_cast<int64_t>(end_);
    pos_ = 0;
    end_ = std::fread(buffer_.data(), 1, buffer_.size(), file_);
    if (end_ == 0 && std::ferror(file_)) {
        errno_ = errno != 0 ? errno : EIO;
        errorText_ = std::strerror(errno_);
        failed_ = true;
    }
    return end_ > 0;
}

inline int CsvLineReader::peek() {
    if (pos_ == end_ && !fill()) return kEnd;
    return static_cast<unsigned char>(buffer_[pos_]);
}

inline int CsvLineReader::get() {
    const int c = peek();
    if (c != kEnd) {
        ++pos_;
        consumed_ = bufferStart_ + static_cast<int64_t>(pos_);
    }
    return c;
}

CsvRead CsvLineReader::refuse(std::string why, int64_t resumeAt) {
    refusal_ = std::move(why);
    used_ = 0;
    if (resumeAt >= 0) {
        seek(resumeAt);
        nextLine_ = lineNumber_ + 1;
    }
    return CsvRead::Refused;
}

bool CsvLineReader::fieldsAreUtf8() const {
    for (size_t i = 0; i < used_; ++i) {
        const auto* p = reinterpret_cast<const unsigned char*>(fields_[i].value.data());
        const size_t n = fields_[i].value.size();
        for (size_t at = 0; at < n;) {
            const size_t step = utf8Sequence(p + at, n - at);
            if (step == 0) return false;
            at += step;
        }
    }
    return true;
}

// In a file that is not all UTF-8 every byte counts: a line read as Windows-1252 makes a
// character of each.
bool CsvLineReader::counts(int c) const {
    return windows1252_ || (c & 0xC0) != 0x80;
}

// A line break: CR LF, LF or CR alone; `into` keeps it as it was written.
void CsvLineReader::lineBreak(int c, std::string* into) {
    if (into) *into += static_cast<char>(c);
    if (c == '\r' && peek() == '\n') {
        get();
        if (into) *into += '\n';
    }
    ++nextLine_;
}

// The rest of the physical line goes with a refused record.
void CsvLineReader::skipRestOfLine() {
    for (int c = get(); c != kEnd; c = get()) {
        if (c == '\r' || c == '\n') {
            lineBreak(c, nullptr);
            return;
        }
    }
}

void CsvLineReader::append(CsvField& field, RecordCount& count, int c) const {
    field.value += static_cast<char>(c);
    if (counts(c)) {
        ++count.chars;
        ++count.fieldChars;
    }
}

std::optional<CsvRead> CsvLineReader::readQuoted(CsvField& field, RecordCount& count, bool& more) {
    get();
    for (;;) {
        const int c = get();
        if (c == kEnd) {
            return refuse(
                "a quoted field (field " + std::to_string(used_) + ") has no closing quote",
                count.resumeAt);
        }
        if (c == '"') {
            if (peek() != '"') break;
            get();
        } else if (c == '\r' || c == '\n') {
            lineBreak(c, &field.value);
            if (count.resumeAt < 0) count.resumeAt = consumed_;
            ++count.chars;
            ++count.fieldChars;
            continue;
        }
        append(field, count, c);
        if (count.chars > kMaxLineChars) break;
    }
    const int after = peek();
    if (after == ',') {
        get();
        more = true;
    } else if (after != '\r' && after != '\n' && after != kEnd && count.chars <= kMaxLineChars) {
        const size_t field1 = used_;
        skipRestOfLine();
        refusal_ = "text follows the closing quote of field " + std::to_string(field1);
        used_ = 0;
        return CsvRead::Refused;
    }
    return std::nullopt;
}

void CsvLineReader::readPlain(CsvField& field, RecordCount& count, bool& more) {
    for (int c = peek(); c != kEnd && c != ',' && c != '\r' && c != '\n'; c = peek()) {
        get();
        append(field, count, c);
        if (count.chars > kMaxLineChars) break;
    }
    if (peek() == ',') {
        get();
        more = true;
    }
}

CsvRead CsvLineReader::read() {
    refusal_.clear();
    used_ = 0;
    if (!file_ || peek() == kEnd) {
        return CsvRead::End;
    }
    lineNumber_ = nextLine_;
    RecordCount count;
    size_t longField = 0;
    for (bool more = true; more;) {
        if (used_ == fields_.size()) fields_.emplace_back();
        CsvField& field = fields_[used_++];
        field.value.clear();
        field.quoted = peek() == '"';
        count.fieldChars = 0;
        more = false;
        if (field.quoted) {
            if (const auto refused = readQuoted(field, count, more)) return *refused;
        } else {
            readPlain(field, count, more);
        }
        if (count.fieldChars > kMaxFieldChars && longField == 0) longField = used_;
        if (count.chars > kMaxLineChars) {
            if (count.resumeAt < 0) skipRestOfLine();
            return refuse("the line is longer than 16,000 characters", count.resumeAt);
        }
    }
    const int c = get();
    if (c == '\r' || c == '\n') lineBreak(c, nullptr);
    if (longField != 0) {
        return refuse("field " + std::to_string(longField) + " is longer than 4,000 characters",
                      -1);
    }
    return finishLine();
}

CsvRead CsvLineReader::finishLine() {
    // The fields end where the rest of the line is blank.
    const CsvField& last = fields_[used_ - 1];
    if (!last.quoted && last.value.find_first_not_of(' ') == std::string::npos) --used_;
    // Each record is decided on its own: one line of another encoding leaves the rest alone.
    if (windows1252_ && !fieldsAreUtf8()) {
        for (size_t i = 0; i < used_; ++i) fields_[i].value = fromWindows1252(fields_[i].value);
        ++windows1252Lines_;
    }
    return CsvRead::Line;
}

}  // namespace cdz
