// THttpCli: a blocking HTTP/1.0 client for downloads, on libcurl. The transfer runs on a worker
// thread while the calling (GUI) thread waits in a local event loop, so the windows go on
// painting and working meanwhile.
#include "httpprot.h"

#include <QCoreApplication>
#include <QEventLoop>

#include <curl/curl.h>

#include <cstring>
#include <memory>
#include <thread>

namespace {

// A server that accepts the connection and then sends nothing must not hold the update for
// ever; the player may also close the game at any time, which ends the wait at once.
constexpr long kConnectTimeoutSeconds = 30;
constexpr long kStallSeconds = 60;

struct CurlInit {
    CurlInit() { curl_global_init(CURL_GLOBAL_DEFAULT); }
};

void ensureCurl() {
    static CurlInit once;
}

struct UrlDeleter {
    void operator()(CURLU* url) const { curl_url_cleanup(url); }
};
struct EasyDeleter {
    void operator()(CURL* easy) const { curl_easy_cleanup(easy); }
};
struct ListDeleter {
    void operator()(curl_slist* list) const { curl_slist_free_all(list); }
};

std::string urlPart(CURLU* url, CURLUPart part) {
    char* text = nullptr;
    if (curl_url_get(url, part, &text, 0) != CURLUE_OK || !text)
        return {};
    std::string out(text);
    curl_free(text);
    return out;
}

// The "Host" header: the host name, with the port when the address names one.
std::string hostHeader(const std::string& url) {
    std::unique_ptr<CURLU, UrlDeleter> parts(curl_url());
    if (curl_url_set(parts.get(), CURLUPART_URL, url.c_str(), CURLU_DEFAULT_SCHEME) != CURLUE_OK)
        return {};
    std::string host = urlPart(parts.get(), CURLUPART_HOST);
    const std::string port = urlPart(parts.get(), CURLUPART_PORT);
    if (!port.empty())
        host += ":" + port;
    return host;
}

// Resolves a "Location" value against the address it came from.
std::string resolve(const std::string& base, const std::string& location) {
    std::unique_ptr<CURLU, UrlDeleter> parts(curl_url());
    if (curl_url_set(parts.get(), CURLUPART_URL, base.c_str(), CURLU_DEFAULT_SCHEME) != CURLUE_OK ||
        curl_url_set(parts.get(), CURLUPART_URL, location.c_str(), 0) != CURLUE_OK)
        return {};
    return urlPart(parts.get(), CURLUPART_URL);
}

std::string trimmed(std::string text) {
    const char* blanks = " \t\r\n";
    text.erase(text.find_last_not_of(blanks) + 1);
    text.erase(0, text.find_first_not_of(blanks));
    return text;
}

} // namespace

// What one request collects on the worker thread; the calling thread reads it only after the
// worker has ended.
struct THttpCli::Transfer {
    THttpCli* owner = nullptr;
    CURL* easy = nullptr;
    int status = 0;
    std::string reason;
    std::string location;
    std::int64_t received = 0;
    bool tooLarge = false;
    bool streamFailed = false;

    static size_t header(char* data, size_t size, size_t count, void* user) {
        auto* t = static_cast<Transfer*>(user);
        const std::string line(data, size * count);
        if (line.rfind("HTTP/", 0) == 0) {
            // A new answer starts: "HTTP/1.x CODE REASON".
            t->location.clear();
            const std::size_t code = line.find(' ');
            const std::size_t reason = code == std::string::npos ? code : line.find(' ', code + 1);
            t->status = code == std::string::npos ? 0 : std::atoi(line.c_str() + code + 1);
            t->reason = reason == std::string::npos ? std::string() : trimmed(line.substr(reason));
        } else if (line.size() > 9 && strncasecmp(line.c_str(), "location:", 9) == 0) {
            t->location = trimmed(line.substr(9));
        }
        return size * count;
    }

    bool bodyWanted() const { return status >= 200 && status < 300; }

    static size_t write(char* data, size_t size, size_t count, void* user) {
        auto* t = static_cast<Transfer*>(user);
        const auto n = static_cast<std::int64_t>(size * count);
        if (!t->bodyWanted())
            return size * count; // the page of a redirection or an error is not the document
        const std::int64_t limit = t->owner->MaxBodySize;
        if (limit > 0 && t->received + n > limit) {
            t->tooLarge = true;
            return 0;
        }
        std::ostream* out = t->owner->ReceiveStream;
        if (out) {
            out->write(data, static_cast<std::streamsize>(n));
            if (!*out) {
                t->streamFailed = true;
                return 0;
            }
        }
        t->received += n;
        return size * count;
    }

    static int progress(void* user, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
        return static_cast<Transfer*>(user)->owner->m_abort ? 1 : 0;
    }
};

THttpCli::THttpCli() {
    ensureCurl();
}

THttpCli::~THttpCli() = default;

