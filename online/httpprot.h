// THttpCli: a blocking HTTP/1.0 client for downloads. GetDocument returns only when the transfer
// has ended, but the windows go on painting and working while it waits.
#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <ostream>
#include <stdexcept>
#include <string>

namespace download {
struct Job;
struct Answer;
} // namespace download

class EHttpException : public std::runtime_error {
public:
    EHttpException(const std::string& message, int status)
        : std::runtime_error(message), m_status(status) {}
    int ErrorCode() const { return m_status; }

private:
    int m_status;
};

class THttpCli {
public:
    THttpCli();
    ~THttpCli();
    THttpCli(const THttpCli&) = delete;
    THttpCli& operator=(const THttpCli&) = delete;

    std::string Agent = "Mozilla/3.0 (compatible)";
    std::string Accept = "image/gif, image/x-xbitmap, image/jpeg, image/pjpeg, */*";
    std::string RequestVer = "1.0";
    bool NoCache = false;
    std::string LocalAddr = "0.0.0.0";
    // Empty: connect directly, whatever the environment says about proxies.
    std::string Proxy;
    std::string ProxyPort = "80";
    std::string URL;
    // Receives the body of the final answer as it arrives; the caller owns it.
    std::ostream* ReceiveStream = nullptr;
    // A body longer than this ends the transfer with an error; 0 means no limit.
    std::int64_t MaxBodySize = 0;
    // Milliseconds that the whole GetDocument may take, redirections included, however steadily
    // the server sends; 0 means no limit. A server that sends nothing at all for a minute ends
    // the transfer in any case.
    std::int64_t Timeout = 0;

    // Sends a GET for URL and follows redirections. Throws EHttpException for a status of 400
    // or more, a failed connection, a body over MaxBodySize, a transfer past Timeout, a stream
    // that refuses the body, or a transfer abandoned because the program is ending (or Abort was
    // called).
    void GetDocument();
    // Abandons a running transfer; GetDocument then throws "Connection aborted on request".
    void Abort() { m_abort = true; }

    // The status of the last answer received, 0 before any.
    int StatusCode() const { return m_statusCode; }

    static constexpr int kMaxRedirects = 5;

private:
    // Sends one request; gives the address to go on to when the answer redirects.
    std::string fetchOnce(const std::string& url, std::chrono::steady_clock::time_point deadline);
    // Runs the transfer on a worker thread while the calling thread dispatches its events.
    void performWaiting(const download::Job& job, download::Answer& answer);

    std::atomic<bool> m_abort{false};
    bool m_busy = false;
    int m_statusCode = 0;
};
