// A tiny HTTP server on 127.0.0.1 for the fetch tests: it records the request bytes and answers
// each connection with a fixed reply, or never answers at all.
#pragma once

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <condition_variable>
#include <cstdlib>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class RawServer {
public:
    // `reply` is sent whole after the request has arrived, then the connection is closed; with
    // `hang` nothing is sent until release() and the connection stays open meanwhile.
    explicit RawServer(std::string reply, bool hang = false)
        : m_reply(std::move(reply)), m_hang(hang) {
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
    ~RawServer() {
        m_stop = true;
        m_thread.join();
        ::close(m_listen);
    }

    int port() const { return m_port; }
    std::string hostPort() const { return "127.0.0.1:" + std::to_string(m_port); }
    // A hanging server sends its reply now, and to every later request at once.
    void release() { m_hang = false; }
    std::string base() const { return "http://127.0.0.1:" + std::to_string(m_port); }

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
    // Waits until a hanging connection has been closed by the client.
    void waitForClientClose() const {
        std::unique_lock<std::mutex> hold(m_mutex);
        m_changed.wait(hold, [&] { return m_clientClosed; });
    }

private:
    void serve() {
        while (!m_stop) {
            pollfd ready{m_listen, POLLIN, 0};
            if (::poll(&ready, 1, 20) <= 0)
                continue;
            const int connection = ::accept4(m_listen, nullptr, nullptr, SOCK_CLOEXEC);
            if (connection < 0)
                continue;
            handle(connection);
            ::close(connection);
        }
    }

    // Reads up to a byte count, or to the end of the headers and the announced body.
    static bool complete(const std::string& data) {
        const std::size_t end = data.find("\r\n\r\n");
        if (end == std::string::npos)
            return false;
        std::size_t body = 0;
        const std::size_t at = data.find("Content-Length: ");
        if (at != std::string::npos && at < end)
            body = std::stoul(data.substr(at + 16));
        return data.size() >= end + 4 + body;
    }

    void handle(int connection) {
        std::string data;
        char buffer[4096];
        while (!m_stop && !complete(data)) {
            pollfd ready{connection, POLLIN, 0};
            if (::poll(&ready, 1, 20) <= 0)
                continue;
            const ssize_t got = ::recv(connection, buffer, sizeof buffer, 0);
            if (got <= 0)
                return;
            data.append(buffer, std::size_t(got));
        }
        {
            std::lock_guard<std::mutex> hold(m_mutex);
            m_requests.push_back(data);
        }
        m_changed.notify_all();
        while (!m_stop) {
            if (!m_hang) {
                ::send(connection, m_reply.data(), m_reply.size(), MSG_NOSIGNAL);
                return;
            }
            pollfd ready{connection, POLLIN, 0};
            if (::poll(&ready, 1, 20) > 0 && ::recv(connection, buffer, sizeof buffer, 0) <= 0) {
                std::lock_guard<std::mutex> hold(m_mutex);
                m_clientClosed = true;
                m_changed.notify_all();
                return;
            }
        }
    }

    std::string m_reply;
    std::atomic<bool> m_hang;
    int m_listen = -1;
    int m_port = 0;
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
    mutable std::mutex m_mutex;
    mutable std::condition_variable m_changed;
    std::vector<std::string> m_requests;
    bool m_clientClosed = false;
};
