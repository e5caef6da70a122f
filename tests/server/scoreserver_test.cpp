// The score service under lighttpd, on SQLite and on PostgreSQL, reached over 127.0.0.1 with the
// game's own fetch.
#include "daily.h"
#include "fetchcore.h"
#include "postgrescluster.h"
#include "scores.h"
#include "scoreserver.h"
#include "tcprelay.h"
#include "wongame.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <ctime>
#include <fstream>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include <sys/stat.h>

namespace {

struct Quiet : fetch::Control {
    bool stopRequested() const override { return false; }
    void chunkRead(const fetch::Result&) override {}
};

fetch::Result get(const std::string& url, bool acceptGzip = false) {
    fetch::Settings settings;
    settings.url = url;
    settings.acceptGzip = acceptGzip;
    fetch::Result result;
    Quiet quiet;
    fetch::run(settings, result, quiet);
    return result;
}

std::string postUrl(const ScoreServer& server, const std::string& name, const std::string& score) {
    return server.base() + "/cgi-bin/solmarin.cgi?name=" + fetch::encodeQueryValue(name) +
           "&date=12/7/26&score=" + score;
}

std::string list(const ScoreServer& server) {
    const fetch::Result result = get(server.base() + scores::kListPath);
    EXPECT_EQ(result.status, 200);
    return result.body;
}

std::vector<std::string> storedNames(scores::Store& store) {
    scores::List stored;
    EXPECT_TRUE(store.readList({}, stored)) << store.error();
    std::vector<std::string> names;
    for (const scores::Entry& entry : stored.entries)
        names.push_back(entry.name);
    return names;
}

// Eight clients posting twelve scores each at once, while the test does its worst to the server.
class PostingBurst {
public:
    explicit PostingBurst(const ScoreServer& server) {
        for (int i = 0; i < 8; ++i) {
            m_clients.emplace_back([this, &server, i] {
                for (int j = 0; j < 12; ++j) {
                    const std::string name = "c" + std::to_string(i) + "p" + std::to_string(j);
                    const fetch::Result result =
                        get(postUrl(server, name, std::to_string(i * 12 + j)));
                    std::lock_guard<std::mutex> lock(m_mutex);
                    if (result.status == 200)
                        m_answered.push_back(name);
                }
            });
        }
    }
    ~PostingBurst() { finish(); }

    // Waits, three seconds at the most, until `count` posts have been answered 200.
    void waitForAnswers(std::size_t count) {
        for (int i = 0; i < 3000; ++i) {
            {
                std::lock_guard<std::mutex> lock(m_mutex);
                if (m_answered.size() >= count)
                    return;
            }
            ::usleep(1000);
        }
    }

    // The names of the posts answered 200, once every client has ended.
    std::vector<std::string> answered() {
        finish();
        return m_answered;
    }

private:
    void finish() {
        for (std::thread& client : m_clients) {
            if (client.joinable())
                client.join();
        }
    }

    std::mutex m_mutex;
    std::vector<std::string> m_answered;
    std::vector<std::thread> m_clients;
};

// Posts until the server answers 200, for ten seconds at the most; the last answer's status.
int postUntilAnswered(const ScoreServer& server) {
    int status = 0;
    for (int i = 0; i < 200 && status != 200; ++i) {
        status = get(postUrl(server, "after", "1")).status;
        if (status != 200)
            ::usleep(50000);
    }
    return status;
}

// Every post answered 200 (at least 20) is on the list page and in the database.
void expectKept(const std::vector<std::string>& answered, const std::string& page,
                const std::vector<std::string>& stored) {
    EXPECT_GE(answered.size(), 20u);
    for (const std::string& name : answered) {
        EXPECT_NE(page.find("<td>" + name + "</td>"), std::string::npos) << name;
        EXPECT_NE(std::find(stored.begin(), stored.end(), name), stored.end()) << name;
    }
}

// The same server on each database engine: SQLite in its folder, and a throwaway PostgreSQL
// cluster, whose pages the service's keeper writes.
class OnEachEngine : public ::testing::TestWithParam<bool> {
protected:
    bool postgres() const { return GetParam(); }
    std::string database() {
        if (!postgres())
            return {};
        if (!m_cluster)
            m_cluster = std::make_unique<PostgresCluster>();
        return m_cluster->url();
    }
    std::unique_ptr<scores::Store> openStore(const ScoreServer& server) {
        std::string error;
        auto store = postgres() ? scores::openPostgres(m_cluster->url(), error)
                                : scores::openSqlite(server.folder() + "/scores.db", error);
        EXPECT_TRUE(store) << error;
        return store;
    }
    std::unique_ptr<PostgresCluster> m_cluster;
};

INSTANTIATE_TEST_SUITE_P(Engines, OnEachEngine, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool>& info) {
                             return info.param ? "PostgreSQL" : "SQLite";
                         });

