// The end of a game: the cleared board and its bonus.
#include "game.h"
#include "recorder.h"

#include <gtest/gtest.h>

#include <set>

namespace {

void clearBoard(Game& game) {
    for (int slot : clearingOrder()) {
        game.card_19Click(slot);
    }
}

} // namespace

TEST(Win, EndBonusDependsOnTheStockLeft) {
    struct Case {
        const char* name;
        int startPosition; // where the Ace that starts the run lies
        int extraClicks;   // clicks on the emptied stock before clearing
        int bonus;
    } cases[] = {
        {"stock untouched", 29, 0, 120},
        {"last stock card just turned", 52, 0, 5},
        {"one click on the emptied stock", 52, 1, 0},
        {"two clicks on the emptied stock", 52, 2, 0},
    };
    for (const Case& c : cases) {
        Recorder cues;
        Game game(&cues);
        game.startWithDeck(winnableDeck(c.startPosition));
        while (game.dealpos() < c.startPosition + c.extraClicks) {
            game.image_stockClick();
        }
        const int before = game.score();
        clearBoard(game);
        int played = 406 + 3 * 20; // 1 + 2 + ... + 28, and three peaks
        EXPECT_FALSE(game.playing()) << c.name;
        EXPECT_EQ(game.score(), before + played + c.bonus) << c.name;
        EXPECT_EQ(game.bonusText(), "+" + std::to_string(c.bonus)) << c.name;
        EXPECT_EQ(game.clearedScoreText(), "Your Score: " + std::to_string(game.score())) << c.name;
        EXPECT_EQ(game.clearedTitle(), "You Cleared The Board!");
    }
}

TEST(Win, LastCardRunsTheWinSequenceInsteadOfPlacecard) {
    Recorder cues;
    Game game(&cues);
    game.startWithDeck(winnableDeck());
    const std::vector<int> order = clearingOrder();
    for (std::size_t i = 0; i + 1 < order.size(); ++i) {
        game.card_19Click(order[i]);
    }
    cues.take();
    game.card_19Click(order.back());
    const std::vector<std::string> heard = cues.take();
    ASSERT_EQ(heard.size(), 6u);
    EXPECT_EQ(heard[0], "higher:4:28");
    EXPECT_EQ(heard[1], "increase:2");
    EXPECT_EQ(heard[2], "checkscore:" + std::to_string(game.score()));
    EXPECT_EQ(heard[3], "cleared");
    EXPECT_TRUE(heard[4] == "sound=winner" || heard[4] == "sound=winner1" ||
                heard[4] == "sound=winner2")
        << heard[4];
    EXPECT_EQ(heard[5], "over");
    EXPECT_FALSE(game.undoButtonVisible());
    EXPECT_FALSE(game.undoMenuEnabled());
    game.button_undoClick();
    game.image_stockClick();
    EXPECT_TRUE(cues.take().empty()) << "nothing moves after a win";
}

TEST(Win, WinningSoundFollowsTheSharedRandomSource) {
    // The sound is the next draw of bound 3 after the deal: 1 winner, 2 winner1, 0 winner2.
    const char* byDraw[] = {"sound=winner2", "sound=winner", "sound=winner1"};
    std::set<std::string> heardAll;
    for (std::uint32_t seed = 0; seed < 30; ++seed) {
        Recorder cues;
        Game game(&cues);
        game.random().setSeed(seed);
        game.startWithDeck(winnableDeck()); // a stacked deal draws nothing
        Random expected(seed);
        clearBoard(game);
        const std::string sound = cues.cues.end()[-2]; // the last cue before the game is over
        EXPECT_EQ(sound, byDraw[expected.draw(3)]) << seed;
        heardAll.insert(sound);
    }
    EXPECT_EQ(heardAll.size(), 3u);
}
