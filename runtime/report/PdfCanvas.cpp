#include "runtime/report/PdfCanvas.h"

#include <QFontMetricsF>
#include <QGlyphRun>
#include <QPainterPath>
#include <QTextLayout>
#include <algorithm>
#include <charconv>
#include <cmath>
#include <deque>

namespace cdz {
namespace {

bool visible(Argb c) {
    return (c >> 24) != 0;
}

// Characters set one glyph each, left to right, with no shaping: the letters of the scripts
// written so, and their punctuation and symbols. The others (joined, reordered or combining
// scripts, surrogate pairs, controls) are laid out by Qt.
bool plain(char16_t c) {
    if (c < 0x20) return false;
    if (c < 0x0300) return true;
    if (c <= 0x036f || (c >= 0x0483 && c <= 0x0489)) return false;
    if (c >= 0x0591 && c < 0x1e00) return false;
    if ((c >= 0x200b && c <= 0x200f) || (c >= 0x202a && c <= 0x202e)) return false;
    if ((c >= 0x2060 && c <= 0x206f) || (c >= 0x20d0 && c <= 0x20ff)) return false;
    if (c >= 0xa800 && c < 0xac00) return false;
    if (c >= 0xd800 && c < 0xe000) return false;
    if (c >= 0xfb1d && c <= 0xfdff) return false;
    if ((c >= 0xfe00 && c <= 0xfe2f) || c >= 0xfe70) return false;
    return true;
}

void putColour(QByteArray& out, Argb c, const char* op) {
    for (const int shift : {16, 8, 0}) {
        const int level = int((c >> shift) & 0xff);
        out += level == 0     ? QByteArray("0")
               : level == 255 ? QByteArray("1")
                              : QByteArray::number(level / 255.0, 'g', 3);
        out += ' ';
    }
    out += op;
}

// The characters of `text` that none of the runs' fonts holds, in the order they come.
std::deque<QString> missingCharacters(const QString& text, const QList<QGlyphRun>& runs) {
    std::deque<QString> missing;
    for (const uint code : text.toUcs4()) {
        const QString one = QString::fromUcs4(reinterpret_cast<const char32_t*>(&code), 1);
        if (QChar::isSpace(code) || QChar::category(code) == QChar::Mark_NonSpacing) continue;
        const bool held = std::any_of(runs.begin(), runs.end(), [&](const QGlyphRun& run) {
            quint32 glyph = 0;
            int count = 1;
            return run.rawFont().glyphIndexesForChars(one.constData(), int(one.size()), &glyph,
                                                      &count) &&
                   glyph != 0;
        });
        if (!held) missing.push_back(one);
    }
    return missing;
}

}  // namespace

void PdfCanvas::begin(QSizeF size) {
    out_.clear();
    state_ = State{};
    levels_.clear();
    inText_ = false;
    matrix(1, 0, 0, -1, 0, size.height());
}

QByteArray PdfCanvas::finish() {
    textMode(false);
    while (!levels_.empty()) restore();
    return out_;
}

void PdfCanvas::put(qreal value) {
    // A tenth of a mil, far below anything a printer shows.
    // Written by hand into a small buffer: a page holds thousands of numbers.
    const auto tenths = static_cast<qint64>(std::llround(value * 10));
    char text[24];
    char* end = std::to_chars(text, text + sizeof text - 3, tenths / 10).ptr;
    if (tenths < 0 && tenths > -10) {
        text[0] = '-', text[1] = '0', end = text + 2;
    }
    if (const qint64 tenth = std::llabs(tenths % 10)) {
        *end++ = '.';
        *end++ = char('0' + tenth);
    }
    *end++ = ' ';
    out_.append(text, end - text);
}

void PdfCanvas::matrix(qreal a, qreal b, qreal c, qreal d, qreal e, qreal f) {
    realize();
    textMode(false);
    // Fixed notation: PDF has no exponents, and a turn's cosine is 6e-17 rather than 0.
    for (const qreal v : {a, b, c, d, e, f}) {
        QByteArray text = QByteArray::number(v, 'f', 6);
        while (text.endsWith('0')) text.chop(1);
        if (text.endsWith('.')) text.chop(1);
        out_ += (text == "-0" ? QByteArray("0") : text) + ' ';
    }
    out_ += "cm\n";
}

void PdfCanvas::textMode(bool on) {
    if (on == inText_) return;
    out_ += on ? "BT\n" : "ET\n";
    inText_ = on;
}

void PdfCanvas::save() {
    levels_.push_back({state_, false, false, QRectF()});
}

void PdfCanvas::restore() {
    if (levels_.empty()) return;
    const Level level = levels_.back();
    levels_.pop_back();
    if (!level.written) return;  // nothing inside changed the file's state but what is kept
    textMode(false);
    out_ += "Q\n";
    state_ = level.saved;
}

void PdfCanvas::realize() {
    for (Level& level : levels_) {
        if (level.written) continue;
        textMode(false);
        out_ += "q\n";
        level.written = true;
        level.saved = state_;
        if (level.clipped) {
            for (const qreal v :
                 {level.clip.x(), level.clip.y(), level.clip.width(), level.clip.height()})
                put(v);
            out_ += "re W n\n";
        }
    }
}

bool PdfCanvas::pendingClip() const {
    return std::any_of(levels_.begin(), levels_.end(),
                       [](const Level& level) { return !level.written && level.clipped; });
}

bool PdfCanvas::insidePendingClips(const QRectF& ink) const {
    for (const Level& level : levels_) {
        if (!level.written && level.clipped &&
            !level.clip.adjusted(-0.05, -0.05, 0.05, 0.05).contains(ink))
            return false;
    }
    return true;
}

void PdfCanvas::translate(qreal dx, qreal dy) {
    matrix(1, 0, 0, 1, dx, dy);
}

void PdfCanvas::scale(qreal sx, qreal sy) {
    matrix(sx, 0, 0, sy, 0, 0);
}

void PdfCanvas::rotate(qreal degrees) {
    const qreal r = qDegreesToRadians(degrees);
    matrix(std::cos(r), std::sin(r), -std::sin(r), std::cos(r), 0, 0);
}

void PdfCanvas::clip(const QRectF& box) {
    if (!levels_.empty() && !levels_.back().written) {
        Level& level = levels_.back();
        level.clip = level.clipped ? level.clip.intersected(box) : box;
        level.clipped = true;
        return;
    }
    textMode(false);
    for (const qreal v : {box.x(), box.y(), box.width(), box.height()}) put(v);
    out_ += "re W n\n";
}

FontLines PdfCanvas::lines(const FontSpec& font) {
    return resources_.face(font).lines;
}

bool PdfCanvas::plainGlyphs(PdfFace& face, const QString& text) {
    if (plainFace_ == &face && plainText_ == text) return !glyphs_.empty() || text.isEmpty();
    plainFace_ = &face;
    plainText_ = text;
    glyphs_.clear();
    plainWidth_ = 0;
    PdfFont& font = *face.file;
    if (!font.embeddable()) return false;
    for (const QChar c : text) {
        const char16_t unit = c.unicode();
        const quint32 glyph = plain(unit) ? font.glyph(unit) : 0;
        if (glyph == 0) {
            glyphs_.clear();
            return false;
        }
        glyphs_.push_back(glyph);
        plainWidth_ += font.advance(glyph);
    }
    return true;
}

qreal PdfCanvas::advance(const FontSpec& font, const QString& text) {
    PdfFace& face = resources_.face(font);
    if (plainGlyphs(face, text)) return plainWidth_ * face.size / 1000.0;
    return QFontMetricsF(face.font).horizontalAdvance(text);
}

void PdfCanvas::setFont(const PdfFont& font, qreal size) {
    if (state_.font == &font && state_.size == size) return;
    out_ += '/' + font.resource() + ' ';
    put(size);
    out_ += "Tf\n";
    state_.font = &font;
    state_.size = size;
}

void PdfCanvas::setFill(Argb colour) {
    if ((state_.fill & 0xffffff) == (colour & 0xffffff)) return;
    putColour(out_, colour, "rg\n");
    state_.fill = colour;
}

void PdfCanvas::setStroke(Argb colour, qreal width) {
    if ((state_.stroke & 0xffffff) != (colour & 0xffffff)) {
        putColour(out_, colour, "RG\n");
        state_.stroke = colour;
    }
    if (state_.width != width) {
        put(width);
        out_ += "w\n";
        state_.width = width;
    }
}

// Within one text object every line starts from the last one's start, so a row of a report
// costs a short move per column.
void PdfCanvas::moveText(QPointF at) {
    if (!inText_) {
        textMode(true);
        out_ += "1 0 0 -1 ";
        put(at.x());
        put(at.y());
        out_ += "Tm ";
    } else {
        put(at.x() - lineStart_.x());
        put(lineStart_.y() - at.y());
        out_ += "Td ";
    }
    lineStart_ = at;
}

bool PdfCanvas::glyphString(PdfFont& font, const quint32* glyphs, std::size_t count,
                            const QString& text) {
    const qsizetype mark = out_.size();
    out_ += '(';
    // One character to one glyph: each glyph is the text of its own character.
    const bool paired = qsizetype(count) == text.size();
    for (std::size_t n = 0; n < count; ++n) {
        const QStringView meaning = paired ? QStringView(text).mid(qsizetype(n), 1) : text;
        if (!font.append(out_, glyphs[n], meaning)) {
            out_.truncate(mark);
            return false;
        }
    }
    out_ += ")Tj\n";
    return true;
}

void PdfCanvas::rule(qreal x, qreal y, qreal width, qreal height) {
    realize();
    textMode(false);
    for (const qreal v : {x, y, width, height}) put(v);
    out_ += "re f\n";
}

void PdfCanvas::text(const FontSpec& font, Argb colour, QPointF origin, const QString& text) {
    if (!visible(colour) || text.isEmpty()) return;
    PdfFace& face = resources_.face(font);
    qreal width = 0;
    if (plainGlyphs(face, text)) {
        if (pendingClip() && !insidePendingClips(plainInk(face, origin))) realize();
        setFill(colour);
        moveText(origin);
        setFont(*face.file, face.size);
        if (!glyphString(*face.file, glyphs_.data(), glyphs_.size(), text)) {
            realize();
            shapedText(face, origin, text);
        }
        width = plainWidth_ * face.size / 1000.0;
    } else {
        realize();
        setFill(colour);
        shapedText(face, origin, text);
        width = QFontMetricsF(face.font).horizontalAdvance(text);
    }
    if (font.underline) rule(origin.x(), origin.y() + face.underline, width, face.rule);
    if (font.strikeOut) rule(origin.x(), origin.y() - face.strikeOut, width, face.rule);
}

// The ink of the glyphs last measured, set from `origin`, in the canvas's units.
QRectF PdfCanvas::plainInk(const PdfFace& face, QPointF origin) const {
    const PdfFont& font = *face.file;
    qreal pen = 0;
    QRectF ink;
    for (const quint32 glyph : glyphs_) {
        const QRectF box = font.ink(glyph);
        if (!box.isEmpty()) ink |= box.translated(pen, 0);
        pen += font.advance(glyph);
    }
    const qreal k = face.size / 1000.0;
    // Font units go upwards from the baseline; the page's go downwards.
    return QRectF(QPointF(origin.x() + ink.left() * k, origin.y() - ink.bottom() * k),
                  QPointF(origin.x() + ink.right() * k, origin.y() - ink.top() * k));
}

// Text Qt lays out: each glyph where Qt puts it, in whichever font holds it; glyphs of a font
// that cannot be embedded are drawn as their outlines.
void PdfCanvas::shapedText(PdfFace& face, QPointF origin, const QString& text) {
    QTextLayout layout(text, face.font);
    layout.beginLayout();
    const QTextLine line = layout.createLine();
    layout.endLayout();
    if (!line.isValid()) return;
    // Qt gives a line's runs (one a font) in no fixed order: set from left to right, the same
    // text makes the same file every time, and a reader meets the runs in reading order.
    QList<QGlyphRun> runs = layout.glyphRuns();
    const auto left = [](const QGlyphRun& run) {
        return run.positions().isEmpty() ? 0.0 : run.positions().constFirst().x();
    };
    std::stable_sort(runs.begin(), runs.end(),
                     [&](const QGlyphRun& a, const QGlyphRun& b) { return left(a) < left(b); });
    std::deque<QString> missing = missingCharacters(text, runs);
    for (const QGlyphRun& run : runs) {
        const QRawFont raw = run.rawFont();
        PdfFont& font = resources_.font(raw);
        // What each glyph stands for, as far as one character to one glyph tells; a letter and
        // its accent that Qt sets as one glyph stand for the composed letter.
        QHash<quint32, QString> meaning;
        for (const uint code : (text + text.normalized(QString::NormalizationForm_C)).toUcs4()) {
            const QString one = QString::fromUcs4(reinterpret_cast<const char32_t*>(&code), 1);
            quint32 glyph = 0;
            int count = 1;
            if (raw.glyphIndexesForChars(one.constData(), int(one.size()), &glyph, &count) &&
                count == 1 && !meaning.contains(glyph))
                meaning.insert(glyph, one);
        }
        const QList<quint32> glyphs = run.glyphIndexes();
        const QList<QPointF> positions = run.positions();
        for (qsizetype n = 0; n < glyphs.size(); ++n) {
            const QPointF at = origin + QPointF(positions[n].x(), positions[n].y() - line.ascent());
            QString stands = meaning.value(glyphs[n]);
            // The empty box stands for the characters no font holds, one each, in order.
            if (glyphs[n] == 0 && !missing.empty()) {
                stands = missing.front();
                missing.pop_front();
            }
            bool set = false;
            if (font.embeddable()) {
                moveText(at);
                setFont(font, raw.pixelSize());
                set = glyphString(font, &glyphs[n], 1, stands);
            }
            if (!set) outline(raw, glyphs[n], at, stands);
        }
    }
}

void PdfCanvas::outline(const QRawFont& raw, quint32 glyph, QPointF at, const QString& text) {
    realize();
    textMode(false);
    const QPainterPath path = raw.pathForGlyph(glyph).translated(at);
    if (path.isEmpty()) return;
    if (!text.isEmpty()) {
        out_ += "/Span << /ActualText <FEFF";
        for (const QChar c : text)
            out_ += QByteArray::number(c.unicode(), 16).rightJustified(4, '0');
        out_ += "> >> BDC\n";
    }
    for (int n = 0; n < path.elementCount(); ++n) {
        const QPainterPath::Element e = path.elementAt(n);
        if (e.isCurveTo() && n + 2 < path.elementCount()) {
            const QPainterPath::Element c2 = path.elementAt(n + 1);
            const QPainterPath::Element end = path.elementAt(n + 2);
            for (const qreal v : {e.x, e.y, c2.x, c2.y, end.x, end.y}) put(v);
            out_ += "c\n";
            n += 2;
            continue;
        }
        put(e.x);
        put(e.y);
        out_ += e.isMoveTo() ? "m\n" : "l\n";
    }
    out_ += "f\n";
    if (!text.isEmpty()) out_ += "EMC\n";
}

void PdfCanvas::line(QPointF from, QPointF to, qreal width, Argb colour) {
    if (!visible(colour)) return;
    realize();
    textMode(false);
    setStroke(colour, width);
    put(from.x());
    put(from.y());
    out_ += "m ";
    put(to.x());
    put(to.y());
    out_ += "l S\n";
}

void PdfCanvas::box(const QRectF& box, qreal borderWidth, Argb border, Argb fill) {
    const bool edged = visible(border) && borderWidth > 0;
    const bool filled = visible(fill);
    if (!edged && !filled) return;
    realize();
    textMode(false);
    if (edged) setStroke(border, borderWidth);
    if (filled) setFill(fill);
    for (const qreal v : {box.x(), box.y(), box.width(), box.height()}) put(v);
    out_ += edged && filled ? "re B\n" : edged ? "re S\n" : "re f\n";
}

void PdfCanvas::image(const QRectF& box, const QString& path) {
    const QByteArray name = resources_.image(path);
    if (name.isEmpty()) return;
    save();
    matrix(box.width(), 0, 0, -box.height(), box.x(), box.y() + box.height());
    out_ += '/' + name + " Do\n";
    restore();
}

}  // namespace cdz
