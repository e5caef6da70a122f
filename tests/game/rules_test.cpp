// Moves on the board and the stock: legality, chains, costs, turning cards up, losing.
#include "game.h"
#include "recorder.h"

#include <gtest/gtest.h>

namespace {

constexpr int kClubs = 0, kDiamonds = 1, kHearts = 2, kSpades = 3;

// Turns the stock until `dealpos` reaches `target`.
void turnStockTo(Game& game, int target) {
    while (game.dealpos() < target) {
        game.image_stockClick();
    }
}

} // namespace

TEST(BoardClick, RankMustNeighbourTheDiscardAroundTheCycle) {
    struct Case {
        const char* name;
        int discard;
        int onBoard;
        bool legal;
    } cases[] = {
        {"Ace on King", cardOf(13, kClubs), cardOf(1, kHearts), true},
        {"Queen on King", cardOf(13, kClubs), cardOf(12, kSpades), true},
        {"King on King", cardOf(13, kClubs), cardOf(13, kHearts), false},
        {"King on Ace", cardOf(1, kClubs), cardOf(13, kDiamonds), true},
        {"2 on Ace", cardOf(1, kClubs), cardOf(2, kDiamonds), true},
        {"Queen on Ace", cardOf(1, kClubs), cardOf(12, kDiamonds), false},
        {"7 on 9", cardOf(9, kClubs), cardOf(7, kDiamonds), false},
    };
    for (const Case& c : cases) {
        Recorder cues;
        Game game(&cues);
        game.startWithDeck(stackedDeck({{29, c.discard}, {23, c.onBoard}}));
        cues.take();
        game.card_19Click(23);
        EXPECT_EQ(game.slot(23).card == 0, c.legal) << c.name;
        EXPECT_EQ(cues.heard("sound=invalid"), !c.legal) << c.name;
        EXPECT_EQ(game.discard(), c.legal ? c.onBoard : c.discard) << c.name;
    }
}

TEST(BoardClick, RefusedClicksChangeNothing) {
    Recorder cues;
    Game game(&cues);
    // Slot 10 lies under 19 and 20; the discard fits neither it nor slot 24.
    game.startWithDeck(stackedDeck({{29, cardOf(5, kClubs)},
                                    {19, cardOf(6, kClubs)},
                                    {10, cardOf(4, kClubs)},
                                    {24, cardOf(9, kClubs)}}));
    game.card_19Click(19); // discard 6; slot 10's 4 is still covered by slot 20
    const std::string before = game.snapshot();
    const std::size_t history = game.historySize();
    cues.take();
    for (int slot : {10, 1, 24, 19}) { // covered, covered peak, wrong rank, already played
        game.card_19Click(slot);
    }
    EXPECT_EQ(game.snapshot(), before);
    EXPECT_EQ(game.historySize(), history);
    EXPECT_EQ(cues.take(),
              (std::vector<std::string>{"sound=invalid", "sound=invalid", "sound=invalid"}))
        << "an empty slot is ignored silently";
}

TEST(BoardClick, CoveredCardIsRefusedEvenWhenItsRankFits) {
    Recorder cues;
    Game game(&cues);
    // Slot 12 (under 21 and 22) fits the discard; 21 is played, 22 is still there.
    game.startWithDeck(stackedDeck({{29, cardOf(5, kClubs)},
                                    {21, cardOf(6, kClubs)},
                                    {12, cardOf(7, kClubs)},
                                    {22, cardOf(10, kClubs)}}));
    game.card_19Click(21);
    EXPECT_EQ(game.slot(12).picture, Game::Picture::Back) << "one coverer left turns nothing up";
    cues.take();
    game.card_19Click(12);
    EXPECT_EQ(cues.take(), (std::vector<std::string>{"sound=invalid"}));
    EXPECT_EQ(game.slot(12).card, cardOf(7, kClubs));
}

