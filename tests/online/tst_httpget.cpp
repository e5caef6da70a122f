// The fetch component on the GUI thread: one event per fetch, dropped calls while busy, and a
// component destroyed mid-fetch that neither hangs nor hears from its worker again.
#include "httpget.h"
#include "loopbackserver.h"

#include <QSignalSpy>
#include <QTest>

#include <memory>

class TestHttpGet : public QObject {
    Q_OBJECT

private slots:
    void twoStartsGiveOneFetchAndOneEvent() {
        LoopbackServer server("HTTP/1.0 200 OK\r\nContent-Length: 5\r\n\r\nhello");
        THTTPGet get;
        get.URL = QString::fromStdString(server.base() + "/x");
        QList<QByteArray> results;
        int restarts = 0;
        get.OnDoneString = [&](QObject* sender, const QByteArray& result) {
            QCOMPARE(sender, &get);
            results << result;
            // From inside its own handler the component is still busy: this is dropped.
            get.StartFetch();
            restarts += get.busy() ? 1 : 0;
        };
        get.StartFetch();
        get.StartFetch();
        QTRY_COMPARE(results.size(), 1);
        QCOMPARE(results.first(), QByteArray("hello"));
        QCOMPARE(restarts, 1);
        QVERIFY(!get.busy());
        QCOMPARE(get.StatusCode(), 200);
        // Nothing else is on its way.
        QTest::qWait(100);
        QCOMPARE(results.size(), 1);
        QCOMPARE(server.requests().size(), std::size_t(1));
    }

    void errorPageIsDeliveredWithItsStatus() {
        LoopbackServer server("HTTP/1.0 404 Not Found\r\nContent-Length: 4\r\n\r\ngone");
        THTTPGet get;
        get.URL = QString::fromStdString(server.base() + "/missing");
        QByteArray body;
        get.OnDoneString = [&](QObject*, const QByteArray& result) { body = result; };
        get.StartFetch();
        QTRY_COMPARE(body, QByteArray("gone"));
        QCOMPARE(get.StatusCode(), 404);
    }

    void progressOncePerChunkFromTheWorker() {
        LoopbackServer server("HTTP/1.0 200 OK\r\n\r\n" + std::string(2100, 'y'));
        THTTPGet get;
        get.URL = QString::fromStdString(server.base() + "/x");
        QList<int> readed;
        QList<int> totals;
        bool senderIsWorker = true;
        get.OnProgress = [&](QObject* sender, int total, int count) {
            senderIsWorker = senderIsWorker && qobject_cast<THTTPGetThread*>(sender);
            totals << total;
            readed << count;
        };
        bool done = false;
        get.OnDoneString = [&](QObject*, const QByteArray&) { done = true; };
        get.StartFetch();
        QTRY_VERIFY(done);
        QVERIFY(senderIsWorker);
        QCOMPARE(readed, (QList<int>{1025, 2050, 2100}));
        QCOMPARE(totals, (QList<int>{0, 0, 0}));
    }

    void failuresRaiseOnErrorOnly() {
        THTTPGet get;
        get.URL = QStringLiteral("http://127.0.0.1"); // no path
        int errors = 0;
        bool done = false;
        get.OnError = [&](QObject*) { ++errors; };
        get.OnDoneString = [&](QObject*, const QByteArray&) { done = true; };
        get.StartFetch();
        QTRY_COMPARE(errors, 1);
        QVERIFY(!done);
    }

    void destroyedWhileTheServerHangs() {
        LoopbackServer server("", true);
        bool heard = false;
        {
            auto get = std::make_unique<THTTPGet>();
            get->URL = QString::fromStdString(server.base() + "/x");
            get->OnDoneString = [&](QObject*, const QByteArray&) { heard = true; };
            get->OnError = [&](QObject*) { heard = true; };
            get->StartFetch();
            server.waitForRequests(1);
        }
        // The worker is gone with the component, and it let go of the connection.
        server.waitForClientClose();
        QCoreApplication::processEvents();
        QVERIFY(!heard);
    }

    void stopFetchRaisesOnError() {
        LoopbackServer server("", true);
        THTTPGet get;
        get.URL = QString::fromStdString(server.base() + "/x");
        int errors = 0;
        get.OnError = [&](QObject*) { ++errors; };
        get.StartFetch();
        server.waitForRequests(1);
        get.StopFetch();
        QTRY_COMPARE(errors, 1);
        QVERIFY(!get.busy());
    }
};

QTEST_MAIN(TestHttpGet)
#include "tst_httpget.moc"
