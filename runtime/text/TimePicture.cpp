#include "runtime/text/TimePicture.h"

#include <cmath>
#include <vector>

#include <QLocale>
#include <QTime>

#include "runtime/text/DateTime.h"
#include "runtime/text/NumberText.h"

namespace cdz {

namespace {

constexpr int kShortLocale = 7;
constexpr int kLongLocale = 8;
// Most hours a time value holds: hundredths must stay within 32 bits.
constexpr int kMaxHours = 5964;

std::string twoDigits(int64_t v) {
    std::string s = std::to_string(v);
    return s.size() < 2 ? "0" + s : s;
}

bool isClockStyle(int style) {
    return style == 3 || style == 6 || style >= kShortLocale;
}

}  // namespace

std::optional<TimePicture> TimePicture::parse(std::string_view rest) {
    TimePicture p;
    size_t i = 0;
    if (i < rest.size() && rest[i] >= '1' && rest[i] <= '8') p.style_ = rest[i++] - '0';
    if (p.style_ == 0) return std::nullopt;
    if (i < rest.size() && (rest[i] == '-' || rest[i] == '.' || rest[i] == '_' || rest[i] == ':')) {
        p.separator_ = rest[i] == '_' ? ' ' : rest[i];
        ++i;
    }
    if (i < rest.size() && (rest[i] == 'b' || rest[i] == 'B')) {
        p.blankWhenZero_ = true;
        ++i;
    }
    if (i != rest.size()) return std::nullopt;
    if (p.style_ >= kShortLocale)
        p.localeFormat_ = QLocale().timeFormat(p.style_ == kShortLocale ? QLocale::ShortFormat
                                                                        : QLocale::LongFormat);
    return p;
}

int TimePicture::width() const {
    switch (style_) {
        case 1:
            return 5;
        case 2:
            return 4;
        case 3:
            return 7;
        case 5:
            return 6;
        case 6:
            return 10;
        case kShortLocale:
        case kLongLocale:
            return static_cast<int>(format(int64_t{timeFromHms(23, 59, 59)}).size());
        default:
            return 8;
    }
}

std::string TimePicture::format(int64_t value) const {
    if (value == 0 || (blankWhenZero_ && value == kTimeZero)) return {};
    if (value < 0) return std::string(static_cast<size_t>(width()), '#');
    const int64_t seconds = (value - kTimeZero) / 100;
    int64_t h = seconds / 3600;
    const int64_t m = seconds / 60 % 60;
    const int64_t s = seconds % 60;
    if (isClockStyle(style_)) h %= 24;
    const std::string sep(1, separator_ == 0 ? ':' : separator_);
    const int64_t h12 = h % 12 == 0 ? 12 : h % 12;
    const char* half = h < 12 ? "AM" : "PM";
    switch (style_) {
        case 1:
            return twoDigits(h) + sep + twoDigits(m);
        case 2:
            return twoDigits(h) + twoDigits(m);
        case 3:
            return std::to_string(h12) + sep + twoDigits(m) + half;
        case 4:
            return std::to_string(h) + sep + twoDigits(m) + sep + twoDigits(s);
        case 5:
            return twoDigits(h) + twoDigits(m) + twoDigits(s);
        case 6:
            return std::to_string(h12) + sep + twoDigits(m) + sep + twoDigits(s) + half;
        default:
            return QLocale()
                .toString(QTime(static_cast<int>(h), static_cast<int>(m), static_cast<int>(s)),
                          localeFormat_)
                .toStdString();
    }
}

std::string TimePicture::format(double value) const {
    if (!std::isfinite(value) || std::fabs(value) > 1e15)
        return std::string(static_cast<size_t>(width()), '#');
    return format(static_cast<int64_t>(std::trunc(value)));
}

std::string TimePicture::format(std::string_view stored) const {
    const auto n = NumberText::read(stored);
    return format(n ? n->toInt64() : int64_t{0});
}

namespace {

// The runs of digits and of letters of a typed time, in order.
struct TimeWords {
    std::vector<QString> numbers;
    std::vector<QString> words;
};

TimeWords splitTime(std::string_view shown) {
    const QString text = QString::fromUtf8(shown.data(), static_cast<qsizetype>(shown.size()));
    TimeWords out;
    QString current;
    int kind = 0;  // 0 none, 1 digits, 2 letters
    auto flush = [&] {
        if (kind == 1) out.numbers.push_back(current);
        if (kind == 2) out.words.push_back(current.toCaseFolded());
        current.clear();
        kind = 0;
    };
    for (const QChar c : text) {
        const int k = c.isDigit() ? 1 : (c.isLetter() ? 2 : 0);
        if (k != kind) flush();
        if (k != 0) {
            kind = k;
            current.append(k == 1 ? QChar(u'0' + c.digitValue()) : c);
        }
    }
    flush();
    return out;
}

// One run of digits cut into fields of two digits from the right, the rest leading
// ("173000" -> 17 30 00); `fields` at most three. Empty when the run is too long.
std::vector<QString> cutRun(const QString& run, int fields) {
    if (run.size() > qsizetype{2} * fields) return {};
    std::vector<QString> parts;
    qsizetype end = run.size();
    while (end > 2 && static_cast<int>(parts.size()) < fields - 1) {
        parts.insert(parts.begin(), run.mid(end - 2, 2));
        end -= 2;
    }
    parts.insert(parts.begin(), run.left(end));
    return parts;
}

}  // namespace

int32_t TimePicture::readLength(std::string_view shown) {
    TimeWords t = splitTime(shown);
    if (t.numbers.empty() || t.numbers.size() > 3) return 0;
    // One run of digits: mmss or hmmss, or minutes alone.
    if (t.numbers.size() == 1) {
        t.numbers = cutRun(t.numbers.front(), 3);
        if (t.numbers.empty()) return 0;
        if (t.numbers.size() == 1) t.numbers.push_back("0");
    }
    int hms[3] = {0, 0, 0};
    const size_t skip = 3 - t.numbers.size();
    for (size_t k = 0; k < t.numbers.size(); ++k) {
        if (t.numbers[k].size() > 4) return 0;
        hms[skip + k] = t.numbers[k].toInt();
    }
    // Minutes typed alone ("75:00") may pass an hour; a field to their right may not pass 59.
    if (hms[2] > 59 || (skip == 0 && hms[1] > 59)) return 0;
    const int64_t seconds = int64_t{hms[0]} * 3600 + int64_t{hms[1]} * 60 + hms[2];
    if (seconds / 3600 > kMaxHours) return 0;
    return timeFromHms(static_cast<int>(seconds / 3600), static_cast<int>(seconds / 60 % 60),
                       static_cast<int>(seconds % 60));
}

int32_t TimePicture::read(std::string_view shown) {
    TimeWords t = splitTime(shown);
    std::vector<QString>& numbers = t.numbers;
    const std::vector<QString>& words = t.words;
    if (numbers.empty()) return 0;

    // One run of digits: hhmm or hhmmss as t2 and t5 show them.
    if (numbers.size() == 1 && numbers.front().size() > 2) {
        numbers = cutRun(numbers.front(), 3);
        if (numbers.empty()) return 0;
    }
    int hms[3] = {0, 0, 0};
    for (size_t k = 0; k < numbers.size() && k < 3; ++k) {
        if (numbers[k].size() > 4) return 0;
        hms[k] = numbers[k].toInt();
    }
    int h = hms[0];
    if (hms[1] > 59 || hms[2] > 59 || h > kMaxHours) return 0;

    const QLocale locale;
    const QString am = locale.amText().toCaseFolded();
    const QString pm = locale.pmText().toCaseFolded();
    for (const QString& w : words) {
        if (w == u"pm" || w == u"p" || (!pm.isEmpty() && w == pm)) {
            if (h < 12) h += 12;
        } else if (w == u"am" || w == u"a" || (!am.isEmpty() && w == am)) {
            if (h == 12) h = 0;
        }
    }
    return timeFromHms(h, hms[1], hms[2]);
}

std::string TimePicture::deformat(std::string_view shown) const {
    return std::to_string(style_ == 4 ? readLength(shown) : read(shown));
}

}  // namespace cdz