TEST(BoardClick, SecondCovererGoneTurnsTheSlotUpAtOnce) {
    Game game;
    game.startWithDeck(stackedDeck({{29, cardOf(5, kClubs)},
                                    {22, cardOf(6, kClubs)},
                                    {21, cardOf(7, kClubs)},
                                    {13, cardOf(8, kClubs)}}));
    game.card_19Click(22);
    EXPECT_EQ(game.slot(12).picture, Game::Picture::Back);
    EXPECT_EQ(game.slot(13).picture, Game::Picture::Back);
    game.card_19Click(21);
    EXPECT_EQ(game.slot(12).picture, Game::Picture::Face);
    EXPECT_EQ(game.slot(13).picture, Game::Picture::Back) << "23 still lies on slot 13";
    EXPECT_FALSE(game.covered(12));
}

TEST(Scoring, ChainsScoreUpAndStockRunsCostUp) {
    Recorder cues;
    Game game(&cues);
    // Board 19, 20, 21 go 6, 7, 8 on the first stock card (a 5); then three stock cards, then 23.
    game.startWithDeck(stackedDeck({{29, cardOf(13, kClubs)},
                                    {30, cardOf(5, kClubs)},
                                    {19, cardOf(6, kClubs)},
                                    {20, cardOf(7, kClubs)},
                                    {21, cardOf(8, kClubs)},
                                    {31, cardOf(9, kDiamonds)},
                                    {32, cardOf(9, kHearts)},
                                    {33, cardOf(9, kSpades)},
                                    {23, cardOf(10, kClubs)}}));
    game.card_19Click(19); // a board card right after the deal
    EXPECT_EQ(game.score(), 0) << "the starter does not fit";
    game.image_stockClick();
    EXPECT_EQ(game.dealpos(), 30);
    EXPECT_EQ(game.cardsLeftText(), "Cards Left: 22");
    EXPECT_EQ(game.bonusText(), "-1");
    EXPECT_EQ(game.scoreText(), "Score: -1");

    const struct {
        int slot;
        const char* bonus;
        int score;
    } plays[] = {{19, "+1", 0}, {20, "+2", 2}, {21, "+3", 5}};
    for (const auto& p : plays) {
        game.card_19Click(p.slot);
        EXPECT_EQ(game.bonusText(), p.bonus);
        EXPECT_EQ(game.score(), p.score);
    }
    cues.take();
    const struct {
        const char* bonus;
        int score;
    } turns[] = {{"-1", 4}, {"-2", 2}, {"-3", -1}};
    for (const auto& t : turns) {
        game.image_stockClick();
        EXPECT_EQ(game.bonusText(), t.bonus);
        EXPECT_EQ(game.score(), t.score);
        EXPECT_EQ(game.chain(), 0);
    }
    EXPECT_EQ(game.flipcount(), 3);
    game.card_19Click(23);
    EXPECT_EQ(game.bonusText(), "+1");
    EXPECT_EQ(game.score(), 0);
    EXPECT_EQ(game.flipcount(), 0);
}

TEST(Scoring, PeakCardEarnsTwentyMore) {
    Recorder cues;
    Game game(&cues);
    game.startWithDeck(winnableDeck());
    // Clearing 19..28, 10..18, 4..9 leaves the three peaks; the first of them is the 26th card.
    const std::vector<int> order = clearingOrder();
    for (std::size_t i = 0; i + 3 < order.size(); ++i) {
        game.card_19Click(order[i]);
    }
    ASSERT_EQ(game.chain(), 25);
    const int before = game.score();
    game.card_19Click(1);
    EXPECT_EQ(game.bonusText(), "+46");
    EXPECT_EQ(game.score(), before + 46);
    EXPECT_TRUE(cues.heard("higher:4:26"));
}

