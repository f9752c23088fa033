#include "bench/storage/SongRows.h"

#include <ostream>
#include <string>

#include "bench/generator/datafiles/RecordFill.h"
#include "runtime/data/FileDecl.h"
#include "runtime/text/Unicode.h"

namespace cdz::bench {
namespace {

void quoted(std::string& line, std::string_view text) {
    line += '"';
    for (char c : text) {
        if (c == '"') line += '"';
        line += c;
    }
    line += '"';
}

}  // namespace

void SongRows::writeStoredRows(std::ostream& out, const std::vector<gen::SongRecord>& songs) {
    const FileDecl& decl = SongRecord::declaration();
    SongRecord rec;
    std::string line;
    int64_t recno = 0;
    for (const auto& g : songs) {
        gen::RecordFill::song(g, rec);
        line = std::to_string(++recno);
        for (const auto& f : decl.columns()) {
            line += ',';
            SqlValue v = f.value(&rec);
            if (const auto* text = std::get_if<std::string>(&v)) {
                quoted(line, *text);
            } else if (const auto* whole = std::get_if<int64_t>(&v)) {
                line += std::to_string(*whole);
            } else {
                line += std::to_string(std::get<double>(v));
            }
        }
        for (int c = 0; c < decl.fieldCount(); ++c) {
            if (!decl.needsFolded(c)) continue;
            line += ',';
            quoted(line, foldCase(std::get<std::string>(decl.columns()[c].value(&rec))));
        }
        line += ",1\n";  // the revision of a record just added
        out << line;
    }
}

}  // namespace cdz::bench
