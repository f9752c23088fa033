#include "runtime/text/DateReader.h"

#include <array>
#include <vector>

#include <QLocale>

#include "runtime/text/DateTime.h"

namespace cdz {

namespace {

constexpr std::array<std::string_view, 12> kEnglishMonths = {
    "January", "February", "March",     "April",   "May",      "June",
    "July",    "August",   "September", "October", "November", "December"};

// A number typed into a date never needs more than this many digits (yyyymmdd).
constexpr qsizetype kMaxDigits = 8;

struct Token {
    bool number;
    QString text;
};

std::vector<Token> tokenize(const QString& text) {
    std::vector<Token> tokens;
    QString current;
    int kind = 0;  // 0 none, 1 number, 2 word
    auto flush = [&] {
        if (kind != 0) tokens.push_back({kind == 1, current});
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
    return tokens;
}

// Names compared folded and without the dots some languages put on abbreviations.
QString normalName(const QString& name) {
    QString n = name.toCaseFolded();
    n.remove(u'.');
    return n.trimmed();
}

}  // namespace

DateReader::DateReader(std::string_view order, int currentYear) : currentYear_(currentYear) {
    for (char c : order)
        if ((c == 'D' || c == 'M' || c == 'Y') && fields_ < 3) order_[fields_++] = c;
}

std::string_view DateReader::englishMonthName(int month) {
    if (month < 1 || month > 12) return {};
    return kEnglishMonths[static_cast<size_t>(month - 1)];
}

int DateReader::expandYear(int yy, int currentYear) {
    const int low = currentYear - 89;
    int year = low - (low % 100 + 100) % 100 + yy;  // the year ending in yy in low's century
    if (year < low) year += 100;
    return year;
}

std::string_view DateReader::orderOfQtFormat(const QString& format, char (&buffer)[4]) {
    int n = 0;
    bool quoted = false;
    for (qsizetype i = 0; i < format.size(); ++i) {
        const QChar c = format[i];
        if (c == u'\'') {
            quoted = !quoted;
            continue;
        }
        if (quoted) continue;
        char field = 0;
        if (c == u'd') {
            // "ddd" and "dddd" are day-of-week names, not the day.
            qsizetype run = 1;
            while (i + run < format.size() && format[i + run] == u'd') ++run;
            if (run <= 2) field = 'D';
            i += run - 1;
        } else if (c == u'M' || c == u'L') {
            field = 'M';
        } else if (c == u'y') {
            field = 'Y';
        }
        if (field == 0) continue;
        bool seen = false;
        for (int k = 0; k < n; ++k) seen = seen || buffer[k] == field;
        if (!seen && n < 3) buffer[n++] = field;
    }
    buffer[n] = 0;
    return std::string_view(buffer, static_cast<size_t>(n));
}

int DateReader::monthOfWord(const QString& word) const {
    const QString w = normalName(word);
    if (w.isEmpty()) return 0;
    for (int m = 1; m <= 12; ++m) {
        const std::string_view en = kEnglishMonths[static_cast<size_t>(m - 1)];
        const QString full = QString::fromLatin1(en.data(), static_cast<qsizetype>(en.size()));
        if (w == normalName(full) || w == normalName(full.left(3))) return m;
    }
    const QLocale locale;
    for (int m = 1; m <= 12; ++m) {
        for (const QLocale::FormatType t : {QLocale::LongFormat, QLocale::ShortFormat}) {
            if (w == normalName(locale.monthName(m, t)) ||
                w == normalName(locale.standaloneMonthName(m, t)))
                return m;
        }
    }
    return 0;
}

int32_t DateReader::read(std::string_view text) const {
    return read(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

int32_t DateReader::read(const QString& text) const {
    if (fields_ == 0) return 0;
    const std::vector<Token> tokens = tokenize(text);

    int month = 0;
    std::vector<QString> numbers;
    for (const Token& t : tokens) {
        if (t.number) {
            numbers.push_back(t.text);
        } else if (month == 0) {
            // Other words (day names, "de", "of") carry no field.
            month = monthOfWord(t.text);
        }
    }

    // The fields numbers must fill, in order.
    std::vector<char> wanted;
    for (int k = 0; k < fields_; ++k)
        if (!(order_[k] == 'M' && month != 0)) wanted.push_back(order_[k]);

    // One run of digits for several fields: two digits each, the year two or four.
    if (numbers.size() == 1 && wanted.size() > 1) {
        const QString run = numbers.front();
        const qsizetype n = static_cast<qsizetype>(wanted.size());
        if (run.size() != 2 * n && run.size() != 2 * n + 2) return 0;
        const bool longYear = run.size() == 2 * n + 2;
        numbers.clear();
        qsizetype at = 0;
        for (char f : wanted) {
            const qsizetype len = (f == 'Y' && longYear) ? 4 : 2;
            numbers.push_back(run.mid(at, len));
            at += len;
        }
    }
    if (numbers.size() < wanted.size()) return 0;

    int day = 1;
    int year = 0;
    bool haveYear = false;
    for (size_t k = 0; k < wanted.size(); ++k) {
        const QString& digits = numbers[k];
        if (digits.size() > kMaxDigits) return 0;
        const int v = digits.toInt();
        switch (wanted[k]) {
            case 'D':
                day = v;
                break;
            case 'M':
                month = v;
                break;
            default:
                year = digits.size() <= 2 ? expandYear(v, currentYear_) : v;
                haveYear = true;
                break;
        }
    }
    if (!haveYear || month < 1 || month > 12 || day < 1 || day > daysInMonth(year, month)) return 0;
    return dateFromYmd(year, month, day);
}

}  // namespace cdz
