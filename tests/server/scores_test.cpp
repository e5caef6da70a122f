// The score server's rules: which posts are refused, what is stored, and the page it writes.
#include "scores.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

TEST(ScoreQuery, AcceptsWhatTheGameSendsAndRefusesTheRest) {
    struct Case {
        std::string query;
        bool ok;
        std::string name;
        std::string date;
        std::int64_t score;
    } cases[] = {
        {"name=Guest&date=12/7/26&score=1234", false, "", "", 0}, // above the best possible
        {"name=Guest&date=12/7/26&score=586", true, "Guest", "12/7/26", 586},
        {"name=Guest&date=12/7/26&score=587", false, "", "", 0},
        {"name=Guest&date=1/1/00&score=-40", true, "Guest", "1/1/00", -40},
        {"name=Guest&date=12/7/26&score=-2147483648", true, "Guest", "12/7/26", INT32_MIN},
        {"name=Guest&date=12/7/26&score=-2147483649", false, "", "", 0},
        {"name=a%20b%26c%3Dd%23&date=7.12.26&score=0", true, "a b&c=d#", "7.12.26", 0},
        {"name=a+b&date=2-29-28&score=5", true, "a b", "2-29-28", 5},
        {"name=Zo%C3%AB&date=12/7/26&score=5", true, "Zo\xC3\xAB", "12/7/26", 5},
        {"score=5&date=12/7/26&name=x", true, "x", "12/7/26", 5},
        {"name=%3Cb%3Ex%3C%2Fb%3E&date=12/7/26&score=1", true, "<b>x</b>", "12/7/26", 1},
        // names
        {"name=&date=12/7/26&score=5", false, "", "", 0},
        {"name=" + std::string(41, 'x') + "&date=12/7/26&score=5", false, "", "", 0},
        {"name=" + std::string(40, 'x') + "&date=12/7/26&score=5", true, std::string(40, 'x'),
         "12/7/26", 5},
        {"name=a%0Ab&date=12/7/26&score=5", false, "", "", 0},
        {"name=a%00b&date=12/7/26&score=5", false, "", "", 0},
        {"name=a%7Fb&date=12/7/26&score=5", false, "", "", 0},
        {"name=a%C2%85b&date=12/7/26&score=5", false, "", "", 0},   // C1 control
        {"name=a%C3&date=12/7/26&score=5", false, "", "", 0},       // cut UTF-8
        {"name=a%C0%AF&date=12/7/26&score=5", false, "", "", 0},    // overlong
        {"name=a%ED%A0%80&date=12/7/26&score=5", false, "", "", 0}, // surrogate
        {"name=a%2&date=12/7/26&score=5", false, "", "", 0},
        {"name=a%zz&date=12/7/26&score=5", false, "", "", 0},
        // dates
        {"name=x&date=13/7/26&score=5", false, "", "", 0},
        {"name=x&date=2/30/26&score=5", false, "", "", 0},
        {"name=x&date=2/29/27&score=5", false, "", "", 0},
        {"name=x&date=12/7/2026&score=5", false, "", "", 0},
        {"name=x&date=12/7.26&score=5", false, "", "", 0},
        {"name=x&date=12/0/26&score=5", false, "", "", 0},
        {"name=x&date=&score=5", false, "", "", 0},
        // scores
        {"name=x&date=12/7/26&score=", false, "", "", 0},
        {"name=x&date=12/7/26&score=+5", false, "", "", 0},
        {"name=x&date=12/7/26&score=05", false, "", "", 0},
        {"name=x&date=12/7/26&score=-0", false, "", "", 0},
        {"name=x&date=12/7/26&score=5x", false, "", "", 0},
        {"name=x&date=12/7/26&score=99999999999999999999", false, "", "", 0},
        // shape of the query
        {"", false, "", "", 0},
        {"name=x&date=12/7/26", false, "", "", 0},
        {"name=x&name=y&date=12/7/26&score=5", false, "", "", 0},
        {"name=x&date=12/7/26&score=5&", false, "", "", 0},
        {"name=x&date=12/7/26&score=5&admin=1", false, "", "", 0},
        {"name=x&date=12/7/26&score", false, "", "", 0},
    };
    for (const Case& c : cases) {
        scores::Post post;
        std::string why;
        EXPECT_EQ(scores::parseQuery(c.query, post, why), c.ok) << c.query << ": " << why;
        if (c.ok && post.name == c.name) {
            EXPECT_EQ(post.date, c.date) << c.query;
            EXPECT_EQ(post.score, c.score) << c.query;
        } else if (c.ok) {
            ADD_FAILURE() << c.query << " gave the name " << post.name;
        }
    }
}

class ScoreStore : public ::testing::Test {
protected:
    void SetUp() override {
        char folder[] = "/tmp/solmarin-store-XXXXXX";
        ASSERT_TRUE(::mkdtemp(folder));
        m_folder = folder;
        ::mkdir((m_folder + "/www").c_str(), 0755);
        ::mkdir((m_folder + "/www/counter").c_str(), 0755);
    }
    void TearDown() override { (void)std::system(("rm -rf '" + m_folder + "'").c_str()); }
    scores::Response post(const std::string& query, const std::string& address = "10.0.0.1",
                          int limit = 0, std::int64_t now = 1000) {
        return scores::handle({query, address, m_folder, limit, now, {}});
    }
    std::string page() const {
        std::ifstream in(scores::pagePath(m_folder));
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }
    std::string m_folder;
};

