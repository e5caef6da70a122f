// A game asked to end by a signal ends in order on the GUI thread, once.
#include "quitsignal.h"

#include <QTest>

#include <csignal>

class TstQuitSignal : public QObject {
    Q_OBJECT

private slots:
    void signalsBecomeOneOrderlyQuit() {
        int quits = 0;
        {
            QuitSignal watcher([&] { ++quits; });
            // Handled on the event loop, not inside the signal handler.
            QVERIFY(::raise(SIGINT) == 0);
            QCOMPARE(quits, 0);
            QTRY_COMPARE(quits, 1);
        }
        // Gone with the watcher: the signal's own action is back.
        struct sigaction now {};
        QVERIFY(::sigaction(SIGTERM, nullptr, &now) == 0);
        QVERIFY(now.sa_handler == SIG_DFL);
    }
};

QTEST_GUILESS_MAIN(TstQuitSignal)
#include "tst_quitsignal.moc"