TEST_P(OnEachEngine, FiftyConcurrentPostsAllLand) {
    ScoreServer server(0, false, database());
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
    const std::string page = list(server);
    EXPECT_NE(page.find("50 scores posted."), std::string::npos);
    EXPECT_EQ(page, server.page());
    for (int i = 0; i < 50; ++i)
        EXPECT_NE(page.find("<td>p" + std::to_string(i) + "</td>"), std::string::npos) << i;
}

TEST_P(OnEachEngine, RefusedAndLimitedPostsStoreNothing) {
    ScoreServer server(2, false, database());
    const std::string base = server.base() + scores::kPostPath + "?";
    struct Case {
        std::string query;
        int status;
    } cases[] = {
        {"name=x&date=12/7/26&score=100000", 400},    {"name=&date=12/7/26&score=1", 400},
        {"name=x%01&date=12/7/26&score=1", 400},      {"name=x&date=1/2/3&score=1", 400},
        {"name=x&date=12/7/26&score=1&admin=1", 400}, {"", 400},
        {"name=a&date=12/7/26&score=1", 200},         {"name=b&date=12/7/26&score=2", 200},
        {"name=c&date=12/7/26&score=3", 429},
    };
    for (const Case& c : cases) {
        const fetch::Result result = get(base + c.query);
        EXPECT_EQ(result.status, c.status) << c.query;
        EXPECT_FALSE(result.body.empty()) << c.query;
    }
    const auto store = openStore(server);
    ASSERT_TRUE(store);
    EXPECT_EQ(storedNames(*store), (std::vector<std::string>{"b", "a"}));
    EXPECT_NE(list(server).find("2 scores posted."), std::string::npos);
}

// A won game posted with its moves, as the Deal of the Day: kept verified, on the main list and
// on the day's own page, which a day without posts does not have.
TEST_P(OnEachEngine, ReplayedDailyPostsAreOnTheirDaysPage) {
    ScoreServer server(0, false, database());
    const daily::Date today = daily::dateOfDay(std::int64_t(std::time(nullptr)) / 86400);
    const std::string day = daily::formatDate(today);
    const WonGame game = wonGame(*daily::deal(today));
    const fetch::Result posted =
        get(server.base() + scores::kPostPath +
            "?name=Ann&date=12/8/26&score=" + std::to_string(game.score) +
            "&deal=" + std::to_string(game.deal) + "&moves=" + game.moves + "&daily=" + day);
    EXPECT_EQ(posted.status, 200);
    EXPECT_EQ(posted.body, "Score recorded and verified.\n");
    const std::string row = "<td>Ann</td><td align=\"right\">" + std::to_string(game.score) +
                            "</td><td>12/8/26</td><td align=\"center\">" + scores::kReplayedMark;
    const fetch::Result page = get(server.base() + scores::kDailyFolder + day + ".shtml");
    EXPECT_EQ(page.status, 200);
    EXPECT_NE(page.body.find(row), std::string::npos) << page.body;
    EXPECT_NE(page.body.find("1 score posted."), std::string::npos);
    EXPECT_NE(list(server).find(row), std::string::npos);
    const std::string other = daily::formatDate(daily::dateOfDay(daily::dayNumber(today) + 3));
    EXPECT_EQ(get(server.base() + scores::kDailyFolder + other + ".shtml").status, 404);
}

