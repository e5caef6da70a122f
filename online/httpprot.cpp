// THttpCli: a blocking HTTP/1.0 client for downloads. libcurl resolves the host and makes the
// connection; the request and the reading of the answer are ours, so that the request goes out
// byte for byte as servers have always seen it from us (curl would put its Host line first).
// The exchange runs on a worker thread while the calling (GUI) thread waits in a local event
// loop, so the windows go on painting and working meanwhile.
#include "httpprot.h"

#include <QCoreApplication>
#include <QEventLoop>

#include <curl/curl.h>
#include <poll.h>
#include <strings.h>

#include <cstring>
#include <memory>
#include <thread>

namespace {

// A server that accepts the connection and then sends nothing must not hold the update for
// ever; the player may also close the game at any time, which ends the wait within a poll.
constexpr long kConnectTimeoutSeconds = 30;
constexpr int kPollMilliseconds = 100;
constexpr int kStallPolls = 60 * 1000 / kPollMilliseconds;
// An answer's head is a few hundred bytes; a server that sends more without ending it is not
// one we talk to.
constexpr std::size_t kMaxHead = 64 * 1024;
constexpr std::size_t kChunk = 16 * 1024;

struct CurlInit {
    CurlInit() { curl_global_init(CURL_GLOBAL_DEFAULT); }
};

struct UrlDeleter {
    void operator()(CURLU* url) const { curl_url_cleanup(url); }
};
struct EasyDeleter {
    void operator()(CURL* easy) const { curl_easy_cleanup(easy); }
};
using UrlParts = std::unique_ptr<CURLU, UrlDeleter>;

std::string urlPart(CURLU* url, CURLUPart part, unsigned flags = 0) {
    char* text = nullptr;
    if (curl_url_get(url, part, &text, flags) != CURLUE_OK || !text)
        return {};
    std::string out(text);
    curl_free(text);
    return out;
}

UrlParts parse(const std::string& url) {
    UrlParts parts(curl_url());
    if (curl_url_set(parts.get(), CURLUPART_URL, url.c_str(), CURLU_DEFAULT_SCHEME) != CURLUE_OK)
        return nullptr;
    return parts;
}

// Resolves a "Location" value against the address it came from.
std::string resolve(const std::string& base, const std::string& location) {
    UrlParts parts = parse(base);
    if (!parts || curl_url_set(parts.get(), CURLUPART_URL, location.c_str(), 0) != CURLUE_OK)
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

// One request and its answer. The worker thread fills it; the calling thread reads it only
// after the worker has ended.
struct THttpCli::Transfer {
    THttpCli* owner = nullptr;
    CURL* easy = nullptr;
    // Taken when the transfer starts: the worker never reads the component's properties,
    // which the GUI thread may change meanwhile.
    std::ostream* out = nullptr;
    std::int64_t limit = 0;
    std::string request;
    int status = 0;
    std::string reason;
    std::string location;
    std::int64_t contentLength = -1;
    std::int64_t received = 0;
    bool tooLarge = false;
    bool streamFailed = false;

    // Connects, sends the request and reads the answer; gives a curl result code.
    int run() {
        int code = curl_easy_perform(easy);
        if (code != CURLE_OK)
            return code;
        curl_socket_t sock = CURL_SOCKET_BAD;
        curl_easy_getinfo(easy, CURLINFO_ACTIVESOCKET, &sock);
        if (sock == CURL_SOCKET_BAD)
            return CURLE_COULDNT_CONNECT;
        if ((code = sendRequest(sock)) != CURLE_OK)
            return code;
        return readAnswer(sock);
    }

    // Waits until the socket is ready; false when the transfer is to end (abandoned or
    // stalled), with the reason in `code`.
    bool wait(curl_socket_t sock, short events, int& code) {
        for (int polls = 0;; ++polls) {
            if (owner->m_abort) {
                code = CURLE_ABORTED_BY_CALLBACK;
                return false;
            }
            if (polls == kStallPolls) {
                code = CURLE_OPERATION_TIMEDOUT;
                return false;
            }
            pollfd p{sock, events, 0};
            if (::poll(&p, 1, kPollMilliseconds) > 0)
                return true;
        }
    }

    int sendRequest(curl_socket_t sock) {
        std::size_t sent = 0;
        while (sent < request.size()) {
            std::size_t n = 0;
            const CURLcode code =
                curl_easy_send(easy, request.data() + sent, request.size() - sent, &n);
            if (code == CURLE_AGAIN) {
                int why = CURLE_OK;
                if (!wait(sock, POLLOUT, why))
                    return why;
                continue;
            }
            if (code != CURLE_OK)
                return code;
            sent += n;
        }
        return CURLE_OK;
    }

    int readAnswer(curl_socket_t sock) {
        std::string head;
        bool inBody = false;
        char buffer[kChunk];
        for (;;) {
            if (inBody && contentLength >= 0 && received >= contentLength)
                return CURLE_OK;
            std::size_t n = 0;
            const CURLcode code = curl_easy_recv(easy, buffer, sizeof buffer, &n);
            if (code == CURLE_AGAIN) {
                int why = CURLE_OK;
                if (!wait(sock, POLLIN, why))
                    return why;
                continue;
            }
            if (code != CURLE_OK)
                return code;
            if (n == 0) // the server closed the connection
                break;
            if (inBody) {
                if (!body(buffer, n))
                    return CURLE_WRITE_ERROR;
                continue;
            }
            head.append(buffer, n);
            const std::size_t end = head.find("\r\n\r\n");
            if (end == std::string::npos) {
                if (head.size() > kMaxHead)
                    return CURLE_WEIRD_SERVER_REPLY;
                continue;
            }
            if (!parseHead(head.substr(0, end)))
                return CURLE_WEIRD_SERVER_REPLY;
            inBody = true;
            const std::string rest = head.substr(end + 4);
            if (!rest.empty() && !body(rest.data(), rest.size()))
                return CURLE_WRITE_ERROR;
        }
        if (!inBody)
            return head.empty() ? CURLE_GOT_NOTHING : CURLE_WEIRD_SERVER_REPLY;
        if (contentLength >= 0 && received < contentLength)
            return CURLE_PARTIAL_FILE;
        return CURLE_OK;
    }

    // "HTTP/1.x CODE REASON", then header lines.
    bool parseHead(const std::string& text) {
        std::size_t start = 0;
        for (bool first = true; start <= text.size(); first = false) {
            std::size_t end = text.find("\r\n", start);
            if (end == std::string::npos)
                end = text.size();
            const std::string line = text.substr(start, end - start);
            start = end + 2;
            if (first) {
                if (line.rfind("HTTP/", 0) != 0)
                    return false;
                const std::size_t code = line.find(' ');
                if (code == std::string::npos)
                    return false;
                status = std::atoi(line.c_str() + code + 1);
                const std::size_t phrase = line.find(' ', code + 1);
                reason = phrase == std::string::npos ? std::string() : trimmed(line.substr(phrase));
                if (status < 100 || status > 999)
                    return false;
                continue;
            }
            const std::size_t colon = line.find(':');
            if (colon == std::string::npos)
                continue;
            const std::string name = trimmed(line.substr(0, colon));
            const std::string value = trimmed(line.substr(colon + 1));
            if (strcasecmp(name.c_str(), "location") == 0)
                location = value;
            else if (strcasecmp(name.c_str(), "content-length") == 0) {
                char* end = nullptr;
                const long long length = std::strtoll(value.c_str(), &end, 10);
                if (value.empty() || *end != '\0' || length < 0)
                    return false;
                contentLength = length;
            }
        }
        return true;
    }

    // Called by curl while it connects, so that a close of the game need not wait for it.
    static int progress(void* user, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
        return static_cast<Transfer*>(user)->owner->m_abort ? 1 : 0;
    }

    bool bodyWanted() const { return status >= 200 && status < 300; }

    bool body(const char* data, std::size_t size) {
        auto n = static_cast<std::int64_t>(size);
        if (contentLength >= 0 && received + n > contentLength)
            n = contentLength - received; // bytes past the announced end are not the document
        received += n;
        if (!bodyWanted())
            return true; // the page of a redirection or an error is not the document
        if (limit > 0 && received > limit) {
            tooLarge = true;
            return false;
        }
        if (out) {
            out->write(data, static_cast<std::streamsize>(n));
            if (!*out) {
                streamFailed = true;
                return false;
            }
        }
        return true;
    }
};

THttpCli::THttpCli() {
    static CurlInit once;
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
    const UrlParts parts = parse(url);
    const std::string scheme = parts ? urlPart(parts.get(), CURLUPART_SCHEME) : std::string();
    if (scheme != "http" && scheme != "https")
        throw EHttpException("Bad address: " + url, 404);
    std::string host = urlPart(parts.get(), CURLUPART_HOST);
    const std::string port = urlPart(parts.get(), CURLUPART_PORT);
    if (!port.empty())
        host += ":" + port;
    std::string path = urlPart(parts.get(), CURLUPART_PATH);
    const std::string query = urlPart(parts.get(), CURLUPART_QUERY);
    if (!query.empty())
        path += "?" + query;

    Transfer t;
    t.owner = this;
    t.out = ReceiveStream;
    t.limit = MaxBodySize;
    t.request = "GET " + path + " HTTP/" + RequestVer + "\r\n" + "Accept: " + Accept + "\r\n" +
                "User-Agent: " + Agent + "\r\n" + "Host: " + host + "\r\n" +
                (NoCache ? "Pragma: no-cache\r\n" : "") + "\r\n";

    std::unique_ptr<CURL, EasyDeleter> easy(curl_easy_init());
    if (!easy)
        throw EHttpException("Out of memory", 404);
    t.easy = easy.get();
    CURL* h = easy.get();
    curl_easy_setopt(h, CURLOPT_URL, url.c_str());
    curl_easy_setopt(h, CURLOPT_DEFAULT_PROTOCOL, "http");
    curl_easy_setopt(h, CURLOPT_CONNECT_ONLY, 1L);
    const std::string proxy = Proxy.empty() ? std::string() : Proxy + ":" + ProxyPort;
    curl_easy_setopt(h, CURLOPT_PROXY, proxy.c_str());
    curl_easy_setopt(h, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(h, CURLOPT_CONNECTTIMEOUT, kConnectTimeoutSeconds);
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
    if (!QCoreApplication::instance())
        return transfer.run();
    if (QCoreApplication::closingDown())
        return CURLE_ABORTED_BY_CALLBACK;

    QEventLoop loop;
    std::atomic<bool> done{false};
    int code = CURLE_OK;
    std::thread worker([&] {
        code = transfer.run();
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