TEST_F(ScoreStore, RefusedPostsStoreNothingAndAnswer400) {
    ASSERT_EQ(post("name=first&date=12/7/26&score=10").status, 200);
    const std::string before = page();
    for (const char* query : {"name=&date=12/7/26&score=1", "name=x&date=12/7/26&score=9999",
                              "name=x%01&date=12/7/26&score=1", "name=x&date=1/2/3&score=1"}) {
        const scores::Response response = post(query);
        EXPECT_EQ(response.status, 400) << query;
        EXPECT_FALSE(response.body.empty()) << query;
    }
    EXPECT_EQ(page(), before);
    EXPECT_NE(before.find("1 score posted."), std::string::npos);
}

TEST_F(ScoreStore, PageShowsTheBestHundredEscapedBestFirst) {
    for (int i = 0; i < 105; ++i)
        ASSERT_EQ(
            post("name=p" + std::to_string(i) + "&date=12/7/26&score=" + std::to_string(i - 50))
                .status,
            200);
    ASSERT_EQ(post("name=%3Cb%3Ex%3C%2Fb%3E%20%26%22&date=12/7/26&score=586").status, 200);
    const std::string text = page();
    EXPECT_NE(text.find("<td>&lt;b&gt;x&lt;/b&gt; &amp;&quot;</td>"), std::string::npos);
    EXPECT_EQ(text.find("<b>x</b>"), std::string::npos);
    // 106 stored, 100 shown: the best is first, the six lowest are left off.
    EXPECT_NE(text.find("106 scores posted."), std::string::npos);
    std::size_t rows = 0;
    for (std::size_t at = 0; (at = text.find("<tr><td", at)) != std::string::npos; ++at)
        ++rows;
    EXPECT_EQ(rows, 100u);
    EXPECT_LT(text.find("586"), text.find(">54<"));
    EXPECT_NE(text.find("<td>p6</td>"), std::string::npos);
    EXPECT_EQ(text.find("<td>p5</td>"), std::string::npos);
}

TEST_F(ScoreStore, PostsPerAddressAreLimitedPerMinute) {
    const std::string query = "name=x&date=12/7/26&score=1";
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(post(query, "10.0.0.1", 3, 1000 + i).status, 200);
    EXPECT_EQ(post(query, "10.0.0.1", 3, 1010).status, 429);
    EXPECT_EQ(post(query, "10.0.0.2", 3, 1010).status, 200);
    // A minute after the first post its place is free again.
    EXPECT_EQ(post(query, "10.0.0.1", 3, 1060).status, 200);
    EXPECT_NE(page().find("5 scores posted."), std::string::npos);
}

TEST_F(ScoreStore, NewServerStartsWithAnEmptyPage) {
    EXPECT_EQ(scores::writePage(m_folder), "");
    EXPECT_NE(page().find("No scores have been posted yet."), std::string::npos);
    EXPECT_NE(scores::writePage("/nonexistent/folder"), "");
}

// Files may grow only to `bytes` while it lives, as on a disk with that much room left.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        ::getrlimit(RLIMIT_FSIZE, &m_saved);
        m_handler = ::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = m_saved;
        limit.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &m_saved);
        ::signal(SIGXFSZ, m_handler);
    }

private:
    rlimit m_saved{};
    sighandler_t m_handler;
};

// When the disk is full the post fails as a whole: the page never shows a score that the database
// does not hold, whichever of the two runs out of room first.
TEST_F(ScoreStore, AFullDiskLeavesPageAndDatabaseAgreeing) {
    struct Case {
        const char* what;
        rlim_t room; // bytes a file may grow to
    } cases[] = {
        {"room for the page but not for the database's log", 2048},
        {"room for neither", 16},
    };
    ASSERT_EQ(post("name=first&date=12/7/26&score=10").status, 200);
    // Another reader keeps the database's log open, as a resident server does, so a commit has to
    // add to it.
    sqlite3* reader = nullptr;
    ASSERT_EQ(sqlite3_open(scores::databasePath(m_folder).c_str(), &reader), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(reader, "SELECT count(*) FROM scores", nullptr, nullptr, nullptr),
              SQLITE_OK);
    for (const Case& c : cases) {
        scores::Response response;
        {
            FileSizeLimit full(c.room);
            response = post("name=second&date=12/7/26&score=20");
        }
        EXPECT_EQ(response.status, 500) << c.what;
        EXPECT_NE(page().find("1 score posted."), std::string::npos) << c.what;
        EXPECT_EQ(page().find("second"), std::string::npos) << c.what;
        // The page written again from the database shows that it holds only the first.
        EXPECT_EQ(scores::writePage(m_folder), "");
        EXPECT_NE(page().find("1 score posted."), std::string::npos) << c.what;
    }
    ASSERT_EQ(post("name=third&date=12/7/26&score=30").status, 200);
    EXPECT_NE(page().find("2 scores posted."), std::string::npos);
    sqlite3_close(reader);
}

} // namespace
