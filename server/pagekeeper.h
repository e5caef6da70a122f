// The page keeper of a machine that shares a PostgreSQL database with others: it keeps the
// machine's list pages as files for the web server and tells the writers of every machine when
// they show a batch, so that a post is answered only once every machine's pages show it. A
// watchdog removes the pages when the keeper has lost the database for nearly a lease.
#pragma once

#include "scores.h"

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace scores {

// How long a keeper's registration holds unless renewed: the longest a post on any machine
// waits for a keeper that died or was cut off. A machine busy with reads on every core, with the
// database beside it, can take several seconds to get a renewal through, and must not lose its
// pages for that.
constexpr std::chrono::milliseconds kLease{10000};
// Renewed this often, so that a slow answer or two from the database does not cost the pages.
constexpr std::chrono::milliseconds kRenewEvery{500};
// A keeper that has not renewed for this long removes its pages: well before the lease runs out
// on the database's clock and writers stop waiting for it. The margin covers the watchdog's
// rounds and the removal itself, on a machine as busy as above.
constexpr std::chrono::milliseconds kRemoveAfter = kLease - std::chrono::milliseconds(2000);

// A committed batch as the keepers hear of it: the count of posts after it (0 when the notice did
// not say). Anyone who may connect can send one, so it only wakes a keeper, which then reads what
// changed from the database.
struct Notice {
    std::int64_t count = 0;
};

// One moment of the database, as the pages written from it show it.
struct Moment {
    std::int64_t count = 0;        // of posts
    std::int64_t newest = 0;       // the id of the newest post
    std::vector<std::string> days; // whose pages changed
};

// What a page keeper asks of the shared database, on a connection of its own.
class KeeperLink {
public:
    virtual ~KeeperLink() = default;
    // Connects afresh, listens for committed batches and registers the keeper with a new lease.
    // A keeper registered before keeps the count it recorded: its pages still show it, or are
    // gone.
    virtual bool join() = 0;
    virtual bool connected() const = 0;
    // The descriptor to wait on for notices.
    virtual int socket() const = 0;
    // The notices that have arrived, oldest first; false when the connection is lost.
    virtual bool notices(std::vector<Notice>& out) = 0;
    // Begins reading one moment, which store() goes on reading until release(): its count, and
    // the days whose pages the posts after the post `after` changed (every day's with -1).
    virtual bool moment(std::int64_t after, Moment& out) = 0;
    virtual void release() = 0;
    // Renews the lease and records `seen`, the count of posts the pages show; with `tell`, the
    // writers waiting for it are told. Rows of keepers whose leases ran out long ago go too.
    virtual bool renew(std::int64_t seen, bool tell) = 0;
    // Records `seen` and tells the writers, leaving the lease as it is.
    virtual bool tell(std::int64_t seen) = 0;
    // Deletes the keeper's row: writers stop waiting for it at once.
    virtual bool leave() = 0;
    // The lists, read on the same connection.
    virtual Store& store() = 0;
    virtual std::string error() const = 0;
};

// The PostgreSQL side of a keeper registered as `id`.
std::unique_ptr<KeeperLink> openKeeperLink(const std::string& conninfo, const std::string& id);

// A name for a keeper that no other process on any machine takes: host, process and chance.
std::string newKeeperId();

// Removes every file under FOLDER/www/counter, the day pages' folder included, so that the web
// server has no list to hand out. False when one stays.
bool removePages(const std::string& folder);

class PageKeeper {
public:
    using Log = std::function<void(const std::string&)>;
    PageKeeper(std::unique_ptr<KeeperLink> link, std::string folder, Log log);
    ~PageKeeper();
    PageKeeper(const PageKeeper&) = delete;
    PageKeeper& operator=(const PageKeeper&) = delete;

    // Removes the pages left from before, registers, writes the pages, and goes on keeping them
    // in a thread of its own. An error text, empty on success.
    std::string start();
    // Removes the pages, then leaves the database, waiting for it no longer than `within`.
    void stop(std::chrono::milliseconds within);
    // Whether the pages are there to be served.
    bool shown() const;

private:
    enum class Pages { Shown, Removed, Doubtful };
    using Instant = std::chrono::nanoseconds;
    static Instant now();

    void keep();
    void watch();
    bool join();
    void refreshAll();
    void refresh(const std::vector<Notice>& notices);
    bool rewrite(std::int64_t after, std::uint64_t removals);
    bool renew();
    void tell();
    bool holdLease();
    void failed(const std::string& what);
    void noteRemovals();
    bool waitForNotices(std::vector<Notice>& notices);
    void pause(std::chrono::milliseconds length);
    bool stopping() const;
    // With m_mutex held.
    bool leaseHeld(Instant at) const;
    void removeLocked(const std::string& why);

    std::unique_ptr<KeeperLink> m_link;
    const std::string m_folder;
    Log m_log;

    // Shared with the watchdog and stop().
    mutable std::mutex m_mutex;
    std::condition_variable m_changed;
    Instant m_renewed{}; // when the last renewal that the database confirmed was sent
    Pages m_pages = Pages::Removed;
    std::uint64_t m_removals = 0;
    bool m_stopping = false;
    bool m_left = false;
    bool m_started = false; // set before the threads start

    // The keeper thread's own.
    std::int64_t m_seen = -1;  // the count of posts the pages show
    std::int64_t m_newest = 0; // the id of the newest post they show
    std::int64_t m_told = -1;  // the count writers were last told of
    bool m_joined = false;
    bool m_fresh = false; // every page was written since the last join and the last removal
    std::uint64_t m_knownRemovals = 0;
    Instant m_lastTry{};    // of writing every page
    Instant m_renewTried{}; // the last renewal, confirmed or not
    std::string m_lastError;

    int m_wake[2] = {-1, -1}; // a pipe: a byte in it ends the keeper's wait
    std::thread m_keeper;
    std::thread m_watchdog;
};

} // namespace scores