// Clients post while the service is killed outright and started again: every post answered 200
// is in the database and on the list afterwards.
TEST_P(OnEachEngine, NoAnsweredPostIsLostWhenTheServiceIsKilled) {
    ScoreServer server(0, false, database());
    PostingBurst burst(server);
    const pid_t first = server.servicePid();
    burst.waitForAnswers(20);
    ASSERT_GT(first, 0);
    ASSERT_EQ(::kill(first, SIGKILL), 0);
    const std::vector<std::string> answered = burst.answered();
    // The service is started again; once it answers, the list is the database's.
    ASSERT_EQ(postUntilAnswered(server), 200);
    EXPECT_NE(server.servicePid(), first);
    const std::string page = list(server);
    const auto store = openStore(server);
    ASSERT_TRUE(store);
    expectKept(answered, page, storedNames(*store));
}

bool onList(const fetch::Result& page, const std::string& name) {
    return page.body.find("<td>" + name + "</td>") != std::string::npos;
}

// Two machines' services sharing one PostgreSQL: a post answered by either is on the list and the
// day's page the other serves from that moment, with posts arriving on both together. A notice
// on the keepers' channel from anyone else changes nothing of that.
TEST(ScoreServerOnPostgres, APostThroughOneServerIsOnTheListOfTheOther) {
    PostgresCluster cluster;
    ScoreServer first(0, false, cluster.url());
    ScoreServer second(0, false, cluster.url());
    PGconn* stranger = PQconnectdb(cluster.url().c_str());
    PQclear(PQexec(stranger, "NOTIFY solmarin_pages, '999999999'"));
    PQfinish(stranger);
    const ScoreServer* machines[] = {&first, &second};
    std::vector<std::thread> clients;
    for (int c = 0; c < 4; ++c) {
        clients.emplace_back([&, c] {
            for (int i = 0; i < 10; ++i) {
                const std::string name = "c" + std::to_string(c) + "m" + std::to_string(i);
                const ScoreServer& poster = *machines[(c + i) % 2];
                const ScoreServer& other = *machines[(c + i + 1) % 2];
                EXPECT_EQ(get(postUrl(poster, name, std::to_string(i))).status, 200) << name;
                const fetch::Result page = get(other.base() + scores::kListPath);
                EXPECT_EQ(page.status, 200) << name;
                EXPECT_TRUE(onList(page, name)) << name << " is not on the other machine's list";
            }
        });
    }
    for (std::thread& client : clients)
        client.join();
    const daily::Date today = daily::dateOfDay(std::int64_t(std::time(nullptr)) / 86400);
    const std::string day = daily::formatDate(today);
    const WonGame game = wonGame(*daily::deal(today));
    ASSERT_EQ(get(first.base() + scores::kPostPath +
                  "?name=Ann&date=12/8/26&score=" + std::to_string(game.score) +
                  "&deal=" + std::to_string(game.deal) + "&moves=" + game.moves + "&daily=" + day)
                  .status,
              200);
    const fetch::Result page = get(second.base() + scores::kDailyFolder + day + ".shtml");
    EXPECT_EQ(page.status, 200);
    EXPECT_TRUE(onList(page, "Ann"));
    EXPECT_NE(get(second.base() + scores::kListPath).body.find("41 scores posted."),
              std::string::npos);
}

// A list read during an outage of a machine: the page it serves must show `name`, or be
// refused as not readable just now (a client that accepts gzip is told the gzip copy is not
// there), in words the client can read.
void expectNoStaleList(const ScoreServer& server, const std::string& name) {
    for (const bool gzip : {false, true}) {
        const fetch::Result page = get(server.base() + scores::kListPath, gzip);
        if (page.status == 200) {
            EXPECT_TRUE(onList(page, name)) << "a list without " << name << " is served";
        } else {
            EXPECT_EQ(page.status, gzip ? 404 : 503);
            EXPECT_TRUE(page.error.empty()) << gzip << ": " << page.error;
            EXPECT_FALSE(page.body.empty()) << gzip;
        }
    }
}

// The list of `server` once it serves one again.
fetch::Result listWhenBack(const ScoreServer& server) {
    fetch::Result page;
    for (int i = 0; i < 200; ++i) {
        page = get(server.base() + scores::kListPath);
        if (page.status == 200)
            break;
        ::usleep(50000);
    }
    return page;
}

