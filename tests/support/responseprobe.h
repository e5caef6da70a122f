// Tools for watching a window under hostile input: how long events posted to it wait before it
// handles them, and whether the process opens files in a folder.
#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QString>

#include <sys/inotify.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <deque>
#include <mutex>
#include <thread>

// Posts an event to the target every few milliseconds from a thread of its own, so that a GUI
// thread that is stuck is measured too, and keeps the longest time one waited to be handled.
class ResponseProbe : public QObject {
public:
    using Clock = std::chrono::steady_clock;

    explicit ResponseProbe(QObject* target) : m_target(target) {
        target->installEventFilter(this);
        m_thread = std::thread([this] {
            while (!m_stop) {
                post();
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
            }
        });
    }

    ~ResponseProbe() override {
        m_stop = true;
        m_thread.join();
        QCoreApplication::removePostedEvents(m_target, type());
        m_target->removeEventFilter(this);
    }

    // The longest wait so far in milliseconds, counting events still waiting.
    long long longestWait() const {
        std::lock_guard<std::mutex> hold(m_mutex);
        long long longest = m_longest;
        if (!m_pending.empty())
            longest = std::max(longest, since(m_pending.front()));
        return longest;
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != m_target || event->type() != type())
            return false;
        std::lock_guard<std::mutex> hold(m_mutex);
        if (!m_pending.empty()) {
            m_longest = std::max(m_longest, since(m_pending.front()));
            m_pending.pop_front();
        }
        return true;
    }

private:
    static QEvent::Type type() {
        static const auto registered = QEvent::Type(QEvent::registerEventType());
        return registered;
    }
    static long long since(Clock::time_point posted) {
        return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - posted).count();
    }
    void post() {
        {
            std::lock_guard<std::mutex> hold(m_mutex);
            m_pending.push_back(Clock::now());
        }
        QCoreApplication::postEvent(m_target, new QEvent(type()));
    }

    QObject* m_target;
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
    mutable std::mutex m_mutex;
    std::deque<Clock::time_point> m_pending; // posted events are handled in their order
    long long m_longest = 0;
};

// Counts the opens of files in one folder by any process, this one included.
class OpenWatch {
public:
    explicit OpenWatch(const QString& folder) {
        m_fd = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
        ::inotify_add_watch(m_fd, folder.toLocal8Bit().constData(), IN_OPEN | IN_ACCESS);
    }
    ~OpenWatch() { ::close(m_fd); }
    bool valid() const { return m_fd >= 0; }

    // Opens of named files in the folder since the last call (the folder's own opens aside).
    int opens() {
        alignas(inotify_event) char buffer[4096];
        int count = 0;
        for (;;) {
            const ssize_t got = ::read(m_fd, buffer, sizeof buffer);
            if (got <= 0)
                return count;
            for (ssize_t at = 0; at < got;) {
                const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
                if (event->len > 0 && !(event->mask & IN_ISDIR))
                    ++count;
                at += ssize_t(sizeof(inotify_event) + event->len);
            }
        }
    }

private:
    int m_fd = -1;
};
