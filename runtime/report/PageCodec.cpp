#include "runtime/report/PageCodec.h"

#include <cstring>
#include <type_traits>

namespace cdz {
namespace {

// The spool is read back by the program that wrote it, so numbers keep the machine's own byte
// order and strings their UTF-16 units: a page is copied out and in, never parsed character by
// character. A run's font is written where the page first uses it and named by number after.
class Writer {
public:
    explicit Writer(QByteArray& out) : out_(out) {}
    ~Writer() { out_.truncate(used_); }
    Writer(const Writer&) = delete;
    Writer& operator=(const Writer&) = delete;

    template <typename T>
    void put(T value) {
        static_assert(std::is_trivially_copyable_v<T>);
        bytes(&value, sizeof value);
    }
    void put(Mils m) { put(m.value); }
    void put(MilsPoint p) { put(p.x), put(p.y); }
    void put(const MilsRect& r) { put(r.x), put(r.y), put(r.width), put(r.height); }
    void put(const QString& s) {
        put(quint32(s.size()));
        bytes(s.constData(), std::size_t(s.size()) * 2);
    }
    void put(const FontSpec& f, std::vector<FontSpec>& known) {
        for (std::size_t n = 0; n < known.size(); ++n) {
            if (known[n] == f) return put(quint16(n));
        }
        put(quint16(known.size()));
        known.push_back(f);
        put(f.family);
        put(f.pointSize);
        put(qint32(f.weight));
        put(quint8((f.italic ? 1 : 0) | (f.underline ? 2 : 0) | (f.strikeOut ? 4 : 0)));
    }

private:
    // Copied into room made ahead, doubling: a page is tens of thousands of small values.
    void bytes(const void* from, std::size_t count) {
        const auto n = static_cast<qsizetype>(count);
        if (used_ + n > out_.size()) out_.resize(std::max<qsizetype>(2 * out_.size(), used_ + n));
        std::memcpy(out_.data() + used_, from, count);
        used_ += n;
    }

    QByteArray& out_;
    qsizetype used_ = 0;
};

class Reader {
public:
    explicit Reader(const QByteArray& in) : at_(in.constData()), end_(at_ + in.size()) {}
    bool ok() const { return ok_; }
    bool atEnd() const { return at_ == end_; }
    qsizetype left() const { return end_ - at_; }

    template <typename T>
    T get() {
        static_assert(std::is_trivially_copyable_v<T>);
        T value{};
        if (!take(sizeof value)) return value;
        std::memcpy(&value, at_ - sizeof value, sizeof value);
        return value;
    }
    Mils mils() { return Mils{get<qint32>()}; }
    MilsPoint point() { return {mils(), mils()}; }
    MilsRect rect() { return {mils(), mils(), mils(), mils()}; }
    QString string() {
        const auto units = get<quint32>();
        if (!ok_ || units > quint32(left() / 2)) return fail(), QString();
        QString s(qsizetype(units), Qt::Uninitialized);
        std::memcpy(s.data(), at_, std::size_t(units) * 2);
        at_ += qsizetype(units) * 2;
        return s;
    }
    FontSpec font(std::vector<FontSpec>& known) {
        const auto index = get<quint16>();
        if (index < known.size()) return known[index];
        if (index != known.size()) return fail(), FontSpec{};
        FontSpec f;
        f.family = string();
        f.pointSize = get<double>();
        f.weight = get<qint32>();
        const auto flags = get<quint8>();
        f.italic = flags & 1, f.underline = flags & 2, f.strikeOut = flags & 4;
        if (flags > 7) fail();
        known.push_back(f);
        return f;
    }
    void fail() { ok_ = false; }

private:
    bool take(std::size_t bytes) {
        if (!ok_ || qsizetype(bytes) > left()) return ok_ = false;
        at_ += bytes;
        return true;
    }

