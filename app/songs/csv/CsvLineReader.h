#pragma once
// Reads a comma-separated file one record at a time: fields split at commas, quoted fields
// holding commas, doubled quotes and line breaks; lines ended by CRLF, LF or CR alone. The file
// is UTF-8 (a byte-order mark is skipped), each record that is not valid UTF-8 read as
// Windows-1252 and converted; a file with a UTF-16 byte-order mark is read as UTF-16. A record that
// breaks the format is refused with its reason and reading goes on at the line after it, so one bad
// line never takes the rest of the file along.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace cdz {

struct CsvField {
    std::string value;
    bool quoted = false;  // quoted fields are text; the others are taken for numbers
};

enum class CsvRead {
    Line,     // a record was read
    Refused,  // a record broke the format: refusal() says why; read on for the next
    End,      // no record left
};

class CsvLineReader {
public:
    static constexpr int kMaxLineChars = 16000;
    static constexpr int kMaxFieldChars = 4000;

    CsvLineReader() = default;
    ~CsvLineReader();
    CsvLineReader(const CsvLineReader&) = delete;
    CsvLineReader& operator=(const CsvLineReader&) = delete;

    // Opens the file and settles its encoding; false with errorNumber() and errorText() set.
    bool open(const std::filesystem::path& file);
    void close();
    int errorNumber() const { return errno_; }
    const std::string& errorText() const { return errorText_; }
    // True when the file is not all UTF-8: its records that are not are read as Windows-1252.
    bool windows1252() const { return windows1252_; }
    // Records read so far as Windows-1252.
    int64_t windows1252Lines() const { return windows1252Lines_; }
    int64_t size() const { return size_; }
    // Bytes consumed so far (for the progress).
    int64_t bytesRead() const { return consumed_; }

    // Back to the first record.
    bool rewind();
    CsvRead read();
    // The record's fields (a blank line has none).
    std::span<const CsvField> fields() const { return {fields_.data(), used_}; }
    // The physical line on which the last record (or refusal) starts, from 1.
    int64_t lineNumber() const { return lineNumber_; }
    const std::string& refusal() const { return refusal_; }
    // True when reading stopped on a read error of the file (the error is then set).
    bool failed() const { return failed_; }

private:
    int peek();
    int get();
    bool fill();
    bool seek(int64_t offset);
    // What a record read so far counts, and where to read on if it is refused.
    struct RecordCount {
        int64_t resumeAt = -1;  // after the record's first line, once a quoted field ran past it
        int64_t chars = 0;
        int64_t fieldChars = 0;
    };
    bool counts(int c) const;
    void lineBreak(int c, std::string* into);
    void skipRestOfLine();
    void append(CsvField& field, RecordCount& count, int c) const;
    std::optional<CsvRead> readQuoted(CsvField& field, RecordCount& count, bool& more);
    void readPlain(CsvField& field, RecordCount& count, bool& more);
    CsvRead finishLine();
    CsvRead refuse(std::string why, int64_t resumeAt);
    bool validUtf8();
    bool openUtf16();
    bool fieldsAreUtf8() const;

    // A UTF-16 file is held in memory as UTF-8: up to this size.
    static constexpr int64_t kMostUtf16Bytes = int64_t{256} << 20;

    std::FILE* file_ = nullptr;
    std::vector<char> buffer_;
    size_t pos_ = 0;
    size_t end_ = 0;
    int64_t bufferStart_ = 0;  // file offset of buffer_[0]
    int64_t consumed_ = 0;
    int64_t size_ = 0;
    int64_t dataStart_ = 0;  // after a byte-order mark
    int64_t nextLine_ = 1;   // physical line of the next byte
    int64_t lineNumber_ = 0;
    bool windows1252_ = false;
    int64_t windows1252Lines_ = 0;
    std::string utf8_;  // a UTF-16 file's text, read from memory
    bool failed_ = false;
    int errno_ = 0;
    std::string errorText_;
    std::vector<CsvField> fields_;
    size_t used_ = 0;  // fields of fields_ in use (the rest keep their storage)
    std::string refusal_;
};

}  // namespace cdz
