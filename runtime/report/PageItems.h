#pragma once
// What a report page holds, as plain drawing data: laid out once when the report is filled,
// drawn later on any device by renderPage, and spooled to disk in between.
#include <QString>
#include <cstdint>
#include <variant>
#include <vector>

#include "runtime/report/Mils.h"

namespace cdz {

// Colours are 0xAARRGGBB; an alpha of 0 means "none" (a box without fill or border).
using Argb = std::uint32_t;
inline constexpr Argb kBlack = 0xff000000u;
inline constexpr Argb kNoColour = 0u;

enum class TextAlign : std::uint8_t { Left, Center, Right };
// Which way a run's lines go: across the page, or turned a quarter so that they read upwards
// (bottom to top) or downwards, as a label's spine strip carries its text.
enum class TextDirection : std::uint8_t { Across, Up, Down };

struct FontSpec {
    QString family;
    double pointSize = 10.0;
    int weight = 400;  // 100..900, as the design gives it
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    friend bool operator==(const FontSpec&, const FontSpec&) = default;
};

// Text set in a box: aligned along its line within it, its first line's top at the box's top
// (for a turned run, the box's edge its letters' tops face).
struct TextRun {
    MilsRect box;
    QString text;
    FontSpec font;
    Argb colour = kBlack;
    TextAlign align = TextAlign::Left;
    TextDirection direction = TextDirection::Across;
    // A wrapped run breaks between words onto as many lines as its box's height holds, the last
    // one shown ending with an ellipsis when text is left; an unwrapped run keeps to one line.
    bool wrap = false;
    friend bool operator==(const TextRun&, const TextRun&) = default;
};

struct LineItem {
    MilsPoint from, to;
    Mils penWidth{10};
    Argb colour = kBlack;
    friend bool operator==(const LineItem&, const LineItem&) = default;
};

struct BoxItem {
    MilsRect box;
    Mils borderWidth{10};
    Argb border = kBlack;
    Argb fill = kNoColour;
    friend bool operator==(const BoxItem&, const BoxItem&) = default;
};

// An image by reference: the file is read when the page is drawn, not when it is laid out.
struct ImageItem {
    MilsRect box;
    QString path;
    friend bool operator==(const ImageItem&, const ImageItem&) = default;
};

using PageItem = std::variant<TextRun, LineItem, BoxItem, ImageItem>;

// One page: its paper and its items in drawing order (later items draw over earlier ones).
struct Page {
    Mils width{8500}, height{11000};
    std::vector<PageItem> items;
    friend bool operator==(const Page&, const Page&) = default;
};

}  // namespace cdz
