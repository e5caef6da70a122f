// The blocking download client against real servers on the loopback interface: the request it
// sends, redirections, errors, servers that misbehave, and the wait that keeps events flowing.
#include "httpprot.h"
#include "loopbackserver.h"

#include <QCoreApplication>
#include <QTimer>
#include <QtTest>

#include <sstream>

namespace {

std::string answer(const std::string& status, const std::string& body,
                   const std::string& extra = {}) {
    return "HTTP/1.0 " + status + "\r\nContent-Length: " + std::to_string(body.size()) + "\r\n" +
           extra + "\r\n" + body;
}

std::string path(const std::string& request) {
    const std::size_t start = request.find(' ') + 1;
    return request.substr(start, request.find(' ', start) - start);
}

// Runs GetDocument and gives the message of the exception it threw, or "" when it returned.
std::string fetch(THttpCli& client, const std::string& url, std::ostream& out) {
    client.URL = url;
    client.ReceiveStream = &out;
    try {
        client.GetDocument();
    } catch (const EHttpException& e) {
        return e.what();
    }
    return {};
}

} // namespace

class TstHttpProt : public QObject {
    Q_OBJECT

private slots:
    void requestLineAndHeadersInTheirOrder() {
        LoopbackServer server(
            [](int fd, const std::string&) { LoopbackServer::send(fd, answer("200 OK", "x")); });
        THttpCli client;
        std::ostringstream out;
        QCOMPARE(fetch(client, server.url("/solmarin/solmarinsetup.sh"), out), std::string());
        const std::string request = server.requests().at(0);
        const std::string host = "127.0.0.1:" + std::to_string(server.port());
        const std::string expected = "GET /solmarin/solmarinsetup.sh HTTP/1.0\r\n"
                                     "Accept: image/gif, image/x-xbitmap, image/jpeg, "
                                     "image/pjpeg, */*\r\n"
                                     "User-Agent: Mozilla/3.0 (compatible)\r\n"
                                     "Host: " +
                                     host + "\r\n\r\n";
        QCOMPARE(QString::fromStdString(request), QString::fromStdString(expected));
    }

    void outcomes_data() {
        QTest::addColumn<int>("redirects");   // redirections before the final answer
        QTest::addColumn<QByteArray>("last"); // the final answer, raw
        QTest::addColumn<QByteArray>("body"); // what reaches the stream
        QTest::addColumn<QString>("error");   // the exception's message, empty for none
        QTest::addColumn<int>("status");

        const std::string zeros("ab\0\0cd\0", 7);
        QTest::newRow("body with zero bytes")
            << 0 << QByteArray::fromStdString(answer("200 OK", zeros))
            << QByteArray::fromStdString(zeros) << "" << 200;
        QTest::newRow("no content length, read to the end")
            << 0 << QByteArray("HTTP/1.0 200 OK\r\n\r\nuntil close") << QByteArray("until close")
            << "" << 200;
        QTest::newRow("404 raises with the reason phrase")
            << 0 << QByteArray::fromStdString(answer("404 Not Found", "<html>gone</html>"))
            << QByteArray() << "Not Found" << 404;
        QTest::newRow("five redirections are followed")
            << 5 << QByteArray::fromStdString(answer("200 OK", "final")) << QByteArray("final")
            << "" << 200;
        QTest::newRow("a sixth is not") << 6 << QByteArray::fromStdString(answer("200 OK", "final"))
                                        << QByteArray() << "Too many redirections" << 302;
        QTest::newRow("redirected to an error")
            << 1 << QByteArray::fromStdString(answer("404 Not Found", "")) << QByteArray()
            << "Not Found" << 404;
        QTest::newRow("server dies mid-body")
            << 0 << QByteArray("HTTP/1.0 200 OK\r\nContent-Length: 100000\r\n\r\nonly this")
            << QByteArray("only this") << "Transferred a partial file" << 0;
        QTest::newRow("no answer at all") << 0 << QByteArray() << QByteArray()
                                          << "Server returned nothing (no headers, no data)" << 0;
    }

    void outcomes() {
        QFETCH(int, redirects);
        QFETCH(QByteArray, last);
        QFETCH(QByteArray, body);
        QFETCH(QString, error);
        QFETCH(int, status);
        const std::string final = last.toStdString();
        LoopbackServer server([&](int fd, const std::string& request) {
            const std::string p = path(request);
            const int hop = std::stoi(p.substr(1));
            if (hop < redirects)
                // Relative and absolute locations alike.
                LoopbackServer::send(
                    fd,
                    answer("302 Found", "moved",
                           hop % 2 ? "Location: /" + std::to_string(hop + 1) + "\r\n"
                                   : "Location: http://127.0.0.1:" + std::to_string(server.port()) +
                                         "/" + std::to_string(hop + 1) + "\r\n"));
            else
                LoopbackServer::send(fd, final);
        });
        THttpCli client;
        std::ostringstream out;
        const std::string message = fetch(client, server.url("/0"), out);
        QCOMPARE(QString::fromStdString(message), error);
        if (status)
            QCOMPARE(client.StatusCode(), status);
        QCOMPARE(QByteArray::fromStdString(out.str()), body);
    }

    void connectionFailures() {
        int port = 0;
        {
            LoopbackServer closed([](int, const std::string&) {});
            port = closed.port();
        }
        THttpCli client;
        std::ostringstream out;
        QCOMPARE(fetch(client, "http://127.0.0.1:" + std::to_string(port) + "/x", out),
                 std::string("can't connect: Connection refused (Error #111)"));
    }

