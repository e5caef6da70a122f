// The solver against an exhaustive search of its own, on fresh deals and part-played games; every
// winning line it gives is played through the engine.
#include "decks.h"
#include "game.h"
#include "solver.h"

#include <gtest/gtest.h>

#include <atomic>
#include <unordered_set>

namespace {

// The rules again, written plainly: a board of 28 cards, what lies on each slot, the deck, the
// stock position and the discard card.
struct Table {
    std::array<int, 29> slots{};
    Game::Deck deck{};
    int dealpos = 0;
    int discard = 0;
};

constexpr int kLyingOn[19][2] = {{0, 0},   {4, 5},   {6, 7},   {8, 9},   {10, 11},
                                 {11, 12}, {13, 14}, {14, 15}, {16, 17}, {17, 18},
                                 {19, 20}, {20, 21}, {21, 22}, {22, 23}, {23, 24},
                                 {24, 25}, {25, 26}, {26, 27}, {27, 28}};

bool oneApart(int a, int b) {
    const int d = (a % 13 - b % 13 + 13) % 13;
    return d == 1 || d == 12;
}

Table tableOf(const Game& game) {
    Table t;
    for (int n = 1; n <= 28; ++n) {
        t.slots[n] = game.slot(n).card;
    }
    t.deck = game.deck();
    t.dealpos = game.dealpos();
    t.discard = game.discard();
    return t;
}

// Every move from every position, remembering the positions that lost; nothing pruned.
class ExhaustiveSearch {
public:
    bool winnable(const Table& table) {
        m_lost.clear();
        return search(table);
    }

private:
    static bool free(const Table& t, int n) {
        return n > 18 || (t.slots[kLyingOn[n][0]] == 0 && t.slots[kLyingOn[n][1]] == 0);
    }

    bool search(const Table& t) {
        std::uint64_t board = 0;
        for (int n = 1; n <= 28; ++n) {
            board |= std::uint64_t{t.slots[n] != 0} << n;
        }
        if (board == 0) {
            return true;
        }
        // Moves only remove cards or turn the stock, so a position seen before has lost.
        const std::uint64_t position =
            board | std::uint64_t(t.dealpos) << 30 | std::uint64_t(t.discard) << 40;
        if (!m_lost.insert(position).second) {
            return false;
        }
        for (int n = 1; n <= 28; ++n) {
            if (t.slots[n] != 0 && free(t, n) && oneApart(t.slots[n], t.discard)) {
                Table next = t;
                next.discard = t.slots[n];
                next.slots[n] = 0;
                if (search(next)) {
                    return true;
                }
            }
        }
        if (t.dealpos < 52) {
            Table next = t;
            next.discard = t.deck[++next.dealpos];
            return search(next);
        }
        return false;
    }

    std::unordered_set<std::uint64_t> m_lost;
};

// Plays `line` on a copy of `game`; true when every move is taken and the board ends up cleared.
bool clearsTheBoard(Game game, const std::vector<int>& line) {
    game.setListener(nullptr);
    for (int move : line) {
        const std::size_t before = game.historySize();
        if (move == Solver::kStock) {
            game.image_stockClick();
        } else {
            game.card_19Click(move);
        }
        if (game.historySize() == before) {
            return false; // refused: not a legal move, or the game was over
        }
    }
    for (int n = 1; n <= Game::kSlots; ++n) {
        if (game.slot(n).card != 0) {
            return false;
        }
    }
    return !game.playing();
}

// Plays random legal moves: board cards now and then (`boardShare` in 8), otherwise the stock,
// until `moves` are made or the stock has reached `lastDealpos`.
void playRandomly(Game& game, Random& choice, int moves, std::uint32_t boardShare,
                  int lastDealpos = 52) {
    for (int m = 0; m < moves && game.playing() && game.dealpos() < lastDealpos; ++m) {
        std::vector<int> legal;
        for (int n = 1; n <= Game::kSlots; ++n) {
            const int c = game.slot(n).card;
            if (c != 0 && !game.covered(n) && oneApart(c, game.discard())) {
                legal.push_back(n);
            }
        }
        if (!legal.empty() && (choice.draw(8) < boardShare || game.dealpos() >= 52)) {
            game.card_19Click(legal[choice.draw(static_cast<std::uint32_t>(legal.size()))]);
        } else {
            game.image_stockClick();
        }
    }
}

// Checks the solver's verdict on the game's position against the exhaustive search, and its line
// against the engine. Returns the verdict.
Solver::Verdict expectAgreement(Solver& solver, ExhaustiveSearch& exhaustive, const Game& game,
                                const std::string& what) {
    const Solver::Result result = solver.solve(game);
    const bool winnable = exhaustive.winnable(tableOf(game));
    EXPECT_EQ(result.verdict, winnable ? Solver::Verdict::Winnable : Solver::Verdict::Unwinnable)
        << what;
    if (result.verdict == Solver::Verdict::Winnable) {
        EXPECT_TRUE(clearsTheBoard(game, result.line)) << what;
    }
    return result.verdict;
}

} // namespace

