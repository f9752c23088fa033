#pragma once
// What the program's own drags carry, so that a list takes only what it knows.
namespace cdz {

// A song: its number (MUS:ID) as decimal text.
inline constexpr const char* kSongMimeType = "application/x-cadenzio-song";

}  // namespace cdz
