// The page keeper and its watchdog. The keeper's promise, kept in its row of the database: while
// its lease holds, every page it serves shows at least `seen` posts; the pages of a keeper whose
// lease may have run out are removed before any writer could stop waiting for it.
#include "pagekeeper.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <ctime>

#include <fcntl.h>
#include <poll.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

namespace scores {

namespace {

// The watchdog's round, small beside the margin between kRemoveAfter and the lease.
constexpr std::chrono::milliseconds kWatchEvery{50};
// A keeper that cannot reach the database or write its pages tries again this often.
constexpr std::chrono::milliseconds kRetryEvery{250};

int milliseconds(std::chrono::nanoseconds length) {
    const auto ms = std::chrono::ceil<std::chrono::milliseconds>(length).count();
    return int(std::clamp<std::int64_t>(ms, 0, 60000));
}

bool removeFilesUnder(const std::string& path) {
    std::vector<std::string> entries;
    if (!namesIn(path, entries))
        return errno == ENOENT;
    bool gone = true;
    for (const std::string& entry : entries) {
        const std::string name = path + "/" + entry;
        struct stat info {};
        if (::lstat(name.c_str(), &info) != 0)
            gone = gone && errno == ENOENT;
        else if (S_ISDIR(info.st_mode))
            gone = removeFilesUnder(name) && gone;
        else if (::unlink(name.c_str()) != 0 && errno != ENOENT)
            gone = false;
    }
    return gone;
}

} // namespace

bool removePages(const std::string& folder) {
    return removeFilesUnder(folder + "/www/counter");
}

std::string newKeeperId() {
    char host[256] = {};
    ::gethostname(host, sizeof host - 1);
    unsigned char chance[6] = {};
    std::size_t got = 0;
    while (got < sizeof chance) {
        const ssize_t n = ::getrandom(chance + got, sizeof chance - got, 0);
        if (n > 0)
            got += std::size_t(n);
        else if (errno != EINTR)
            break;
    }
    std::string id = std::string(host) + "-" + std::to_string(::getpid()) + "-";
    for (unsigned char c : chance) {
        char hex[3];
        std::snprintf(hex, sizeof hex, "%02x", c);
        id += hex;
    }
    return id;
}

PageKeeper::PageKeeper(std::unique_ptr<KeeperLink> link, std::string folder, Log log)
    : m_link(std::move(link)), m_folder(std::move(folder)), m_log(std::move(log)) {
    if (::pipe2(m_wake, O_CLOEXEC | O_NONBLOCK) != 0)
        m_wake[0] = m_wake[1] = -1;
}

PageKeeper::~PageKeeper() {
    stop(std::chrono::milliseconds(0));
    if (m_keeper.joinable())
        m_keeper.join();
    if (m_watchdog.joinable())
        m_watchdog.join();
    for (int fd : m_wake) {
        if (fd >= 0)
            ::close(fd);
    }
}

// The clock of the leases on this machine: it goes on counting while the machine is suspended,
// when the database's clock does too.
PageKeeper::Instant PageKeeper::now() {
    timespec at{};
    ::clock_gettime(CLOCK_BOOTTIME, &at);
    return std::chrono::seconds(at.tv_sec) + std::chrono::nanoseconds(at.tv_nsec);
}

std::string PageKeeper::start() {
    if (m_wake[0] < 0)
        return "cannot make a pipe";
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        // Pages from before may lack posts answered since: none is served until written again.
        removeLocked({});
        if (m_pages != Pages::Removed)
            return "cannot remove the old pages in " + m_folder + "/www/counter";
    }
    if (!join())
        return "cannot register with the database: " + m_lastError;
    refreshAll();
    if (!m_fresh || !shown()) {
        // No machine waits for a keeper that never began.
        const std::string error = m_lastError;
        if (m_joined)
            m_link->leave();
        return "cannot write the list pages: " + error;
    }
    m_started = true;
    m_keeper = std::thread([this] { keep(); });
    m_watchdog = std::thread([this] { watch(); });
    return {};
}

