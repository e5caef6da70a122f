// The Deal of the Day: one deal for each date, the same on every computer, always winnable.
// The day's deal is the first deal the solver proves winnable among the shuffles drawn one
// after another, as Start New Game draws them, from the seed YYYYMMDD (the date read as a
// decimal number: 7 December 2026 gives 20261207).
#pragma once

#include <atomic>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace daily {

struct Date {
    int year = 0;
    int month = 0;
    int day = 0;
};

// "YYYY-MM-DD" with four, two and two digits, a day that exists in the calendar.
bool parseDate(std::string_view text, Date& date);
std::string formatDate(const Date& date);

// Days since 1 January 1970 (negative before), and back.
std::int64_t dayNumber(const Date& date);
Date dateOfDay(std::int64_t day);

// The seed the day's search starts from.
std::uint32_t seed(const Date& date);

// The day's deal number; nothing when `stop` was set before it was found.
std::optional<std::uint32_t> deal(const Date& date, const std::atomic<bool>* stop = nullptr);

} // namespace daily
