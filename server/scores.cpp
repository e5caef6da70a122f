// The score server's logic: checking a post, storing a batch of posts, writing the list page.
#include "scores.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

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

bool parseQuery(const std::string& query, Post& post, std::string& why) {
    bool haveName = false, haveDate = false, haveScore = false;
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
        bool* seen = key == "name"    ? &haveName
                     : key == "date"  ? &haveDate
                     : key == "score" ? &haveScore
                                      : nullptr;
        if (!seen || *seen) {
            why = seen ? "a key given twice" : "an unknown key";
            return false;
        }
        *seen = true;
        if (key == "name" && !validName(value)) {
            why = "the name is empty, too long or holds control characters";
            return false;
        }
        if (key == "date" && !validDate(value)) {
            why = "the date is not a m/d/yy date";
            return false;
        }
        if (key == "score" && !parseScore(value, post.score)) {
            why = "the score is no score the game can reach";
            return false;
        }
        if (key == "name")
            post.name = value;
        else if (key == "date")
            post.date = value;
    }
    if (!haveName || !haveDate || !haveScore) {
        why = "name, date and score are all needed";
        return false;
    }
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

std::string renderPage(const std::vector<Entry>& entries, std::int64_t totalPosts) {
    std::string page =
        "<!DOCTYPE html>\n"
        "<html><head><meta charset=\"utf-8\"><title>Solmarin High Scores</title>\n"
        "<style>body{background:#4024ae;color:#fff;font-family:\"Times New Roman\",serif}"
        "table{margin:0 auto}th,td{padding:2px 8px}a{color:#f00}a:visited{color:#c0c0c0}"
        "</style></head>\n"
        "<body bgcolor=\"#4024ae\" text=\"#ffffff\" link=\"#ff0000\" vlink=\"#c0c0c0\">\n"
        "<h2 align=\"center\">Solmarin High Scores</h2>\n";
    if (entries.empty()) {
        page += "<p align=\"center\">No scores have been posted yet.</p>\n";
    } else {
        page += "<table align=\"center\" cellspacing=\"0\" cellpadding=\"3\">\n"
                "<tr><th align=\"right\">Rank</th><th align=\"left\">Name</th>"
                "<th align=\"right\">Score</th><th align=\"left\">Date</th></tr>\n";
        int rank = 0;
        for (const Entry& entry : entries) {
            page += "<tr><td align=\"right\">" + std::to_string(++rank) + "</td><td>" +
                    htmlEscape(entry.name) + "</td><td align=\"right\">" +
                    std::to_string(entry.score) + "</td><td>" + htmlEscape(entry.date) +
                    "</td></tr>\n";
        }
        page += "</table>\n";
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

Response refused(const std::string& why) {
    return {400, "Score refused: " + why + ".\n"};
}

Response tooMany() {
    return {429, "Too many scores from this address; try again in a minute.\n"};
}

Response notStored() {
    return {500, "The score could not be stored.\n"};
}

PageFile::PageFile(std::string path) : m_path(std::move(path)) {}

PageFile::~PageFile() {
    discard();
}

bool PageFile::prepare(Store& store) {
    discard();
    List list;
    if (!store.readList(list))
        return false;
    const std::string content = renderPage(list.entries, list.total);
    std::string temporary = m_path + ".XXXXXX" + kTemporarySuffix;
    const int fd = ::mkstemps(temporary.data(), int(std::strlen(kTemporarySuffix)));
    if (fd < 0)
        return false;
    m_temporary = temporary;
    std::size_t written = 0;
    while (written < content.size()) {
        const ssize_t n = ::write(fd, content.data() + written, content.size() - written);
        if (n <= 0)
            break;
        written += std::size_t(n);
    }
    // Not synced: after a crash the page is written again from the database at start.
    const bool ok = written == content.size() && ::fchmod(fd, 0644) == 0;
    if (::close(fd) != 0 || !ok) {
        discard();
        return false;
    }
    return true;
}

bool PageFile::publish() {
    if (m_temporary.empty())
        return false;
    const bool ok = std::rename(m_temporary.c_str(), m_path.c_str()) == 0;
    if (!ok)
        ::unlink(m_temporary.c_str());
    m_temporary.clear();
    return ok;
}

void PageFile::discard() {
    if (!m_temporary.empty())
        ::unlink(m_temporary.c_str());
    m_temporary.clear();
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

void storeBatch(Store& store, PageFile* page, int postsPerMinute, std::vector<Pending>& batch) {
    std::int64_t now = 0;
    for (const Pending& pending : batch)
        now = std::max(now, pending.now);
    std::vector<bool> accepted;
    std::vector<Record> records;
    const auto fail = [&] {
        store.rollback();
        if (page)
            page->discard();
        for (Pending& pending : batch)
            pending.response = notStored();
    };
    if (!store.begin())
        return fail();
    if (!applyLimit(store, postsPerMinute, now, batch, accepted))
        return fail();
    for (std::size_t i = 0; i < batch.size(); ++i) {
        if (accepted[i])
            records.push_back({batch[i].post, batch[i].address, batch[i].now});
    }
    const bool changed = !records.empty();
    if (!store.insert(records, postsPerMinute > 0) || (page && changed && !page->prepare(store)) ||
        !store.commit())
        return fail();
    // Stored for good: a page that cannot take its name now is written again with the next
    // batch, and the post is not reported as on the list before that.
    const bool shown = !page || !changed || page->publish();
    for (std::size_t i = 0; i < batch.size(); ++i) {
        batch[i].response = !accepted[i] ? tooMany()
                            : shown      ? Response{200, "Score recorded.\n"}
                                         : Response{500, "The score was stored, but the list could "
                                                         "not be updated.\n"};
    }
}

Route route(const std::string& method, const std::string& uri, std::string& query) {
    // A post is a GET; the web server lets no other method through, and neither does this.
    if (method != "GET" && method != "HEAD")
        return Route::NotAllowed;
    const std::size_t mark = uri.find('?');
    const std::string path = uri.substr(0, mark);
    query = mark == std::string::npos ? std::string() : uri.substr(mark + 1);
    if (path == kPostPath)
        return Route::Post;
    if (path == kListPath)
        return Route::List;
    return Route::NotFound;
}

Response handle(const Request& request) {
    Pending pending;
    std::string why;
    if (!parseQuery(request.query, pending.post, why))
        return refused(why);
    pending.address = request.remoteAddress;
    pending.now = request.now;
    std::string error;
    const std::unique_ptr<Store> store = openSqlite(databasePath(request.folder), error);
    if (!store)
        return {500, "The score list cannot be opened.\n"};
    PageFile page(pagePath(request.folder));
    std::vector<Pending> batch{pending};
    storeBatch(*store, &page, request.postsPerMinute, batch);
    return batch[0].response;
}

std::string writePage(Store& store, const std::string& path) {
    PageFile page(path);
    if (!page.prepare(store) || !page.publish())
        return "cannot write " + path;
    return {};
}

std::string writePage(const std::string& folder) {
    std::string error;
    const std::unique_ptr<Store> store = openSqlite(databasePath(folder), error);
    if (!store)
        return "cannot open " + databasePath(folder) + ": " + error;
    return writePage(*store, pagePath(folder));
}

} // namespace scores