void PageKeeper::stop(std::chrono::milliseconds within) {
    std::unique_lock<std::mutex> lock(m_mutex);
    if (!m_stopping) {
        m_stopping = true;
        // Gone before the row is: once it is, no writer waits for these pages.
        removeLocked({});
        m_changed.notify_all();
        if (m_wake[1] >= 0)
            (void)!::write(m_wake[1], "x", 1);
    }
    if (m_started)
        m_changed.wait_for(lock, within, [&] { return m_left; });
}

bool PageKeeper::shown() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_pages == Pages::Shown;
}

void PageKeeper::keep() {
    while (!stopping()) {
        if (!m_joined) {
            if (!join())
                pause(kRetryEvery);
            continue;
        }
        noteRemovals();
        // Pages that could not be written are tried again now and then, not at every notice.
        if (!m_fresh && now() - m_lastTry >= kRetryEvery) {
            refreshAll();
            continue;
        }
        std::vector<Notice> notices;
        if (!waitForNotices(notices)) {
            failed("lost the database: " + m_link->error());
            continue;
        }
        if (!notices.empty())
            refresh(notices);
        if (m_joined && now() - m_renewTried >= kRenewEvery)
            renew();
    }
    const bool left = m_joined && m_link->leave();
    std::lock_guard<std::mutex> lock(m_mutex);
    m_left = true;
    m_changed.notify_all();
    if (!left)
        m_log("could not leave the database; other machines wait for this one's lease to end");
}

void PageKeeper::watch() {
    std::unique_lock<std::mutex> lock(m_mutex);
    while (!m_stopping) {
        m_changed.wait_for(lock, kWatchEvery);
        if (!m_stopping && m_pages != Pages::Removed && !leaseHeld(now()))
            removeLocked("the database has not confirmed this machine's lease for too long");
    }
}

bool PageKeeper::join() {
    const Instant sent = now();
    if (!m_link->join()) {
        if (m_lastError != m_link->error())
            m_log("cannot reach the database for the list pages: " + m_link->error());
        m_lastError = m_link->error();
        return false;
    }
    if (!m_lastError.empty() && m_started)
        m_log("reached the database again");
    m_lastError.clear();
    m_joined = true;
    m_renewTried = sent;
    // Notices may have been missed while no connection listened.
    m_fresh = false;
    std::lock_guard<std::mutex> lock(m_mutex);
    m_renewed = std::max(m_renewed, sent);
    return true;
}

// Every page, from the lists as they are now.
void PageKeeper::refreshAll() {
    m_lastTry = now();
    if (!holdLease())
        return;
    const std::uint64_t removals = [&] {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_knownRemovals = m_removals;
    }();
    if (!rewrite(-1, removals))
        return;
    m_fresh = true;
    tell();
}

// The pages of what was posted since they were written. The counts the notices carry only spare
// the work when the pages show them already.
void PageKeeper::refresh(const std::vector<Notice>& notices) {
    noteRemovals();
    const bool newer = std::any_of(notices.begin(), notices.end(),
                                   [&](const Notice& notice) { return notice.count > m_seen; });
    if (!newer)
        return;
    if (!m_fresh) {
        // All the pages are written again soon. Until then pages that are gone show no stale
        // list, and writers need not wait for them.
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            if (m_pages != Pages::Removed)
                return;
        }
        std::int64_t count = 0;
        if (!m_link->store().postCount(count)) {
            failed("cannot read the count of posts: " + m_link->store().error());
            return;
        }
        m_seen = count;
    } else if (!holdLease() || !rewrite(m_newest, m_knownRemovals)) {
        return;
    }
    tell();
}

