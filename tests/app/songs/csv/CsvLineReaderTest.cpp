// The line reader over real files written byte for byte: quoting, line ends, encodings, and
// the lines it must refuse without losing the ones after them.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "app/songs/csv/CsvLineReader.h"
#include "tests/support/TempDir.h"

namespace cdz::test {
namespace {

// What one read gives: the fields ("'" before a quoted one), or "!" and the refusal.
std::vector<std::string> readAll(const std::string& bytes, bool* windows1252 = nullptr) {
    TempDir dir;
    const std::string path = dir.file("in.csv");
    std::ofstream(path, std::ios::binary) << bytes;
    CsvLineReader reader;
    EXPECT_TRUE(reader.open(path));
    if (windows1252) *windows1252 = reader.windows1252();
    std::vector<std::string> out;
    for (CsvRead got = reader.read(); got != CsvRead::End; got = reader.read()) {
        std::string record = std::to_string(reader.lineNumber()) + ":";
        if (got == CsvRead::Refused) {
            record += "!" + reader.refusal();
        } else {
            for (const CsvField& f : reader.fields())
                record += "[" + std::string(f.quoted ? "'" : "") + f.value + "]";
        }
        out.push_back(record);
    }
    EXPECT_GE(reader.bytesRead(), reader.size() - 3);
    return out;
}

struct Case {
    const char* name;
    std::string bytes;
    std::vector<std::string> records;
};

TEST(CsvLineReader, ReadsEachShapeOfRecord) {
    const std::string longLine(16001, 'x');
    const std::string longField(4001, 'y');
    const std::vector<Case> cases = {
        {"empty file", "", {}},
        {"comma and doubled quote in a quoted field",
         "\"a, \"\"b\"\"\",12\n",
         {"1:['a, \"b\"][12]"}},
        {"unterminated quote refused, the next line kept",
         "x,\"open\nc,d\n",
         {"1:!a quoted field (field 2) has no closing quote", "2:[c][d]"}},
        {"text after the closing quote refused",
         "\"a\"x,b\nc\n",
         {"1:!text follows the closing quote of field 1", "2:[c]"}},
        {"memo with CRLF inside, CRLF line ends",
         "\"x\",\"l1\r\nl2\"\r\nnext\r\n",
         {"1:['x]['l1\r\nl2]", "3:[next]"}},
        {"CR alone ends lines", "a,b\rc,d\r", {"1:[a][b]", "2:[c][d]"}},
        {"no line end at the end", "a,b", {"1:[a][b]"}},
        {"line over 16,000 characters refused",
         longLine + ",z\nok\n",
         {"1:!the line is longer than 16,000 characters", "2:[ok]"}},
        {"field over 4,000 characters refused",
         "\"" + longField + "\",b\nok\n",
         {"1:!field 1 is longer than 4,000 characters", "2:[ok]"}},
        {"a blank rest of line ends the fields; empty lines have none",
         "a,,b,  \n\n\n",
         {"1:[a][][b]", "2:", "3:"}},
        {"byte-order mark skipped",
         "\xEF\xBB\xBF\"\xC3\xA9t\xC3\xA9\"\n",
         {"1:['\xC3\xA9t\xC3\xA9]"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(readAll(c.bytes), c.records);
    }
}

TEST(CsvLineReader, ReadsANonUtf8FileAsWindows1252) {
    bool windows1252 = false;
    EXPECT_EQ(readAll("caf\xE9,\"\x93q\x94\"\n", &windows1252),
              std::vector<std::string>{"1:[caf\xC3\xA9]['\xE2\x80\x9Cq\xE2\x80\x9D]"});
    EXPECT_TRUE(windows1252);
    EXPECT_EQ(readAll("caf\xC3\xA9\n", &windows1252), std::vector<std::string>{"1:[caf\xC3\xA9]"});
    EXPECT_FALSE(windows1252);
    // One line of another encoding leaves the UTF-8 lines as they are.
    EXPECT_EQ(readAll("\xC3\x89"
                      "dith\ncaf\xE9\n\xC3\x89"
                      "dith\n",
                      &windows1252),
              (std::vector<std::string>{"1:[\xC3\x89"
                                        "dith]",
                                        "2:[caf\xC3\xA9]",
                                        "3:[\xC3\x89"
                                        "dith]"}));
}

TEST(CsvLineReader, ReadsAFileWithAUtf16MarkAsUtf16) {
    // "Édith,𝄞" then a line break, little- and big-endian.
    const std::string little("\xFF\xFE\xC9\0d\0i\0t\0h\0,\0\x34\xD8\x1E\xDD\n\0", 20);
    const std::string big("\xFE\xFF\0\xC9\0d\0i\0t\0h\0,\xD8\x34\xDD\x1E\0\n", 20);
    for (const std::string& bytes : {little, big})
        EXPECT_EQ(readAll(bytes), std::vector<std::string>{"1:[\xC3\x89"
                                                           "dith][\xF0\x9D\x84\x9E]"});
}

}  // namespace
}  // namespace cdz::test