// One machine's service killed outright, at a moment when the one started again cannot reach the
// database and stays away: the machine's pages go with the dead service all the same, posts
// through the other machine are answered once the dead service's lease has run out, and the new
// service serves them when it comes up.
TEST(ScoreServerOnPostgres, AMachineWhoseServiceDiesServesNoStaleList) {
    PostgresCluster cluster;
    TcpRelay relay(cluster.port());
    ScoreServer first(0, false, cluster.url());
    ScoreServer second(0, false, PostgresCluster::urlThrough(relay.port()));
    ASSERT_EQ(get(postUrl(first, "before", "1")).status, 200);
    const pid_t dead = second.servicePid();
    ASSERT_GT(dead, 0);
    relay.pause();
    ASSERT_EQ(::kill(dead, SIGKILL), 0);
    ASSERT_EQ(get(postUrl(first, "during", "2")).status, 200);
    expectNoStaleList(second, "during");
    relay.resume();
    const fetch::Result page = listWhenBack(second);
    EXPECT_EQ(page.status, 200);
    EXPECT_TRUE(onList(page, "before"));
    EXPECT_TRUE(onList(page, "during"));
    EXPECT_NE(second.servicePid(), dead);
}

// One machine cut off from the database while its service and web server run on: once a post
// through the other machine is answered, the cut-off one serves no list without it; when the
// database answers again it serves the list with it, and takes posts again.
TEST(ScoreServerOnPostgres, AMachineCutOffFromTheDatabaseServesNoStaleList) {
    PostgresCluster cluster;
    TcpRelay relay(cluster.port());
    ScoreServer first(0, false, cluster.url());
    ScoreServer second(0, false, PostgresCluster::urlThrough(relay.port()));
    ASSERT_EQ(get(postUrl(first, "before", "1")).status, 200);
    EXPECT_TRUE(onList(get(second.base() + scores::kListPath), "before"));
    relay.pause();
    ASSERT_EQ(get(postUrl(first, "during", "2")).status, 200);
    for (int i = 0; i < 5; ++i) {
        expectNoStaleList(second, "during");
        ::usleep(100000);
    }
    relay.resume();
    const fetch::Result page = listWhenBack(second);
    EXPECT_EQ(page.status, 200);
    EXPECT_TRUE(onList(page, "during"));
    ASSERT_EQ(get(postUrl(second, "after", "3")).status, 200);
    EXPECT_TRUE(onList(get(first.base() + scores::kListPath), "after"));
}

// A database that answers late (a machine busy with reads on every core can take seconds to get
// a renewal through) costs a machine nothing while its lease may still hold: its list stays.
TEST(ScoreServerOnPostgres, AMachineWhoseDatabaseAnswersLateKeepsItsList) {
    PostgresCluster cluster;
    TcpRelay relay(cluster.port());
    ScoreServer server(0, false, PostgresCluster::urlThrough(relay.port()));
    ASSERT_EQ(get(postUrl(server, "before", "1")).status, 200);
    relay.pause();
    for (int i = 0; i < 40; ++i) {
        for (const bool gzip : {false, true}) {
            const fetch::Result page = get(server.base() + scores::kListPath, gzip);
            EXPECT_EQ(page.status, 200) << "after " << i * 100 << " ms, gzip " << gzip;
            EXPECT_TRUE(onList(page, "before"));
        }
        ::usleep(100000);
    }
    relay.resume();
    EXPECT_EQ(get(postUrl(server, "after", "2")).status, 200);
}

// The database killed outright in the middle of a burst and started again: every post answered
// 200 survived, and the service goes on by itself.
TEST(ScoreServerOnPostgres, NoAnsweredPostIsLostWhenTheDatabaseIsKilled) {
    PostgresCluster cluster;
    ScoreServer server(0, false, cluster.url());
    PostingBurst burst(server);
    burst.waitForAnswers(20);
    cluster.kill();
    cluster.start();
    const std::vector<std::string> answered = burst.answered();
    ASSERT_EQ(postUntilAnswered(server), 200);
    const std::string page = list(server);
    std::string error;
    const auto store = scores::openPostgres(cluster.url(), error);
    ASSERT_TRUE(store) << error;
    expectKept(answered, page, storedNames(*store));
}