// Writes the main page and the pages of the days that posts after the post `after` changed, all
// from one moment of the database, whose count the pages then show. They are published only if
// no removal came in between and the lease still holds: otherwise they might show a list that
// writers have stopped waiting for.
bool PageKeeper::rewrite(std::int64_t after, std::uint64_t removals) {
    Moment moment;
    if (!m_link->moment(after, moment)) {
        failed("cannot read the lists: " + m_link->error());
        return false;
    }
    PageFiles pages(m_folder);
    const bool prepared = pages.prepare(m_link->store(), moment.days);
    m_link->release();
    if (!prepared) {
        failed("cannot write the list pages in " + m_folder + "/www/counter");
        return false;
    }
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (m_stopping || m_removals != removals || !leaseHeld(now())) {
            pages.discard();
            return false;
        }
        if (!pages.publish()) {
            removeLocked("a page could not take its name");
            return false;
        }
        if (m_pages != Pages::Shown && m_started)
            m_log("the list pages are served again");
        m_pages = Pages::Shown;
    }
    m_seen = moment.count;
    m_newest = moment.newest;
    return true;
}

// Renews the lease with the count the pages show, telling writers when it grew. Pages that may
// be stale and could not be removed get no lease: it runs out, and writers stop waiting for them.
bool PageKeeper::renew() {
    m_renewTried = now();
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (m_pages == Pages::Doubtful)
            return false;
    }
    const Instant sent = now();
    const bool tell = m_seen > m_told;
    if (!m_link->renew(m_seen, tell)) {
        failed("cannot renew the lease: " + m_link->error());
        return false;
    }
    if (tell)
        m_told = m_seen;
    std::lock_guard<std::mutex> lock(m_mutex);
    m_renewed = std::max(m_renewed, sent);
    return leaseHeld(now());
}

void PageKeeper::tell() {
    if (m_seen <= m_told)
        return;
    if (!m_link->tell(m_seen)) {
        failed("cannot record the count the pages show: " + m_link->error());
        return;
    }
    m_told = m_seen;
}

// A lease that may have run out is renewed before any page is written, and the pages go first:
// writers may have stopped waiting for them.
bool PageKeeper::holdLease() {
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (leaseHeld(now()))
            return true;
        if (m_pages != Pages::Removed)
            removeLocked("the lease ran out");
    }
    return renew();
}

// A lost connection is made again; pages that could not be read or written are removed, so that
// the lease may go on while nothing stale is served.
void PageKeeper::failed(const std::string& what) {
    if (!m_link->connected()) {
        if (m_joined)
            m_log(what);
        m_lastError = m_link->error();
        m_joined = false;
        return;
    }
    m_lastError = what;
    std::lock_guard<std::mutex> lock(m_mutex);
    removeLocked(what);
}

void PageKeeper::noteRemovals() {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_removals != m_knownRemovals) {
        m_knownRemovals = m_removals;
        m_fresh = false;
    }
}

bool PageKeeper::waitForNotices(std::vector<Notice>& notices) {
    if (!m_link->notices(notices))
        return false;
    if (!notices.empty())
        return true;
    Instant until = m_renewTried + kRenewEvery;
    if (!m_fresh)
        until = std::min(until, m_lastTry + kRetryEvery);
    pollfd wait[2] = {{m_link->socket(), POLLIN, 0}, {m_wake[0], POLLIN, 0}};
    ::poll(wait, 2, milliseconds(until - now()));
    return m_link->notices(notices);
}

void PageKeeper::pause(std::chrono::milliseconds length) {
    pollfd wait{m_wake[0], POLLIN, 0};
    ::poll(&wait, 1, int(length.count()));
}

bool PageKeeper::stopping() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_stopping;
}

bool PageKeeper::leaseHeld(Instant at) const {
    return at - m_renewed < kRemoveAfter;
}

void PageKeeper::removeLocked(const std::string& why) {
    const Pages before = m_pages;
    m_pages = removePages(m_folder) ? Pages::Removed : Pages::Doubtful;
    ++m_removals;
    if (why.empty())
        return;
    if (before == Pages::Shown)
        m_log("removed the list pages: " + why);
    if (m_pages == Pages::Doubtful && before != Pages::Doubtful)
        m_log("cannot remove the list pages in " + m_folder + "/www/counter; they may be stale");
}

} // namespace scores
