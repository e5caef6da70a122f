// The moves a game records from its deal on, the text of a move line, and its replay on the
// engine: a recorded game played again gives the same score and end, anything else is refused.
#include "game.h"
#include "moveline.h"
#include "solver.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A winning line for a deal, from the solver, as moves.
std::vector<int> winningLine(std::uint32_t deal) {
    Random random(deal);
    Solver solver;
    const Solver::Result result = solver.solve(Solver::Position::dealt(Game::shuffle(random)));
    EXPECT_EQ(result.verdict, Solver::Verdict::Winnable) << deal;
    std::vector<int> moves;
    for (int move : result.line)
        moves.push_back(move == Solver::kStock ? moveline::kStock : move);
    return moves;
}

void play(Game& game, int move) {
    if (move == moveline::kStock)
        game.image_stockClick();
    else if (move == moveline::kUndo)
        game.button_undoClick();
    else
        game.card_19Click(move);
}

std::vector<int> parsed(const std::string& line) {
    std::vector<int> moves;
    std::string why;
    EXPECT_TRUE(moveline::parse(line, moves, why)) << line << ": " << why;
    return moves;
}

TEST(MoveRecord, OnlyMovesThatChangeThePositionAreRecorded) {
    struct Case {
        const char* what;
        std::vector<int> clicks; // kUndo, kStock or a slot; on deal 7 from the deal on
        std::string line;
    } cases[] = {
        {"nothing yet", {}, ""},
        {"undo with nothing to take back", {moveline::kUndo}, ""},
        {"covered card", {1, 10}, ""},
        {"card that does not fit, then the stock", {19, moveline::kStock}, "s"},
        {"stock, its two undos", {moveline::kStock, moveline::kUndo, moveline::kUndo}, "s.u.u"},
        {"a third undo finds nothing",
         {moveline::kStock, moveline::kUndo, moveline::kUndo, moveline::kUndo},
         "s.u.u"},
    };
    for (const Case& c : cases) {
        Game game;
        game.startDeal(7);
        for (int click : c.clicks)
            play(game, click);
        EXPECT_EQ(game.moveLine(), c.line) << c.what;
        EXPECT_EQ(game.moveCount(), parsed(c.line).size()) << c.what;
    }
}

TEST(MoveRecord, AWonGameRecordsItsLineAndANewDealStartsAfresh) {
    for (std::uint32_t deal : {7u, 12345u, 4000000000u}) {
        const std::vector<int> line = winningLine(deal);
        Game game;
        game.startDeal(deal);
        for (int move : line)
            play(game, move);
        ASSERT_FALSE(game.playing()) << deal;
        EXPECT_EQ(game.moveLine(), moveline::format(line)) << deal;
        const moveline::Outcome outcome = moveline::replay(deal, parsed(game.moveLine()));
        EXPECT_TRUE(outcome.legal && outcome.cleared) << deal << ": " << outcome.why;
        EXPECT_EQ(outcome.score, game.score()) << deal;
        EXPECT_EQ(outcome.why, "");
        game.button_startClick();
        EXPECT_EQ(game.moveLine(), "");
        EXPECT_EQ(game.moveCount(), 0u);
    }
}

// Random clicks of every kind, the illegal ones among them, with undos: the recorded line
// replays to the very score and end the game reached.
TEST(MoveRecord, RandomGamesReplayToTheirOwnScoreAndEnd) {
    Random chooser(99);
    for (std::uint32_t deal = 0; deal < 300; ++deal) {
        Game game;
        game.startDeal(deal * 7919u);
        for (int step = 0; step < 400 && game.playing(); ++step) {
            const std::uint32_t pick = chooser.draw(40);
            play(game, pick < 28 ? int(pick) + 1 : pick < 34 ? moveline::kStock : moveline::kUndo);
        }
        const moveline::Outcome outcome = moveline::replay(deal * 7919u, parsed(game.moveLine()));
        ASSERT_TRUE(outcome.legal) << deal << ": " << outcome.why;
        ASSERT_EQ(outcome.score, game.score()) << deal;
        bool empty = true;
        for (int n = 1; n <= Game::kSlots; ++n)
            empty = empty && game.slot(n).card == 0;
        ASSERT_EQ(outcome.cleared, empty) << deal;
    }
}

