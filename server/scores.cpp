// The score server's logic: checking a post, storing a batch of posts, writing the list page.
#include "scores.h"

#include "daily.h"
#include "moveline.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <map>
#include <memory>
#include <mutex>
#include <optional>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <zlib.h>

namespace scores {

// The page as gzip (RFC 1952) at the best compression: a page is made once and read many times.
// What repeats in a page is its row markup, a hundred bytes apart, so a window of 1 KiB finds as
// much as the largest would, and setting it up costs a sixth: a batch of posts waits for it.
bool gzipped(const std::string& content, std::string& out) {
    z_stream stream{};
    // 10 bits of window, plus 16 for the gzip wrapper; memory level 4.
    if (deflateInit2(&stream, Z_BEST_COMPRESSION, Z_DEFLATED, 10 + 16, 4, Z_DEFAULT_STRATEGY) !=
        Z_OK)
        return false;
    out.resize(deflateBound(&stream, uLong(content.size())));
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(content.data()));
    stream.avail_in = uInt(content.size());
    stream.next_out = reinterpret_cast<Bytef*>(out.data());
    stream.avail_out = uInt(out.size());
    const bool done = deflate(&stream, Z_FINISH) == Z_STREAM_END;
    out.resize(stream.total_out);
    deflateEnd(&stream);
    return done;
}

bool namesIn(const std::string& folder, std::vector<std::string>& names) {
    names.clear();
    DIR* dir = ::opendir(folder.c_str());
    if (!dir)
        return false;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (name != "." && name != "..")
            names.push_back(name);
    }
    ::closedir(dir);
    return true;
}

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

Response refused(const std::string& why) {
    return {400, "Score refused: " + why + ".\n"};
}

Response tooMany() {
    return {429, "Too many scores from this address; try again in a minute.\n"};
}

Response notStored() {
    return {500, "The score could not be stored.\n"};
}

PageFiles::PageFiles(std::string folder) : m_folder(std::move(folder)) {}

PageFiles::~PageFiles() {
    discard();
}

bool PageFiles::prepare(Store& store, const std::vector<std::string>& days) {
    discard();
    if (!prepareOne(store, {}))
        return false;
    for (const std::string& day : days) {
        if (!prepareOne(store, day))
            return false;
    }
    return true;
}

bool PageFiles::prepareOne(Store& store, const std::string& daily) {
    List list;
    if (!store.readList(daily, list))
        return false;
    const std::string content = renderPage(list.entries, list.total, daily);
    const std::string path = daily.empty() ? pagePath(m_folder) : dailyPagePath(m_folder, daily);
    if (!daily.empty()) {
        const std::string days = m_folder + "/www/counter/daily";
        if (::mkdir(days.c_str(), 0755) != 0 && errno != EEXIST)
            return false;
    }
    std::string compressed;
    return gzipped(content, compressed) && prepareFile(path, content) &&
           prepareFile(path + kCompressedSuffix, compressed);
}

bool PageFiles::prepareFile(const std::string& path, const std::string& content) {
    std::string temporary = path + ".XXXXXX" + kTemporarySuffix;
    const int fd = ::mkstemps(temporary.data(), int(std::strlen(kTemporarySuffix)));
    if (fd < 0)
        return false;
    m_written.emplace_back(temporary, path);
    std::size_t written = 0;
    while (written < content.size()) {
        const ssize_t n = ::write(fd, content.data() + written, content.size() - written);
        if (n <= 0)
            break;
        written += std::size_t(n);
    }
    // Not synced: after a crash the main page is written again from the database at start.
    const bool ok = written == content.size() && ::fchmod(fd, 0644) == 0;
    return ::close(fd) == 0 && ok;
}

bool PageFiles::publish() {
    bool ok = !m_written.empty();
    for (const auto& [temporary, path] : m_written) {
        if (std::rename(temporary.c_str(), path.c_str()) != 0) {
            ::unlink(temporary.c_str());
            ok = false;
        }
    }
    m_written.clear();
    return ok;
}

void PageFiles::discard() {
    for (const auto& written : m_written)
        ::unlink(written.first.c_str());
    m_written.clear();
}

namespace {

// Decides the rate limit for each post of the batch, in order; the posts let through are
// counted against those after them.
bool applyLimit(Store& store, int postsPerMinute, std::int64_t now, std::vector<Pending>& batch,
                std::vector<bool>& accepted) {
    accepted.assign(batch.size(), true);
    if (postsPerMinute <= 0)
        return true;
    std::vector<std::string> addresses;
    for (const Pending& pending : batch) {
        if (std::find(addresses.begin(), addresses.end(), pending.address) == addresses.end())
            addresses.push_back(pending.address);
    }
    std::vector<int> counts;
    if (!store.recentPosts(addresses, now - 60, counts) || counts.size() != addresses.size())
        return false;
    for (std::size_t i = 0; i < batch.size(); ++i) {
        const std::size_t at = std::size_t(
            std::find(addresses.begin(), addresses.end(), batch[i].address) - addresses.begin());
        if (counts[at] >= postsPerMinute)
            accepted[i] = false;
        else
            ++counts[at];
    }
    return true;
}

} // namespace