TEST(Scoring, ThirdCardOfAChainOnAPeakScoresTwentyThree) {
    // Peak 2 (slot 2) lies under 6 and 7, which lie under 13, 14, 15, which lie under 22..25:
    // clear those with two stock runs in between so the peak is the third card of its chain.
    Game game;
    std::map<int, int> placed = {
        {29, cardOf(1, kClubs)},   {22, cardOf(2, kClubs)},   {23, cardOf(3, kClubs)},
        {24, cardOf(4, kClubs)},   {25, cardOf(5, kClubs)},   {13, cardOf(6, kClubs)},
        {14, cardOf(7, kClubs)},   {15, cardOf(8, kClubs)},   {30, cardOf(5, kDiamonds)},
        {6, cardOf(6, kDiamonds)}, {7, cardOf(7, kDiamonds)}, {2, cardOf(8, kDiamonds)}};
    game.startWithDeck(stackedDeck(placed));
    for (int slot : {22, 23, 24, 25, 13, 14, 15}) {
        game.card_19Click(slot);
    }
    ASSERT_EQ(game.chain(), 7);
    game.image_stockClick();
    for (int slot : {6, 7}) {
        game.card_19Click(slot);
    }
    EXPECT_EQ(game.bonusText(), "+2");
    game.card_19Click(2);
    EXPECT_EQ(game.bonusText(), "+23");
}

TEST(Stock, LastCardWithNothingPlayableLosesWithoutReplace) {
    Recorder cues;
    Game game(&cues);
    // The bottom row holds only 5s, 9s and Jacks; the last stock card is a 2.
    game.startWithDeck(stackedDeck({{19, cardOf(5, 0)},
                                    {20, cardOf(5, 1)},
                                    {21, cardOf(5, 2)},
                                    {22, cardOf(5, 3)},
                                    {23, cardOf(9, 0)},
                                    {24, cardOf(9, 1)},
                                    {25, cardOf(9, 2)},
                                    {26, cardOf(9, 3)},
                                    {27, cardOf(11, 0)},
                                    {28, cardOf(11, 1)},
                                    {52, cardOf(2, 0)},
                                    {29, cardOf(2, 1)},
                                    {51, cardOf(2, 2)}}));
    turnStockTo(game, 51);
    ASSERT_TRUE(game.playing());
    EXPECT_TRUE(game.stockShowsBack());
    EXPECT_EQ(game.cardsLeftText(), "Cards Left: 1");
    const std::size_t history = game.historySize();
    cues.take();
    game.image_stockClick();
    EXPECT_EQ(game.dealpos(), 52);
    EXPECT_EQ(game.cardsLeftText(), "Cards Left: 0");
    EXPECT_FALSE(game.stockShowsBack());
    EXPECT_FALSE(game.playing());
    EXPECT_EQ(game.historySize(), history + 1) << "no second snapshot when the click loses";
    EXPECT_EQ(cues.take(), (std::vector<std::string>{"lost", "over"}));
    for (int n = 1; n <= 28; ++n) {
        EXPECT_EQ(game.slot(n).picture, Game::Picture::Face) << n;
    }
    EXPECT_FALSE(game.undoButtonVisible());
    EXPECT_FALSE(game.undoMenuEnabled());
}

TEST(Stock, ClicksOnTheEmptiedStockCostOnceMoreThenNothing) {
    Recorder cues;
    Game game(&cues);
    // The last stock card is an Ace and slot 19 holds a 2, so the game goes on.
    game.startWithDeck(winnableDeck(52));
    turnStockTo(game, 52);
    ASSERT_TRUE(game.playing());
    const int flips = game.flipcount();
    ASSERT_EQ(flips, 23);
    const int discard = game.discard();
    int score = game.score();

    game.image_stockClick(); // dealpos 52 before the click: it still costs
    EXPECT_EQ(game.score(), score - 24);
    EXPECT_EQ(game.bonusText(), "-24");
    EXPECT_EQ(game.dealpos(), 53);
    EXPECT_EQ(game.discard(), discard);
    EXPECT_EQ(game.cardsLeftText(), "Cards Left: 0");
    score = game.score();

    game.card_19Click(19);
    ASSERT_EQ(game.chain(), 1);
    cues.take();
    const std::size_t history = game.historySize();
    game.image_stockClick(); // past the end: no cost, but the chain still breaks
    EXPECT_EQ(game.score(), score + 1);
    EXPECT_EQ(game.bonusText(), "+1");
    EXPECT_EQ(game.chain(), 0);
    EXPECT_EQ(game.flipcount(), 1);
    EXPECT_EQ(game.dealpos(), 54);
    EXPECT_EQ(game.historySize(), history + 2);
    EXPECT_EQ(cues.take(), (std::vector<std::string>{"sound=replace"}));
}

