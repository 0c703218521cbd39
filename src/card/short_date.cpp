#include "card/short_date.h"

#include <cstdio>

#include "card/errors.h"

namespace card {
namespace {

bool IsLeap(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month)
{
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeap(year) ? 29 : kDays[month - 1];
}

// Reads 1..maxDigits digits at `pos`; returns the count read (0 if none).
int ReadNumber(const std::string& text, std::size_t& pos, int maxDigits, int& value)
{
    int digits = 0;
    value = 0;
    while (pos < text.size() && digits < maxDigits && text[pos] >= '0' && text[pos] <= '9') {
        value = value * 10 + (text[pos] - '0');
        ++pos;
        ++digits;
    }
    return digits;
}

} // namespace

bool IsValidDate(const Date& date)
{
    return date.year >= 1 && date.year <= 9999 && date.month >= 1 && date.month <= 12 && date.day >= 1
        && date.day <= DaysInMonth(date.year, date.month);
}

std::string FormatShortDate(const Date& date)
{
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%02d.%02d.%04d", date.day, date.month, date.year);
    return buffer;
}

std::optional<Date> ParseShortDate(const std::string& text)
{
    std::size_t pos = 0;
    Date date;
    if (ReadNumber(text, pos, 2, date.day) == 0 || pos >= text.size() || text[pos++] != '.')
        return std::nullopt;
    if (ReadNumber(text, pos, 2, date.month) == 0 || pos >= text.size() || text[pos++] != '.')
        return std::nullopt;
    const int yearDigits = ReadNumber(text, pos, 4, date.year);
    if ((yearDigits != 4 && yearDigits != 2) || pos != text.size())
        return std::nullopt;
    if (yearDigits == 2)
        date.year += 2000;
    if (!IsValidDate(date))
        return std::nullopt;
    return date;
}

Date StrToDate(const std::string& text)
{
    if (auto date = ParseShortDate(text))
        return *date;
    throw CardError("'" + text + "' is not a valid date");
}

} // namespace card
