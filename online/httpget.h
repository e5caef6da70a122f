// THTTPGet: fetches one address over HTTP on a worker thread of its own and hands the body to
// the GUI thread through an event.
#pragma once

#include "fetchcore.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QThread>

#include <atomic>
#include <functional>

class THTTPGet;

// One fetch. It works on its own copies of the component's settings; the stop request and the
// result are the only things shared with the GUI thread, and the result is read there only after
// the thread has ended.
class THTTPGetThread : public QThread, private fetch::Control {
    Q_OBJECT

public:
    THTTPGetThread(const fetch::Settings& settings, bool reportProgress);

    void Execute();
    // Asks the fetch to end at its next poll, as a failure.
    void requestStop() { m_stop.store(true); }
    bool stopped() const { return m_stop.load(); }
    const fetch::Result& result() const { return m_result; }

signals:
    // After each chunk, from the worker thread.
    void progress(int TotalSize, int Readed);

protected:
    void run() override { Execute(); }

private:
    bool stopRequested() const override { return m_stop.load(); }
    void chunkRead(const fetch::Result& result) override;

    const fetch::Settings m_settings;
    const bool m_reportProgress;
    std::atomic<bool> m_stop{false};
    fetch::Result m_result;
};

class THTTPGet : public QObject {
    Q_OBJECT

public:
    using TOnDoneStringEvent = std::function<void(QObject* Sender, const QByteArray& Result)>;
    using TOnProgressEvent = std::function<void(QObject* Sender, int TotalSize, int Readed)>;
    using TNotifyEvent = std::function<void(QObject* Sender)>;

    explicit THTTPGet(QObject* parent = nullptr);
    // A busy component stops its fetch and waits the moment it takes to end; no event of it
    // arrives afterwards.
    ~THTTPGet() override;

    QString AcceptTypes = QStringLiteral("*/*");
    QString Agent = QStringLiteral("Zentrik HTTPGet");
    bool BinaryData = false;
    QString URL;
    bool UseCache = false;
    // Accepts a gzip-compressed body (handed on decoded; MaxBodySize counts the decoded bytes).
    bool Compressed = false;
    QString UserName;
    QString Password;
    QString PostQuery;
    QString Referer;
    bool WaitThread = false;
    // Every fetch is bounded: a longer body, or a fetch not ended by the deadline (in
    // milliseconds), fails and raises OnError. Each user sets the bounds its documents need.
    qint64 MaxBodySize = fetch::Settings().maxBodySize;
    int Deadline = int(fetch::Settings().deadlineMs);
    TOnProgressEvent OnProgress;
    TOnDoneStringEvent OnDoneString;
    TNotifyEvent OnError;

    // Starts fetching `URL` and returns at once; dropped while a fetch is in progress, also
    // from inside this component's own handlers.
    void StartFetch();
    // Ends the fetch in progress as a failure.
    void StopFetch();
    bool busy() const { return m_worker != nullptr; }
    // The status code of the last completed fetch (0 when no response arrived), readable from
    // the handlers: an error page is delivered like any other body.
    int StatusCode() const { return m_statusCode; }

private:
    void completion(THTTPGetThread* worker);

    THTTPGetThread* m_worker = nullptr;
    int m_statusCode = 0;
};
