#pragma once
// Dates show in the user's format: when a list or form opens, its date pictures are replaced by
// the date format setting ("d17", "d6", "n4b", ...), which is kept without the "@".
#include <string>
#include <string_view>

namespace cdz {

// Every picture of a list format that begins with "@D" (either case) gets the setting between
// its "@"s; headers are left alone, so a header such as "~Sold @Date~" stays as written. An
// unterminated picture and everything after it stay as they are.
std::string replaceListDatePictures(std::string_view format, std::string_view setting);

// A form entry's picture: "@d2" gives "@" + setting, "d2" gives the setting, any other picture
// stays as it is.
std::string replaceDatePicture(std::string_view picture, std::string_view setting);

// The setting as it goes into a picture: blanks clipped, a leading "@" dropped (a hand-edited
// settings file may hold "@d6"). Empty when it is no picture at all, so the design pictures stay.
std::string datePictureSetting(std::string_view setting);

}  // namespace cdz
