// The score service's core without a web server: posts stored in batches and the rate limit inside
// a batch.
#include "scores.h"
#include "service.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <thread>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

namespace {

class ServiceCore : public ::testing::Test {
protected:
    void SetUp() override {
        char folder[] = "/tmp/solmarin-service-XXXXXX";
        ASSERT_TRUE(::mkdtemp(folder));
        m_folder = folder;
        ::mkdir((m_folder + "/www").c_str(), 0755);
        ::mkdir((m_folder + "/www/counter").c_str(), 0755);
    }
    void TearDown() override { (void)std::system(("rm -rf '" + m_folder + "'").c_str()); }
    std::unique_ptr<scores::Store> open() {
        std::string error;
        auto store = scores::openSqlite(scores::databasePath(m_folder), error, true);
        EXPECT_TRUE(store) << error;
        return store;
    }
    std::string page() const {
        std::ifstream in(scores::pagePath(m_folder));
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }
    static scores::Post post(const std::string& name, std::int64_t score) {
        scores::Post post;
        post.name = name;
        post.date = "12/8/26";
        post.score = score;
        return post;
    }
    std::string m_folder;
};

TEST_F(ServiceCore, PostsArrivingTogetherShareTransactionsAndAllLand) {
    constexpr int kClients = 40;
    std::atomic<int> recorded{0};
    std::uint64_t batches = 0;
    {
        scores::GroupCommitter committer(open(), std::make_unique<scores::PageFiles>(m_folder), 0,
                                         [](const std::string&) {});
        std::atomic<bool> go{false};
        std::vector<std::thread> clients;
        for (int i = 0; i < kClients; ++i) {
            clients.emplace_back([&, i] {
                while (!go)
                    std::this_thread::yield();
                if (committer.post(post("p" + std::to_string(i), i), "10.0.0.1", 1000).status ==
                    200)
                    ++recorded;
            });
        }
        go = true;
        for (std::thread& client : clients)
            client.join();
        batches = committer.batches();
    }
    EXPECT_EQ(recorded.load(), kClients);
    EXPECT_LT(batches, std::uint64_t(kClients)) << "every post had a transaction of its own";
    EXPECT_NE(page().find("40 scores posted."), std::string::npos);
    for (int i = 0; i < kClients; ++i)
        EXPECT_NE(page().find("<td>p" + std::to_string(i) + "</td>"), std::string::npos) << i;
}

// The limit counts the posts before each in the same batch, not only those already stored.
TEST_F(ServiceCore, TheRateLimitHoldsInsideABatch) {
    const auto store = open();
    ASSERT_TRUE(store);
    scores::PageFiles pages(m_folder);
    struct Case {
        const char* address;
        std::int64_t now;
        int status;
    } cases[] = {
        {"10.0.0.1", 1000, 200}, {"10.0.0.1", 1000, 200}, {"10.0.0.2", 1000, 200},
        {"10.0.0.1", 1001, 429}, {"10.0.0.2", 1001, 200}, {"10.0.0.2", 1001, 429},
    };
    std::vector<scores::Pending> batch;
    for (const Case& c : cases)
        batch.push_back({post(c.address, 1), c.address, c.now, {}});
    scores::storeBatch(*store, &pages, 2, batch);
    for (std::size_t i = 0; i < batch.size(); ++i)
        EXPECT_EQ(batch[i].response.status, cases[i].status) << i;
    EXPECT_NE(page().find("4 scores posted."), std::string::npos);
    // A minute on, the first address may post again.
    std::vector<scores::Pending> later{{post("again", 2), "10.0.0.1", 1061, {}}};
    scores::storeBatch(*store, &pages, 2, later);
    EXPECT_EQ(later[0].response.status, 200);
}

TEST(ServiceRoute, OnlyGetAndHeadOfTheKnownAddressesAreServed) {
    using scores::Route;
    struct Case {
        const char* method;
        const char* uri;
        Route route;
        const char* query;
        const char* daily;
    } cases[] = {
        {"GET", "/cgi-bin/solmarin.cgi?name=a&date=1/2/26&score=3", Route::Post,
         "name=a&date=1/2/26&score=3", ""},
        {"HEAD", "/cgi-bin/solmarin.cgi", Route::Post, "", ""},
        {"POST", "/cgi-bin/solmarin.cgi?name=a", Route::NotAllowed, "", ""},
        {"PUT", "/counter/solmarin.shtml", Route::NotAllowed, "", ""},
        {"get", "/counter/solmarin.shtml", Route::NotAllowed, "", ""},
        {"GET", "/counter/solmarin.shtml", Route::List, "", ""},
        {"GET", "/counter/solmarin.shtml?x=1", Route::List, "x=1", ""},
        {"GET", "/counter/daily/2026-12-08.shtml", Route::List, "", "2026-12-08"},
        {"GET", "/counter/daily/2026-13-08.shtml", Route::NotFound, "", ""},
        {"GET", "/counter/daily/../solmarin.shtml", Route::NotFound, "", ""},
        {"GET", "/counter/daily/.shtml", Route::NotFound, "", ""},
        {"GET", "/cgi-bin/solmarin.cgi/x?name=a", Route::NotFound, "name=a", ""},
        {"GET", "", Route::NotFound, "", ""},
    };
    for (const Case& c : cases) {
        std::string query = "left over", daily = "left over";
        EXPECT_EQ(scores::route(c.method, c.uri, query, daily), c.route) << c.method << c.uri;
        if (c.route != Route::NotAllowed) {
            EXPECT_EQ(query, c.query) << c.uri;
            EXPECT_EQ(daily, c.daily) << c.uri;
        }
    }
}

} // namespace
