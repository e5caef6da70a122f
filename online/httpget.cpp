// THTTPGet: fetches one address over HTTP on a worker thread of its own.
#include "httpget.h"

#include <QCoreApplication>

THTTPGetThread::THTTPGetThread(const fetch::Settings& settings, bool reportProgress)
    : m_settings(settings), m_reportProgress(reportProgress) {}

void THTTPGetThread::Execute() {
    // Nothing thrown here may leave the thread: the fetch ends where it stands and reports
    // failure.
    try {
        fetch::run(m_settings, m_result, *this);
    } catch (...) {
        m_result.success = false;
        m_result.error = "the fetch failed";
    }
}

void THTTPGetThread::chunkRead(const fetch::Result& result) {
    if (m_reportProgress)
        emit progress(int(result.totalSize), int(result.readed));
}

THTTPGet::THTTPGet(QObject* parent) : QObject(parent) {}

THTTPGet::~THTTPGet() {
    if (!m_worker)
        return;
    StopFetch();
    m_worker->disconnect(this);
    // The worker looks at its stop request at least every tenth of a second, so this wait is
    // short even when the server never answers; afterwards nothing of it remains.
    m_worker->wait();
    delete m_worker;
}

void THTTPGet::StartFetch() {
    if (m_worker)
        return;
    fetch::Settings settings;
    settings.acceptTypes = AcceptTypes.toStdString();
    settings.agent = Agent.toStdString();
    settings.url = URL.toStdString();
    settings.userName = UserName.toStdString();
    settings.password = Password.toStdString();
    settings.postQuery = PostQuery.toStdString();
    settings.referer = Referer.toStdString();
    settings.binaryData = BinaryData;
    settings.useCache = UseCache;
    settings.acceptGzip = Compressed;
    settings.maxBodySize = MaxBodySize;
    settings.deadlineMs = Deadline;
    auto* worker = new THTTPGetThread(settings, bool(OnProgress));
    m_worker = worker;
    // Both arrive queued on the GUI thread, in the order the worker sent them: every progress
    // report comes before the completion.
    connect(worker, &THTTPGetThread::progress, this, [this, worker](int total, int readed) {
        if (OnProgress)
            OnProgress(worker, total, readed);
    });
    connect(worker, &QThread::finished, this, [this, worker] { completion(worker); });
    worker->start();
    if (WaitThread)
        QCoreApplication::processEvents();
}

void THTTPGet::StopFetch() {
    if (m_worker)
        m_worker->requestStop();
}

void THTTPGet::completion(THTTPGetThread* worker) {
    // The worker is released however its handler ends, and only after the handler has run, so
    // a StartFetch from inside the handler is dropped.
    struct Release {
        THTTPGet* component;
        THTTPGetThread* worker;
        ~Release() {
            component->m_worker = nullptr;
            worker->wait();
            delete worker;
        }
    } release{this, worker};

    const fetch::Result& result = worker->result();
    m_statusCode = result.status;
    if (result.success && !worker->stopped()) {
        if (OnDoneString)
            OnDoneString(this, QByteArray(result.body.data(), qsizetype(result.body.size())));
    } else if (OnError) {
        OnError(this);
    }
}
