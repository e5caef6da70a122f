// Shared by the probes: prints the wall-clock time in nanoseconds at which a widget's first paint
// has reached the screen, and ends the program. By default it ends there and then, so neither
// the time nor the peak memory includes what a program does on its way out; given a delay, the
// program runs on that long first, so the peak memory includes what it does right after its
// first frame.
#pragma once

#include <QEvent>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <cstdlib>
#include <ctime>

class FirstFrame : public QObject {
public:
    explicit FirstFrame(QWidget* watched, int lingerMs = 0)
        : QObject(watched), m_lingerMs(lingerMs) {
        watched->installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && !m_seen) {
            m_seen = true;
            // The paint is still under way; the frame is flushed to the screen before the event
            // loop turns again, so the time is taken from there.
            QTimer::singleShot(0, [lingerMs = m_lingerMs] {
                timespec now{};
                clock_gettime(CLOCK_REALTIME, &now);
                std::printf("%lld\n",
                            static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec);
                std::fflush(stdout);
                if (lingerMs <= 0)
                    std::_Exit(0);
                QTimer::singleShot(lingerMs, [] { std::_Exit(0); });
            });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    int m_lingerMs;
    bool m_seen = false;
};
