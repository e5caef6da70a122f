// The score server's logic: reading and checking a posted score, storing it in SQLite, and
// writing the list page that the web server then hands out as a plain file.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace scores {

// The best score the rules allow: all 28 board cards in one chain (1 + 2 + ... + 28 = 406),
// 20 more for each of the three peaks, and the bonus of a board cleared without a stock card
// turned (120). There is no lowest score: every undo costs 3 points.
constexpr std::int64_t kBestPossibleScore = 406 + 3 * 20 + 120;
constexpr std::int64_t kWorstPossibleScore = INT32_MIN;
// Names are typed into a box of ten characters, but a longer one from the settings file is sent
// whole; this many characters are kept for such names.
constexpr std::size_t kMaxNameCharacters = 40;
// The list page shows this many places.
constexpr int kPlaces = 100;
// The sign beside a score whose moves the server played again, a check mark.
constexpr const char* kReplayedMark = "&#10003;";

struct Post {
    std::string name; // UTF-8
    std::string date; // as the player's computer wrote it, "m/d/yy" with its separator
    std::int64_t score = 0;
    // The game's proof of the score: its deal and its moves from the deal on. A post carries
    // both or neither; older games and other clients send neither.
    bool hasMoves = false;
    std::uint32_t deal = 0;
    std::string moves; // as posted, checked to be a move line
    // "YYYY-MM-DD" for a score of that date's Deal of the Day, else empty.
    std::string daily;
    // Set by verifyPost once the moves gave exactly the score.
    bool verified = false;
};

// Reads "name=…&date=…&score=…", optionally followed by "&deal=…&moves=…" and "&daily=…"
// (percent-encoded values, "+" for a blank) and checks every value. False with the reason in
// `why` for anything the game never sends.
bool parseQuery(const std::string& query, Post& post, std::string& why);

// What the server takes besides scores it can replay.
struct Policy {
    bool verifiedOnly = false; // refuse posts without moves
};

// Plays a post's moves again on its deal: they must all be legal, clear the board and give
// exactly the posted score. A daily post must name a date within one day of the server's
// (`now`, in UTC) and that date's deal. Sets `post.verified`; false with the reason in `why`.
bool verifyPost(Post& post, const Policy& policy, std::int64_t now, std::string& why);

// Decodes %XX and "+"; false on a "%" without two hexadecimal digits.
bool percentDecode(const std::string& text, std::string& out);

bool validName(const std::string& name);
bool validDate(const std::string& date);
bool parseScore(const std::string& text, std::int64_t& score);

// Text made safe for HTML content and attribute values.
std::string htmlEscape(const std::string& text);

struct Entry {
    std::string name;
    std::string date;
    std::int64_t score = 0;
    bool verified = false;
};

// The list page: rank, name, score, date and the replay mark of each entry, best first. With
// `daily` ("YYYY-MM-DD") it is the page of that date's Deal of the Day.
std::string renderPage(const std::vector<Entry>& entries, std::int64_t totalPosts,
                       const std::string& daily = {});

// One CGI request, as the web server hands it over.
struct Request {
    std::string query;
    std::string remoteAddress;
    std::string folder;      // holds scores.db and www/counter/solmarin.shtml
    int postsPerMinute = 20; // per client address; 0 for no limit
    std::int64_t now = 0;    // seconds since the epoch
    Policy policy;
};

struct Response {
    int status = 200;
    std::string body;
};

// Checks, stores and answers one post; the list page is rewritten in the same transaction, so
// the page always shows the posts in the order they were stored.
Response handle(const Request& request);

// Writes the list page from the database (made when missing), for a server that starts empty.
// Returns an error text, empty on success.
std::string writePage(const std::string& folder);

std::string databasePath(const std::string& folder);
std::string pagePath(const std::string& folder);
// The page of one date's Deal of the Day, www/counter/daily/YYYY-MM-DD.shtml.
std::string dailyPagePath(const std::string& folder, const std::string& date);

} // namespace scores
