// The score server's logic: checking a post, storing it, writing the list page.
#include "scores.h"

#include "daily.h"
#include "moveline.h"

#include <sqlite3.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <map>
#include <memory>
#include <mutex>
#include <optional>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace scores {

namespace {

int hexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Decodes one UTF-8 character at `at`; false for a malformed, overlong or surrogate form.
bool nextCharacter(const std::string& text, std::size_t& at, std::uint32_t& code) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(at);
    int extra = 0;
    std::uint32_t least = 0;
    if (lead < 0x80) {
        code = lead;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
        code = lead & 0x1F, extra = 1, least = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        code = lead & 0x0F, extra = 2, least = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        code = lead & 0x07, extra = 3, least = 0x10000;
    } else {
        return false;
    }
    if (extra && at + std::size_t(extra) >= text.size())
        return false;
    for (int i = 1; i <= extra; ++i) {
        if ((byte(at + std::size_t(i)) & 0xC0) != 0x80)
            return false;
        code = (code << 6) | (byte(at + std::size_t(i)) & 0x3F);
    }
    at += std::size_t(extra) + 1;
    if (extra && code < least)
        return false;
    return code <= 0x10FFFF && !(code >= 0xD800 && code <= 0xDFFF);
}

bool allDigits(const std::string& text) {
    if (text.empty())
        return false;
    for (char c : text) {
        if (c < '0' || c > '9')
            return false;
    }
    return true;
}

} // namespace

bool percentDecode(const std::string& text, std::string& out) {
    out.clear();
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '+') {
            out += ' ';
        } else if (c == '%') {
            if (i + 2 >= text.size())
                return false;
            const int high = hexValue(text[i + 1]);
            const int low = hexValue(text[i + 2]);
            if (high < 0 || low < 0)
                return false;
            out += char(high * 16 + low);
            i += 2;
        } else {
            out += c;
        }
    }
    return true;
}

bool validName(const std::string& name) {
    std::size_t characters = 0;
    for (std::size_t at = 0; at < name.size();) {
        std::uint32_t code = 0;
        if (!nextCharacter(name, at, code))
            return false;
        // No control characters of either range, nor the line and paragraph separators.
        if (code < 0x20 || (code >= 0x7F && code <= 0x9F) || code == 0x2028 || code == 0x2029)
            return false;
        ++characters;
    }
    return characters >= 1 && characters <= kMaxNameCharacters;
}

