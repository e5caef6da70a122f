// QuitSignal: turns SIGTERM, SIGINT and SIGHUP into an orderly end on the GUI thread, so a game
// ended by the session, a terminal or `kill` still saves its settings and tally.
#pragma once

#include <QObject>

#include <functional>

class QSocketNotifier;

class QuitSignal : public QObject {
    Q_OBJECT

public:
    // Calls `quit` on the GUI thread when one of the signals arrives. Only the first signal is
    // turned into `quit`; a second one ends the program at once, as it would have without us.
    // One instance per process.
    explicit QuitSignal(std::function<void()> quit, QObject* parent = nullptr);
    ~QuitSignal() override;

private:
    void received();

    std::function<void()> m_quit;
    QSocketNotifier* m_notifier = nullptr;
};
