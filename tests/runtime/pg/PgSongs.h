#pragma once
// Songs whose keys order differently by bytes, by case and by locale: the records the tests
// add to a songs table and to the same SQLite file.
#include <cstdint>

#include "app/domain/data/SongRecord.h"

namespace cdz::test {

struct Song {
    const char* artist;
    const char* title;
    const char* album;
    const char* media;
    const char* userKey;
    int32_t category;
    uint8_t track;
};

// Mixed case, accents, a sharp s that folds to two letters, other scripts, blanks and equal
// folds that only the record number orders.
inline const Song kSongs[] = {
    {"björk", "Jóga", "Homogenic", "CD", "x", 2, 3},
    {"BJÖRK", "Hyperballad", "Post", "cd", "X", 1, 1},
    {"Björk", "army of me", "Post", "Vinyl", "ä", 2, 2},
    {"ABBA", "Waterloo", "Gold", "CD", "a", 0, 1},
    {"abba", "SOS", "gold", "MC", "B", 0, 2},
    {"Ärzte", "Schrei nach Liebe", "Die Bestie in Menschengestalt", "CD", "Ä", 1, 7},
    {"Zucchero", "Senza una donna", "Zucchero", "cd", "z", 3, 1},
    {"straße", "Ein Lied", "Ägypten", "CD", "ß", 1, 4},
    {"STRASSE", "Ein Lied", "ägypten", "CD", "SS", 1, 4},
    {"Ωmega", "Αλφα", "ωmega", "DVD", "Ω", 0, 9},
    {"émile", "Éclair", "", "", "", 0, 0},
    {"Émile", "éclair", "", "", "", 0, 0},
    {"zz top", "La Grange", "Tres Hombres", "cd", "_", 2, 5},
    {"_under", "-dash", "~tilde", "CD", "-", 3, 6},
    {"", "", "", "", "", 0, 0},
    {"123", "9", "10", "1", "2", 1, 10},
    {"Mötley Crüe", "Kickstart My Heart", "Dr. Feelgood", "CD", "m", 2, 8},
    {"日本", "曲", "アルバム", "CD", "日", 3, 1},
    {"a", "B", "c", "D", "e", 0, 1},
    {"A", "b", "C", "d", "E", 0, 1},
};

inline void fill(SongRecord& rec, const Song& s) {
    rec = SongRecord{};
    rec.Artist = s.artist;
    rec.Title = s.title;
    rec.Album = s.album;
    rec.Media = s.media;
    rec.UserDefinedKeyField = s.userKey;
    rec.CategoryID = s.category;
    rec.TrackNumber = s.track;
    rec.BeatsPerMinute = s.track * 10;
}

}  // namespace cdz::test
