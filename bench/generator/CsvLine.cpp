#include "bench/generator/CsvLine.h"

#include <charconv>

#include "bench/generator/DayNumbers.h"

namespace cdz::gen {

namespace {

void appendInt(std::string& out, int64_t value) {
    char buf[24];
    const auto result = std::to_chars(buf, buf + sizeof buf, value);
    out.append(buf, result.ptr);
}

void appendTwoDigits(std::string& out, int64_t value) {
    out += static_cast<char>('0' + value / 10 % 10);
    out += static_cast<char>('0' + value % 10);
}

}  // namespace

void CsvLine::separate() {
    if (fields_++ > 0) line_ += ',';
}

void CsvLine::addText(std::string_view text) {
    separate();
    line_ += '"';
    for (char c : text) {
        if (c == '"') line_ += '"';
        line_ += c;
    }
    line_ += '"';
}

void CsvLine::addNumber(int64_t value) {
    separate();
    appendInt(line_, value);
}

void CsvLine::addCents(int64_t cents) {
    separate();
    const uint64_t magnitude =
        cents < 0 ? 0 - static_cast<uint64_t>(cents) : static_cast<uint64_t>(cents);
    if (cents < 0) line_ += '-';
    appendInt(line_, static_cast<int64_t>(magnitude / 100));
    line_ += '.';
    appendTwoDigits(line_, static_cast<int64_t>(magnitude % 100));
}

void CsvLine::addDate(int32_t dayNumber) {
    separate();
    line_ += '"';
    if (dayNumber != 0) {
        const CivilDate date = civilFromDay(dayNumber);
        appendTwoDigits(line_, date.month);
        line_ += '/';
        appendTwoDigits(line_, date.day);
        line_ += '/';
        appendInt(line_, date.year);
    }
    line_ += '"';
}

void CsvLine::addTime(int32_t timeValue) {
    separate();
    line_ += '"';
    if (timeValue > 0) {
        // Hours keep counting past a day; hundredths are not shown by this picture.
        const int64_t seconds = (int64_t{timeValue} - 1) / 100;
        appendInt(line_, seconds / 3600);
        line_ += ':';
        appendTwoDigits(line_, seconds / 60 % 60);
        line_ += ':';
        appendTwoDigits(line_, seconds % 60);
    }
    line_ += '"';
}

}  // namespace cdz::gen
