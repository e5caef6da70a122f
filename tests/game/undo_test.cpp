// Undo: snapshots, restoring positions and the cost of an undo.
#include "game.h"
#include "recorder.h"

#include <gtest/gtest.h>

namespace {

int countOf(const std::string& line, char c) {
    return static_cast<int>(std::count(line.begin(), line.end(), c));
}

} // namespace

TEST(Snapshot, HasTheRecordedLayout) {
    Game game;
    game.startWithDeck(winnableDeck());
    game.card_19Click(19);
    game.card_19Click(20);
    const std::string line = game.snapshot();
    EXPECT_EQ(countOf(line, '*'), 170);
    EXPECT_EQ(line.back(), '*');
    const std::string head = "3*+2*29*2*0*" + std::to_string(game.discard()) + "*";
    EXPECT_EQ(line.substr(0, head.size()), head);
    std::string tail = "*27*28*";
    for (int slot = 19; slot <= 28; ++slot) {
        tail += "0*0*";
    }
    EXPECT_EQ(line.substr(line.size() - tail.size()), tail);
    // Slot 10 lies under 19 and 20, both played: flag 1. Slot 1 still covered: flag 0. Slot 19
    // is empty: card 0, flag 1.
    std::vector<std::string> fields;
    std::size_t pos = 0;
    while (pos < line.size()) {
        const std::size_t end = line.find('*', pos);
        fields.push_back(line.substr(pos, end - pos));
        pos = end + 1;
    }
    ASSERT_EQ(fields.size(), 170u);
    auto slotCard = [&](int n) { return fields[58 + 2 * (n - 1)]; };
    auto slotFlag = [&](int n) { return fields[59 + 2 * (n - 1)]; };
    EXPECT_EQ(slotFlag(1), "0");
    EXPECT_EQ(slotFlag(10), "1");
    EXPECT_EQ(slotCard(19), "0");
    EXPECT_EQ(slotFlag(19), "1");
    EXPECT_EQ(slotCard(21), std::to_string(game.slot(21).card));
}

TEST(Snapshot, ShowsANegativeScoreAndEmptyBonus) {
    Game game;
    EXPECT_EQ(game.snapshot().substr(0, 4), "0**0");
    game.startWithDeck(winnableDeck());
    game.image_stockClick();
    EXPECT_EQ(game.snapshot().substr(0, 8), "-1*-1*30");
}

TEST(Undo, BoardMoveIsTakenBackAtOnceForThreePoints) {
    Recorder cues;
    Game game(&cues);
    game.startWithDeck(winnableDeck());
    game.card_19Click(19);
    game.card_19Click(20);
    const std::string before = game.snapshot();
    game.card_19Click(21); // uncovers nothing; slot 10 turned up after 20
    ASSERT_EQ(game.slot(11).picture, Game::Picture::Face);
    cues.take();
    game.button_undoClick();
    EXPECT_TRUE(cues.take().empty()) << "undo plays no sound";
    EXPECT_EQ(game.slot(21).card, game.deck()[21]);
    EXPECT_EQ(game.slot(21).picture, Game::Picture::Face);
    EXPECT_TRUE(game.slot(21).visible);
    EXPECT_EQ(game.slot(11).picture, Game::Picture::Back) << "slot 11 is covered again";
    EXPECT_EQ(game.score(), 3 - 3);
    EXPECT_EQ(game.chain(), 2);
    EXPECT_EQ(game.bonusText(), "+2");
    EXPECT_EQ(game.discard(), game.deck()[20]);
    // The restored position differs from the recorded one by the charge only.
    EXPECT_EQ(game.snapshot().substr(game.snapshot().find('*')), before.substr(before.find('*')));
}

TEST(Undo, StockClickNeedsTwoUndosAndChargesOnTheRestoredScore) {
    Game game;
    game.startWithDeck(winnableDeck());
    game.card_19Click(19);   // score 1
    game.image_stockClick(); // score 0, 22 left
    ASSERT_EQ(game.score(), 0);
    const int turned = game.discard();

    game.button_undoClick();
    EXPECT_EQ(game.score(), -3) << "first undo: same position, 3 points less";
    EXPECT_EQ(game.discard(), turned);
    EXPECT_EQ(game.cardsLeftText(), "Cards Left: 22");

    game.button_undoClick();
    EXPECT_EQ(game.score(), 1 - 3) << "second undo: the older score minus 3, not minus 6";
    EXPECT_EQ(game.cardsLeftText(), "Cards Left: 23");
    EXPECT_EQ(game.dealpos(), 29);
    EXPECT_EQ(game.discard(), game.deck()[19]);
    EXPECT_EQ(game.bonusText(), "+1");
}

TEST(Undo, BringsBackTheStockAfterItsLastCard) {
    Game game;
    game.startWithDeck(winnableDeck(52));
    while (game.dealpos() < 52) {
        game.image_stockClick();
    }
    ASSERT_TRUE(game.playing());
    ASSERT_FALSE(game.stockShowsBack());
    game.button_undoClick();
    EXPECT_FALSE(game.stockShowsBack()) << "the newest line holds the emptied stock";
    game.button_undoClick();
    EXPECT_TRUE(game.stockShowsBack());
    EXPECT_EQ(game.cardsLeftText(), "Cards Left: 1");
    game.image_stockClick();
    EXPECT_EQ(game.dealpos(), 52);
    EXPECT_EQ(game.discard(), game.deck()[52]);
}

TEST(Undo, EmptyingTheHistoryHidesTheControls) {
    Game game;
    game.startWithDeck(winnableDeck());
    EXPECT_FALSE(game.undoButtonVisible());
    game.card_19Click(19);
    EXPECT_TRUE(game.undoButtonVisible());
    EXPECT_TRUE(game.undoMenuEnabled());
    game.button_undoClick();
    EXPECT_FALSE(game.undoButtonVisible());
    EXPECT_FALSE(game.undoMenuEnabled());
    EXPECT_EQ(game.score(), -3);
    game.button_undoClick();
    EXPECT_EQ(game.score(), -3) << "an undo with no history charges nothing";
    EXPECT_TRUE(game.playing());
}

TEST(Undo, RepeatedUndosKeepOnlyTheLastCharge) {
    Game game;
    game.startWithDeck(winnableDeck());
    for (int slot : {19, 20, 21, 22}) {
        game.card_19Click(slot);
    }
    ASSERT_EQ(game.score(), 10);
    game.button_undoClick(); // back before 22: score 6 - 3
    game.button_undoClick(); // back before 21: score 3 - 3
    EXPECT_EQ(game.score(), 0);
    EXPECT_EQ(game.historySize(), 2u);
}
