#include "app/labels/LabelFontStyle.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QObject>
#include <charconv>

#include "runtime/data/DataFile.h"
#include "runtime/data/ErrorState.h"
#include "runtime/text/Text.h"
#include "runtime/ui/Colour.h"

namespace cdz {

namespace {

constexpr int kNormalWeight = 400;
constexpr int kItalic = 0x1000;
constexpr int kUnderline = 0x2000;
constexpr int kStrikeOut = 0x4000;
constexpr int kWeightMask = 0x0FFF;
constexpr int kDescriptionChars = 60;

QString qs(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
    return s;
}

// A whole decimal number, nothing else around it but blanks.
std::optional<int> number(std::string_view s) {
    s = trimmed(s);
    int n = 0;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), n);
    if (s.empty() || ec != std::errc() || end != s.data() + s.size()) return std::nullopt;
    return n;
}

std::optional<int> pointSize(const TextField& t) {
    const auto n = number(t.view());
    if (!n || *n < kFontMinPoints || *n > kFontMaxPoints) return std::nullopt;
    return n;
}

std::optional<QColor> colourOf(const TextField& t) {
    const auto n = number(t.view());
    if (!n || *n < 0 || *n > kFontMaxColour) return std::nullopt;
    return Colour::fromValue(*n).toQColor();
}

// Style numbers whose weight is 0 are read as normal, as the font dialog's "regular" was once
// stored.
std::optional<int> styleOf(const TextField& t) {
    const auto n = number(t.view());
    if (!n || *n < 0 || (*n & ~(kWeightMask | kFontStyleFlags)) != 0) return std::nullopt;
    const int weight = *n & kWeightMask;
    if (weight != 0 && (weight < kFontMinWeight || weight > kFontMaxWeight)) return std::nullopt;
    return n;
}

QString fieldProblem(const TextField& t, bool valid, const char* label, const QString& range) {
    if (t.empty() || valid) return {};
    return QObject::tr("The %1 \"%2\" is not usable: it must be %3.")
        .arg(QString::fromLatin1(label), qs(trimmed(t.view())), range);
}

}  // namespace

LabelFontStyle labelFontStyle(const FontRecord& f, const QFont& designed) {
    LabelFontStyle out{designed, QColor(), false};
    const std::string_view face = trimmed(f.TypeFace.view());
    if (!face.empty()) {
        const QString family = qs(face);
        out.font.setFamily(family);
        if (!QFontDatabase::hasFamily(family)) {
            // Name the face actually drawn, so the form, the preview and the printer agree.
            out.substituted = true;
            out.font.setFamily(QFontInfo(out.font).family());
        }
    }
    if (const auto size = pointSize(f.Size)) out.font.setPointSize(*size);
    if (const auto colour = colourOf(f.Colour)) out.colour = *colour;
    if (const auto style = styleOf(f.Style)) {
        const int weight = *style & kWeightMask;
        out.font.setWeight(static_cast<QFont::Weight>(weight == 0 ? kNormalWeight : weight));
        out.font.setItalic((*style & kItalic) != 0);
        out.font.setUnderline((*style & kUnderline) != 0);
        out.font.setStrikeOut((*style & kStrikeOut) != 0);
    }
    return out;
}

FontRecord fontTextsOf(const QFont& font, const QColor& colour) {
    FontRecord f;
    f.TypeFace = font.family().toStdString();
    const int points = qRound(font.pointSizeF());
    if (points > 0) f.Size = std::to_string(points);
    if (colour.isValid()) f.Colour = Colour::fromQColor(colour).toString();
    const int style = static_cast<int>(font.weight()) | (font.italic() ? kItalic : 0) |
                      (font.underline() ? kUnderline : 0) | (font.strikeOut() ? kStrikeOut : 0);
    f.Style = std::to_string(style);
    return f;
}

QString fontDescription(const FontRecord* f) {
    if (f == nullptr) return QObject::tr("Default Font");
    const std::string text = std::string(clip(f->TypeFace.view())) + ' ' +
                             std::string(clip(f->Size.view())) +
                             "  Colour:  " + std::string(clip(f->Colour.view())) +
                             "  Style:  " + std::string(clip(f->Style.view()));
    return qs(cutChars(text, kDescriptionChars));
}

std::optional<QString> fontTextsProblem(const FontRecord& f) {
    const QString problems[] = {
        fieldProblem(f.Size, pointSize(f.Size).has_value(), "size",
                     QObject::tr("a whole number of points from %1 to %2")
                         .arg(kFontMinPoints)
                         .arg(kFontMaxPoints)),
        fieldProblem(f.Colour, colourOf(f.Colour).has_value(), "colour",
                     QObject::tr("a number from 0 to %1 (blue * 65536 + green * 256 + red)")
                         .arg(kFontMaxColour)),
        fieldProblem(f.Style, styleOf(f.Style).has_value(), "style",
                     QObject::tr("a weight from %1 to %2 (400 normal, 700 bold), plus 4096 for "
                                 "italic, 8192 for underline and 16384 for strike-out")
                         .arg(kFontMinWeight)
                         .arg(kFontMaxWeight)),
    };
    for (const QString& p : problems) {
        if (!p.isEmpty()) return p;
    }
    return std::nullopt;
}

std::optional<FontRecord> findFont(DataFile& fonts, int32_t id, int* code) {
    if (code != nullptr) *code = err::kNone;
    if (id == 0) return std::nullopt;
    auto& record = *static_cast<FontRecord*>(fonts.record());
    fonts.clearBuffer();
    record.FontID = id;
    const int found = fonts.get(FontRecord::KeyFontID);
    if (found == err::kNone) return record;
    if (code != nullptr && found != err::kRecordNotFound) *code = found;
    return std::nullopt;
}

}  // namespace cdz
