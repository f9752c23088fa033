#include "runtime/report/PageCodec.h"

#include <QDataStream>
#include <QIODevice>

namespace cdz {
namespace {

// The stream layout is pinned so that a spool never depends on the Qt version's default.
constexpr QDataStream::Version kStreamVersion = QDataStream::Qt_6_0;

void put(QDataStream& out, Mils m) {
    out << qint32(m.value);
}
void put(QDataStream& out, MilsPoint p) {
    put(out, p.x), put(out, p.y);
}
void put(QDataStream& out, const MilsRect& r) {
    put(out, r.x), put(out, r.y), put(out, r.width), put(out, r.height);
}

void get(QDataStream& in, Mils& m) {
    qint32 v = 0;
    in >> v;
    m.value = v;
}
void get(QDataStream& in, MilsPoint& p) {
    get(in, p.x), get(in, p.y);
}
void get(QDataStream& in, MilsRect& r) {
    get(in, r.x), get(in, r.y), get(in, r.width), get(in, r.height);
}

void put(QDataStream& out, const TextRun& t) {
    put(out, t.box);
    out << t.text << t.font.family << t.font.pointSize << qint32(t.font.weight) << t.font.italic
        << t.font.underline << t.font.strikeOut << quint32(t.colour) << quint8(t.align)
        << quint8(t.direction) << t.wrap;
}
void put(QDataStream& out, const LineItem& l) {
    put(out, l.from), put(out, l.to), put(out, l.penWidth);
    out << quint32(l.colour);
}
void put(QDataStream& out, const BoxItem& b) {
    put(out, b.box), put(out, b.borderWidth);
    out << quint32(b.border) << quint32(b.fill);
}
void put(QDataStream& out, const ImageItem& i) {
    put(out, i.box);
    out << i.path;
}

bool get(QDataStream& in, TextRun& t) {
    qint32 weight = 0;
    quint32 colour = 0;
    quint8 align = 0;
    quint8 direction = 0;
    get(in, t.box);
    in >> t.text >> t.font.family >> t.font.pointSize >> weight >> t.font.italic >>
        t.font.underline >> t.font.strikeOut >> colour >> align >> direction >> t.wrap;
    t.font.weight = weight;
    t.colour = colour;
    t.align = static_cast<TextAlign>(align);
    t.direction = static_cast<TextDirection>(direction);
    return align <= quint8(TextAlign::Right) && direction <= quint8(TextDirection::Down);
}
bool get(QDataStream& in, LineItem& l) {
    quint32 colour = 0;
    get(in, l.from), get(in, l.to), get(in, l.penWidth);
    in >> colour;
    l.colour = colour;
    return true;
}
bool get(QDataStream& in, BoxItem& b) {
    quint32 border = 0, fill = 0;
    get(in, b.box), get(in, b.borderWidth);
    in >> border >> fill;
    b.border = border;
    b.fill = fill;
    return true;
}
bool get(QDataStream& in, ImageItem& i) {
    get(in, i.box);
    in >> i.path;
    return true;
}

template <std::size_t N = 0>
bool getItem(QDataStream& in, quint8 tag, std::vector<PageItem>& items) {
    if constexpr (N < std::variant_size_v<PageItem>) {
        if (tag != N) return getItem<N + 1>(in, tag, items);
        std::variant_alternative_t<N, PageItem> item;
        if (!get(in, item)) return false;
        items.emplace_back(std::move(item));
        return true;
    } else {
        return false;
    }
}

}  // namespace

QByteArray PageCodec::encode(const Page& page) {
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setVersion(kStreamVersion);
    put(out, page.width), put(out, page.height);
    out << quint32(page.items.size());
    for (const PageItem& item : page.items) {
        out << quint8(item.index());
        std::visit([&out](const auto& i) { put(out, i); }, item);
    }
    return bytes;
}

std::optional<Page> PageCodec::decode(const QByteArray& bytes) {
    QDataStream in(bytes);
    in.setVersion(kStreamVersion);
    Page page;
    quint32 count = 0;
    get(in, page.width), get(in, page.height);
    in >> count;
    // Every item takes more than a byte, so a count beyond the bytes left is damage.
    if (in.status() != QDataStream::Ok || count > quint32(bytes.size())) return std::nullopt;
    page.items.reserve(count);
    for (quint32 n = 0; n < count; ++n) {
        quint8 tag = 0;
        in >> tag;
        if (!getItem(in, tag, page.items) || in.status() != QDataStream::Ok) return std::nullopt;
    }
    if (!in.atEnd()) return std::nullopt;
    return page;
}

std::optional<Page> PageCodec::decodeSize(const QByteArray& firstBytes) {
    QDataStream in(firstBytes);
    in.setVersion(kStreamVersion);
    Page page;
    get(in, page.width), get(in, page.height);
    if (in.status() != QDataStream::Ok) return std::nullopt;
    return page;
}

}  // namespace cdz
