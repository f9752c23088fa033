#pragma once
// A small declared file as a table of the test's schema, with a case-insensitive key whose
// first field has a folded copy, a unique key and an auto-numbered one, and a second station.
#include <chrono>
#include <string>

#include "runtime/data/FileDeclBuilder.h"
#include "runtime/data/pg/PgTableSql.h"
#include "tests/runtime/pg/PgParams.h"
#include "tests/runtime/pg/PgTest.h"

namespace cdz::test {

struct TrackRec {
    Text<20> Artist;
    Text<20> Title;
    int32_t ID = 0;
};

inline const FileDecl& trackDecl() {
    static const FileDecl decl = FileDeclBuilder<TrackRec>("Tracks", "TRK", "tracks", 44)
                                     .field<&TrackRec::Artist>("Artist")
                                     .field<&TrackRec::Title>("Title")
                                     .field<&TrackRec::ID>("ID")
                                     .key("KeyArtist", {"Artist", "Title"}, kNoCase)
                                     .key("KeyTitle", {"Title"}, kUnique)
                                     .key("KeyID", {"ID"}, kPrimary | kAutoNumber)
                                     .build();
    return decl;
}

class PgTracksTest : public PgTest {
protected:
    void SetUp() override {
        PgTest::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        createTable(sql);
        if (HasFatalFailure()) return;
        ASSERT_EQ(openOther(other), 0) << other.error().driverText;
    }

    const KeyDesc* autoKey() const { return &decl.keys()[2]; }

    // The insert of a track numbered by its table, and its parameters.
    std::string insertSql() const { return sql.insert(autoKey()); }
    SqlValues track(const char* artist, const char* title) const {
        TrackRec rec;
        rec.Artist = artist;
        rec.Title = title;
        return insertParams(decl, sql, &rec, autoKey());
    }

    // One value of the table's layout row, as `station` sees it; -1 when it cannot be read.
    static int64_t single(pg::PgConnection& station, const std::string& select) {
        pg::PgResult r;
        if (station.query(select, {}, &r) || r.rows() != 1) return -1;
        return std::get<int64_t>(r.value(0, 0));
    }
    int64_t records() { return single(conn, sql.recordCount()); }
    int64_t stamp() { return single(conn, sql.stamp()); }

    // Milliseconds a call took.
    template <typename F>
    static long long timed(F&& run) {
        const auto start = std::chrono::steady_clock::now();
        run();
        return std::chrono::duration_cast<std::chrono::milliseconds>(
                   std::chrono::steady_clock::now() - start)
            .count();
    }

    const FileDecl& decl = trackDecl();
    pg::PgTableSql sql{decl, schema, "Tracks"};
    pg::PgConnection other;
};

}  // namespace cdz::test
