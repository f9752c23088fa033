#pragma once
// A favourite font's four stored texts (typeface, size, colour, style) turned into the QFont and
// QColor a label panel is drawn with, and back, plus the description the label form and the
// font picker show. The texts are kept as the files store them: the colour as the decimal text
// of 0x00BBGGRR, the style as the weight (100..900, 400 normal) plus 0x1000 italic, 0x2000
// underline and 0x4000 strike-out, the size as the point size.
#include <QColor>
#include <QFont>
#include <QString>
#include <optional>

#include "app/domain/data/FontRecord.h"

namespace cdz {

class DataFile;

struct LabelFontStyle {
    QFont font;
    QColor colour;  // invalid when the record names none: the panel keeps its own colour
    // The typeface is not on this machine; the nearest one the font database offers is used.
    bool substituted = false;
};

// The ranges a stored font text must keep to be used.
constexpr int kFontMinPoints = 1;
constexpr int kFontMaxPoints = 999;
constexpr int kFontMaxColour = 0xFFFFFF;
constexpr int kFontMinWeight = 1;
constexpr int kFontMaxWeight = 1000;
constexpr int kFontStyleFlags = 0x1000 | 0x2000 | 0x4000;

// `designed` is the panel's own font: whatever the record leaves empty or holds out of range
// keeps the designed value, so a damaged record never draws at size 0 or in no typeface.
LabelFontStyle labelFontStyle(const FontRecord& f, const QFont& designed);
// The four texts of a font chosen in the font dialogs (FontID left 0).
FontRecord fontTextsOf(const QFont& font, const QColor& colour);
// "Typeface Size  Colour:  c  Style:  s", at most 60 characters; "Default Font" for none.
QString fontDescription(const FontRecord* f);
// Why the size, colour or style texts cannot be stored (each must be empty or a number in its
// range), naming the field; nullopt when all three are usable.
std::optional<QString> fontTextsProblem(const FontRecord& f);

// The favourite font numbered `id` read through the open fonts file (which keeps it in its
// buffer, as any read does). nullopt for 0, a number not found, or a failed read, whose code
// `code` receives (0 when found or simply absent).
std::optional<FontRecord> findFont(DataFile& fonts, int32_t id, int* code = nullptr);

}  // namespace cdz
