#pragma once
// A small file of tracks for the navigation tests, in title order, each with its year.
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <utility>

#include <gtest/gtest.h>

#include "runtime/data/DataFile.h"
#include "runtime/data/FileDeclBuilder.h"
#include "runtime/data/RecordBindings.h"
#include "runtime/data/View.h"
#include "runtime/expr/Bindings.h"
#include "tests/support/TempDir.h"

namespace qk::test {

struct TrackRec {
    cdz::Text<12> Title;
    int16_t Year = 0;
    int32_t ID = 0;
};

inline const cdz::FileDecl& trackDecl() {
    static const cdz::FileDecl decl = cdz::FileDeclBuilder<TrackRec>("Tracks", "TRK", "tracks", 18)
                                          .field<&TrackRec::Title>("Title")
                                          .field<&TrackRec::Year>("Year")
                                          .field<&TrackRec::ID>("ID")
                                          .key("ByTitle", {"Title"})
                                          .key("KeyID", {"ID"}, cdz::kPrimary | cdz::kAutoNumber)
                                          .build();
    return decl;
}

// The tracks file made afresh with one record per (title, year), a view in title order and
// the file's fields bound by label.
class TrackFile {
public:
    explicit TrackFile(std::initializer_list<std::pair<const char*, int16_t>> tracks = {}) {
        EXPECT_EQ(file.create(), 0);
        EXPECT_EQ(file.open(), 0);
        db.beginStream();
        for (const auto& [title, year] : tracks) {
            rec = TrackRec{};
            rec.Title = title;
            rec.Year = year;
            EXPECT_EQ(file.add(), 0);
        }
        db.endStream();
        cdz::RecordBindings::bind(bindings, trackDecl(), &rec);
        EXPECT_EQ(view.setOrder(0), 0);
    }

    // The position token of the record with this title.
    std::string positionOf(std::string_view title) {
        EXPECT_EQ(view.setStart(), 0);
        while (view.next() == 0) {
            if (rec.Title == title) return view.position();
        }
        ADD_FAILURE() << "no track " << title;
        return {};
    }

    cdz::test::TempDir dir;
    cdz::Database db{dir.path()};
    TrackRec rec;
    cdz::DataFile file{db, trackDecl(), rec};
    cdz::View view{file};
    cdz::Bindings bindings;
};

}  // namespace qk::test
