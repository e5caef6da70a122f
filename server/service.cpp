// The resident score service: the group committer and the answer to a request.
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

Service::Service(std::unique_ptr<GroupCommitter> committer, Policy policy, GroupCommitter::Log log,
                 std::function<bool()> pagesShown)
    : m_committer(std::move(committer)), m_policy(policy), m_log(std::move(log)),
      m_pagesShown(std::move(pagesShown)) {}

Answer Service::answer(const std::string& method, const std::string& uri,
                       const std::string& address, std::int64_t now) {
    std::string query, daily;
    switch (route(method, uri, query, daily)) {
    case Route::NotAllowed:
        return {405, "text/plain; charset=utf-8", "Only GET and HEAD are served.\n"};
    case Route::NotFound:
        return {404, "text/plain; charset=utf-8", "Not found.\n"};
    case Route::List:
        if (m_pagesShown && !m_pagesShown())
            return {503, "text/plain; charset=utf-8",
                    "The score list cannot be read just now; try again in a moment.\n"};
        // A day without posts has no page.
        return {404, "text/plain; charset=utf-8", "Not found.\n"};
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