TEST(BoardClick, LossAfterABoardMoveBringsThePanelToTheFront) {
    Recorder cues;
    Game game(&cues);
    // Stock emptied with a 4 on top; slot 19's 5 fits, after which nothing fits the 5.
    game.startWithDeck(stackedDeck({{52, cardOf(4, 0)},
                                    {19, cardOf(5, 0)},
                                    {20, cardOf(9, 0)},
                                    {21, cardOf(9, 1)},
                                    {22, cardOf(9, 2)},
                                    {23, cardOf(9, 3)},
                                    {24, cardOf(11, 0)},
                                    {25, cardOf(11, 1)},
                                    {26, cardOf(11, 2)},
                                    {27, cardOf(11, 3)},
                                    {28, cardOf(8, 0)},
                                    {51, cardOf(13, 0)}}));
    turnStockTo(game, 52);
    ASSERT_TRUE(game.playing());
    cues.take();
    game.card_19Click(19);
    EXPECT_FALSE(game.playing());
    EXPECT_EQ(cues.take(),
              (std::vector<std::string>{"higher:4:1", "sound=placecard", "lost:front", "over"}));
    game.card_19Click(20);
    game.image_stockClick();
    game.button_undoClick();
    EXPECT_TRUE(cues.take().empty()) << "clicks after a loss are ignored";
}

TEST(BoardClick, ClicksBeforeTheFirstGameAreIgnored) {
    Recorder cues;
    Game game(&cues);
    const std::string before = game.snapshot();
    game.card_19Click(19);
    game.image_stockClick();
    game.button_undoClick();
    game.card_19Click(0);
    game.card_19Click(29);
    EXPECT_EQ(game.snapshot(), before);
    EXPECT_TRUE(cues.take().empty());
}

TEST(Playable, LooksOnlyAtUncoveredCardsThatFit) {
    Game game;
    game.startWithDeck(stackedDeck({{29, cardOf(2, 0)},
                                    {10, cardOf(3, 0)},
                                    {1, cardOf(1, 0)},
                                    {19, cardOf(7, 0)},
                                    {20, cardOf(7, 1)},
                                    {21, cardOf(7, 2)},
                                    {22, cardOf(7, 3)},
                                    {23, cardOf(9, 0)},
                                    {24, cardOf(9, 1)},
                                    {25, cardOf(9, 2)},
                                    {26, cardOf(9, 3)},
                                    {27, cardOf(11, 0)},
                                    {28, cardOf(11, 1)}}));
    EXPECT_FALSE(game.checkforplayable()) << "the fitting 3 and Ace lie covered";
}

// The window asks this before it offers a card to the keyboard: it must agree with what a
// click does, slot by slot, through a whole game and after it ends.
TEST(Playable, AgreesWithWhatAClickDoes) {
    Game game;
    EXPECT_FALSE(game.playable(19)) << "no game runs yet";
    game.startWithDeck(winnableDeck());
    for (int slot : clearingOrder()) {
        for (int n = 0; n <= Game::kSlots + 1; ++n) {
            Game probe = game;
            const std::string before = probe.snapshot();
            probe.card_19Click(n);
            EXPECT_EQ(game.playable(n), probe.snapshot() != before) << "slot " << n;
        }
        ASSERT_TRUE(game.playable(slot)) << "slot " << slot;
        game.card_19Click(slot);
    }
    EXPECT_FALSE(game.playing());
    for (int n = 1; n <= Game::kSlots; ++n) {
        EXPECT_FALSE(game.playable(n)) << "slot " << n << " after the board is cleared";
    }
}
