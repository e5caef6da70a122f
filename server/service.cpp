// The resident score service: the group committer, the list reader and the answer to a request.
#include "service.h"

#include <algorithm>

namespace scores {

namespace {

// A batch is everything that waits when the writer comes round, up to this many posts: enough
// for a burst from every connection the web server keeps, few enough that one transaction stays
// short.
constexpr std::size_t kMostPerBatch = 1000;

} // namespace

// Each waiting post is woken alone when its batch is done, not with every post still waiting.
struct GroupCommitter::Waiting {
    Pending pending;
    bool done = false;
    std::condition_variable wake;
};

GroupCommitter::GroupCommitter(std::unique_ptr<Store> store, std::unique_ptr<PageFiles> pages,
                               int postsPerMinute, Log log)
    : m_store(std::move(store)), m_pages(std::move(pages)), m_postsPerMinute(postsPerMinute),
      m_log(std::move(log)), m_writer([this] { run(); }) {}

GroupCommitter::~GroupCommitter() {
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_stop = true;
    }
    m_work.notify_all();
    m_writer.join();
}

Response GroupCommitter::post(const Post& post, const std::string& address, std::int64_t now) {
    Waiting waiting;
    waiting.pending.post = post;
    waiting.pending.address = address;
    waiting.pending.now = now;
    std::unique_lock<std::mutex> lock(m_mutex);
    if (m_stop)
        return notStored();
    m_queue.push_back(&waiting);
    m_work.notify_one();
    waiting.wake.wait(lock, [&] { return waiting.done; });
    return waiting.pending.response;
}

std::uint64_t GroupCommitter::batches() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_batches;
}

void GroupCommitter::run() {
    std::vector<Waiting*> taken;
    std::vector<Pending> batch;
    for (;;) {
        {
            std::unique_lock<std::mutex> lock(m_mutex);
            m_work.wait(lock, [&] { return m_stop || !m_queue.empty(); });
            // Posts already waiting are stored before the writer stops.
            if (m_queue.empty())
                return;
            const std::size_t count = std::min(m_queue.size(), kMostPerBatch);
            taken.assign(m_queue.begin(), m_queue.begin() + std::ptrdiff_t(count));
            m_queue.erase(m_queue.begin(), m_queue.begin() + std::ptrdiff_t(count));
        }
        batch.clear();
        for (Waiting* waiting : taken)
            batch.push_back(waiting->pending);
        storeBatch(*m_store, m_pages.get(), m_postsPerMinute, batch);
        for (std::size_t i = 0; i < batch.size(); ++i) {
            const Response& response = batch[i].response;
            if (response.status == 429)
                m_log("refused a post from " + batch[i].address +
                      ": more than the posts allowed in a minute");
            else if (response.status != 200)
                m_log("could not store a post from " + batch[i].address + ": " + m_store->error());
        }
        std::lock_guard<std::mutex> lock(m_mutex);
        for (std::size_t i = 0; i < taken.size(); ++i) {
            taken[i]->pending.response = batch[i].response;
            taken[i]->done = true;
            taken[i]->wake.notify_one();
        }
        ++m_batches;
    }
}

ListReader::ListReader(std::unique_ptr<Store> store) : m_store(std::move(store)) {}

bool ListReader::page(const std::string& daily, std::string& html) {
    std::unique_lock<std::mutex> lock(m_mutex);
    // A check already running may have read the database before this read arrived: wait for the
    // one after it.
    const std::uint64_t needed = m_completed + (m_running ? 2 : 1);
    while (m_completed < needed) {
        if (m_running) {
            m_checked.wait(lock);
            continue;
        }
        m_running = true;
        lock.unlock();
        const bool ok = refresh();
        lock.lock();
        m_running = false;
        m_lastOk = ok;
        ++m_completed;
        m_checked.notify_all();
    }
    if (!m_lastOk)
        return false;
    const auto made = m_pages.find(daily);
    if (made != m_pages.end() && made->second.version == m_version) {
        html = made->second.html;
        return true;
    }
    // Not made since the last change: made now from the database, which holds at least what
    // the check saw.
    const std::int64_t version = m_version;
    lock.unlock();
    std::lock_guard<std::mutex> store(m_storeMutex);
    List list;
    if (!m_store->readList(daily, list))
        return false;
    html = list.total == 0 && !daily.empty() ? std::string()
                                             : renderPage(list.entries, list.total, daily);
    lock.lock();
    // A day asked for by anyone must not fill the memory: only a few pages are kept.
    if (m_pages.size() > 16)
        m_pages.clear();
    m_pages[daily] = {version, html};
    return true;
}

bool ListReader::refresh() {
    std::lock_guard<std::mutex> store(m_storeMutex);
    std::int64_t total = 0;
    if (!m_store->postCount(total))
        return false;
    std::lock_guard<std::mutex> lock(m_mutex);
    m_version = total;
    return true;
}

Service::Service(std::unique_ptr<GroupCommitter> committer, std::unique_ptr<ListReader> reader,
                 Policy policy, GroupCommitter::Log log)
    : m_committer(std::move(committer)), m_reader(std::move(reader)), m_policy(policy),
      m_log(std::move(log)) {}

Answer Service::answer(const std::string& method, const std::string& uri,
                       const std::string& address, std::int64_t now) {
    std::string query, daily;
    switch (route(method, uri, query, daily)) {
    case Route::NotAllowed:
        return {405, "text/plain; charset=utf-8", "Only GET and HEAD are served.\n"};
    case Route::NotFound:
        return {404, "text/plain; charset=utf-8", "Not found.\n"};
    case Route::List: {
        Answer answer{200, "text/html; charset=utf-8", {}};
        if (!m_reader)
            return {404, "text/plain; charset=utf-8", "Not found.\n"};
        if (!m_reader->page(daily, answer.body))
            return {503, "text/plain; charset=utf-8", "The score list cannot be read now.\n"};
        if (answer.body.empty())
            return {404, "text/plain; charset=utf-8", "Not found.\n"};
        return answer;
    }
    case Route::Post:
        break;
    }
    Post post;
    std::string why;
    if (!parseQuery(query, post, why) || !verifyPost(post, m_policy, now, why)) {
        m_log("refused a post from " + address + ": " + why);
        const Response response = refused(why);
        return {response.status, "text/plain; charset=utf-8", response.body};
    }
    const Response response = m_committer->post(post, address, now);
    return {response.status, "text/plain; charset=utf-8", response.body};
}

const char* reasonPhrase(int status) {
    switch (status) {
    case 200:
        return "OK";
    case 400:
        return "Bad Request";
    case 404:
        return "Not Found";
    case 405:
        return "Method Not Allowed";
    case 429:
        return "Too Many Requests";
    case 503:
        return "Service Unavailable";
    default:
        return "Internal Server Error";
    }
}

} // namespace scores