    const char* at_;
    const char* end_;
    bool ok_ = true;
};

void put(Writer& out, const TextRun& t, std::vector<FontSpec>& fonts) {
    out.put(t.box);
    out.put(t.text);
    out.put(t.font, fonts);
    out.put(quint32(t.colour));
    out.put(quint8(quint8(t.align) | quint8(t.direction) << 2 | (t.wrap ? 16 : 0)));
}
void put(Writer& out, const LineItem& l, std::vector<FontSpec>&) {
    out.put(l.from), out.put(l.to), out.put(l.penWidth), out.put(quint32(l.colour));
}
void put(Writer& out, const BoxItem& b, std::vector<FontSpec>&) {
    out.put(b.box), out.put(b.borderWidth), out.put(quint32(b.border)), out.put(quint32(b.fill));
}
void put(Writer& out, const ImageItem& i, std::vector<FontSpec>&) {
    out.put(i.box), out.put(i.path);
}

void get(Reader& in, TextRun& t, std::vector<FontSpec>& fonts) {
    t.box = in.rect();
    t.text = in.string();
    t.font = in.font(fonts);
    t.colour = in.get<quint32>();
    const auto set = in.get<quint8>();
    const int align = set & 3;
    const int direction = (set >> 2) & 3;
    if (align > int(TextAlign::Right) || direction > int(TextDirection::Down) || set > 31)
        in.fail();
    t.align = static_cast<TextAlign>(align);
    t.direction = static_cast<TextDirection>(direction);
    t.wrap = set & 16;
}
void get(Reader& in, LineItem& l, std::vector<FontSpec>&) {
    l.from = in.point(), l.to = in.point(), l.penWidth = in.mils();
    l.colour = in.get<quint32>();
}
void get(Reader& in, BoxItem& b, std::vector<FontSpec>&) {
    b.box = in.rect(), b.borderWidth = in.mils();
    b.border = in.get<quint32>();
    b.fill = in.get<quint32>();
}
void get(Reader& in, ImageItem& i, std::vector<FontSpec>&) {
    i.box = in.rect();
    i.path = in.string();
}

template <std::size_t N = 0>
bool getItem(Reader& in, quint8 tag, std::vector<PageItem>& items, std::vector<FontSpec>& fonts) {
    if constexpr (N < std::variant_size_v<PageItem>) {
        if (tag != N) return getItem<N + 1>(in, tag, items, fonts);
        std::variant_alternative_t<N, PageItem> item;
        get(in, item, fonts);
        if (!in.ok()) return false;
        items.emplace_back(std::move(item));
        return true;
    } else {
        return false;
    }
}

}  // namespace

QByteArray PageCodec::encode(const Page& page) {
    QByteArray bytes(qsizetype(page.items.size()) * 64 + 16, Qt::Uninitialized);
    {
        Writer out(bytes);
        std::vector<FontSpec> fonts;
        out.put(page.width), out.put(page.height);
        out.put(quint32(page.items.size()));
        for (const PageItem& item : page.items) {
            out.put(quint8(item.index()));
            std::visit([&](const auto& i) { put(out, i, fonts); }, item);
        }
    }
    return bytes;
}

std::optional<Page> PageCodec::decode(const QByteArray& bytes) {
    Reader in(bytes);
    Page page;
    page.width = in.mils(), page.height = in.mils();
    const auto count = in.get<quint32>();
    // Every item takes more than a byte, so a count beyond the bytes left is damage.
    if (!in.ok() || count > quint32(in.left())) return std::nullopt;
    page.items.reserve(count);
    std::vector<FontSpec> fonts;
    for (quint32 n = 0; n < count; ++n) {
        const auto tag = in.get<quint8>();
        if (!in.ok() || !getItem(in, tag, page.items, fonts)) return std::nullopt;
    }
    if (!in.atEnd()) return std::nullopt;
    return page;
}

std::optional<Page> PageCodec::decodeSize(const QByteArray& firstBytes) {
    Reader in(firstBytes);
    Page page;
    page.width = in.mils(), page.height = in.mils();
    if (!in.ok()) return std::nullopt;
    return page;
}

}  // namespace cdz
