// The resident score service: answers posts and list reads handed over by the web server. Posts
// that arrive together are stored in one transaction (a group commit) by a single writer thread
// and answered only once committed; list reads are served from the database when the list does
// not live in a file.
#pragma once

#include "scores.h"

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace scores {

// Stores the posts of many threads in batches. post() waits until its batch is committed.
class GroupCommitter {
public:
    using Log = std::function<void(const std::string&)>;
    // `pages` may be null: the lists are then read from the database on demand.
    GroupCommitter(std::unique_ptr<Store> store, std::unique_ptr<PageFiles> pages,
                   int postsPerMinute, Log log);
    ~GroupCommitter();
    GroupCommitter(const GroupCommitter&) = delete;
    GroupCommitter& operator=(const GroupCommitter&) = delete;

    Response post(const Post& post, const std::string& address, std::int64_t now);
    // Batches committed so far, for the tests and the benchmark's notes.
    std::uint64_t batches() const;

private:
    struct Waiting;
    void run();

    std::unique_ptr<Store> m_store;
    std::unique_ptr<PageFiles> m_pages;
    const int m_postsPerMinute;
    Log m_log;
    mutable std::mutex m_mutex;
    std::condition_variable m_work;
    std::vector<Waiting*> m_queue;
    std::uint64_t m_batches = 0;
    bool m_stop = false;
    std::thread m_writer;
};

// The list pages read from the database, each made again only when the count of posts has
// changed. Every read is answered from a check of the database that began after the read
// arrived, so a post answered anywhere before is on it; reads that arrive together share one
// check of the count.
class ListReader {
public:
    explicit ListReader(std::unique_ptr<Store> store);
    // The main list, or with `daily` a day's. False when the database cannot be read; an empty
    // `html` for a day without posts.
    bool page(const std::string& daily, std::string& html);

private:
    struct Made {
        std::int64_t version = -1;
        std::string html;
    };
    bool refresh();

    std::unique_ptr<Store> m_store; // used only by the thread holding m_storeMutex
    std::mutex m_storeMutex;
    std::mutex m_mutex;
    std::condition_variable m_checked;
    std::uint64_t m_completed = 0;
    bool m_running = false;
    bool m_lastOk = false;
    std::int64_t m_version = -1; // the count of posts at the last check
    std::map<std::string, Made> m_pages;
};

// One request as the web server hands it over, and the answer to it.
struct Answer {
    int status = 200;
    std::string contentType = "text/plain; charset=utf-8";
    std::string body;
};

class Service {
public:
    // `reader` may be null when the web server hands out the list page as a file.
    Service(std::unique_ptr<GroupCommitter> committer, std::unique_ptr<ListReader> reader,
            Policy policy, GroupCommitter::Log log);
    Answer answer(const std::string& method, const std::string& uri, const std::string& address,
                  std::int64_t now);

private:
    std::unique_ptr<GroupCommitter> m_committer;
    std::unique_ptr<ListReader> m_reader;
    Policy m_policy;
    GroupCommitter::Log m_log;
};

const char* reasonPhrase(int status);

} // namespace scores
