// The score program under lighttpd, reached over 127.0.0.1 with the game's own fetch.
#include "daily.h"
#include "fetchcore.h"
#include "moveline.h"
#include "scores.h"
#include "scoreserver.h"
#include "wongame.h"

#include <gtest/gtest.h>

#include <atomic>
#include <ctime>
#include <thread>
#include <vector>

namespace {

struct Quiet : fetch::Control {
    bool stopRequested() const override { return false; }
    void chunkRead(const fetch::Result&) override {}
};

fetch::Result get(const std::string& url) {
    fetch::Settings settings;
    settings.url = url;
    fetch::Result result;
    Quiet quiet;
    fetch::run(settings, result, quiet);
    return result;
}

std::string postUrl(const ScoreServer& server, const std::string& name, const std::string& score) {
    return server.base() + "/cgi-bin/solmarin.cgi?name=" + fetch::encodeQueryValue(name) +
           "&date=12/7/26&score=" + score;
}

TEST(ScoreServer, FiftyConcurrentPostsAllLand) {
    ScoreServer server;
    std::vector<std::thread> clients;
    std::atomic<int> recorded{0};
    for (int i = 0; i < 50; ++i) {
        clients.emplace_back([&, i] {
            const fetch::Result result = get(postUrl(server, "p" + std::to_string(i), "7"));
            if (result.success && result.status == 200 && result.body == "Score recorded.\n")
                ++recorded;
        });
    }
    for (std::thread& client : clients)
        client.join();
    EXPECT_EQ(recorded.load(), 50);
    EXPECT_EQ(server.storedScores(), 50);
    const fetch::Result list = get(server.base() + "/counter/solmarin.shtml");
    ASSERT_TRUE(list.success);
    EXPECT_EQ(list.body, server.page());
    for (int i = 0; i < 50; ++i)
        EXPECT_NE(list.body.find("<td>p" + std::to_string(i) + "</td>"), std::string::npos) << i;
}

TEST(ScoreServer, RefusedAndLimitedPostsStoreNothing) {
    ScoreServer server(2);
    EXPECT_EQ(server.storedScores(), 0);
    const fetch::Result refused = get(postUrl(server, "x", "100000"));
    EXPECT_EQ(refused.status, 400);
    EXPECT_FALSE(refused.body.empty());
    EXPECT_EQ(server.storedScores(), 0);

    EXPECT_EQ(get(postUrl(server, "a", "1")).status, 200);
    EXPECT_EQ(get(postUrl(server, "b", "2")).status, 200);
    EXPECT_EQ(get(postUrl(server, "c", "3")).status, 429);
    EXPECT_EQ(server.storedScores(), 2);
}

TEST(ScoreServer, OnlyTheScoreProgramAndThePageAreServed) {
    ScoreServer server;
    EXPECT_EQ(get(server.base() + "/counter/solmarin.shtml").status, 200);
    EXPECT_EQ(get(server.base() + "/cgi-bin/other.cgi").status, 403);
    EXPECT_EQ(get(server.base() + "/scores.db").status, 404);
    EXPECT_EQ(get(server.base() + "/lighttpd.conf").status, 404);
}

} // namespace

namespace {

std::string movesQuery(const WonGame& game, int score, const std::string& moves,
                       const std::string& extra = {}) {
    return "/cgi-bin/solmarin.cgi?name=Ann&date=12/8/26&score=" + std::to_string(score) +
           "&deal=" + std::to_string(game.deal) + "&moves=" + moves + extra;
}

std::string stockClicks(int count) {
    std::string line = "s";
    for (int i = 1; i < count; ++i)
        line += ".s";
    return line;
}

// Today's date on the server's clock, which daily posts are measured against.
daily::Date serverToday() {
    return daily::dateOfDay(std::int64_t(std::time(nullptr)) / 86400);
}

TEST(ScoreServer, PostedMovesAreReplayedAndOnlyTheWonGameIsKept) {
    ScoreServer server;
    const WonGame game = wonGame(7);
    struct Case {
        const char* what;
        std::string path;
        int status;
    } refused[] = {
        {"another score", movesQuery(game, game.score + 1, game.moves), 400},
        {"cut one move short",
         movesQuery(game, game.score, game.moves.substr(0, game.moves.rfind('.'))), 400},
        {"an illegal move", movesQuery(game, game.score, "1." + game.moves), 400},
        {"more moves than a line may hold",
         movesQuery(game, game.score, stockClicks(int(moveline::kMaxMoves) + 1)), 400},
        {"garbage", movesQuery(game, game.score, "19.x.%3Cscript%3E~-_"), 400},
        // Longer than any request the web server reads: it refuses the request itself.
        {"100,000 moves", movesQuery(game, game.score, stockClicks(100000)), 431},
    };
    for (const Case& c : refused) {
        const fetch::Result result = get(server.base() + c.path);
        EXPECT_EQ(result.status, c.status) << c.what;
        if (c.status == 400) {
            EXPECT_EQ(result.body.rfind("Score refused: ", 0), 0u) << c.what << result.body;
        }
        EXPECT_EQ(server.storedScores(), 0) << c.what;
    }
    const fetch::Result taken = get(server.base() + movesQuery(game, game.score, game.moves));
    EXPECT_EQ(taken.status, 200);
    EXPECT_EQ(taken.body, "Score recorded and verified.\n");
    EXPECT_EQ(server.storedScores(), 1);
    EXPECT_NE(server.page().find(std::to_string(game.score) +
                                 "</td><td>12/8/26</td><td align=\"center\">" +
                                 scores::kReplayedMark),
              std::string::npos);
}

TEST(ScoreServer, AVerifiedOnlyServerRefusesScoresWithoutMoves) {
    ScoreServer open;
    ScoreServer strict(0, true);
    const std::string threeKeys = "/cgi-bin/solmarin.cgi?name=Bo&date=12/8/26&score=100";
    EXPECT_EQ(get(open.base() + threeKeys).status, 200);
    EXPECT_EQ(open.storedScores(), 1);
    EXPECT_EQ(get(strict.base() + threeKeys).status, 400);
    EXPECT_EQ(strict.storedScores(), 0);
    const WonGame game = wonGame(12345);
    EXPECT_EQ(get(strict.base() + movesQuery(game, game.score, game.moves)).status, 200);
    EXPECT_EQ(strict.storedScores(), 1);
}

TEST(ScoreServer, TheDaysDealHasAPageOfItsOwn) {
    ScoreServer server;
    const daily::Date today = serverToday();
    const daily::Date later = daily::dateOfDay(daily::dayNumber(today) + 2);
    const WonGame game = wonGame(*daily::deal(today));
    const WonGame laterGame = wonGame(*daily::deal(later));
    const std::string day = daily::formatDate(today);
    EXPECT_EQ(get(server.base() + movesQuery(laterGame, laterGame.score, laterGame.moves,
                                             "&daily=" + daily::formatDate(later)))
                  .status,
              400);
    EXPECT_EQ(get(server.base() + movesQuery(game, game.score, game.moves, "&daily=" + day)).status,
              200);
    const fetch::Result page = get(server.base() + "/counter/daily/" + day + ".shtml");
    EXPECT_EQ(page.status, 200);
    EXPECT_EQ(page.body, server.page(day));
    EXPECT_EQ(server.storedScores(day), 1);
    EXPECT_EQ(server.storedScores(), 1);
    EXPECT_EQ(get(server.base() + "/counter/daily/" + daily::formatDate(later) + ".shtml").status,
              404);
}

} // namespace
