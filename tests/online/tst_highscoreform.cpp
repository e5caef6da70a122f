// The high-score window against a server of the test's own: the page it shows, what the viewer
// leaves alone, where links go, and a post the server refuses.
#include "highscoreform.h"
#include "htmllite.h"
#include "httpget.h"
#include "loopbackserver.h"
#include "serveraddress.h"
#include "url.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocument>

namespace {

std::string page(const std::string& html) {
    return "HTTP/1.0 200 OK\r\nContent-Type: text/html\r\nContent-Length: " +
           std::to_string(html.size()) + "\r\n\r\n" + html;
}

} // namespace

class TestHighscoreForm : public QObject {
    Q_OBJECT

private slots:
    void cleanup() {
        serveraddress::setConfigured({});
        TURL::setOpener({});
    }

    void showsTheListPageAndFetchesNothingItNames() {
        QTemporaryDir folder;
        const QString picture = folder.filePath("p.png");
        QImage(4, 4, QImage::Format_RGB32).save(picture);
        const std::string html = "<p>Best: <b>Ann</b></p><img src=\"file://" +
                                 picture.toStdString() +
                                 "\"><img src=\"p.png\">"
                                 "<img src=\"http://127.0.0.1:9/x.png\">";
        LoopbackServer server(page(html));
        serveraddress::setConfigured(server.hostPort());
        Thighscore window(QPixmap(), "solmarin");
        window.loadit();
        window.loadit(); // still fetching: dropped
        QTRY_COMPARE(window.displayhtml->toPlainText().left(9), QString("Best: Ann"));
        server.waitForRequests(1);
        QCOMPARE(server.requests().size(), std::size_t(1));
        QVERIFY(server.requests()[0].rfind("GET /counter/solmarin.shtml HTTP/1.0\r\n", 0) == 0);

        QTextDocument* document = window.displayhtml->document();
        for (const QString& name :
             {QString("file://") + picture, QString("p.png"), QString("http://127.0.0.1:9/x.png")})
            QVERIFY2(document->resource(QTextDocument::ImageResource, QUrl(name)).isNull(),
                     qPrintable(name));
        QVERIFY(!window.displayhtml->isBackwardAvailable());
        QCOMPARE(window.displayhtml->palette().color(QPalette::Base), QColor(64, 36, 174));
    }

    void onlyWebLinksLeaveTheWindowRelativeOnesReadAgainstTheList() {
        serveraddress::setConfigured("127.0.0.1:8765");
        QStringList opened;
        TURL::setOpener([&](const QString& address) {
            opened << address;
            return true;
        });
        Thighscore window(QPixmap(), "solmarin");
        const QStringList links = {
            "http://example.org/a?b=c", "HTTPS://example.org/", "rules.html",          "/top.html",
            "javascript:alert(1)",      "file:///etc/passwd",   "mailto:x@example.org"};
        for (const QString& link : links)
            emit window.displayhtml->anchorClicked(QUrl(link));
        QCOMPARE(opened, (QStringList{"http://example.org/a?b=c", "https://example.org/",
                                      "http://127.0.0.1:8765/counter/rules.html",
                                      "http://127.0.0.1:8765/top.html"}));
    }

    void aRefusedPostFailsWithoutOpeningTheList() {
        LoopbackServer server("HTTP/1.0 400 Bad Request\r\nContent-Length: 8\r\n\r\nrefused\n");
        serveraddress::setConfigured(server.hostPort());
        Thighscore window(QPixmap(), "solmarin");
        QSignalSpy failed(&window, &Thighscore::postFailed);
        QSignalSpy posted(&window, &Thighscore::posted);
        window.sendscore("a b&c=d#", "12/7/26", "-40");
        QTRY_COMPARE(failed.size(), 1);
        QCOMPARE(posted.size(), 0);
        QVERIFY(!window.isVisible());
        QVERIFY(server.requests()[0].rfind(
                    "GET /cgi-bin/solmarin.cgi?name=a%20b%26c%3Dd%23&date=12/7/26&score=-40 "
                    "HTTP/1.0\r\n",
                    0) == 0);
    }
};

QTEST_MAIN(TestHighscoreForm)
#include "tst_highscoreform.moc"
