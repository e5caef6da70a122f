// The session's request to end the program (SIGTERM at log-out or shutdown, SIGHUP when the
// terminal goes), turned into an ordinary event so that the program can end as its close box
// ends it: settings and tally saved.
#pragma once

#include <QObject>

class QSocketNotifier;

class TerminationWatcher : public QObject {
    Q_OBJECT

public:
    // Takes over SIGTERM and SIGHUP for the process; one watcher at a time.
    explicit TerminationWatcher(QObject* parent = nullptr);
    ~TerminationWatcher() override;

signals:
    // The program has been asked to end; emitted on the GUI thread.
    void requested();

private:
    void drain();

    QSocketNotifier* m_notifier = nullptr;
};
