// The high-score window against a hostile score server: pages that would freeze or crash a
// viewer, pages that name local files, pages that never end. The window must go on answering,
// and no file on this computer may be opened for the page.
#include "highscoreform.h"
#include "htmllite.h"
#include "httpget.h"
#include "loopbackserver.h"
#include "responseprobe.h"
#include "scores.h"
#include "serveraddress.h"

#include <QDir>
#include <QImage>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <sys/stat.h>

#include <chrono>
#include <thread>

namespace {

// What the window says when the list could not be fetched.
const char* const kNotFetched = "The high score list could not be fetched.";

std::string repeat(const std::string& part, std::size_t times) {
    std::string out;
    out.reserve(part.size() * times);
    for (std::size_t i = 0; i < times; ++i)
        out += part;
    return out;
}

std::string nestedTables(int levels) {
    return repeat("<table border=1><tr><td>", std::size_t(levels)) + "deep" +
           repeat("</td></tr></table>", std::size_t(levels));
}

LoopbackServer::Handler page(std::string html) {
    return [html = std::move(html)](int fd, const std::string&) {
        LoopbackServer::send(fd, "HTTP/1.0 200 OK\r\nContent-Type: text/html\r\nContent-Length: " +
                                     std::to_string(html.size()) + "\r\n\r\n" + html);
    };
}

// The page gzip-compressed, as our server hands it to a client that asks for it; a client that
// does not ask is refused.
LoopbackServer::Handler compressedPage(const std::string& html) {
    std::string body;
    scores::gzipped(html, body);
    return [body](int fd, const std::string& request) {
        if (request.find("Accept-Encoding: gzip\r\n") == std::string::npos) {
            LoopbackServer::send(fd, "HTTP/1.0 406 Not Acceptable\r\n\r\n");
            return;
        }
        LoopbackServer::send(fd, "HTTP/1.0 200 OK\r\nContent-Type: text/html\r\n"
                                 "Content-Encoding: gzip\r\nContent-Length: " +
                                     std::to_string(body.size()) + "\r\n\r\n" + body);
    };
}

// Sends `piece` again and again, `pause` apart, until the client goes or the server stops.
LoopbackServer::Handler endless(std::string piece, std::chrono::milliseconds pause) {
    return [piece = std::move(piece), pause](int fd, const std::string&) {
        LoopbackServer::send(fd, "HTTP/1.0 200 OK\r\nContent-Type: text/html\r\n\r\n<p>");
        const auto end = std::chrono::steady_clock::now() + std::chrono::minutes(1);
        while (std::chrono::steady_clock::now() < end && LoopbackServer::send(fd, piece))
            std::this_thread::sleep_for(pause);
    };
}

// Whether some process holds the FIFO open for reading: a writer can open it then.
bool fifoHasReader(const QString& fifo) {
    const int fd = ::open(QFile::encodeName(fifo).constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    ::close(fd);
    return true;
}

} // namespace

class TstHostilePages : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        QVERIFY(m_folder.isValid());
        QImage(8, 8, QImage::Format_RGB32).save(m_folder.filePath("relative.png"));
        QImage(8, 8, QImage::Format_RGB32).save(m_folder.filePath("local.png"));
        for (const QString& name : {fifo(), m_folder.filePath("named.fifo")})
            QVERIFY(::mkfifo(QFile::encodeName(name).constData(), 0600) == 0);
        // Relative names in a page would be read against the working folder.
        m_previous = QDir::currentPath();
        QVERIFY(QDir::setCurrent(m_folder.path()));
    }
    void cleanupTestCase() { QDir::setCurrent(m_previous); }
    void cleanup() { serveraddress::setConfigured({}); }

    void hostilePagesNeitherFreezeTheWindowNorOpenLocalFiles() {
        using std::chrono::milliseconds;
        const std::string local = m_folder.filePath("local.png").toStdString();
        const std::string pictures =
            "<p>pictures</p><img src=\"" + local + "\"><img src=\"file://" + local +
            "\"><img src=\"relative.png\"><img src=\"named.fifo\"><img src=\"" +
            fifo().toStdString() + "\"><table background=\"relative.png\"><tr><td>t</td></tr>" +
            "</table><style>td{background-image:url(local.png)}</style>"
            "<link rel=stylesheet href=\"relative.png\">";
        const std::string row =
            "<tr><td align=right>1</td><td>Ann</td><td>1234</td><td>12/7/26</td></tr>\n";
        const struct {
            const char* what;
            LoopbackServer::Handler serve;
            const char* shown; // the start of the text shown afterwards
        } cases[] = {
            {"20 nested tables", page(nestedTables(20)), "deep"},
            {"40 nested tables", page(nestedTables(40)), "deep"},
            {"5000 nested tables", page(nestedTables(5000)), ""},
            {"a flat list of 12 MB", page("<table>" + repeat(row, 12600000 / row.size())),
             kNotFetched},
            {"a compressed list", compressedPage("<p>compressed</p><table>" + repeat(row, 100)),
             "compressed"},
            // Some 12 KB on the wire that would unpack into 12 MB.
            {"a compressed list of 12 MB",
             compressedPage("<table>" + repeat(row, 12600000 / row.size())), kNotFetched},
            {"local, relative and FIFO pictures", page(pictures), "pictures"},
            {"an endless body", endless(std::string(65536, 'x'), milliseconds(0)), kNotFetched},
            {"a trickle", endless("<b>x</b>", milliseconds(20)), kNotFetched},
        };
        for (const auto& c : cases) {
            LoopbackServer server(c.serve);
            serveraddress::setConfigured(server.hostPort());
            Thighscore window(QPixmap(), "solmarin");
            // The trickle meets the list's deadline within the test's time.
            window.getit->Deadline = 3000;
            window.show();
            QVERIFY(QTest::qWaitForWindowExposed(&window));
            window.displayhtml->LoadFromString("<p>before</p>");
            window.grab(); // the window's own pictures are drawn before the page arrives
            QSignalSpy refused(window.displayhtml, &ThtmlLite::resourceRefused);
            OpenWatch opened(m_folder.path());
            QVERIFY(opened.valid());
            long long longest = 0;
            {
                ResponseProbe probe(&window);
                window.loadit();
                QVERIFY2(QTest::qWaitFor([&] { return !window.getit->busy(); }, 30000), c.what);
                window.grab(); // lays the page out and paints it as the screen would
                QTest::qWait(50);
                longest = probe.longestWait();
            }
            qInfo("%s: the longest wait for an event was %lld ms", c.what, longest);
            QVERIFY2(longest <= 200,
                     qPrintable(QString("%1: an event waited %2 ms").arg(c.what).arg(longest)));
            QVERIFY2(refused.isEmpty(), c.what);
            QVERIFY2(opened.opens() == 0, c.what);
            QVERIFY2(!fifoHasReader(fifo()) && !fifoHasReader(m_folder.filePath("named.fifo")),
                     c.what);
            const QString text = window.displayhtml->toPlainText().trimmed();
            QVERIFY2(text.startsWith(QString::fromLatin1(c.shown)),
                     qPrintable(QString("%1: %2").arg(c.what, text.left(40))));
            QVERIFY2(*c.shown || !text.startsWith("Fetching"), c.what);
        }
    }

private:
    QString fifo() const { return m_folder.filePath("picture.fifo"); }

    QTemporaryDir m_folder;
    QString m_previous;
};

QTEST_MAIN(TstHostilePages)
#include "tst_hostilepages.moc"
