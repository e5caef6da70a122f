// The score server's logic: reading and checking a posted score, storing posts in batches behind
// one small database interface, and writing the list page that the web server hands out.
#pragma once

#include <cstdint>
#include <memory>
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

// One post as the web server hands it over.
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

// The answers every engine and front end gives.
Response refused(const std::string& why);
Response tooMany();
Response notStored();

// A checked post with what the server adds to it: one row of the database.
struct Record {
    Post post;
    std::string address;
    std::int64_t posted = 0;
};

// What a list page shows.
struct List {
    std::vector<Entry> entries; // best first, at most kPlaces
    std::int64_t total = 0;     // the posts the list counts
};

// The database behind the server: one small interface with an engine per database (SQLite in a
// folder, PostgreSQL for several machines). Every call returns false on a failure and leaves the
// reason in error(). An engine serves one thread at a time.
class Store {
public:
    virtual ~Store() = default;
    // Starts a transaction that holds the write lock to its end, so that the checks and the rows
    // of one batch of posts belong to the same moment on every machine.
    virtual bool begin() = 0;
    // Forgets the posts of `forgetUpTo` and before for the rate limit, and counts each address's
    // remaining ones.
    virtual bool recentPosts(const std::vector<std::string>& addresses, std::int64_t forgetUpTo,
                             std::vector<int>& counts) = 0;
    // Stores the rows, and remembers each for the rate limit when `remember` is set.
    virtual bool insert(const std::vector<Record>& records, bool remember) = 0;
    virtual bool commit() = 0;
    virtual void rollback() = 0;
    // The list as the open transaction sees it, or as the last commit left it: of every post,
    // or with `daily` ("YYYY-MM-DD") of that date's Deal of the Day (verified posts only).
    virtual bool readList(const std::string& daily, List& list) = 0;
    // The number of posts stored, read cheaply: it changes with every commit that stores one, so
    // it tells whether a page made earlier is still the current one.
    virtual bool postCount(std::int64_t& total) = 0;
    // Called after a commit that stored posts: returns once the list pages every machine serves
    // show them, false when that cannot be known. Where the batch writes the pages itself, there
    // is nothing to wait for.
    virtual bool awaitPages() { return true; }
    virtual std::string error() const = 0;
};

// The list pages kept as files in a folder for the web server to hand out: the main list and the
// pages of the days a batch posted to, each with its gzip copy. They are written to temporary files
// from inside the transaction and take the pages' names only once the commit has succeeded, so a
// failed commit (a full disk) never shows a score the database does not hold, and a write that
// fails keeps the batch from being committed at all.
class PageFiles {
public:
    explicit PageFiles(std::string folder);
    ~PageFiles();
    bool prepare(Store& store, const std::vector<std::string>& days);
    bool publish();
    void discard();

private:
    bool prepareOne(Store& store, const std::string& daily);
    bool prepareFile(const std::string& path, const std::string& content);

    std::string m_folder;
    std::vector<std::pair<std::string, std::string>> m_written; // temporary, final
};

// The names of the entries of `folder`, "." and ".." left out; false when it cannot be read,
// with errno telling why.
bool namesIn(const std::string& folder, std::vector<std::string>& names);

// `content` as gzip (RFC 1952) at the best compression, as the pages' copies are made; false
// when it cannot be made.
bool gzipped(const std::string& content, std::string& out);

// Temporary pages are named PAGE.XXXXXX plus this, so the web server can refuse them.
constexpr const char* kTemporarySuffix = ".tmp";
// Each page has a gzip copy beside it, PAGE plus this, made with the page and renamed with it,
// for the clients that accept gzip: a tenth of the bytes to copy for every read.
constexpr const char* kCompressedSuffix = ".gz";

// One post waiting in a batch, and its answer once the batch is done.
struct Pending {
    Post post;
    std::string address;
    std::int64_t now = 0;
    Response response;
};

// Stores a batch of checked posts in one transaction: the rate limit over the posts already
// stored and those before each in the batch, the rows, the pages (when `pages` is set), the
// commit. Every post gets its answer; 200 only once its row is committed and on the pages, those
// written here or those the store waits for.
void storeBatch(Store& store, PageFiles* pages, int postsPerMinute, std::vector<Pending>& batch);

// SQLite in `path` (made when missing, an existing database kept as it is). A `resident` writer
// leaves copying the log into the database to a thread of its own.
std::unique_ptr<Store> openSqlite(const std::string& path, std::string& error,
                                  bool resident = false);

// PostgreSQL through libpq; `conninfo` is a "postgresql://…" address or key=value settings. A
// lost connection is made again at the next transaction. Every machine's page keeper (see
// pagekeeper.h) is told of each batch at its commit; with `keeper`, the id of this machine's own,
// awaitPages() also waits until that one's pages show the batch, even when its lease has lapsed.
std::unique_ptr<Store> openPostgres(const std::string& conninfo, std::string& error,
                                    const std::string& keeper = {});
bool isPostgresAddress(const std::string& database);

// Checks, stores and answers one post in the folder's SQLite database and page, for the CGI
// program.
Response handle(const Request& request);

// Writes the list page from the database (made when missing), for a server that starts empty.
// Returns an error text, empty on success.
std::string writePage(const std::string& folder);
std::string writeMainPage(Store& store, const std::string& folder);

std::string databasePath(const std::string& folder);
std::string pagePath(const std::string& folder);
// The page of one date's Deal of the Day, www/counter/daily/YYYY-MM-DD.shtml.
std::string dailyPagePath(const std::string& folder, const std::string& date);

// Where the list pages are found on the web server.
constexpr const char* kListPath = "/counter/solmarin.shtml";
constexpr const char* kPostPath = "/cgi-bin/solmarin.cgi";

constexpr const char* kDailyFolder = "/counter/daily/";

// What a request to the score service asks for, read from its method and its address (path and
// query, as the client sent them). A list is the main one, or with `daily` set a day's.
enum class Route { Post, List, NotFound, NotAllowed };
Route route(const std::string& method, const std::string& uri, std::string& query,
            std::string& daily);

} // namespace scores
