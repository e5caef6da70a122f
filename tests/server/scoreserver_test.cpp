// The score program under lighttpd, reached over 127.0.0.1 with the game's own fetch.
#include "fetchcore.h"
#include "scores.h"
#include "scoreserver.h"

#include <gtest/gtest.h>

#include <atomic>
#include <fstream>
#include <thread>
#include <vector>

#include <sys/stat.h>

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

// A post is one short GET: a body, a huge declared one above all, is refused at once, before any of
// it is read or kept, and no other method reaches the score program.
TEST(ScoreServer, BodiesAndOtherMethodsAreRefusedBeforeTheyReachTheProgram) {
    ScoreServer server;
    const std::string post = "/cgi-bin/solmarin.cgi?name=x&date=12/7/26&score=5";
    const std::string twoMegabytes(2 << 20, 'a');
    struct Case {
        const char* what;
        std::string request;
        std::size_t sendFirst; // the rest is never sent: the answer must not wait for it
        int status;
    } cases[] = {
        {"a 2 MB body",
         "POST " + post + " HTTP/1.1\r\nHost: x\r\nContent-Length: " +
             std::to_string(twoMegabytes.size()) + "\r\n\r\n" + twoMegabytes,
         4096, 413},
        {"an absurd length",
         "POST " + post + " HTTP/1.1\r\nHost: x\r\nContent-Length: 9223372036854775807\r\n\r\n",
         std::string::npos, 413},
        {"a GET with a body",
         "GET " + post + " HTTP/1.1\r\nHost: x\r\nContent-Length: " +
             std::to_string(twoMegabytes.size()) + "\r\n\r\n" + twoMegabytes,
         4096, 400},
        {"an empty POST",
         "POST " + post + " HTTP/1.1\r\nHost: x\r\nContent-Length: 0\r\nConnection: close\r\n\r\n",
         std::string::npos, 403},
        {"a PUT", "PUT " + post + " HTTP/1.1\r\nHost: x\r\nContent-Length: 3\r\n\r\nabc",
         std::string::npos, 403},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(server.rawStatus(c.request, c.sendFirst), c.status) << c.what;
        EXPECT_EQ(server.entriesIn("upload"), 0) << c.what << ": a request body was kept";
    }
    EXPECT_EQ(server.storedScores(), 0);
    EXPECT_EQ(server.rawStatus("HEAD /counter/solmarin.shtml HTTP/1.0\r\n\r\n"), 200);
    EXPECT_EQ(server.rawStatus("GET " + post + " HTTP/1.0\r\n\r\n"), 200);
    EXPECT_EQ(server.storedScores(), 1);
}

// A page that is still being written, or left behind by a writer that died, is never served.
TEST(ScoreServer, TemporaryPageFilesAreNotServed) {
    ScoreServer server;
    const std::string name = std::string("solmarin.shtml.Q7xk2P") + scores::kTemporarySuffix;
    std::ofstream(server.folder() + "/www/counter/" + name) << "<p>half a page";
    EXPECT_EQ(get(server.base() + "/counter/" + name).status, 403);
    EXPECT_EQ(get(server.base() + "/counter/solmarin.shtml").status, 200);
}

// Started by root, neither the web server nor the score program keeps root's rights: the data
// they write belongs to an unprivileged user.
TEST(ScoreServer, StartedByRootItRunsAsAnUnprivilegedUser) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "only root can start the server as another user";
    ScoreServer server;
    ASSERT_EQ(get(postUrl(server, "x", "5")).status, 200);
    for (const char* file : {"/scores.db", "/www/counter/solmarin.shtml"}) {
        struct stat info {};
        ASSERT_EQ(::stat((server.folder() + file).c_str(), &info), 0) << file;
        EXPECT_NE(info.st_uid, 0u) << file;
    }
    for (const char* command : {"lighttpd", "solmarin-scored"}) {
        const std::vector<std::string> ids = server.userIdsOf(command);
        ASSERT_FALSE(ids.empty()) << command;
        for (const std::string& id : ids)
            EXPECT_NE(id.rfind("0\t", 0), 0u) << command << " runs as " << id;
    }
}

} // namespace
