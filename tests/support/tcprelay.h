// A TCP relay from a free port of 127.0.0.1 to another port there, for tests that cut a program
// off from a server without stopping either. Paused, it holds every byte both ways and takes no
// new connection, as a network gone silent does; resumed, it passes everything on.
#pragma once

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <condition_variable>
#include <mutex>
#include <stdexcept>
#include <thread>
#include <vector>

class TcpRelay {
public:
    explicit TcpRelay(int target) : m_target(target) {
        m_listener = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in address = loopback(0);
        socklen_t length = sizeof address;
        if (::bind(m_listener, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
            ::listen(m_listener, 64) != 0 ||
            ::getsockname(m_listener, reinterpret_cast<sockaddr*>(&address), &length) != 0)
            throw std::runtime_error("the relay cannot listen");
        m_port = ntohs(address.sin_port);
        m_acceptor = std::thread([this] { acceptAll(); });
    }
    ~TcpRelay() {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_stopping = true;
        }
        m_changed.notify_all();
        // No connection is taken once the acceptor has ended.
        m_acceptor.join();
        for (std::thread& thread : m_threads)
            thread.join();
        for (int fd : m_sockets)
            ::close(fd);
        ::close(m_listener);
    }

    int port() const { return m_port; }

    // Returns once no byte is on its way through the relay.
    void pause() {
        std::unique_lock<std::mutex> lock(m_mutex);
        m_paused = true;
        m_changed.wait(lock, [&] { return m_busy == 0; });
    }
    void resume() {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_paused = false;
        }
        m_changed.notify_all();
    }

private:
    static sockaddr_in loopback(int port) {
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        address.sin_port = htons(uint16_t(port));
        return address;
    }

    // Waits while paused, then counts the caller as moving bytes; false once stopping.
    bool begin() {
        std::unique_lock<std::mutex> lock(m_mutex);
        m_changed.wait(lock, [&] { return !m_paused || m_stopping; });
        ++m_busy;
        return !m_stopping;
    }
    void end() {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            --m_busy;
        }
        m_changed.notify_all();
    }

    void acceptAll() {
        while (begin()) {
            pollfd wait{m_listener, POLLIN, 0};
            if (::poll(&wait, 1, 20) == 1) {
                const int client = ::accept4(m_listener, nullptr, nullptr, SOCK_CLOEXEC);
                const int server = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
                const sockaddr_in address = loopback(m_target);
                if (client >= 0 && ::connect(server, reinterpret_cast<const sockaddr*>(&address),
                                             sizeof address) == 0) {
                    std::lock_guard<std::mutex> lock(m_mutex);
                    m_sockets.insert(m_sockets.end(), {client, server});
                    m_threads.emplace_back([this, client, server] { pass(client, server); });
                    m_threads.emplace_back([this, client, server] { pass(server, client); });
                } else {
                    ::close(client);
                    ::close(server);
                }
            }
            end();
        }
        end();
    }

    // Copies `from` to `to` until either end closes; a byte read is written before a pause.
    void pass(int from, int to) {
        while (begin()) {
            pollfd wait{from, POLLIN, 0};
            bool open = true;
            if (::poll(&wait, 1, 20) == 1) {
                char buffer[16384];
                const ssize_t got = ::recv(from, buffer, sizeof buffer, 0);
                open = got > 0;
                for (ssize_t sent = 0; open && sent < got;) {
                    const ssize_t n =
                        ::send(to, buffer + sent, std::size_t(got - sent), MSG_NOSIGNAL);
                    open = n > 0;
                    sent += n;
                }
            }
            end();
            if (!open) {
                ::shutdown(to, SHUT_WR);
                return;
            }
        }
        end();
    }

    const int m_target;
    int m_listener = -1;
    int m_port = 0;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    bool m_paused = false;
    bool m_stopping = false;
    int m_busy = 0;
    std::vector<int> m_sockets;
    std::thread m_acceptor;
    std::vector<std::thread> m_threads; // joined only at the end: a test makes few connections
};
