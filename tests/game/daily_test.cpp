// The Deal of the Day: dates, and the rule that picks one winnable deal for each of them.
#include "daily.h"
#include "game.h"
#include "solver.h"

#include <gtest/gtest.h>

#include <set>

namespace {

TEST(DailyDate, ReadsOnlyRealCalendarDays) {
    struct Case {
        const char* text;
        bool ok;
    } cases[] = {
        {"2026-12-08", true},  {"2024-02-29", true},  {"2000-02-29", true},  {"1900-02-29", false},
        {"2026-02-29", false}, {"2026-13-01", false}, {"2026-00-10", false}, {"2026-04-31", false},
        {"2026-12-8", false},  {"26-12-08", false},   {"2026/12/08", false}, {"2026-12-08 ", false},
        {"", false},           {"+026-12-08", false},
    };
    for (const Case& c : cases) {
        daily::Date date;
        EXPECT_EQ(daily::parseDate(c.text, date), c.ok) << c.text;
        if (c.ok) {
            EXPECT_EQ(daily::formatDate(date), c.text);
        }
    }
}

TEST(DailyDate, DayNumbersCountDaysAndReadBack) {
    EXPECT_EQ(daily::dayNumber({1970, 1, 1}), 0);
    EXPECT_EQ(daily::dayNumber({2000, 3, 1}) - daily::dayNumber({2000, 2, 28}), 2);
    EXPECT_EQ(daily::dayNumber({2100, 3, 1}) - daily::dayNumber({2100, 2, 28}), 1);
    EXPECT_EQ(daily::dayNumber({1969, 12, 31}), -1);
    EXPECT_EQ(daily::dayNumber({2027, 1, 1}) - daily::dayNumber({2026, 1, 1}), 365);
    for (std::int64_t day = -800; day < 60000; day += 13) {
        const daily::Date date = daily::dateOfDay(day);
        daily::Date read;
        ASSERT_TRUE(daily::parseDate(daily::formatDate(date), read)) << day;
        ASSERT_EQ(daily::dayNumber(read), day);
    }
}

TEST(DailyDeal, OneWinnableDealPerDateTheSameEveryTime) {
    std::set<std::uint32_t> deals;
    Solver solver;
    for (int day = 1; day <= 20; ++day) {
        const daily::Date date{2026, 12, day};
        EXPECT_EQ(daily::seed(date), 20261200u + std::uint32_t(day));
        const std::optional<std::uint32_t> deal = daily::deal(date);
        ASSERT_TRUE(deal);
        EXPECT_EQ(daily::deal(date), deal) << day;
        deals.insert(*deal);
        // The first winnable one of the shuffles drawn from the date's seed: none before it.
        Random random(daily::seed(date));
        while (random.seed() != *deal) {
            const Solver::Result earlier =
                solver.solve(Solver::Position::dealt(Game::shuffle(random)));
            ASSERT_NE(earlier.verdict, Solver::Verdict::Winnable) << day;
        }
        Random at(*deal);
        EXPECT_EQ(solver.solve(Solver::Position::dealt(Game::shuffle(at))).verdict,
                  Solver::Verdict::Winnable);
    }
    EXPECT_EQ(deals.size(), 20u) << "each day a deal of its own";
    const std::atomic<bool> stopped{true};
    EXPECT_FALSE(daily::deal({2026, 12, 8}, &stopped));
}

} // namespace
