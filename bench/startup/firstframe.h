// Shared by the two probes: ends the program right after a widget's first paint has reached the
// screen and prints the wall-clock time of that moment in nanoseconds. The process ends there
// and then, so neither the time nor the peak memory includes what a program does on its way out.
#pragma once

#include <QEvent>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <cstdlib>
#include <ctime>

class FirstFrame : public QObject {
public:
    explicit FirstFrame(QWidget* watched) : QObject(watched) { watched->installEventFilter(this); }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && !m_seen) {
            m_seen = true;
            // The paint is still under way; the frame is flushed to the screen before the event
            // loop turns again, so the time is taken from there.
            QTimer::singleShot(0, [] {
                timespec now{};
                clock_gettime(CLOCK_REALTIME, &now);
                std::printf("%lld\n",
                            static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec);
                std::fflush(stdout);
                std::_Exit(0);
            });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool m_seen = false;
};