// Stopping a server stops it alone: not another one started beside it, nor the program that
// started them.
TEST(ScoreServer, StoppingOneServerLeavesTheOthersRunning) {
    ScoreServer staying;
    {
        ScoreServer going;
        ASSERT_EQ(get(postUrl(going, "gone", "1")).status, 200);
    }
    EXPECT_EQ(get(postUrl(staying, "still here", "2")).status, 200);
    EXPECT_TRUE(onList(get(staying.base() + scores::kListPath), "still here"));
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

// Every page has a gzip copy made with it: a client that accepts gzip is handed the copy, any
// other the page; both are the current list, and caches are told that the answer varies. Pages
// left without a copy by an older server get theirs when the service starts.
TEST_P(OnEachEngine, ClientsThatAcceptGzipAreHandedTheCompressedCopyOfTheSamePage) {
    ScoreServer server(0, false, database());
    ASSERT_EQ(get(postUrl(server, "Ann", "40")).status, 200);
    const daily::Date today = daily::dateOfDay(std::int64_t(std::time(nullptr)) / 86400);
    const std::string day = daily::formatDate(today);
    const WonGame won = wonGame(*daily::deal(today));
    ASSERT_EQ(get(postUrl(server, "Bea", std::to_string(won.score)) +
                  "&deal=" + std::to_string(won.deal) + "&moves=" + won.moves + "&daily=" + day)
                  .status,
              200);
    const std::string copy = server.folder() + "/www/counter/daily/" + day + ".shtml.gz";
    ASSERT_EQ(::unlink(copy.c_str()), 0);
    const pid_t first = server.servicePid();
    ASSERT_EQ(::kill(first, SIGKILL), 0);
    for (int i = 0; i < 200 && (server.servicePid() == first || ::access(copy.c_str(), F_OK)); ++i)
        ::usleep(50000);
    for (const std::string& path :
         {std::string(scores::kListPath), std::string(scores::kDailyFolder) + day + ".shtml"}) {
        const fetch::Result plain = get(server.base() + path);
        const fetch::Result unpacked = get(server.base() + path, true);
        ASSERT_EQ(plain.status, 200) << path;
        ASSERT_EQ(unpacked.status, 200) << path;
        EXPECT_EQ(unpacked.body, plain.body) << path;
        EXPECT_NE(plain.body.find("<td>Bea</td>"), std::string::npos) << path;

        const std::string request = "GET " + path + " HTTP/1.0\r\n";
        const std::string compressed =
            server.rawAnswer(request + "Accept-Encoding: deflate, GZip;q=0.5\r\n\r\n");
        EXPECT_NE(compressed.find("\r\nContent-Encoding: gzip\r\n"), std::string::npos) << path;
        EXPECT_NE(compressed.find("\r\nVary: Accept-Encoding\r\n"), std::string::npos) << path;
        EXPECT_LT(compressed.size(), plain.body.size()) << path;
        for (const char* refusing :
             {"", "Accept-Encoding: gzip;q=0\r\n", "Accept-Encoding: br\r\n"}) {
            const std::string answer = server.rawAnswer(request + refusing + "\r\n");
            EXPECT_EQ(answer.find("Content-Encoding"), std::string::npos) << path << refusing;
            EXPECT_NE(answer.find("\r\nVary: Accept-Encoding\r\n"), std::string::npos) << path;
            EXPECT_EQ(answer.substr(answer.find("\r\n\r\n") + 4), plain.body) << path << refusing;
        }
    }
    // A day without posts has no page: the answer says so, in the encoding the client accepts.
    const std::string other = std::string(scores::kDailyFolder) +
                              daily::formatDate(daily::dateOfDay(daily::dayNumber(today) + 3)) +
                              ".shtml";
    for (const bool gzip : {false, true}) {
        const fetch::Result missing = get(server.base() + other, gzip);
        EXPECT_EQ(missing.status, 404) << gzip;
        EXPECT_TRUE(missing.error.empty()) << gzip << ": " << missing.error;
        EXPECT_FALSE(missing.body.empty()) << gzip;
    }
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
