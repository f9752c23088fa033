#pragma once
// A Discogs collection export of 50 lines as the tests write it: the header with a field of the
// user's own (Collection Purchase Price), releases of the formats Discogs writes, and broken
// lines at known places. Its last release's notes run over two lines of the file.
#include <array>
#include <string>

namespace cdz::test {

struct DiscogsExportFile {
    static constexpr int kReleasesAdded = 43;
    // The lines refused, in their order, with the words that say why.
    static constexpr std::array<const char*, 6> kRefusals = {
        "line 4: 5 fields where the header has 14",
        "line 6: the release id \"abc\" is not a positive number",
        "line 8: the line names neither an artist nor a title",
        "line 9: the album \"Nevermind\" by \"Nirvana\" is already in the catalogue",
        "line 11: the release id \"-5\" is not a positive number",
        "line 13: text follows the closing quote of field 1",
    };
    // Values cut: the title of line 10 and the notes of line 49.
    static constexpr int kCut = 2;

    static std::string bytes() {
        std::string out =
            "Catalog#,Artist,Title,Label,Format,Rating,Released,release_id,CollectionFolder,"
            "Date Added,Collection Media Condition,Collection Sleeve Condition,Collection "
            "Notes,Collection Purchase Price\r\n";
        const auto line = [&](const std::string& catalogNumber, const std::string& artist,
                              const std::string& title, const std::string& format,
                              const std::string& rating, const std::string& released,
                              const std::string& id, const std::string& notes = "") {
            out += quoted(catalogNumber) + "," + quoted(artist) + "," + quoted(title) +
                   ",\"Label " + id + "\"," + quoted(format) + "," + rating + "," +
                   quoted(released) + "," + id +
                   ",\"Uncategorized\",\"2023-01-05 10:00:00\",\"Mint (M)\",\"\"," + quoted(notes) +
                   ",\"\"\r\n";
        };
        out +=
            "\"DGCD-24425\",\"Nirvana (2)\",\"Nevermind\",\"DGC\",\"CD, Album\",5,\"1991-09-24\","
            "367084,\"Uncategorized\",\"2023-01-05 10:00:00\",\"Near Mint (NM or M-)\","
            "\"Very Good Plus (VG+)\",\"\",\"12.50\"\r\n";
        line("none", "Nirvana", "In Utero", "2xVinyl, LP, Album, RE", "0", "1993", "42");
        out += "\"X\",\"Short\",\"Line\",\"L\",\"CD\"\r\n";  // 4
        line("TGLLP 1", "Bob Marley & The Wailers", "Exodus", "Cass, Album", "4", "1977-06-00",
             "77");
        line("C1", "Broken", "Id", "CD", "1", "1990", "abc");  // 6
        line("CDM 1", "Various", "Café del Mar", "File, FLAC, Album", "3", "0", "501");
        line("C2", "", "", "CD", "1", "1990", "502");  // 8
        line("DGCD-24425", "Nirvana (2)", "Nevermind", "CD, Album", "5", "1991", "367085");
        line("\x1b[31mC3", "Tab\tHere\x07", std::string(45, 't'), "CD", "2", "", "503");
        line("C4", "Minus", "Id", "CD", "1", "1990", "-5");  // 11
        line("C5", "Aphex Twin", "Selected Ambient Works", "File, Unknown", "2", "1992", "504");
        out += "\"Bad\"x,\"A\",\"B\",\"L\",\"CD\",1,\"1990\",505,\"\",\"\",\"\",\"\",\"\",\"\"\r\n";
        constexpr std::array<const char*, 6> kFormats = {
            "CD, Album", "Vinyl, LP", "Cass", "2xCD, Comp", "CDr", "File, MP3, 320 kbps"};
        for (int i = 14; i <= 48; ++i) {
            line("CAT " + std::to_string(i), "Artist " + std::to_string(i),
                 "Album " + std::to_string(i), kFormats[static_cast<size_t>(i) % kFormats.size()],
                 std::to_string(i % 6), std::to_string(1950 + i), std::to_string(1000 + i));
        }
        line("C49", "Long", "Notes", "CD", "1", "2001", "4900", std::string(2500, 'n'));
        line("C50", "Two", "Lines", "CD", "1", "2002-02-02", "5000", "first line\r\nsecond line");
        return out;
    }

private:
    static std::string quoted(const std::string& value) {
        std::string out = "\"";
        for (char c : value) out += c == '"' ? std::string("\"\"") : std::string(1, c);
        return out + "\"";
    }
};

}  // namespace cdz::test
