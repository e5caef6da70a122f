// An HTTP server on 127.0.0.1 for the tests of the program's clients. It records every request
// and answers it either with a fixed reply (sent at once, or held back until release()) or
// through a handler of the test's own on the raw socket, so misbehaving servers can be played too.
#pragma once

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <cctype>
#include <condition_variable>
#include <cstdlib>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class LoopbackServer {
public:
    // Answers one request on the connection `fd`; the connection is closed after it returns.
    // A handler that sends for long should stop once stopping() is true.
    using Handler = std::function<void(int fd, const std::string& request)>;

    explicit LoopbackServer(Handler handler) : m_handler(std::move(handler)) { start(); }

    // `reply` is sent whole after the request has arrived, then the connection is closed; with
    // `hang` nothing is sent until release() and the connection stays open meanwhile.
    explicit LoopbackServer(std::string reply, bool hang = false) : m_hang(hang) {
        m_handler = [this, reply = std::move(reply)](int fd, const std::string&) {
            while (!m_stop && m_hang) {
                if (clientClosed(fd, 20)) {
                    std::lock_guard<std::mutex> hold(m_mutex);
                    m_clientClosed = true;
                    m_changed.notify_all();
                    return;
                }
            }
            send(fd, reply);
        };
        start();
    }

    ~LoopbackServer() {
        m_stop = true;
        m_thread.join();
        ::close(m_listen);
    }

    LoopbackServer(const LoopbackServer&) = delete;
    LoopbackServer& operator=(const LoopbackServer&) = delete;

    int port() const { return m_port; }
    std::string hostPort() const { return "127.0.0.1:" + std::to_string(m_port); }
    std::string base() const { return "http://" + hostPort(); }
    std::string url(const std::string& path) const { return base() + path; }
    bool stopping() const { return m_stop; }

    // A held-back reply is sent now, and to every later request at once.
    void release() { m_hang = false; }

    // The requests received so far, each as its bytes.
    std::vector<std::string> requests() const {
        std::lock_guard<std::mutex> hold(m_mutex);
        return m_requests;
    }
    // Waits until `count` requests have arrived.
    void waitForRequests(std::size_t count) const {
        std::unique_lock<std::mutex> hold(m_mutex);
        m_changed.wait(hold, [&] { return m_requests.size() >= count; });
    }
    // Waits until a held-back connection has been closed by the client.
    void waitForClientClose() const {
        std::unique_lock<std::mutex> hold(m_mutex);
        m_changed.wait(hold, [&] { return m_clientClosed; });
    }

    // Sends all of `bytes`; false once the client has gone.
    static bool send(int fd, const std::string& bytes) {
        std::size_t done = 0;
        while (done < bytes.size()) {
            const ssize_t sent = ::send(fd, bytes.data() + done, bytes.size() - done, MSG_NOSIGNAL);
            if (sent <= 0)
                return false;
            done += std::size_t(sent);
        }
        return true;
    }
    // Whether the client has closed its side, waiting at most `milliseconds` to learn it.
    static bool clientClosed(int fd, int milliseconds) {
        pollfd ready{fd, POLLIN, 0};
        char byte;
        return ::poll(&ready, 1, milliseconds) > 0 &&
               ::recv(fd, &byte, 1, MSG_PEEK | MSG_DONTWAIT) <= 0;
    }

private:
    void start() {
        // A proxy set for the machine must not stand between the tests and their own server.
        ::setenv("no_proxy", "127.0.0.1", 1);
        m_listen = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        address.sin_port = 0; // the kernel picks a free port
        ::bind(m_listen, reinterpret_cast<sockaddr*>(&address), sizeof address);
        ::listen(m_listen, 64);
        socklen_t length = sizeof address;
        ::getsockname(m_listen, reinterpret_cast<sockaddr*>(&address), &length);
        m_port = ntohs(address.sin_port);
        m_thread = std::thread([this] { serve(); });
    }

    void serve() {
        while (!m_stop) {
            pollfd ready{m_listen, POLLIN, 0};
            if (::poll(&ready, 1, 20) <= 0)
                continue;
            const int connection = ::accept4(m_listen, nullptr, nullptr, SOCK_CLOEXEC);
            if (connection < 0)
                continue;
            std::string request;
            if (readRequest(connection, request)) {
                {
                    std::lock_guard<std::mutex> hold(m_mutex);
                    m_requests.push_back(request);
                }
                m_changed.notify_all();
                m_handler(connection, request);
            }
            ::close(connection);
        }
    }

    // The announced body length of a request whose head ends at `end`, 0 without one.
    static std::size_t contentLength(const std::string& data, std::size_t end) {
        std::string head = data.substr(0, end);
        for (char& c : head)
            c = char(std::tolower(static_cast<unsigned char>(c)));
        const std::size_t at = head.find("\r\ncontent-length:");
        return at == std::string::npos ? 0 : std::strtoul(head.c_str() + at + 17, nullptr, 10);
    }

    // Reads the head and the announced body; false when the client leaves first.
    bool readRequest(int connection, std::string& data) const {
        char buffer[4096];
        for (;;) {
            const std::size_t end = data.find("\r\n\r\n");
            if (end != std::string::npos && data.size() >= end + 4 + contentLength(data, end))
                return true;
            if (m_stop)
                return false;
            pollfd ready{connection, POLLIN, 0};
            if (::poll(&ready, 1, 20) <= 0)
                continue;
            const ssize_t got = ::recv(connection, buffer, sizeof buffer, 0);
            if (got <= 0)
                return false;
            data.append(buffer, std::size_t(got));
        }
    }

    Handler m_handler;
    std::atomic<bool> m_hang{false};
    int m_listen = -1;
    int m_port = 0;
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
    mutable std::mutex m_mutex;
    mutable std::condition_variable m_changed;
    std::vector<std::string> m_requests;
    bool m_clientClosed = false;
};
