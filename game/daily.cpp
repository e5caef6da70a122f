// The Deal of the Day: dates and the rule that picks the day's deal.
#include "daily.h"

#include "solver.h"

#include <cstdio>

namespace daily {

namespace {

bool digits(std::string_view text, int& value) {
    value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') {
            return false;
        }
        value = value * 10 + (c - '0');
    }
    return !text.empty();
}

bool leapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int daysInMonth(int year, int month) {
    static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && leapYear(year) ? 29 : kDays[month - 1];
}

} // namespace

bool parseDate(std::string_view text, Date& date) {
    if (text.size() != 10 || text[4] != '-' || text[7] != '-') {
        return false;
    }
    Date read;
    if (!digits(text.substr(0, 4), read.year) || !digits(text.substr(5, 2), read.month) ||
        !digits(text.substr(8, 2), read.day)) {
        return false;
    }
    if (read.year < 1 || read.month < 1 || read.month > 12 || read.day < 1 ||
        read.day > daysInMonth(read.year, read.month)) {
        return false;
    }
    date = read;
    return true;
}

std::string formatDate(const Date& date) {
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", date.year, date.month, date.day);
    return text;
}

// The proleptic Gregorian calendar counted in eras of 400 years (146097 days each).
std::int64_t dayNumber(const Date& date) {
    const std::int64_t y = date.year - (date.month <= 2 ? 1 : 0);
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const std::int64_t yearOfEra = y - era * 400;
    const std::int64_t m = date.month;
    const std::int64_t dayOfYear = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + date.day - 1;
    const std::int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

Date dateOfDay(std::int64_t day) {
    day += 719468;
    const std::int64_t era = (day >= 0 ? day : day - 146096) / 146097;
    const std::int64_t dayOfEra = day - era * 146097;
    const std::int64_t yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const std::int64_t mp = (5 * dayOfYear + 2) / 153;
    Date date;
    date.day = int(dayOfYear - (153 * mp + 2) / 5 + 1);
    date.month = int(mp < 10 ? mp + 3 : mp - 9);
    date.year = int(yearOfEra + era * 400 + (date.month <= 2 ? 1 : 0));
    return date;
}

std::uint32_t seed(const Date& date) {
    return std::uint32_t(date.year) * 10000u + std::uint32_t(date.month) * 100u +
           std::uint32_t(date.day);
}

std::optional<std::uint32_t> deal(const Date& date, const std::atomic<bool>* stop) {
    Solver solver;
    return firstWinnableDeal(seed(date), solver, stop);
}

} // namespace daily
