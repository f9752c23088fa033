#include "runtime/text/DatePicture.h"

#include <algorithm>

#include <cmath>

#include <QDate>
#include <QLocale>

#include "runtime/text/DateReader.h"
#include "runtime/text/DateTime.h"
#include "runtime/text/NumberText.h"
#include "runtime/text/Unicode.h"

namespace cdz {

namespace {

constexpr int kShortLocale = 17;
constexpr int kLongLocale = 18;

std::string twoDigits(int v) {
    std::string s = std::to_string(v % 100);
    return s.size() < 2 ? "0" + s : s;
}

std::string fourDigits(int v) {
    std::string s = std::to_string(v);
    return s.size() < 4 ? std::string(4 - s.size(), '0') + s : s;
}

std::string shortMonth(int month) {
    return toUpper(DateReader::englishMonthName(month).substr(0, 3));
}

// The locale's short format with its separator replaced by sep (outside quoted literals).
QString withSeparator(const QString& format, QChar sep) {
    QChar own;
    bool quoted = false;
    for (const QChar c : format) {
        if (c == u'\'') quoted = !quoted;
        if (!quoted && c != u'\'' && !c.isLetter() && !c.isSpace()) {
            own = c;
            break;
        }
    }
    if (own.isNull()) return format;
    QString out = format;
    quoted = false;
    for (QChar& c : out) {
        if (c == u'\'') quoted = !quoted;
        if (!quoted && c == own) c = sep;
    }
    return out;
}

}  // namespace

std::optional<DatePicture> DatePicture::parse(std::string_view rest) {
    DatePicture p;
    size_t i = 0;
    while (i < rest.size() && i < 2 && rest[i] >= '0' && rest[i] <= '9')
        p.style_ = p.style_ * 10 + (rest[i++] - '0');
    if (p.style_ < 1 || p.style_ > kLongLocale) return std::nullopt;
    if (i < rest.size() && (rest[i] == '-' || rest[i] == '.' || rest[i] == '_' || rest[i] == '/')) {
        p.separator_ = rest[i] == '_' ? ' ' : rest[i];
        ++i;
    }
    if (i < rest.size() && (rest[i] == 'b' || rest[i] == 'B')) {
        p.blankWhenZero_ = true;
        ++i;
    }
    if (i != rest.size()) return std::nullopt;

    if (p.style_ >= kShortLocale) {
        const QLocale locale;
        p.localeFormat_ = locale.dateFormat(p.style_ == kShortLocale ? QLocale::ShortFormat
                                                                     : QLocale::LongFormat);
        if (p.style_ == kShortLocale && p.separator_ != 0)
            p.localeFormat_ = withSeparator(p.localeFormat_, QChar(p.separator_));
        DateReader::orderOfQtFormat(p.localeFormat_, p.localeOrder_);
    }
    return p;
}

std::string_view DatePicture::order() const {
    switch (style_) {
        case 1:
        case 2:
        case 3:
        case 4:
            return "MDY";
        case 5:
        case 6:
        case 7:
        case 8:
            return "DMY";
        case 9:
        case 10:
        case 11:
        case 12:
            return "YMD";
        case 13:
        case 14:
            return "MY";
        case 15:
        case 16:
            return "YM";
        default:
            return localeOrder_;
    }
}

int DatePicture::width() const {
    switch (style_) {
        case 3:
        case 8:
            return 11;  // "OCT 31,1959", "31 OCT 1959"
        case 4:
            return 18;  // "September 30, 1959"
        case 7:
            return 9;
        case 11:
            return 6;
        case 13:
        case 15:
            return 5;
        case 14:
        case 16:
            return 7;
        case 1:
        case 5:
        case 9:
        case 12:
            return 8;
        case kShortLocale:
        case kLongLocale:
            // A long month and weekday name: Wednesday, 27 September.
            return static_cast<int>(format(static_cast<int64_t>(dateFromYmd(2000, 9, 27))).size());
        default:
            return 10;
    }
}

std::string DatePicture::numeric(int year, int month, int day) const {
    const std::string s(1, separator_ == 0 ? '/' : separator_);
    const std::string mm = twoDigits(month);
    const std::string dd = twoDigits(day);
    switch (style_) {
        case 1:
            return mm + s + dd + s + twoDigits(year);
        case 2:
            return mm + s + dd + s + fourDigits(year);
        case 5:
            return dd + s + mm + s + twoDigits(year);
        case 6:
            return dd + s + mm + s + fourDigits(year);
        case 9:
            return twoDigits(year) + s + mm + s + dd;
        case 10:
            return fourDigits(year) + s + mm + s + dd;
        case 11:
            return twoDigits(year) + mm + dd;
        case 12:
            return fourDigits(year) + mm + dd;
        case 13:
            return mm + s + twoDigits(year);
        case 14:
            return mm + s + fourDigits(year);
        case 15:
            return twoDigits(year) + s + mm;
        default:
            return fourDigits(year) + s + mm;
    }
}

std::string DatePicture::format(int64_t day) const {
    if (day == 0) return {};
    if (day >= 1 && day <= kLastBareYear) return std::to_string(day);
    if (day < kFirstDay || day > lastDay()) return std::string(static_cast<size_t>(width()), '#');
    const Ymd d = ymdFromDate(static_cast<int32_t>(day));
    // The named-month styles keep their blanks unless a separator was asked for.
    const std::string gap(1, separator_ == 0 ? ' ' : separator_);
    switch (style_) {
        case 3:
            return shortMonth(d.month) + " " + std::to_string(d.day) + "," + fourDigits(d.year);
        case 4:
            return std::string(DateReader::englishMonthName(d.month)) + " " +
                   std::to_string(d.day) + ", " + fourDigits(d.year);
        case 7:
            return std::to_string(d.day) + gap + shortMonth(d.month) + gap + twoDigits(d.year);
        case 8:
            return std::to_string(d.day) + gap + shortMonth(d.month) + gap + fourDigits(d.year);
        case kShortLocale:
        case kLongLocale:
            return QLocale().toString(QDate(d.year, d.month, d.day), localeFormat_).toStdString();
        default:
            return numeric(d.year, d.month, d.day);
    }
}

std::string DatePicture::format(double day) const {
    if (!std::isfinite(day)) return std::string(static_cast<size_t>(width()), '#');
    if (std::fabs(day) > 1e9) return std::string(static_cast<size_t>(width()), '#');
    return format(static_cast<int64_t>(std::trunc(day)));
}

std::string DatePicture::format(std::string_view stored) const {
    const auto n = NumberText::read(stored);
    return format(n ? n->toInt64() : int64_t{0});
}

int32_t DatePicture::read(std::string_view shown, int currentYear) const {
    if (currentYear == 0) currentYear = ymdFromDate(today()).year;
    // A bare year reads back as it shows, before any shorthand of the picture's fields.
    std::string_view digits = shown;
    while (!digits.empty() && digits.front() == ' ') digits.remove_prefix(1);
    while (!digits.empty() && digits.back() == ' ') digits.remove_suffix(1);
    if (digits.size() == 4 &&
        std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        const int year = std::stoi(std::string(digits));
        if (year >= 1000 && year <= kLastBareYear) return year;
    }
    const int32_t day = DateReader(order(), currentYear).read(shown);
    if (day != 0) return day;
    if (style_ == kLongLocale) {
        // Long formats of some languages carry more than names and numbers; let Qt try.
        const QString text = QString::fromUtf8(shown.data(), static_cast<qsizetype>(shown.size()));
        const QDate q = QLocale().toDate(text.trimmed(), localeFormat_);
        if (q.isValid()) return dateFromYmd(q.year(), q.month(), q.day());
    }
    return readCommonForm(shown, currentYear);
}

// What people type whatever the picture shows, once the picture's own order has failed: ISO
// (four digits first), then month first, then day first (which only a day above 12 reaches,
// month first having failed). A picture without a day reads nothing more.
int32_t DatePicture::readCommonForm(std::string_view shown, int currentYear) const {
    if (order().find('D') == std::string_view::npos) return 0;
    std::string_view t = shown;
    while (!t.empty() && t.front() == ' ') t.remove_prefix(1);
    const size_t digits = t.find_first_not_of("0123456789");
    if (digits == 4) return DateReader("YMD", currentYear).read(shown);
    if (digits == std::string_view::npos || digits == 0 || digits > 2) return 0;
    for (std::string_view o : {std::string_view("MDY"), std::string_view("DMY")}) {
        if (o == order()) continue;
        if (const int32_t day = DateReader(o, currentYear).read(shown)) return day;
    }
    return 0;
}

std::string DatePicture::deformat(std::string_view shown, int currentYear) const {
    return std::to_string(read(shown, currentYear));
}

}  // namespace cdz
