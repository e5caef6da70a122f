// Posts that carry their moves: the server plays them again and keeps only won games with
// exactly their score; the verified mark, the Deal of the Day pages and an older database.
#include "daily.h"
#include "game.h"
#include "moveline.h"
#include "scores.h"
#include "solver.h"
#include "wongame.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include <sys/stat.h>
#include <unistd.h>

namespace {

// 8 December 2026, 12:00 UTC.
constexpr std::int64_t kNoon = 1796731200;
const daily::Date kToday{2026, 12, 8};

WonGame won(std::uint32_t deal) {
    return wonGame(deal);
}

std::string query(const WonGame& game, int score, const std::string& moves,
                  const std::string& extra = {}) {
    return "name=Ann&date=12/8/26&score=" + std::to_string(score) +
           "&deal=" + std::to_string(game.deal) + "&moves=" + moves + extra;
}

std::string readFile(const std::string& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

class ReplayedPosts : public ::testing::Test {
protected:
    void SetUp() override {
        char folder[] = "/tmp/solmarin-replayed-XXXXXX";
        ASSERT_TRUE(::mkdtemp(folder));
        m_folder = folder;
        ::mkdir((m_folder + "/www").c_str(), 0755);
        ::mkdir((m_folder + "/www/counter").c_str(), 0755);
    }
    void TearDown() override { (void)std::system(("rm -rf '" + m_folder + "'").c_str()); }
    scores::Response post(const std::string& q, bool verifiedOnly = false,
                          std::int64_t now = kNoon) {
        scores::Request request{q, "10.0.0.1", m_folder, 0, now, {}};
        request.policy.verifiedOnly = verifiedOnly;
        return scores::handle(request);
    }
    std::string page() const { return readFile(scores::pagePath(m_folder)); }
    std::string dailyPage(const std::string& date) const {
        return readFile(scores::dailyPagePath(m_folder, date));
    }
    std::string m_folder;
};

TEST_F(ReplayedPosts, OnlyTheWonLineWithItsOwnScoreIsTaken) {
    const WonGame game = won(7);
    const std::string cut = game.moves.substr(0, game.moves.rfind('.'));
    std::string hundredThousand = "s";
    for (int i = 1; i < 100000; ++i)
        hundredThousand += ".s";
    struct Case {
        const char* what;
        std::string query;
    } refused[] = {
        {"another score", query(game, game.score - 1, game.moves)},
        {"a higher score", query(game, game.score + 3, game.moves)},
        {"cut one move short", query(game, game.score, cut)},
        {"another deal", "name=Ann&date=12/8/26&score=" + std::to_string(game.score) +
                             "&deal=8&moves=" + game.moves},
        {"an illegal move", query(game, game.score, "1." + game.moves)},
        {"a move after the end", query(game, game.score, game.moves + ".s")},
        {"100,000 moves", query(game, game.score, hundredThousand)},
        {"garbage moves", query(game, game.score, "19.x%00.<b>")},
        {"no moves", query(game, game.score, "")},
        {"moves without a deal", "name=Ann&date=12/8/26&score=5&moves=19"},
        {"a deal without moves", "name=Ann&date=12/8/26&score=5&deal=7"},
        {"a deal out of range", "name=Ann&date=12/8/26&score=5&deal=4294967296&moves=19"},
        {"a deal with a leading zero", "name=Ann&date=12/8/26&score=5&deal=07&moves=19"},
        {"moves twice", query(game, game.score, game.moves, "&moves=" + game.moves)},
    };
    ASSERT_EQ(post("name=Bo&date=12/8/26&score=10").status, 200);
    const std::string before = page();
    for (const Case& c : refused) {
        const scores::Response response = post(c.query);
        EXPECT_EQ(response.status, 400) << c.what;
        EXPECT_EQ(response.body.rfind("Score refused: ", 0), 0u) << c.what;
        EXPECT_EQ(response.body.find('\n'), response.body.size() - 1) << c.what;
        EXPECT_EQ(page(), before) << c.what;
    }

    const scores::Response taken = post(query(game, game.score, game.moves));
    EXPECT_EQ(taken.status, 200) << taken.body;
    EXPECT_EQ(taken.body, "Score recorded and verified.\n");
    const std::string text = page();
    // The won game is marked, the three-key post is not, and the mark is explained.
    EXPECT_NE(text.find("<td>Ann</td><td align=\"right\">" + std::to_string(game.score) +
                        "</td><td>12/8/26</td><td align=\"center\">" + scores::kReplayedMark +
                        "</td>"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("<td>Bo</td><td align=\"right\">10</td><td>12/8/26</td><td "
                        "align=\"center\"></td>"),
              std::string::npos);
    EXPECT_NE(text.find("<p align=\"center\">" + std::string(scores::kReplayedMark) +
                        " The server played this game's moves again"),
              std::string::npos);
    EXPECT_NE(text.find("2 scores posted."), std::string::npos);
}

TEST_F(ReplayedPosts, ThreeKeyPostsAreUnverifiedOrRefusedAsTheServerChooses) {
    const WonGame game = won(12345);
    EXPECT_EQ(post("name=a&date=12/8/26&score=100", true).status, 400);
    EXPECT_EQ(post("name=a&date=12/8/26&score=100", false).body, "Score recorded.\n");
    EXPECT_EQ(post(query(game, game.score, game.moves), true).status, 200);
    EXPECT_NE(page().find("2 scores posted."), std::string::npos);
}

TEST_F(ReplayedPosts, DailyScoresNeedTheDaysDealWithinADayOfTheServer) {
    const std::string today = daily::formatDate(kToday);
    const WonGame game = won(*daily::deal(kToday));
    const daily::Date tomorrow = daily::dateOfDay(daily::dayNumber(kToday) + 1);
    const daily::Date later = daily::dateOfDay(daily::dayNumber(kToday) + 2);
    const daily::Date earlier = daily::dateOfDay(daily::dayNumber(kToday) - 2);
    const WonGame tomorrowsGame = won(*daily::deal(tomorrow));
    const WonGame laterGame = won(*daily::deal(later));
    struct Case {
        const char* what;
        std::string query;
        int status;
    } cases[] = {
        {"today's deal", query(game, game.score, game.moves, "&daily=" + today), 200},
        {"tomorrow's deal, for a player ahead of the server",
         query(tomorrowsGame, tomorrowsGame.score, tomorrowsGame.moves,
               "&daily=" + daily::formatDate(tomorrow)),
         200},
        {"today's deal under tomorrow's date",
         query(game, game.score, game.moves, "&daily=" + daily::formatDate(tomorrow)), 400},
        {"a date two days ahead",
         query(laterGame, laterGame.score, laterGame.moves, "&daily=" + daily::formatDate(later)),
         400},
        {"a date two days back",
         query(game, game.score, game.moves, "&daily=" + daily::formatDate(earlier)), 400},
        {"another deal, won", query(won(7), won(7).score, won(7).moves, "&daily=" + today), 400},
        {"today's deal with another score",
         query(game, game.score - 2, game.moves, "&daily=" + today), 400},
        {"a daily date without moves", "name=a&date=12/8/26&score=5&daily=" + today, 400},
        {"no calendar day", query(game, game.score, game.moves, "&daily=2026-02-30"), 400},
    };
    for (const Case& c : cases)
        EXPECT_EQ(post(c.query).status, c.status) << c.what;
    // A three-key post and a plain verified one do not reach the day's page.
    EXPECT_EQ(post("name=Cy&date=12/8/26&score=580").status, 200);
    const WonGame other = won(7);
    EXPECT_EQ(post(query(other, other.score, other.moves)).status, 200);

    const std::string day = dailyPage(today);
    EXPECT_NE(day.find("Solmarin Deal of the Day " + today), std::string::npos);
    EXPECT_NE(day.find("<td>Ann</td><td align=\"right\">" + std::to_string(game.score)),
              std::string::npos);
    EXPECT_EQ(day.find("<td>Cy</td>"), std::string::npos);
    EXPECT_NE(day.find("1 score posted."), std::string::npos);
    EXPECT_NE(dailyPage(daily::formatDate(tomorrow)).find("1 score posted."), std::string::npos);
    EXPECT_EQ(dailyPage(daily::formatDate(later)), "");
    // Every accepted score is on the main list.
    EXPECT_NE(page().find("4 scores posted."), std::string::npos);
}

TEST_F(ReplayedPosts, TheDaysPageShowsItsBestHundredEscaped) {
    const WonGame game = won(*daily::deal(kToday));
    const std::string today = daily::formatDate(kToday);
    for (int i = 0; i < 103; ++i) {
        const std::string name = i == 50 ? "%3Cb%3E" : "p" + std::to_string(i);
        ASSERT_EQ(post("name=" + name + "&date=12/8/26&score=" + std::to_string(game.score) +
                       "&deal=" + std::to_string(game.deal) + "&moves=" + game.moves +
                       "&daily=" + today)
                      .status,
                  200);
    }
    const std::string day = dailyPage(today);
    std::size_t rows = 0;
    for (std::size_t at = 0; (at = day.find("<tr><td", at)) != std::string::npos; ++at)
        ++rows;
    EXPECT_EQ(rows, 100u);
    EXPECT_NE(day.find("103 scores posted."), std::string::npos);
    EXPECT_NE(day.find("<td>&lt;b&gt;</td>"), std::string::npos);
    EXPECT_EQ(day.find("<b>"), std::string::npos);
    // Equal scores keep the order they came in.
    EXPECT_NE(day.find("<td>p0</td>"), std::string::npos);
    EXPECT_EQ(day.find("<td>p102</td>"), std::string::npos);
}

// A database from before the moves were posted is extended in place and keeps its scores.
TEST_F(ReplayedPosts, AnOlderDatabaseIsMigratedInPlace) {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(scores::databasePath(m_folder).c_str(), &db), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(db,
                           "CREATE TABLE scores(id INTEGER PRIMARY KEY, name TEXT NOT NULL, date "
                           "TEXT NOT NULL, score INTEGER NOT NULL, posted INTEGER NOT NULL, "
                           "address TEXT NOT NULL);"
                           "CREATE INDEX best ON scores(score DESC, id);"
                           "INSERT INTO scores(name, date, score, posted, address) "
                           "VALUES('Old', '1/2/25', 300, 5, '10.0.0.9');",
                           nullptr, nullptr, nullptr),
              SQLITE_OK);
    sqlite3_close(db);

    EXPECT_EQ(scores::writePage(m_folder), "");
    EXPECT_NE(page().find("<td>Old</td><td align=\"right\">300</td><td>1/2/25</td><td "
                          "align=\"center\"></td>"),
              std::string::npos)
        << page();
    const WonGame game = won(*daily::deal(kToday));
    EXPECT_EQ(
        post(query(game, game.score, game.moves, "&daily=" + daily::formatDate(kToday))).status,
        200);
    EXPECT_NE(page().find("2 scores posted."), std::string::npos);

    ASSERT_EQ(sqlite3_open(scores::databasePath(m_folder).c_str(), &db), SQLITE_OK);
    sqlite3_stmt* rows = nullptr;
    ASSERT_EQ(sqlite3_prepare_v2(db,
                                 "SELECT name, verified, deal, moves, daily FROM scores ORDER "
                                 "BY id",
                                 -1, &rows, nullptr),
              SQLITE_OK);
    ASSERT_EQ(sqlite3_step(rows), SQLITE_ROW);
    EXPECT_EQ(sqlite3_column_int(rows, 1), 0);
    EXPECT_EQ(sqlite3_column_type(rows, 2), SQLITE_NULL);
    ASSERT_EQ(sqlite3_step(rows), SQLITE_ROW);
    EXPECT_EQ(sqlite3_column_int(rows, 1), 1);
    EXPECT_EQ(sqlite3_column_int64(rows, 2), game.deal);
    EXPECT_EQ(reinterpret_cast<const char*>(sqlite3_column_text(rows, 3)), game.moves);
    EXPECT_EQ(reinterpret_cast<const char*>(sqlite3_column_text(rows, 4)),
              daily::formatDate(kToday));
    sqlite3_finalize(rows);
    sqlite3_close(db);
}

} // namespace
