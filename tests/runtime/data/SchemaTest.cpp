// The declaration as reflection table: labels, types, widths, typed access, size check.
#include <gtest/gtest.h>

#include "runtime/data/Position.h"
#include "tests/runtime/data/TestFiles.h"

namespace cdz::test {
namespace {

TEST(DataSchema, ColumnsByLabelWithTypeAndWidth) {
    const FileDecl& d = songDecl();
    struct Row {
        const char* label;
        FieldType type;
        int width;
        int bytes;
        const char* typeName;
    };
    const Row rows[] = {
        {"SNG:Artist", FieldType::String, 20, 20, "STRING(20)"},
        {"sng:title", FieldType::String, 20, 20, "STRING(20)"},
        {"SNG:ID", FieldType::Long, 0, 4, "LONG"},
        {"SNG:Rating", FieldType::Byte, 0, 1, "BYTE"},
        {"SNG:Year", FieldType::Short, 0, 2, "SHORT"},
        {"SNG:Price", FieldType::Decimal, 7, 4, "DECIMAL(4,2)"},
        {"SNG:Notes", FieldType::Memo, 300, 0, "MEMO(300)"},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.label);
        const FieldDesc* f = d.column(r.label);
        ASSERT_NE(f, nullptr);
        EXPECT_EQ(f->type, r.type);
        EXPECT_EQ(f->width, r.width);
        EXPECT_EQ(f->bytes(), r.bytes);
        EXPECT_EQ(f->typeName(), r.typeName);
    }
    EXPECT_EQ(d.column("SNG:Nothing"), nullptr);
    EXPECT_EQ(d.fieldCount(), 7);
    EXPECT_EQ(d.memoCount(), 1);
    EXPECT_EQ(d.columns().back().label, "SNG:Notes");  // memos after the fields
}

TEST(DataSchema, TypedAccessReachesTheRecordMembers) {
    const FileDecl& d = songDecl();
    SongRec r;
    d.column("SNG:Artist")->text(&r) = "Björk";
    d.column("SNG:ID")->setInteger(&r, 42);
    d.column("SNG:Rating")->setInteger(&r, 300);  // a BYTE wraps as the member would
    d.column("SNG:Notes")->memo(&r) = "memo";
    EXPECT_EQ(r.Artist, "Björk");
    EXPECT_EQ(r.ID, 42);
    EXPECT_EQ(r.Rating, 44);
    EXPECT_EQ(r.Notes, "memo");

    EXPECT_TRUE(d.column("SNG:Price")->fromString(&r, " 12.5 "));
    EXPECT_EQ(r.Price.raw(), 1250);
    EXPECT_EQ(d.column("SNG:Price")->toString(&r), "12.50");
    EXPECT_FALSE(d.column("SNG:Year")->fromString(&r, "19x"));
    EXPECT_TRUE(d.column("SNG:Year")->fromString(&r, "-1999"));
    EXPECT_EQ(r.Year, -1999);
}

TEST(DataSchema, StoredValuesAreClippedAndCut) {
    const FileDecl& d = songDecl();
    SongRec r;
    r.Title = "Song   ";
    r.Notes.assign(299, 'x');  // 301 characters: cut at 300, whole characters
    r.Notes += "ÿz";
    r.Price = Decimal<4, 2>::fromRaw(-305);
    EXPECT_EQ(std::get<std::string>(d.column("Title")->value(&r)), "Song");
    auto notes = std::get<std::string>(d.column("Notes")->value(&r));
    EXPECT_EQ(charCount(notes), 300);
    EXPECT_EQ(notes.substr(299), "ÿ");
    EXPECT_DOUBLE_EQ(std::get<double>(d.column("Price")->value(&r)), -3.05);

    SongRec back;
    d.column("Price")->assign(&back, SqlValue{-3.05});
    EXPECT_EQ(back.Price.raw(), -305);
    d.column("Title")->assign(&back, SqlValue{std::string(30, 'q')});
    EXPECT_EQ(back.Title.view().size(), 20u);
    d.column("Title")->clear(&back);
    EXPECT_TRUE(back.Title.empty());
}

TEST(DataSchema, RecordSizeCheckNamesTheDifference) {
    EXPECT_TRUE(songDecl().checkRecordSize());
    struct Small {
        Text<5> A;
        int32_t B = 0;
    };
    FileDecl bad = FileDeclBuilder<Small>("Small", "SM", "small", 10)
                       .field<&Small::A>("A")
                       .field<&Small::B>("B")
                       .build();
    std::string why;
    EXPECT_FALSE(bad.checkRecordSize(&why));
    EXPECT_NE(why.find("9 bytes"), std::string::npos) << why;
}

TEST(DataSchema, KeysAndLayoutSignature) {
    const FileDecl& d = songDecl();
    const KeyDesc* k = d.key("SNG:KeyID");
    ASSERT_NE(k, nullptr);
    EXPECT_TRUE(k->primary && k->unique && k->autoNumber);
    EXPECT_EQ(d.primaryKey(), k);
    EXPECT_TRUE(d.needsFolded(d.columnIndex("Artist")));
    EXPECT_TRUE(d.needsFolded(d.columnIndex("Title")));  // in ByArtist, which ignores case
    EXPECT_FALSE(d.needsFolded(d.columnIndex("ID")));
    EXPECT_THROW(FileDeclBuilder<SongRec>("X", "X", "x", 0).key("K", {"Nope"}), std::logic_error);

    // The same fields with another key rule is another layout.
    FileDecl other = FileDeclBuilder<CategoryRec>("Categories", "CAT", "cats", 16)
                         .field<&CategoryRec::CategoryID>("CategoryID")
                         .field<&CategoryRec::Category>("Category")
                         .key("KeyCategoryID", {"CategoryID"}, kPrimary | kAutoNumber)
                         .key("KeyCategory", {"Category"}, kUnique | kNoCase)
                         .build();
    EXPECT_NE(other.layoutSignature(), categoryDecl().layoutSignature());
}

TEST(DataSchema, PositionTokensRoundTrip) {
    Position p{{SqlValue{}, int64_t{-7}, 0.1, std::string("a;S3;b\0c", 8)}, 99};
    auto back = Position::decode(p.encode());
    ASSERT_TRUE(back);
    EXPECT_EQ(back->recno, 99);
    EXPECT_EQ(back->values, p.values);
    for (const char* bad : {"", "X1;", "P1", "P1;S9;ab", "P1;Q", "P1;Dzz;"}) {
        EXPECT_FALSE(Position::decode(bad)) << bad;
    }
}

}  // namespace
}  // namespace cdz::test
