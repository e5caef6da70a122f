// The random source, the shuffle and the deal.
#include "card.h"
#include "game.h"
#include "random.h"
#include "recorder.h"

#include <gtest/gtest.h>

#include <set>

TEST(Random, SeedZeroDrawsZeroThenOneAndStepsTheSeed) {
    Random random(0);
    EXPECT_EQ(random.draw(52), 0u);
    EXPECT_EQ(random.seed(), 1u);
    EXPECT_EQ(random.draw(52), 1u);
    EXPECT_EQ(random.seed(), 134775814u);
}

TEST(Random, StaysWithinBoundAndWrapsModulo2To32) {
    Random random(0xFFFFFFFFu);
    for (std::uint32_t bound : {1u, 2u, 3u, 52u, 0xFFFFFFFFu}) {
        for (int i = 0; i < 1000; ++i) {
            EXPECT_LT(random.draw(bound), bound);
        }
    }
    Random wrap(0xFFFFFFFFu);
    wrap.draw(1);
    EXPECT_EQ(wrap.seed(), 0xFFFFFFFFu * 134775813u + 1u);
}

TEST(Random, SeedsFromTimeOfDay) {
    EXPECT_EQ(Random::seedFromTime(0, 0, 0, 0), 0u);
    EXPECT_EQ(Random::seedFromTime(23, 59, 59, 999), 86399999u);
    EXPECT_EQ(Random::seedFromTime(1, 2, 3, 4), 3723004u);
}

TEST(Cards, RankKeysMakeKingZero) {
    for (int suit = 0; suit < 4; ++suit) {
        EXPECT_EQ(card::key(cardOf(13, suit)), 0);
        EXPECT_EQ(card::key(cardOf(1, suit)), 1);
        EXPECT_EQ(card::key(cardOf(12, suit)), 12);
        EXPECT_EQ(card::suit(cardOf(7, suit)), suit);
        EXPECT_EQ(card::rank(cardOf(7, suit)), 7);
    }
}

