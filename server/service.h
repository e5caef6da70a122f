// The resident score service: answers the posts handed over by the web server. Posts that arrive
// together are stored in one transaction (a group commit) by a single writer thread and answered
// only once committed and on the list pages, which the web server hands out as files.
#pragma once

#include "scores.h"

#include <condition_variable>
#include <cstdint>
#include <functional>
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
    // `pages` may be null when the store waits for the pages to be written by others.
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

// One request as the web server hands it over, and the answer to it.
struct Answer {
    int status = 200;
    std::string contentType = "text/plain; charset=utf-8";
    std::string body;
};

class Service {
public:
    // A list reaches the service only when the web server has no file for it. `pagesShown` tells
    // whether this machine's pages are there at all: when they are not (they were removed while
    // the database could not be reached), a list is not missing but cannot be read just now.
    Service(std::unique_ptr<GroupCommitter> committer, Policy policy, GroupCommitter::Log log,
            std::function<bool()> pagesShown = {});
    Answer answer(const std::string& method, const std::string& uri, const std::string& address,
                  std::int64_t now);

private:
    std::unique_ptr<GroupCommitter> m_committer;
    Policy m_policy;
    GroupCommitter::Log m_log;
    std::function<bool()> m_pagesShown;
};

const char* reasonPhrase(int status);

} // namespace scores
