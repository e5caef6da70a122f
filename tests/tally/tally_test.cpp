// The tally table's text form and the tally's rules.
#include "tally.h"
#include "tallygrid.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

// A tally whose "today" is a fixed date.
Tally datedTally() {
    Tally tally;
    tally.today = [] { return std::string("12/8/26"); };
    tally.loadtally();
    return tally;
}

void fillWithScores(Tally& tally, std::initializer_list<int> scores) {
    for (int s : scores) {
        tally.checkscore(s, "p" + std::to_string(s));
    }
}

std::vector<int> ranks(const Tally& tally) {
    std::vector<int> out;
    for (int r = 1; r <= Tally::kPlaces; ++r) {
        out.push_back(tally.place(r).rank);
    }
    return out;
}

} // namespace

TEST(GridText, DefaultTableIs110LinesOf278Bytes) {
    Tally tally;
    const std::string text = SaveGridText(tally.grid());
    EXPECT_EQ(text.size(), 278u);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 110);
    EXPECT_EQ(text.substr(0, 14), "9\r\n12\r\n0\r\n\r\n\r\n");
}

TEST(GridText, LoadAndSaveRoundTrip) {
    Tally tally = datedTally();
    fillWithScores(tally, {150, -20, 3000});
    tally.addtomineincrease(1);
    TallyGrid copy;
    LoadGridText(copy, SaveGridText(tally.grid()));
    EXPECT_TRUE(copy == tally.grid());
    EXPECT_EQ(SaveGridText(copy), SaveGridText(tally.grid()));
}

TEST(GridText, OtherCountsResizeTheTable) {
    TallyGrid grid;
    LoadGridText(grid, "3\r\n2\r\na\r\nb\r\nc\r\nd\r\ne\r\nf\r\n");
    EXPECT_EQ(grid.colCount(), 3);
    EXPECT_EQ(grid.rowCount(), 2);
    EXPECT_EQ(grid.cell(1, 0), "c");
    EXPECT_EQ(grid.cell(2, 1), "f");
    EXPECT_EQ(SaveGridText(grid), "3\r\n2\r\na\r\nb\r\nc\r\nd\r\ne\r\nf\r\n");

    LoadGridText(grid, "2\n2\nx\n"); // LF alone, and lines missing at the end
    EXPECT_EQ(grid.cell(0, 0), "x");
    EXPECT_EQ(grid.cell(1, 1), "");
}

TEST(GridText, UnreadableCountLeavesTheTableAlone) {
    for (const char* text : {"", "nine\r\n12\r\n", "9\r\n-1\r\n", "9\r\n99999999\r\n"}) {
        TallyGrid grid;
        grid.setCell(1, 1, "kept");
        EXPECT_THROW(LoadGridText(grid, text), std::runtime_error) << text;
        EXPECT_EQ(grid.cell(1, 1), "kept");
        EXPECT_EQ(grid.colCount(), 9);
    }
}

TEST(Statistics, PercentageIsRecomputedOnlyWhenAGameStarts) {
    struct Case {
        int cleared, total;
        const char* shown;
    } cases[] = {{2, 3, "66%"}, {1, 1, "100%"}, {0, 1, "0%"}, {1, 2, "50%"}};
    for (const Case& c : cases) {
        // The game being started is the total's last one.
        Tally tally;
        tally.loadtally();
        tally.grid().setCell(Tally::kGamesCleared, 0, std::to_string(c.cleared));
        tally.grid().setCell(Tally::kTotalGames, 0, std::to_string(c.total - 1));
        tally.addtomineincrease(Tally::kTotalGames);
        EXPECT_EQ(tally.statistic(3), c.shown) << c.cleared << " of " << c.total;
        EXPECT_EQ(tally.grid().cell(3, 0) + "%", c.shown);
    }
}

TEST(Statistics, PercentageFollowsBothCountsAtOnce) {
    Tally tally;
    tally.loadtally();
    tally.addtomineincrease(Tally::kTotalGames);
    tally.addtomineincrease(Tally::kGamesCleared);
    EXPECT_EQ(tally.statistic(3), "100%");
    tally.addtomineincrease(Tally::kTotalGames);
    EXPECT_EQ(tally.statistic(3), "50%");
    tally.addtomineincrease(Tally::kGamesCleared);
    EXPECT_EQ(tally.statistic(3), "100%");
    EXPECT_EQ(tally.grid().cell(3, 0), "100") << "the file keeps the number without its sign";
}

TEST(Statistics, LongestChainRisesOnlyWhenExceeded) {
    Tally tally;
    tally.loadtally();
    int changes = 0;
    tally.changed = [&] { ++changes; };
    tally.checkforhigher(Tally::kLongestChain, 7);
    EXPECT_EQ(tally.statistic(4), "7");
    tally.checkforhigher(Tally::kLongestChain, 7);
    tally.checkforhigher(Tally::kLongestChain, 3);
    EXPECT_EQ(changes, 1);
    tally.checkforhigher(Tally::kLongestChain, 8);
    EXPECT_EQ(tally.grid().cell(4, 0), "8");
    tally.grid().setCell(4, 0, "junk");
    tally.checkforhigher(Tally::kLongestChain, 1);
    EXPECT_EQ(tally.grid().cell(4, 0), "1") << "an unreadable record counts as 0";
}