void storeBatch(Store& store, PageFiles* pages, int postsPerMinute, std::vector<Pending>& batch) {
    std::int64_t now = 0;
    for (const Pending& pending : batch)
        now = std::max(now, pending.now);
    std::vector<bool> accepted;
    std::vector<Record> records;
    const auto fail = [&] {
        store.rollback();
        if (pages)
            pages->discard();
        for (Pending& pending : batch)
            pending.response = notStored();
    };
    if (!store.begin())
        return fail();
    if (!applyLimit(store, postsPerMinute, now, batch, accepted))
        return fail();
    std::vector<std::string> days;
    for (std::size_t i = 0; i < batch.size(); ++i) {
        if (!accepted[i])
            continue;
        records.push_back({batch[i].post, batch[i].address, batch[i].now});
        const std::string& day = batch[i].post.daily;
        if (!day.empty() && std::find(days.begin(), days.end(), day) == days.end())
            days.push_back(day);
    }
    const bool changed = !records.empty();
    if (!store.insert(records, postsPerMinute > 0) ||
        (pages && changed && !pages->prepare(store, days)) || !store.commit())
        return fail();
    // Stored for good: a page that cannot take its name now is written again with the next
    // batch, and the post is not reported as on the list before that.
    const bool shown = !changed || ((!pages || pages->publish()) && store.awaitPages());
    for (std::size_t i = 0; i < batch.size(); ++i) {
        if (!accepted[i])
            batch[i].response = tooMany();
        else if (!shown)
            batch[i].response = {500, "The score was stored, but the list could not be updated.\n"};
        else if (batch[i].post.verified)
            batch[i].response = {200, "Score recorded and verified.\n"};
        else
            batch[i].response = {200, "Score recorded.\n"};
    }
}

Route route(const std::string& method, const std::string& uri, std::string& query,
            std::string& daily) {
    // A post is a GET; the web server lets no other method through, and neither does this.
    if (method != "GET" && method != "HEAD")
        return Route::NotAllowed;
    const std::size_t mark = uri.find('?');
    const std::string path = uri.substr(0, mark);
    query = mark == std::string::npos ? std::string() : uri.substr(mark + 1);
    daily.clear();
    if (path == kPostPath)
        return Route::Post;
    if (path == kListPath)
        return Route::List;
    const std::string folder = kDailyFolder, suffix = ".shtml";
    daily::Date date;
    if (path.rfind(folder, 0) == 0 && path.size() > folder.size() + suffix.size() &&
        path.compare(path.size() - suffix.size(), suffix.size(), suffix) == 0) {
        daily = path.substr(folder.size(), path.size() - folder.size() - suffix.size());
        if (daily::parseDate(daily, date))
            return Route::List;
        daily.clear();
    }
    return Route::NotFound;
}

Response handle(const Request& request) {
    Pending pending;
    std::string why;
    if (!parseQuery(request.query, pending.post, why) ||
        !verifyPost(pending.post, request.policy, request.now, why))
        return refused(why);
    pending.address = request.remoteAddress;
    pending.now = request.now;
    std::string error;
    const std::unique_ptr<Store> store = openSqlite(databasePath(request.folder), error);
    if (!store)
        return {500, "The score list cannot be opened.\n"};
    PageFiles pages(request.folder);
    std::vector<Pending> batch{pending};
    storeBatch(*store, &pages, request.postsPerMinute, batch);
    return batch[0].response;
}

std::string writeMainPage(Store& store, const std::string& folder) {
    PageFiles pages(folder);
    if (!pages.prepare(store, {}) || !pages.publish())
        return "cannot write " + pagePath(folder);
    // Days' pages left by a server that made no gzip copies get theirs now, so that no client is
    // sent to a copy that is missing.
    const std::string days = folder + "/www/counter/daily";
    std::vector<std::string> names, missing;
    if (!namesIn(days, names))
        return {};
    for (const std::string& name : names) {
        const std::string date = name.substr(0, name.find('.'));
        daily::Date day;
        struct stat copy;
        if (name == date + ".shtml" && daily::parseDate(date, day) &&
            ::stat((days + "/" + name + kCompressedSuffix).c_str(), &copy) != 0)
            missing.push_back(date);
    }
    if (!missing.empty() && (!pages.prepare(store, missing) || !pages.publish()))
        return "cannot write the pages in " + days;
    return {};
}

std::string writePage(const std::string& folder) {
    std::string error;
    const std::unique_ptr<Store> store = openSqlite(databasePath(folder), error);
    if (!store)
        return "cannot open " + databasePath(folder) + ": " + error;
    return writeMainPage(*store, folder);
}

} // namespace scores