TEST(Cards, AdjacencyWrapsAroundKingAndAce) {
    struct Case {
        int a, b;
        bool adjacent;
    } cases[] = {
        {cardOf(1, 0), cardOf(13, 1), true},   {cardOf(13, 2), cardOf(1, 3), true},
        {cardOf(12, 0), cardOf(13, 0), true},  {cardOf(13, 0), cardOf(12, 3), true},
        {cardOf(1, 0), cardOf(2, 0), true},    {cardOf(10, 1), cardOf(11, 2), true},
        {cardOf(13, 0), cardOf(13, 1), false}, {cardOf(1, 0), cardOf(1, 2), false},
        {cardOf(12, 0), cardOf(1, 1), false},  {cardOf(2, 0), cardOf(13, 0), false},
        {cardOf(5, 0), cardOf(7, 0), false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(card::adjacent(c.a, c.b), c.adjacent) << c.a << " on " << c.b;
        EXPECT_EQ(card::adjacent(c.b, c.a), c.adjacent) << c.b << " on " << c.a;
    }
}

TEST(Shuffle, IsAPermutationForManySeeds) {
    Game game;
    for (std::uint32_t seed : {0u, 1u, 42u, 86399999u, 0xFFFFFFFFu}) {
        game.random().setSeed(seed);
        for (int round = 0; round < 50; ++round) {
            game.button_startClick();
            std::set<int> seen(game.deck().begin() + 1, game.deck().end());
            ASSERT_EQ(seen.size(), 52u);
            EXPECT_EQ(*seen.begin(), 1);
            EXPECT_EQ(*seen.rbegin(), 52);
        }
    }
}

TEST(Shuffle, FirstCardGoesToPositionOneFromSeedZero) {
    // The first draw from seed 0 is 0, so card 1 lands at position 1; the second draw is 1.
    Game game;
    game.random().setSeed(0);
    game.button_startClick();
    EXPECT_EQ(game.deck()[1], 1);
    EXPECT_EQ(game.deck()[2], 2);
}

TEST(Deal, LaysOutBoardDiscardAndStock) {
    Recorder cues;
    Game game(&cues);
    game.random().setSeed(12345);
    game.button_startClick();
    for (int n = 1; n <= Game::kSlots; ++n) {
        const Game::Slot& s = game.slot(n);
        EXPECT_TRUE(s.visible) << n;
        EXPECT_EQ(s.card, game.deck()[n]);
        EXPECT_EQ(s.picture, n >= 19 ? Game::Picture::Face : Game::Picture::Back) << n;
        EXPECT_EQ(game.covered(n), n <= 18) << n;
    }
    EXPECT_EQ(game.discard(), game.deck()[29]);
    EXPECT_TRUE(game.stockShowsBack());
    EXPECT_EQ(game.cardsLeftText(), "Cards Left: 23");
    EXPECT_EQ(game.scoreText(), "Score: 0");
    EXPECT_EQ(game.bonusText(), "");
    EXPECT_EQ(game.dealpos(), 29);
    EXPECT_TRUE(game.playing());
    EXPECT_EQ(game.greeting(), "Good Luck Guest");
    EXPECT_EQ(cues.take(),
              (std::vector<std::string>{"hidepanels", "increase:1", "sound=startgame"}));
}

TEST(Deal, BeforeTheFirstGameNothingIsInPlay) {
    Game game;
    EXPECT_FALSE(game.playing());
    EXPECT_EQ(game.scoreText(), "Score: 0");
    EXPECT_EQ(game.cardsLeftText(), "Cards Left: 0");
    EXPECT_FALSE(game.stockShowsBack());
    EXPECT_FALSE(game.undoButtonVisible());
    EXPECT_TRUE(game.undoMenuEnabled());
    EXPECT_EQ(game.greeting(), "Welcome to Solmarin by Velbor Software!");
    for (int n = 1; n <= Game::kSlots; ++n) {
        EXPECT_FALSE(game.slot(n).visible);
    }
    const Game::Cover expected[] = {{4, 5},   {6, 7},   {8, 9},   {10, 11}, {11, 12}, {13, 14},
                                    {14, 15}, {16, 17}, {17, 18}, {19, 20}, {20, 21}, {21, 22},
                                    {22, 23}, {23, 24}, {24, 25}, {25, 26}, {26, 27}, {27, 28}};
    for (int n = 1; n <= 18; ++n) {
        EXPECT_EQ(game.covers(n).a, expected[n - 1].a);
        EXPECT_EQ(game.covers(n).b, expected[n - 1].b);
    }
    for (int n = 19; n <= 28; ++n) {
        EXPECT_EQ(game.covers(n).a, 0);
        EXPECT_EQ(game.covers(n).b, 0);
    }
}

TEST(Deal, NewDealReplacesAGameInProgressAndItsHistory) {
    Recorder cues;
    Game game(&cues);
    game.startWithDeck(winnableDeck());
    game.card_19Click(19);
    game.image_stockClick();
    ASSERT_EQ(game.historySize(), 3u);
    game.button_startClick();
    EXPECT_EQ(game.historySize(), 0u);
    EXPECT_FALSE(game.undoButtonVisible());
    EXPECT_FALSE(game.undoMenuEnabled());
    EXPECT_EQ(game.score(), 0);
    EXPECT_EQ(game.chain(), 0);
    EXPECT_EQ(game.flipcount(), 0);
    game.button_undoClick();
    EXPECT_EQ(game.score(), 0) << "undo must not reach into the abandoned game";
}

TEST(Deal, GreetsTheCurrentNameAtEachDeal) {
    Recorder cues;
    Game game(&cues);
    cues.name = "";
    game.button_startClick();
    EXPECT_EQ(game.greeting(), "Good Luck ");
    cues.name = "Marianne";
    game.button_startClick();
    EXPECT_EQ(game.greeting(), "Good Luck Marianne");
}

TEST(DealNumber, IsTheSeedBeforeTheShuffleAndDealsTheSameBoardAgain) {
    Game game;
    EXPECT_FALSE(game.dealNumber().has_value()) << "no deal yet";
    for (std::uint32_t seed : {0u, 1u, 86399999u, 0xFFFFFFFFu}) {
        game.random().setSeed(seed);
        game.button_startClick();
        ASSERT_EQ(game.dealNumber(), seed);
        const Game::Deck dealt = game.deck();

        Game again;
        const std::uint32_t ordinary = seed ^ 0x5A5A5A5Au;
        again.random().setSeed(ordinary);
        again.startDeal(seed);
        EXPECT_EQ(again.deck(), dealt);
        EXPECT_EQ(again.dealNumber(), seed);
        EXPECT_EQ(again.random().seed(), ordinary) << "a chosen deal leaves the source alone";
        EXPECT_EQ(again.dealpos(), 29);
        EXPECT_TRUE(again.playing());
    }
    game.startWithDeck(winnableDeck());
    EXPECT_FALSE(game.dealNumber().has_value()) << "a stacked deal has no number";
}

// Choosing deal 7 (or restarting one) must not fix the deals after it: the next ordinary deal
// is the one the source was about to make, different for every start of the program.
TEST(DealNumber, ChoosingADealKeepsTheOrdinarySequence) {
    for (std::uint32_t start : {0u, 1234567u, 86399999u}) {
        Game plain;
        plain.random().setSeed(start);
        plain.button_startClick();
        plain.button_startClick();
        const std::vector<std::uint32_t> expected = {*plain.dealNumber(), plain.random().seed()};

        Game chosen;
        chosen.random().setSeed(start);
        chosen.button_startClick();
        chosen.startDeal(7);
        chosen.startDeal(*chosen.dealNumber());
        EXPECT_EQ(chosen.dealNumber(), 7u);
        chosen.button_startClick();
        EXPECT_EQ(std::vector<std::uint32_t>({*chosen.dealNumber(), chosen.random().seed()}),
                  expected)
            << "from " << start;
    }
}

TEST(DealNumber, RestartingADealIsANewGame) {
    Recorder cues;
    Game game(&cues);
    game.startDeal(4242);
    game.image_stockClick();
    game.card_19Click(19);
    cues.take();
    game.startDeal(*game.dealNumber());
    EXPECT_EQ(game.historySize(), 0u);
    EXPECT_EQ(game.score(), 0);
    EXPECT_EQ(game.dealpos(), 29);
    EXPECT_EQ(cues.take(),
              (std::vector<std::string>{"hidepanels", "increase:1", "sound=startgame"}));
}