TEST(Statistics, DamagedCounterRestartsInsteadOfFailing) {
    Tally tally;
    for (const char* damaged : {"abc", "", "12x", "99999999999"}) {
        tally.grid().setCell(1, 0, damaged);
        EXPECT_EQ(tally.addit(1, 0), 1) << damaged;
        tally.grid().setCell(2, 0, damaged);
        tally.addtomineincrease(Tally::kTotalGames);
        EXPECT_EQ(tally.statistic(3), "0%") << damaged;
    }
    tally.grid().setCell(1, 0, "-5");
    EXPECT_EQ(tally.addit(1, 0), -4);
}

TEST(HighScores, ScoresTakeTheirPlaceNewerAboveEqual) {
    Tally tally = datedTally();
    EXPECT_TRUE(tally.checkscore(150, "Ann"));
    EXPECT_EQ(tally.place(1).score, "150");
    EXPECT_EQ(tally.place(1).date, "12/8/26");
    EXPECT_EQ(tally.place(1).name, "Ann");
    EXPECT_EQ(tally.place(1).style, PlaceStyle::Highlighted);
    EXPECT_EQ(tally.place(2).rank, Tally::kEmptyRank);
    EXPECT_EQ(tally.place(2).score, "");

    EXPECT_TRUE(tally.checkscore(150, "Bob"));
    EXPECT_EQ(tally.place(1).name, "Bob");
    EXPECT_EQ(tally.place(2).name, "Ann");
    EXPECT_EQ(tally.place(2).style, PlaceStyle::Plain);
    EXPECT_EQ(tally.grid().cell(2, 2), "Ann");
    EXPECT_EQ(tally.grid().cell(1, 2), "150");

    EXPECT_TRUE(tally.checkscore(-1000, ""));
    EXPECT_EQ(tally.place(3).score, "-1000");
    EXPECT_EQ(tally.place(3).name, "");
    EXPECT_FALSE(tally.checkscore(-1001, "low")) << "below -1000 never enters";
    EXPECT_EQ(tally.place(3).style, PlaceStyle::Plain)
        << "a refused score still clears the highlight";
}

TEST(HighScores, FullTableDropsTheLowestOrRefuses) {
    Tally tally = datedTally();
    fillWithScores(tally, {10, 20, 30, 40, 50, 60, 70, 80, 90, 100});
    EXPECT_EQ(ranks(tally), (std::vector<int>{100, 90, 80, 70, 60, 50, 40, 30, 20, 10}));
    EXPECT_FALSE(tally.checkscore(5, "low"));
    EXPECT_EQ(ranks(tally), (std::vector<int>{100, 90, 80, 70, 60, 50, 40, 30, 20, 10}));
    for (int r = 1; r <= Tally::kPlaces; ++r) {
        EXPECT_EQ(tally.place(r).style, PlaceStyle::Plain);
    }
    EXPECT_TRUE(tally.checkscore(55, "mid"));
    EXPECT_EQ(ranks(tally), (std::vector<int>{100, 90, 80, 70, 60, 55, 50, 40, 30, 20}));
    EXPECT_EQ(tally.grid().cell(2, 6), "mid");
    EXPECT_EQ(tally.grid().cell(2, 10), "p20");
    EXPECT_EQ(tally.place(6).style, PlaceStyle::Highlighted);
}

TEST(HighScores, LoadTreatsUnreadableScoresAsEmptyPlaces) {
    Tally tally;
    tally.grid().setCell(1, 1, "500");
    tally.grid().setCell(2, 1, "Ann");
    tally.grid().setCell(1, 2, "lots");
    tally.grid().setCell(2, 2, "Bob");
    tally.grid().setCell(1, 3, "");
    tally.loadtally();
    EXPECT_EQ(tally.place(1).rank, 500);
    EXPECT_EQ(tally.place(1).score, "500");
    EXPECT_EQ(tally.place(1).style, PlaceStyle::Normal);
    EXPECT_EQ(tally.place(2).rank, Tally::kEmptyRank);
    EXPECT_EQ(tally.place(2).score, "");
    EXPECT_EQ(tally.place(2).name, "Bob");
    EXPECT_EQ(tally.grid().cell(1, 3), "-1000") << "an empty score cell is repaired";
    EXPECT_TRUE(tally.checkscore(-1000, "new"));
    EXPECT_EQ(tally.place(2).name, "new") << "an unreadable place ranks as empty";
}

TEST(Reset, ClearsCountersAndPlacesButNotCellZero) {
    Tally tally = datedTally();
    tally.grid().setCell(0, 0, "keep");
    tally.grid().setCell(7, 0, "x");
    tally.addtomineincrease(1);
    fillWithScores(tally, {500, 400});
    tally.reset();
    EXPECT_EQ(tally.statistic(1), "0");
    EXPECT_EQ(tally.statistic(3), "0%");
    EXPECT_EQ(tally.grid().cell(0, 0), "keep");
    for (int c = 1; c <= 8; ++c) {
        EXPECT_EQ(tally.grid().cell(c, 0), "0") << c;
    }
    for (int r = 1; r <= 11; ++r) {
        EXPECT_EQ(tally.grid().cell(1, r), "-1000") << r;
        EXPECT_EQ(tally.grid().cell(0, r), "") << r;
        EXPECT_EQ(tally.grid().cell(2, r), "") << r;
    }
    EXPECT_EQ(tally.place(2).style, PlaceStyle::Plain);
    EXPECT_EQ(tally.place(1).score, "");
    EXPECT_TRUE(tally.checkscore(-1000, "after"));
    EXPECT_EQ(tally.place(1).name, "after");
}