TEST(MoveLine, ReadsSlotsStockAndUndoAndNothingElse) {
    std::string longest;
    for (std::size_t i = 0; i < moveline::kMaxMoves; ++i)
        longest += i ? ".28" : "28";
    struct Case {
        std::string line;
        bool ok;
        std::vector<int> moves;
    } cases[] = {
        {"", true, {}},
        {"1", true, {1}},
        {"28.s.u.10", true, {28, moveline::kStock, moveline::kUndo, 10}},
        {"0", false, {}},
        {"29", false, {}},
        {"01", false, {}},
        {"100", false, {}},
        {"S", false, {}},
        {"1..2", false, {}},
        {".1", false, {}},
        {"1.", false, {}},
        {" 1", false, {}},
        {"1,2", false, {}},
        {"-1", false, {}},
        {"s.s" + std::string(1, '\0'), false, {}},
    };
    for (const Case& c : cases) {
        std::vector<int> moves;
        std::string why;
        EXPECT_EQ(moveline::parse(c.line, moves, why), c.ok) << c.line;
        if (c.ok) {
            EXPECT_EQ(moves, c.moves) << c.line;
        } else {
            EXPECT_FALSE(why.empty()) << c.line;
        }
    }
    // The bounds: the most moves and the longest line taken, one more of either refused.
    std::vector<int> moves;
    std::string why;
    std::string stocks;
    for (std::size_t i = 0; i < moveline::kMaxMoves; ++i)
        stocks += i ? ".s" : "s";
    EXPECT_TRUE(moveline::parse(stocks, moves, why));
    EXPECT_EQ(moves.size(), moveline::kMaxMoves);
    EXPECT_FALSE(moveline::parse(stocks + ".s", moves, why));
    EXPECT_EQ(longest.size(), moveline::kMaxLength);
    EXPECT_TRUE(moveline::parse(longest, moves, why));
    EXPECT_FALSE(moveline::parse(longest + "1", moves, why));
    EXPECT_EQ(moveline::format(parsed("28.s.u.10")), "28.s.u.10");
}

TEST(MoveReplay, RefusesEveryLineThatIsNotTheWonGame) {
    const std::uint32_t deal = 7;
    const std::vector<int> won = winningLine(deal);
    const moveline::Outcome full = moveline::replay(deal, won);
    ASSERT_TRUE(full.legal && full.cleared);

    std::vector<int> cut = won;
    cut.pop_back();
    std::vector<int> beyond = won;
    beyond.push_back(moveline::kStock);
    std::vector<int> covered = won;
    covered.insert(covered.begin(), 1);
    std::vector<int> earlyUndo = {moveline::kUndo};
    earlyUndo.insert(earlyUndo.end(), won.begin(), won.end());
    struct Case {
        const char* what;
        std::uint32_t deal;
        std::vector<int> moves;
        bool legal;
        std::size_t illegalMove;
        bool cleared;
    } cases[] = {
        {"cut one move short", deal, cut, true, 0, false},
        {"a move after the end", deal, beyond, false, won.size() + 1, true},
        {"a covered card first", deal, covered, false, 1, false},
        {"an undo before any move", deal, earlyUndo, false, 1, false},
        {"another deal", deal + 1, won, false, 0, false},
        {"no moves", deal, {}, true, 0, false},
    };
    for (const Case& c : cases) {
        const moveline::Outcome outcome = moveline::replay(c.deal, c.moves);
        EXPECT_EQ(outcome.cleared, c.cleared) << c.what;
        EXPECT_EQ(outcome.legal, c.legal) << c.what;
        if (c.illegalMove) {
            EXPECT_EQ(outcome.illegalMove, c.illegalMove) << c.what;
        }
        EXPECT_FALSE(outcome.why.empty()) << c.what;
    }
}

} // namespace