void THttpCli::GetDocument() {
    if (m_busy)
        throw EHttpException("HTTP component is busy", 0);
    m_busy = true;
    m_abort = false;
    m_statusCode = 0;
    struct Idle {
        bool& busy;
        ~Idle() { busy = false; }
    } idle{m_busy};

    std::string url = URL;
    for (int redirects = 0;; ++redirects) {
        const std::string next = fetchOnce(url);
        if (next.empty())
            return;
        if (redirects == kMaxRedirects)
            throw EHttpException("Too many redirections", m_statusCode);
        url = next;
    }
}

std::string THttpCli::fetchOnce(const std::string& url) {
    std::unique_ptr<CURL, EasyDeleter> easy(curl_easy_init());
    if (!easy)
        throw EHttpException("Out of memory", 404);
    Transfer t;
    t.owner = this;
    t.easy = easy.get();

    // The request line and the three header lines in the order servers have always seen from
    // us; curl's own Host, User-Agent and Accept lines give way to these.
    curl_slist* raw = nullptr;
    raw = curl_slist_append(raw, ("Accept: " + Accept).c_str());
    raw = curl_slist_append(raw, ("User-Agent: " + Agent).c_str());
    raw = curl_slist_append(raw, ("Host: " + hostHeader(url)).c_str());
    if (NoCache)
        raw = curl_slist_append(raw, "Pragma: no-cache");
    std::unique_ptr<curl_slist, ListDeleter> headers(raw);

    CURL* h = easy.get();
    curl_easy_setopt(h, CURLOPT_URL, url.c_str());
    curl_easy_setopt(h, CURLOPT_DEFAULT_PROTOCOL, "http");
    curl_easy_setopt(h, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(h, CURLOPT_HTTP_VERSION,
                     RequestVer == "1.0" ? CURL_HTTP_VERSION_1_0 : CURL_HTTP_VERSION_1_1);
    curl_easy_setopt(h, CURLOPT_HTTPHEADER, headers.get());
    const std::string proxy = Proxy.empty() ? std::string() : Proxy + ":" + ProxyPort;
    curl_easy_setopt(h, CURLOPT_PROXY, proxy.c_str());
    curl_easy_setopt(h, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(h, CURLOPT_CONNECTTIMEOUT, kConnectTimeoutSeconds);
    curl_easy_setopt(h, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(h, CURLOPT_LOW_SPEED_TIME, kStallSeconds);
    curl_easy_setopt(h, CURLOPT_HEADERFUNCTION, &Transfer::header);
    curl_easy_setopt(h, CURLOPT_HEADERDATA, &t);
    curl_easy_setopt(h, CURLOPT_WRITEFUNCTION, &Transfer::write);
    curl_easy_setopt(h, CURLOPT_WRITEDATA, &t);
    curl_easy_setopt(h, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(h, CURLOPT_XFERINFOFUNCTION, &Transfer::progress);
    curl_easy_setopt(h, CURLOPT_XFERINFODATA, &t);

    const int code = performWaiting(t);
    m_statusCode = t.status;
    switch (code) {
    case CURLE_OK:
        break;
    case CURLE_ABORTED_BY_CALLBACK:
        throw EHttpException("Connection aborted on request", 404);
    case CURLE_COULDNT_RESOLVE_HOST:
        throw EHttpException("can't resolve hostname to IP address", 404);
    case CURLE_COULDNT_CONNECT: {
        long error = 0;
        curl_easy_getinfo(h, CURLINFO_OS_ERRNO, &error);
        throw EHttpException("can't connect: " + std::string(std::strerror(int(error))) +
                                 " (Error #" + std::to_string(error) + ")",
                             404);
    }
    case CURLE_WRITE_ERROR:
        if (t.tooLarge)
            throw EHttpException("Document larger than " + std::to_string(MaxBodySize) + " bytes",
                                 404);
        throw EHttpException("Unable to write the received document", 404);
    default:
        throw EHttpException(curl_easy_strerror(static_cast<CURLcode>(code)), 404);
    }
    if (t.status >= 300 && t.status < 400 && !t.location.empty()) {
        const std::string next = resolve(url, t.location);
        if (next.empty())
            throw EHttpException("Bad redirection: " + t.location, t.status);
        return next;
    }
    if (t.status >= 400)
        throw EHttpException(t.reason.empty() ? "HTTP error " + std::to_string(t.status) : t.reason,
                             t.status);
    return {};
}

int THttpCli::performWaiting(Transfer& transfer) {
    QCoreApplication* app = QCoreApplication::instance();
    if (!app)
        return curl_easy_perform(transfer.easy);
    if (QCoreApplication::closingDown())
        return CURLE_ABORTED_BY_CALLBACK;

    QEventLoop loop;
    std::atomic<bool> done{false};
    int code = CURLE_OK;
    std::thread worker([&] {
        code = curl_easy_perform(transfer.easy);
        done = true;
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    // The loop also ends when the application is told to quit (the game is being closed);
    // the transfer is then abandoned rather than waited for.
    loop.exec();
    if (!done)
        m_abort = true;
    worker.join();
    return code;
}