TEST(Solver, AgreesWithExhaustiveSearchOnFreshDeals) {
    Solver solver;
    ExhaustiveSearch exhaustive;
    Game game;
    // Lost deals are about one in thirty, and the slowest to search exhaustively: a few suffice.
    int lost = 0;
    std::uint32_t number = 0;
    for (; number < 40 || (lost < 2 && number < 400); ++number) {
        game.startDeal(number * 2654435761u);
        lost += expectAgreement(solver, exhaustive, game, "deal " + std::to_string(number)) ==
                Solver::Verdict::Unwinnable;
    }
    EXPECT_GE(lost, 2) << "the sample should hold deals of both kinds";
}

TEST(Solver, AgreesWithExhaustiveSearchOnPartPlayedGames) {
    Solver solver;
    ExhaustiveSearch exhaustive;
    Game game;
    Random choice(99);
    int lost = 0;
    int spent = 0;
    for (int round = 0; round < 1000; ++round) {
        game.startDeal(round * 40503u + 17u);
        if (round % 3 == 0) {
            // Up to the last stock card, then on a little: many of these are lost there.
            playRandomly(game, choice, 200, 4, 51);
            playRandomly(game, choice, static_cast<int>(choice.draw(3)), 8, 53);
        } else {
            playRandomly(game, choice, 8 + static_cast<int>(choice.draw(40)), 6);
        }
        if (!game.playing()) {
            continue;
        }
        spent += game.dealpos() >= 52;
        lost += expectAgreement(solver, exhaustive, game, "round " + std::to_string(round)) ==
                Solver::Verdict::Unwinnable;
    }
    EXPECT_GT(lost, 20);
    EXPECT_GT(spent, 20) << "positions with the stock spent should be among them";
}

TEST(Solver, StackedDealsAndAPositionAfterUndo) {
    Solver solver;
    ExhaustiveSearch exhaustive;
    Game game;
    struct Case {
        const char* name;
        Game::Deck deck;
        Solver::Verdict verdict;
    } cases[] = {
        {"clears from the starter", winnableDeck(), Solver::Verdict::Winnable},
        {"clears from the last stock card", winnableDeck(52), Solver::Verdict::Winnable},
        {"lost on the last stock card", losingDeck(), Solver::Verdict::Unwinnable},
    };
    for (const Case& c : cases) {
        game.startWithDeck(c.deck);
        EXPECT_EQ(expectAgreement(solver, exhaustive, game, c.name), c.verdict) << c.name;
    }
    // Undo brings back a position whose face pictures lag behind; the solver reads the cards.
    game.startWithDeck(winnableDeck());
    game.card_19Click(19);
    game.image_stockClick();
    game.button_undoClick();
    game.button_undoClick();
    expectAgreement(solver, exhaustive, game, "after undo");
}

TEST(Solver, NodeLimitGivesUnknownRatherThanAWrongVerdict) {
    Solver tight(50);
    ExhaustiveSearch exhaustive;
    Game game;
    int unknown = 0;
    for (std::uint32_t number = 0; number < 40; ++number) {
        game.startDeal(number * 7919u);
        const Solver::Result result = tight.solve(game);
        EXPECT_LE(result.nodes, 51u);
        if (result.verdict == Solver::Verdict::Unknown) {
            ++unknown;
            continue;
        }
        const bool winnable = exhaustive.winnable(tableOf(game));
        EXPECT_EQ(result.verdict == Solver::Verdict::Winnable, winnable) << number;
    }
    EXPECT_GT(unknown, 0);
}

TEST(WinnableDeals, FindsTheFirstWinnableDealOfTheSequence) {
    Solver solver;
    ExhaustiveSearch exhaustive;
    Game game;
    for (std::uint32_t seed : {0u, 5u, 123456789u, 0xFFFFFFF0u}) {
        const std::optional<std::uint32_t> found = firstWinnableDeal(seed, solver);
        ASSERT_TRUE(found.has_value());
        // Walk the same sequence of shuffles: every deal before the one found is lost.
        game.random().setSeed(seed);
        for (int drawn = 0; game.random().seed() != *found; ++drawn) {
            ASSERT_LT(drawn, 1000) << "the number found is not on the sequence from " << seed;
            game.button_startClick();
            EXPECT_FALSE(exhaustive.winnable(tableOf(game))) << *game.dealNumber();
        }
        game.button_startClick();
        EXPECT_EQ(game.dealNumber(), found);
        EXPECT_TRUE(exhaustive.winnable(tableOf(game))) << *found;
    }
    const std::atomic<bool> stop{true};
    EXPECT_FALSE(firstWinnableDeal(0, solver, &stop).has_value());
}
