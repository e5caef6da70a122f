// The transfer of the installer download on libcurl, in a module of its own beside the
// executable, loaded with the first download (linking libcurl into the program would cost its
// start-up). curl resolves the host and makes the connection; the request bytes are the
// caller's and the answer is read here, so the request goes out exactly as written (curl would
// put its own Host line first).
#include "downloadcore.h"
#include "minisign.h"

#include <curl/curl.h>
#include <poll.h>
#include <strings.h>

#include <chrono>
#include <cstdlib>
#include <memory>

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
// Our own result code, beside curl's, for a transfer past the job's deadline.
constexpr int kPastDeadline = -1;

struct CurlInit {
    CurlInit() { curl_global_init(CURL_GLOBAL_DEFAULT); }
};

struct EasyDeleter {
    void operator()(CURL* easy) const { curl_easy_cleanup(easy); }
};

std::string trimmed(std::string text) {
    const char* blanks = " \t\r\n";
    text.erase(text.find_last_not_of(blanks) + 1);
    text.erase(0, text.find_first_not_of(blanks));
    return text;
}

struct Transfer {
    const download::Job& job;
    download::Answer& answer;
    CURL* easy = nullptr;
    std::int64_t contentLength = -1;
    std::int64_t received = 0;
    bool tooLarge = false;
    bool streamFailed = false;
    bool deadlinePassed = false; // while connecting

    bool aborted() const { return job.abort && job.abort->load(); }
    bool pastDeadline() const { return std::chrono::steady_clock::now() >= job.deadline; }

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
            if (aborted()) {
                code = CURLE_ABORTED_BY_CALLBACK;
                return false;
            }
            if (pastDeadline()) {
                code = kPastDeadline;
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
        while (sent < job.request.size()) {
            std::size_t n = 0;
            const CURLcode code =
                curl_easy_send(easy, job.request.data() + sent, job.request.size() - sent, &n);
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
            // A server that trickles its answer never stalls; this bounds it all the same.
            if (pastDeadline())
                return kPastDeadline;
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
                answer.status = std::atoi(line.c_str() + code + 1);
                const std::size_t phrase = line.find(' ', code + 1);
                answer.reason =
                    phrase == std::string::npos ? std::string() : trimmed(line.substr(phrase));
                if (answer.status < 100 || answer.status > 999)
                    return false;
                continue;
            }
            const std::size_t colon = line.find(':');
            if (colon == std::string::npos)
                continue;
            const std::string name = trimmed(line.substr(0, colon));
            const std::string value = trimmed(line.substr(colon + 1));
            if (strcasecmp(name.c_str(), "location") == 0)
                answer.location = value;
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
        auto* transfer = static_cast<Transfer*>(user);
        if (transfer->pastDeadline())
            transfer->deadlinePassed = true;
        return transfer->aborted() || transfer->deadlinePassed ? 1 : 0;
    }

    bool bodyWanted() const { return answer.status >= 200 && answer.status < 300; }

    bool body(const char* data, std::size_t size) {
        auto n = static_cast<std::int64_t>(size);
        if (contentLength >= 0 && received + n > contentLength)
            n = contentLength - received; // bytes past the announced end are not the document
        received += n;
        if (!bodyWanted())
            return true; // the page of a redirection or an error is not the document
        if (job.limit > 0 && received > job.limit) {
            tooLarge = true;
            return false;
        }
        if (job.out) {
            job.out->write(data, static_cast<std::streamsize>(n));
            if (!*job.out) {
                streamFailed = true;
                return false;
            }
        }
        return true;
    }
};

void fail(download::Answer& answer, int code, CURL* easy) {
    using download::Failure;
    switch (code) {
    case CURLE_OK:
        return;
    case kPastDeadline:
        answer.failure = Failure::Deadline;
        return;
    case CURLE_ABORTED_BY_CALLBACK:
        answer.failure = Failure::Aborted;
        return;
    case CURLE_COULDNT_RESOLVE_HOST:
        answer.failure = Failure::Resolve;
        return;
    case CURLE_COULDNT_CONNECT: {
        long error = 0;
        curl_easy_getinfo(easy, CURLINFO_OS_ERRNO, &error);
        answer.failure = Failure::Connect;
        answer.osError = int(error);
        return;
    }
    default:
        answer.failure = Failure::Other;
        answer.message = curl_easy_strerror(static_cast<CURLcode>(code));
    }
}

} // namespace

extern "C" __attribute__((visibility("default"))) void
solmarinRunDownload(const download::Job& job, download::Answer& answer) {
    static CurlInit once;
    answer = download::Answer();
    std::unique_ptr<CURL, EasyDeleter> easy(curl_easy_init());
    if (!easy) {
        answer.failure = download::Failure::Other;
        answer.message = "Out of memory";
        return;
    }
    Transfer t{job, answer, easy.get()};
    CURL* h = easy.get();
    curl_easy_setopt(h, CURLOPT_URL, job.url.c_str());
    curl_easy_setopt(h, CURLOPT_DEFAULT_PROTOCOL, "http");
    curl_easy_setopt(h, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(h, CURLOPT_CONNECT_ONLY, 1L);
    // An empty proxy connects straight to the server, whatever the environment says.
    curl_easy_setopt(h, CURLOPT_PROXY, job.proxy.c_str());
    curl_easy_setopt(h, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(h, CURLOPT_CONNECTTIMEOUT, kConnectTimeoutSeconds);
    curl_easy_setopt(h, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(h, CURLOPT_XFERINFOFUNCTION, &Transfer::progress);
    curl_easy_setopt(h, CURLOPT_XFERINFODATA, &t);
    int code = t.run();
    if (code == CURLE_ABORTED_BY_CALLBACK && t.deadlinePassed)
        code = kPastDeadline;
    if (code == CURLE_WRITE_ERROR)
        answer.failure = t.tooLarge ? download::Failure::TooLarge : download::Failure::WriteFailed;
    else
        fail(answer, code, h);
}

extern "C" __attribute__((visibility("default"))) int
solmarinVerifyDescriptor(int fd, const std::string& signature, const std::string& publicKey,
                         std::string& trustedComment) {
    return static_cast<int>(minisign::verifyDescriptor(fd, signature, publicKey, &trustedComment));
}