bool validDate(const std::string& date) {
    // Month and day without leading zeros needed, a two-digit year, one separator twice.
    const std::size_t first = date.find_first_of("/.-");
    if (first == std::string::npos)
        return false;
    const char separator = date[first];
    const std::size_t second = date.find(separator, first + 1);
    if (second == std::string::npos)
        return false;
    const std::string month = date.substr(0, first);
    const std::string day = date.substr(first + 1, second - first - 1);
    const std::string year = date.substr(second + 1);
    if (!allDigits(month) || !allDigits(day) || !allDigits(year) || month.size() > 2 ||
        day.size() > 2 || year.size() != 2)
        return false;
    const int m = std::atoi(month.c_str());
    const int d = std::atoi(day.c_str());
    const int y = std::atoi(year.c_str());
    static const int kDays[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (m < 1 || m > 12 || d < 1 || d > kDays[m - 1])
        return false;
    // Two-digit years are this century's, in which every fourth year is a leap year.
    return !(m == 2 && d == 29 && y % 4 != 0);
}

bool parseScore(const std::string& text, std::int64_t& score) {
    const bool negative = !text.empty() && text[0] == '-';
    const std::string digits = negative ? text.substr(1) : text;
    // The game writes plain decimal numbers: no "+", no leading zeros, no "-0".
    if (!allDigits(digits) || digits.size() > 10 || (digits.size() > 1 && digits[0] == '0') ||
        (negative && digits == "0"))
        return false;
    const std::int64_t value = std::strtoll(digits.c_str(), nullptr, 10) * (negative ? -1 : 1);
    if (value < kWorstPossibleScore || value > kBestPossibleScore)
        return false;
    score = value;
    return true;
}

namespace {

// A deal number as the game writes it: decimal, no leading zeros, at most 4294967295.
bool parseDeal(const std::string& text, std::uint32_t& deal) {
    if (!allDigits(text) || text.size() > 10 || (text.size() > 1 && text[0] == '0'))
        return false;
    const unsigned long long value = std::strtoull(text.c_str(), nullptr, 10);
    if (value > UINT32_MAX)
        return false;
    deal = std::uint32_t(value);
    return true;
}

// Checks one decoded value and keeps it in `post`.
bool takeValue(const std::string& key, const std::string& value, Post& post, std::string& why) {
    if (key == "name") {
        post.name = value;
        why = "the name is empty, too long or holds control characters";
        return validName(value);
    }
    if (key == "date") {
        post.date = value;
        why = "the date is not a m/d/yy date";
        return validDate(value);
    }
    if (key == "score") {
        why = "the score is no score the game can reach";
        return parseScore(value, post.score);
    }
    if (key == "deal") {
        why = "the deal is no deal number";
        return parseDeal(value, post.deal);
    }
    if (key == "moves") {
        std::vector<int> moves;
        post.moves = value;
        return moveline::parse(value, moves, why);
    }
    daily::Date date;
    post.daily = value;
    why = "the daily date is not a YYYY-MM-DD date";
    return daily::parseDate(value, date);
}

// The day's deal, remembered: a server that stays running searches once per date. Only three
// dates are ever taken at a time, so the few kept are enough.
std::optional<std::uint32_t> dealOfTheDay(const daily::Date& date) {
    static std::mutex lock;
    static std::map<std::int64_t, std::optional<std::uint32_t>> known;
    const std::int64_t day = daily::dayNumber(date);
    {
        const std::lock_guard<std::mutex> hold(lock);
        const auto found = known.find(day);
        if (found != known.end())
            return found->second;
    }
    const std::optional<std::uint32_t> deal = daily::deal(date);
    const std::lock_guard<std::mutex> hold(lock);
    if (known.size() >= 8)
        known.erase(known.begin());
    known[day] = deal;
    return deal;
}

} // namespace

bool parseQuery(const std::string& query, Post& post, std::string& why) {
    // In the order the game sends them.
    enum Key { kName, kDate, kScore, kDeal, kMoves, kDaily, kKeyCount };
    static const char* const kKeys[kKeyCount] = {"name", "date", "score", "deal", "moves", "daily"};
    bool seen[kKeyCount] = {};
    std::size_t start = 0;
    while (start <= query.size()) {
        std::size_t end = query.find('&', start);
        if (end == std::string::npos)
            end = query.size();
        const std::string pair = query.substr(start, end - start);
        start = end + 1;
        const std::size_t equals = pair.find('=');
        if (equals == std::string::npos) {
            why = "a query part without a value";
            return false;
        }
        const std::string key = pair.substr(0, equals);
        std::string value;
        if (!percentDecode(pair.substr(equals + 1), value)) {
            why = "a malformed escape";
            return false;
        }
        const auto known = std::find(std::begin(kKeys), std::end(kKeys), key);
        if (known == std::end(kKeys) || seen[known - std::begin(kKeys)]) {
            why = known == std::end(kKeys) ? "an unknown key" : "a key given twice";
            return false;
        }
        seen[known - std::begin(kKeys)] = true;
        if (!takeValue(key, value, post, why))
            return false;
    }
    if (!seen[kName] || !seen[kDate] || !seen[kScore]) {
        why = "name, date and score are all needed";
        return false;
    }
    if (seen[kDeal] != seen[kMoves]) {
        why = "the deal and its moves go together";
        return false;
    }
    if (seen[kDaily] && !seen[kDeal]) {
        why = "a daily score needs its deal and moves";
        return false;
    }
    post.hasMoves = seen[kDeal];
    why.clear();
    return true;
}

bool verifyPost(Post& post, const Policy& policy, std::int64_t now, std::string& why) {
    post.verified = false;
    why.clear();
    if (!post.hasMoves) {
        if (policy.verifiedOnly)
            why = "this server takes only scores whose moves it can play again";
        return !policy.verifiedOnly;
    }
    daily::Date date;
    if (!post.daily.empty()) {
        if (!daily::parseDate(post.daily, date)) {
            why = "the daily date is not a YYYY-MM-DD date";
            return false;
        }
        // Players live in every time zone: their date is the server's, the day before or the
        // day after.
        const std::int64_t today = (now >= 0 ? now : now - 86399) / 86400;
        const std::int64_t distance = daily::dayNumber(date) - today;
        if (distance < -1 || distance > 1) {
            why = "the daily date is more than a day from the server's date";
            return false;
        }
    }
    std::vector<int> moves;
    if (!moveline::parse(post.moves, moves, why))
        return false;
    const moveline::Outcome outcome = moveline::replay(post.deal, moves);
    if (!outcome.legal || !outcome.cleared) {
        why = outcome.why;
        return false;
    }
    if (outcome.score != post.score) {
        why = "the moves score " + std::to_string(outcome.score) + ", not " +
              std::to_string(post.score);
        return false;
    }
    // The search for the day's deal costs more than the replay, so it comes last.
    if (!post.daily.empty() && dealOfTheDay(date) != post.deal) {
        why = "the deal is not the deal of " + post.daily;
        return false;
    }
    post.verified = true;
    why.clear();
    return true;
}

std::string htmlEscape(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        case '\'':
            out += "&#39;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

std::string renderPage(const std::vector<Entry>& entries, std::int64_t totalPosts,
                       const std::string& daily) {
    const std::string title =
        daily.empty() ? "Solmarin High Scores" : "Solmarin Deal of the Day " + htmlEscape(daily);
    std::string page =
        "<!DOCTYPE html>\n"
        "<html><head><meta charset=\"utf-8\"><title>" +
        title +
        "</title>\n"
        "<style>body{background:#4024ae;color:#fff;font-family:\"Times New Roman\",serif}"
        "table{margin:0 auto}th,td{padding:2px 8px}a{color:#f00}a:visited{color:#c0c0c0}"
        "</style></head>\n"
        "<body bgcolor=\"#4024ae\" text=\"#ffffff\" link=\"#ff0000\" vlink=\"#c0c0c0\">\n"
        "<h2 align=\"center\">" +
        title + "</h2>\n";
    if (entries.empty()) {
        page += "<p align=\"center\">No scores have been posted yet.</p>\n";
    } else {
        page += "<table align=\"center\" cellspacing=\"0\" cellpadding=\"3\">\n"
                "<tr><th align=\"right\">Rank</th><th align=\"left\">Name</th>"
                "<th align=\"right\">Score</th><th align=\"left\">Date</th>"
                "<th>Replayed</th></tr>\n";
        int rank = 0;
        for (const Entry& entry : entries) {
            page += "<tr><td align=\"right\">" + std::to_string(++rank) + "</td><td>" +
                    htmlEscape(entry.name) + "</td><td align=\"right\">" +
                    std::to_string(entry.score) + "</td><td>" + htmlEscape(entry.date) +
                    "</td><td align=\"center\">" + (entry.verified ? kReplayedMark : "") +
                    "</td></tr>\n";
        }
        page += "</table>\n<p align=\"center\">" + std::string(kReplayedMark) +
                " The server played this game's moves again and they gave exactly this "
                "score.</p>\n";
    }
    page += "<p align=\"center\">" + std::to_string(totalPosts) +
            (totalPosts == 1 ? " score" : " scores") + " posted.</p>\n</body></html>\n";
    return page;
}

std::string databasePath(const std::string& folder) {
    return folder + "/scores.db";
}

std::string pagePath(const std::string& folder) {
    return folder + "/www/counter/solmarin.shtml";
}

std::string dailyPagePath(const std::string& folder, const std::string& date) {
    return folder + "/www/counter/daily/" + date + ".shtml";
}

namespace {

struct Database {
    sqlite3* db = nullptr;
    ~Database() { sqlite3_close(db); }
    bool exec(const char* sql) {
        return sqlite3_exec(db, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
    }
    std::string error() const { return db ? sqlite3_errmsg(db) : "no database"; }
};

struct Statement {
    sqlite3_stmt* statement = nullptr;
    Statement(sqlite3* db, const char* sql) {
        sqlite3_prepare_v2(db, sql, -1, &statement, nullptr);
    }
    ~Statement() { sqlite3_finalize(statement); }
    explicit operator bool() const { return statement != nullptr; }
};

// Columns added to the scores table after its first version; an older database gets them in
// place, its rows then count as unverified and not daily.
constexpr const char* kAddedColumns[][2] = {
    {"verified", "INTEGER NOT NULL DEFAULT 0"},
    {"deal", "INTEGER"},
    {"moves", "TEXT"},
    {"daily", "TEXT"},
};

bool hasColumn(Database& database, const char* name) {
    Statement columns(database.db, "SELECT 1 FROM pragma_table_info('scores') WHERE name = ?");
    sqlite3_bind_text(columns.statement, 1, name, -1, SQLITE_STATIC);
    return columns && sqlite3_step(columns.statement) == SQLITE_ROW;
}

bool addColumns(Database& database) {
    for (const auto& column : kAddedColumns) {
        if (hasColumn(database, column[0]))
            continue;
        const std::string alter =
            std::string("ALTER TABLE scores ADD COLUMN ") + column[0] + " " + column[1];
        // Another request may have added it in the meantime.
        if (!database.exec(alter.c_str()) && !hasColumn(database, column[0]))
            return false;
    }
    return true;
}

bool open(const std::string& folder, Database& database) {
    if (sqlite3_open(databasePath(folder).c_str(), &database.db) != SQLITE_OK)
        return false;
    // Concurrent posts queue on the write lock instead of failing at once.
    sqlite3_busy_timeout(database.db, 10000);
    return database.exec("PRAGMA journal_mode=WAL") && database.exec("PRAGMA synchronous=NORMAL") &&
           database.exec("CREATE TABLE IF NOT EXISTS scores(id INTEGER PRIMARY KEY, name TEXT "
                         "NOT NULL, date TEXT NOT NULL, score INTEGER NOT NULL, posted INTEGER "
                         "NOT NULL, address TEXT NOT NULL, verified INTEGER NOT NULL DEFAULT 0, "
                         "deal INTEGER, moves TEXT, daily TEXT);"
                         "CREATE INDEX IF NOT EXISTS best ON scores(score DESC, id);"
                         "CREATE TABLE IF NOT EXISTS recent(address TEXT NOT NULL, posted "
                         "INTEGER NOT NULL);"
                         "CREATE INDEX IF NOT EXISTS recent_by_address ON recent(address, "
                         "posted);") &&
           addColumns(database) &&
           database.exec("CREATE INDEX IF NOT EXISTS best_of_day ON scores(daily, score DESC, "
                         "id) WHERE daily IS NOT NULL");
}

// Written to a new file and renamed over the old one, so a reader never sees half a page.
bool replaceFile(const std::string& path, const std::string& content) {
    std::string temporary = path + ".XXXXXX";
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0)
        return false;
    std::size_t written = 0;
    while (written < content.size()) {
        const ssize_t n = ::write(fd, content.data() + written, content.size() - written);
        if (n <= 0)
            break;
        written += std::size_t(n);
    }
    const bool ok = written == content.size() && ::fchmod(fd, 0644) == 0 && ::close(fd) == 0;
    if (!ok || std::rename(temporary.c_str(), path.c_str()) != 0) {
        ::unlink(temporary.c_str());
        return false;
    }
    return true;
}

// The best entries and the number of posts, of all scores or of one day's deal.
bool readList(Database& database, const std::string& daily, std::vector<Entry>& entries,
              std::int64_t& total) {
    Statement best(database.db,
                   daily.empty()
                       ? "SELECT name, date, score, verified FROM scores ORDER BY score DESC, id "
                         "LIMIT ?1"
                       : "SELECT name, date, score, verified FROM scores WHERE daily = ?2 AND "
                         "verified ORDER BY score DESC, id LIMIT ?1");
    Statement count(database.db, daily.empty()
                                     ? "SELECT count(*) FROM scores"
                                     : "SELECT count(*) FROM scores WHERE daily = ?1 AND verified");
    if (!best || !count)
        return false;
    sqlite3_bind_int(best.statement, 1, kPlaces);
    if (!daily.empty()) {
        sqlite3_bind_text(best.statement, 2, daily.c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(count.statement, 1, daily.c_str(), -1, SQLITE_TRANSIENT);
    }
    while (sqlite3_step(best.statement) == SQLITE_ROW) {
        entries.push_back({reinterpret_cast<const char*>(sqlite3_column_text(best.statement, 0)),
                           reinterpret_cast<const char*>(sqlite3_column_text(best.statement, 1)),
                           sqlite3_column_int64(best.statement, 2),
                           sqlite3_column_int(best.statement, 3) != 0});
    }
    if (sqlite3_step(count.statement) != SQLITE_ROW)
        return false;
    total = sqlite3_column_int64(count.statement, 0);
    return true;
}

bool writePageFrom(Database& database, const std::string& folder, const std::string& daily = {}) {
    std::vector<Entry> entries;
    std::int64_t total = 0;
    if (!readList(database, daily, entries, total))
        return false;
    if (daily.empty())
        return replaceFile(pagePath(folder), renderPage(entries, total));
    const std::string days = folder + "/www/counter/daily";
    if (::mkdir(days.c_str(), 0755) != 0 && errno != EEXIST)
        return false;
    return replaceFile(dailyPagePath(folder, daily), renderPage(entries, total, daily));
}

bool overLimit(Database& database, const Request& request) {
    if (request.postsPerMinute <= 0)
        return false;
    Statement forget(database.db, "DELETE FROM recent WHERE posted <= ?");
    sqlite3_bind_int64(forget.statement, 1, request.now - 60);
    sqlite3_step(forget.statement);
    Statement count(database.db, "SELECT count(*) FROM recent WHERE address = ?");
    sqlite3_bind_text(count.statement, 1, request.remoteAddress.c_str(), -1, SQLITE_TRANSIENT);
    return sqlite3_step(count.statement) == SQLITE_ROW &&
           sqlite3_column_int(count.statement, 0) >= request.postsPerMinute;
}

bool store(Database& database, const Request& request, const Post& post) {
    Statement insert(database.db,
                     "INSERT INTO scores(name, date, score, posted, address, verified, deal, "
                     "moves, daily) VALUES(?, ?, ?, ?, ?, ?, ?, ?, ?)");
    sqlite3_bind_text(insert.statement, 1, post.name.c_str(), int(post.name.size()),
                      SQLITE_TRANSIENT);
    sqlite3_bind_text(insert.statement, 2, post.date.c_str(), -1, SQLITE_TRANSIENT);
    sqlite3_bind_int64(insert.statement, 3, post.score);
    sqlite3_bind_int64(insert.statement, 4, request.now);
    sqlite3_bind_text(insert.statement, 5, request.remoteAddress.c_str(), -1, SQLITE_TRANSIENT);
    sqlite3_bind_int(insert.statement, 6, post.verified ? 1 : 0);
    if (post.hasMoves) {
        sqlite3_bind_int64(insert.statement, 7, post.deal);
        sqlite3_bind_text(insert.statement, 8, post.moves.c_str(), -1, SQLITE_TRANSIENT);
    }
    if (!post.daily.empty())
        sqlite3_bind_text(insert.statement, 9, post.daily.c_str(), -1, SQLITE_TRANSIENT);
    Statement remember(database.db, "INSERT INTO recent(address, posted) VALUES(?, ?)");
    sqlite3_bind_text(remember.statement, 1, request.remoteAddress.c_str(), -1, SQLITE_TRANSIENT);
    sqlite3_bind_int64(remember.statement, 2, request.now);
    return sqlite3_step(insert.statement) == SQLITE_DONE &&
           sqlite3_step(remember.statement) == SQLITE_DONE;
}

} // namespace

Response handle(const Request& request) {
    Post post;
    std::string why;
    if (!parseQuery(request.query, post, why) ||
        !verifyPost(post, request.policy, request.now, why))
        return {400, "Score refused: " + why + ".\n"};
    Database database;
    if (!open(request.folder, database))
        return {500, "The score list cannot be opened.\n"};
    // One writer at a time from here to the commit: the count of recent posts, the new row and
    // the pages all belong to the same moment.
    if (!database.exec("BEGIN IMMEDIATE"))
        return {503, "The score list is busy; try again.\n"};
    if (overLimit(database, request)) {
        database.exec("ROLLBACK");
        return {429, "Too many scores from this address; try again in a minute.\n"};
    }
    if (!store(database, request, post) || !writePageFrom(database, request.folder) ||
        (!post.daily.empty() && !writePageFrom(database, request.folder, post.daily)) ||
        !database.exec("COMMIT")) {
        database.exec("ROLLBACK");
        return {500, "The score could not be stored.\n"};
    }
    return {200, post.verified ? "Score recorded and verified.\n" : "Score recorded.\n"};
}

std::string writePage(const std::string& folder) {
    Database database;
    if (!open(folder, database))
        return "cannot open " + databasePath(folder) + ": " + database.error();
    if (!writePageFrom(database, folder))
        return "cannot write " + pagePath(folder);
    return {};
}

} // namespace scores
