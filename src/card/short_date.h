#pragma once
// Dates in card texts: the Russian short-date form DD.MM.YYYY, whatever the
// machine's locale.
#include <optional>
#include <string>

namespace card {

struct Date {
    int year = 0;
    int month = 0;
    int day = 0;
    bool operator==(const Date&) const = default;
};

bool IsValidDate(const Date& date);
// "05.03.2014".
std::string FormatShortDate(const Date& date);
// Day and month of one or two digits, year of four digits (or two, taken as
// 20YY); nullopt for anything else or for a day the calendar does not have.
std::optional<Date> ParseShortDate(const std::string& text);
// As ParseShortDate, but a text that is no date throws CardError
// "'%s' is not a valid date".
Date StrToDate(const std::string& text);

} // namespace card