    void bodyOverTheLimitIsRefused() {
        LoopbackServer server([](int fd, const std::string&) {
            LoopbackServer::send(fd, answer("200 OK", std::string(5000, 'z')));
        });
        THttpCli client;
        client.MaxBodySize = 4096;
        std::ostringstream out;
        QCOMPARE(fetch(client, server.url("/big"), out),
                 std::string("Document larger than 4096 bytes"));
        QVERIFY(out.str().size() <= 4096);
        client.MaxBodySize = 5000;
        std::ostringstream whole;
        QCOMPARE(fetch(client, server.url("/big"), whole), std::string());
        QCOMPARE(whole.str().size(), std::size_t(5000));
    }

    // A server that sends a byte now and then never stalls, but the whole transfer has its
    // deadline all the same; one that is quick enough gets through, redirections included.
    void tricklingServerIsCutOffAtTheDeadline_data() {
        QTest::addColumn<int>("gapMs");     // between two bytes of the body
        QTest::addColumn<bool>("redirect"); // the answer comes after a redirection
        QTest::addColumn<QString>("error");
        QTest::newRow("trickle past the deadline") << 50 << false << "Download took too long";
        QTest::newRow("trickle after a redirection") << 50 << true << "Download took too long";
        QTest::newRow("quick enough") << 0 << true << "";
    }

    void tricklingServerIsCutOffAtTheDeadline() {
        QFETCH(int, gapMs);
        QFETCH(bool, redirect);
        QFETCH(QString, error);
        constexpr int kBody = 60; // 3 s at the slow pace, well past the deadline below
        std::atomic<bool> stop{false};
        LoopbackServer server([&](int fd, const std::string& request) {
            if (path(request) == "/first") {
                LoopbackServer::send(fd, answer("302 Found", "", "Location: /second\r\n"));
                return;
            }
            LoopbackServer::send(fd, "HTTP/1.0 200 OK\r\nContent-Length: " + std::to_string(kBody) +
                                         "\r\n\r\n");
            for (int i = 0; i < kBody && !stop; ++i) {
                LoopbackServer::send(fd, "z");
                std::this_thread::sleep_for(std::chrono::milliseconds(gapMs));
            }
        });
        THttpCli client;
        client.Timeout = 1000;
        std::ostringstream out;
        const std::string message = fetch(client, server.url(redirect ? "/first" : "/second"), out);
        stop = true;
        QCOMPARE(QString::fromStdString(message), error);
        if (error.isEmpty())
            QCOMPARE(out.str(), std::string(kBody, 'z'));
    }

    void streamThatRefusesTheBody() {
        LoopbackServer server(
            [](int fd, const std::string&) { LoopbackServer::send(fd, answer("200 OK", "x")); });
        THttpCli client;
        std::ostringstream out;
        out.setstate(std::ios::badbit);
        QCOMPARE(fetch(client, server.url("/x"), out),
                 std::string("Unable to write the received document"));
    }

    // While the server holds back its answer, events go on being handled: one of them points
    // the component at another stream, asks for a second transfer (refused as busy) and then
    // abandons the first, whose body still goes only to its own stream (the other one is gone
    // by then, which the sanitizer build would catch).
    void waitKeepsEventsFlowingAndCanBeAbandoned() {
        std::atomic<bool> release{false};
        LoopbackServer server([&](int fd, const std::string&) {
            LoopbackServer::send(fd, "HTTP/1.0 200 OK\r\nContent-Length: 10\r\n\r\nab");
            while (!release)
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
        });
        THttpCli client;
        std::string busy;
        QTimer::singleShot(0, this, [&] {
            std::ostringstream other;
            client.ReceiveStream = &other;
            try {
                client.GetDocument();
            } catch (const EHttpException& e) {
                busy = e.what();
            }
            client.Abort();
        });
        std::ostringstream out;
        client.URL = server.url("/slow");
        client.ReceiveStream = &out;
        std::string message;
        try {
            client.GetDocument();
        } catch (const EHttpException& e) {
            message = e.what();
            QCOMPARE(e.ErrorCode(), 404);
        }
        release = true;
        QVERIFY(out.str() == "" || out.str() == "ab");
        QCOMPARE(QString::fromStdString(busy), QStringLiteral("HTTP component is busy"));
        QCOMPARE(QString::fromStdString(message), QStringLiteral("Connection aborted on request"));
        // The component is free again afterwards.
        LoopbackServer next(
            [](int fd, const std::string&) { LoopbackServer::send(fd, answer("200 OK", "y")); });
        std::ostringstream again;
        QCOMPARE(fetch(client, next.url("/y"), again), std::string());
        QCOMPARE(again.str(), std::string("y"));
    }

    // The game closing while a download waits: the application quits, and the transfer is
    // abandoned rather than waited for.
    void quittingTheApplicationAbandonsTheTransfer() {
        std::atomic<bool> release{false};
        LoopbackServer server([&](int, const std::string&) {
            while (!release)
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
        });
        THttpCli client;
        QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(0); });
        std::ostringstream out;
        const std::string message = fetch(client, server.url("/hang"), out);
        release = true;
        QCOMPARE(QString::fromStdString(message), QStringLiteral("Connection aborted on request"));
    }
};

QTEST_MAIN(TstHttpProt)
#include "tst_httpprot.moc"
