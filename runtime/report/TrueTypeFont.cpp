#include "runtime/report/TrueTypeFont.h"

#include <algorithm>
#include <map>

namespace cdz {
namespace {

quint8 byte(const QByteArray& table, qsizetype at) {
    return static_cast<quint8>(table.at(at));
}
quint16 u16(const QByteArray& table, qsizetype at) {
    if (at < 0 || at + 2 > table.size()) return 0;
    return static_cast<quint16>(byte(table, at) << 8 | byte(table, at + 1));
}
qint16 s16(const QByteArray& table, qsizetype at) {
    return static_cast<qint16>(u16(table, at));
}
quint32 u32(const QByteArray& table, qsizetype at) {
    if (at < 0 || at + 4 > table.size()) return 0;
    return quint32(u16(table, at)) << 16 | u16(table, at + 2);
}
void put16(QByteArray& out, quint16 v) {
    out.append(char(v >> 8)).append(char(v & 0xff));
}
void put32(QByteArray& out, quint32 v) {
    put16(out, quint16(v >> 16));
    put16(out, quint16(v & 0xffff));
}
void pad4(QByteArray& out) {
    while (out.size() % 4) out.append('\0');
}
quint32 checksum(const QByteArray& table) {
    QByteArray padded = table;
    pad4(padded);
    quint32 sum = 0;
    for (qsizetype at = 0; at < padded.size(); at += 4) sum += u32(padded, at);
    return sum;
}

// The tables in tag order, after a directory of them, each on a four-byte boundary.
QByteArray sfnt(const std::map<QByteArray, QByteArray>& tables) {
    const auto count = static_cast<quint16>(tables.size());
    quint16 power = 1, log = 0;
    while (power * 2 <= count) power = quint16(power * 2), ++log;
    QByteArray out;
    put32(out, 0x00010000);
    put16(out, count);
    put16(out, quint16(power * 16));
    put16(out, log);
    put16(out, quint16(count * 16 - power * 16));
    auto offset = static_cast<quint32>(12 + 16 * count);
    for (const auto& [tag, table] : tables) {
        out.append(tag);
        put32(out, checksum(table));
        put32(out, offset);
        put32(out, static_cast<quint32>(table.size()));
        offset += static_cast<quint32>((table.size() + 3) / 4 * 4);
    }
    for (const auto& [tag, table] : tables) {
        out.append(table);
        pad4(out);
    }
    return out;
}

constexpr quint16 kWords = 0x0001, kScale = 0x0008, kMore = 0x0020, kXYScale = 0x0040,
                  kTwoByTwo = 0x0080;

}  // namespace

TrueTypeFont::TrueTypeFont(const QRawFont& font) : font_(font) {
    head_ = font.fontTable("head");
    hhea_ = font.fontTable("hhea");
    maxp_ = font.fontTable("maxp");
    hmtx_ = font.fontTable("hmtx");
    loca_ = font.fontTable("loca");
    glyf_ = font.fontTable("glyf");
    os2_ = font.fontTable("OS/2");
    if (head_.size() < 54 || hhea_.size() < 36 || maxp_.size() < 6 || glyf_.isEmpty()) return;
    unitsPerEm_ = std::max<int>(16, u16(head_, 18));
    bounds_ = {s16(head_, 36), s16(head_, 38), s16(head_, 40), s16(head_, 42)};
    ascent_ = s16(hhea_, 4);
    descent_ = s16(hhea_, 6);
    metrics_ = u16(hhea_, 34);
    glyphCount_ = u16(maxp_, 4);
    const bool longOffsets = s16(head_, 50) == 1;
    const qsizetype entry = longOffsets ? 4 : 2;
    if (metrics_ < 1 || hmtx_.size() < qsizetype(metrics_) * 4 ||
        loca_.size() < qsizetype(glyphCount_ + 1) * entry)
        return;
    offsets_.resize(static_cast<std::size_t>(glyphCount_) + 1);
    for (int g = 0; g <= glyphCount_; ++g) {
        const qsizetype row = g;
        const quint32 at = longOffsets ? u32(loca_, row * 4) : quint32(u16(loca_, row * 2)) * 2;
        offsets_[static_cast<std::size_t>(g)] = std::min(at, static_cast<quint32>(glyf_.size()));
    }
    valid_ = true;
}

int TrueTypeFont::advance(quint32 glyph) const {
    if (!valid_) return 0;
    const qsizetype row = std::min<qsizetype>(glyph, metrics_ - 1);
    return u16(hmtx_, row * 4);
}

TrueTypeFont::Box TrueTypeFont::ink(quint32 glyph) const {
    if (!valid_ || glyph >= static_cast<quint32>(glyphCount_)) return {};
    const qsizetype at = offsets_[glyph];
    if (offsets_[glyph + 1] < at + 10) return {};
    return {s16(glyf_, at + 2), s16(glyf_, at + 4), s16(glyf_, at + 6), s16(glyf_, at + 8)};
}

QByteArray TrueTypeFont::glyphData(quint32 glyph) const {
    if (glyph >= static_cast<quint32>(glyphCount_)) return {};
    const quint32 from = offsets_[glyph];
    const quint32 to = offsets_[glyph + 1];
    return to > from ? glyf_.mid(from, to - from) : QByteArray();
}

// A composite glyph is drawn from others, which must come along.
void TrueTypeFont::addComponents(std::vector<bool>& used) const {
    std::vector<quint32> todo;
    for (std::size_t g = 0; g < used.size(); ++g)
        if (used[g]) todo.push_back(static_cast<quint32>(g));
    while (!todo.empty()) {
        const QByteArray data = glyphData(todo.back());
        todo.pop_back();
        if (data.size() < 10 || s16(data, 0) >= 0) continue;
        qsizetype at = 10;
        quint16 flags = kMore;
        while ((flags & kMore) && at + 4 <= data.size()) {
            flags = u16(data, at);
            const quint16 part = u16(data, at + 2);
            at += 4 + ((flags & kWords) ? 4 : 2);
            at += (flags & kScale) ? 2 : (flags & kXYScale) ? 4 : (flags & kTwoByTwo) ? 8 : 0;
            if (part < used.size() && !used[part]) {
                used[part] = true;
                todo.push_back(part);
            }
        }
    }
}

QByteArray TrueTypeFont::subset(std::vector<bool> used) const {
    if (!valid_) return {};
    used.resize(static_cast<std::size_t>(glyphCount_), false);
    if (!used.empty()) used[0] = true;  // the missing-glyph shape
    addComponents(used);
    QByteArray glyf;
    QByteArray loca;
    for (int g = 0; g < glyphCount_; ++g) {
        put32(loca, static_cast<quint32>(glyf.size()));
        if (!used[static_cast<std::size_t>(g)]) continue;
        glyf.append(glyphData(static_cast<quint32>(g)));
        pad4(glyf);
    }
    put32(loca, static_cast<quint32>(glyf.size()));
    QByteArray head = head_;
    head[8] = head[9] = head[10] = head[11] = '\0';  // checkSumAdjustment, not kept up
    head[50] = '\0';
    head[51] = '\1';  // long offsets in loca
    // A post table of version 3: no glyph names.
    QByteArray post;
    put32(post, 0x00030000);
    post.append(28, '\0');
    std::map<QByteArray, QByteArray> tables{{"head", head},  {"hhea", hhea_}, {"maxp", maxp_},
                                            {"hmtx", hmtx_}, {"loca", loca},  {"glyf", glyf},
                                            {"post", post}};
    if (!os2_.isEmpty()) tables.emplace("OS/2", os2_);
    return sfnt(tables);
}

}  // namespace cdz
