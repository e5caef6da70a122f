// The score program under lighttpd, reached over 127.0.0.1 with the game's own fetch.
#include "fetchcore.h"
#include "scoreserver.h"

#include <gtest/gtest.h>

#include <atomic>
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
