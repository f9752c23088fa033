#pragma once
// Lengths as an audio drive gives them ("mm:ss:ff") turned into the program's time values, and
// time values shown as minutes and seconds in the track lists.
#include <cstdint>
#include <string>
#include <string_view>

namespace cdz {

// The time value of a length in minutes, seconds and frames (frames are dropped; the first
// eight characters are read). 0, no time, for a text that is not such a length, so an error
// from a drive never passes for one.
int32_t MsfToTime(std::string_view msf);

// Five characters: the minutes in two positions without a leading zero (hours counted in),
// ":" and the seconds (" 3:25", "62:10"); five blanks for the value 0.
std::string TimeToMinSec(int32_t time);

}  // namespace cdz
