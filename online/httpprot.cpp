// THttpCli: a blocking HTTP/1.0 client for downloads. The exchange runs on a worker thread
// while the calling (GUI) thread waits in a local event loop, so the windows go on painting
// and working meanwhile.
#include "httpprot.h"

#include "downloadcore.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QUrl>

#include <cstring>
#include <thread>

namespace {

bool isWebAddress(const QUrl& url) {
    return url.isValid() &&
           (url.scheme() == QLatin1String("http") || url.scheme() == QLatin1String("https")) &&
           !url.host().isEmpty();
}

// An address written without a scheme is plain HTTP.
QUrl parse(const std::string& text) {
    QString address = QString::fromStdString(text);
    if (!address.contains(QLatin1String("://")))
        address.prepend(QLatin1String("http://"));
    return QUrl(address, QUrl::StrictMode);
}

} // namespace

THttpCli::THttpCli() = default;
THttpCli::~THttpCli() = default;

void THttpCli::GetDocument() {
    if (m_busy)
        throw EHttpException("HTTP component is busy", 0);
    m_busy = true;
    m_abort = false;
    m_statusCode = 0;
    struct Idle {
        bool& busy;
        ~Idle() { busy = false; }
    } idle{m_busy};

    const auto deadline =
        Timeout > 0 ? std::chrono::steady_clock::now() + std::chrono::milliseconds(Timeout)
                    : std::chrono::steady_clock::time_point::max();
    std::string url = URL;
    for (int redirects = 0;; ++redirects) {
        const std::string next = fetchOnce(url, deadline);
        if (next.empty())
            return;
        if (redirects == kMaxRedirects)
            throw EHttpException("Too many redirections", m_statusCode);
        url = next;
    }
}

std::string THttpCli::fetchOnce(const std::string& url,
                                std::chrono::steady_clock::time_point deadline) {
    const QUrl address = parse(url);
    if (!isWebAddress(address))
        throw EHttpException("Bad address: " + url, 404);
    std::string host = address.host(QUrl::FullyEncoded).toStdString();
    if (host.find(':') != std::string::npos)
        host = "[" + host + "]"; // an IPv6 address
    if (address.port() != -1)
        host += ":" + std::to_string(address.port());
    std::string path = address.path(QUrl::FullyEncoded).toStdString();
    if (path.empty())
        path = "/";
    if (address.hasQuery())
        path += "?" + address.query(QUrl::FullyEncoded).toStdString();

    // The transfer works on its own copies: the GUI thread may change the properties while it
    // runs.
    download::Job job;
    job.url = address.toString(QUrl::FullyEncoded).toStdString();
    job.request = "GET " + path + " HTTP/" + RequestVer + "\r\n" + "Accept: " + Accept + "\r\n" +
                  "User-Agent: " + Agent + "\r\n" + "Host: " + host + "\r\n" +
                  (NoCache ? "Pragma: no-cache\r\n" : "") + "\r\n";
    job.proxy = Proxy.empty() ? std::string() : Proxy + ":" + ProxyPort;
    job.out = ReceiveStream;
    job.limit = MaxBodySize;
    job.abort = &m_abort;
    job.deadline = deadline;

    download::Answer answer;
    performWaiting(job, answer);
    m_statusCode = answer.status;
    using download::Failure;
    switch (answer.failure) {
    case Failure::None:
        break;
    case Failure::Aborted:
        throw EHttpException("Connection aborted on request", 404);
    case Failure::Resolve:
        throw EHttpException("can't resolve hostname to IP address", 404);
    case Failure::Connect:
        throw EHttpException("can't connect: " + std::string(std::strerror(answer.osError)) +
                                 " (Error #" + std::to_string(answer.osError) + ")",
                             404);
    case Failure::TooLarge:
        throw EHttpException("Document larger than " + std::to_string(MaxBodySize) + " bytes", 404);
    case Failure::Deadline:
        throw EHttpException("Download took too long", 404);
    case Failure::WriteFailed:
        throw EHttpException("Unable to write the received document", 404);
    case Failure::Other:
        throw EHttpException(answer.message, 404);
    }
    if (answer.status >= 300 && answer.status < 400 && !answer.location.empty()) {
        const QUrl next = address.resolved(QUrl(QString::fromStdString(answer.location)));
        if (!isWebAddress(next))
            throw EHttpException("Bad redirection: " + answer.location, answer.status);
        return next.toString(QUrl::FullyEncoded).toStdString();
    }
    if (answer.status >= 400)
        throw EHttpException(answer.reason.empty() ? "HTTP error " + std::to_string(answer.status)
                                                   : answer.reason,
                             answer.status);
    return {};
}

void THttpCli::performWaiting(const download::Job& job, download::Answer& answer) {
    if (!QCoreApplication::instance()) {
        download::run(job, answer);
        return;
    }
    if (QCoreApplication::closingDown()) {
        answer.failure = download::Failure::Aborted;
        return;
    }
    QEventLoop loop;
    std::atomic<bool> done{false};
    std::thread worker([&] {
        download::run(job, answer);
        done = true;
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    // The loop also ends when the application is told to quit (the game is being closed);
    // the transfer is then abandoned rather than waited for.
    loop.exec();
    if (!done)
        m_abort = true;
    worker.join();
}
