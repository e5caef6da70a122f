// The version check of a real main window against a hostile server: answers that never end,
// announce absurd lengths or trickle in must neither grow the program, nor freeze its window,
// nor bring an offer.
#include "httpget.h"
#include "loopbackserver.h"
#include "responseprobe.h"
#include "tablefixture.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QSignalSpy>

#include <chrono>
#include <thread>

namespace {

// Sends `head`, then `piece` again and again, `pause` apart, until the client goes.
LoopbackServer::Handler endless(std::string head, std::string piece,
                                std::chrono::milliseconds pause) {
    return [head = std::move(head), piece = std::move(piece), pause](int fd, const std::string&) {
        LoopbackServer::send(fd, head);
        const auto end = std::chrono::steady_clock::now() + std::chrono::minutes(1);
        while (std::chrono::steady_clock::now() < end && LoopbackServer::send(fd, piece))
            std::this_thread::sleep_for(pause);
    };
}

// The update replaces the program's own file, so the check runs only where that file can be
// written; in the test's folder a stand-in takes its place.
void placeProgramFile(const Table& table) {
    QFile file(QDir(table.folder.path())
                   .filePath(QFileInfo(QCoreApplication::applicationFilePath()).fileName()));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("stand-in");
}

} // namespace

class TstHostileVersion : public QObject {
    Q_OBJECT

private slots:
    void hostileVersionAnswersBringNoOfferAndFreezeNothing() {
        using std::chrono::milliseconds;
        const std::string ok = "HTTP/1.0 200 OK\r\n";
        const struct {
            const char* what;
            LoopbackServer::Handler serve;
            bool ends; // the check ends by itself within the test (a trickle lasts until its
                       // deadline)
        } cases[] = {
            {"an endless version", endless(ok + "\r\n1.0.1", std::string(65536, '9'), {}), true},
            {"an absurd length",
             endless(ok + "Content-Length: 9223372036854775807\r\n\r\n", std::string(65536, '9'),
                     {}),
             true},
            {"a long version",
             [&](int fd, const std::string&) {
                 LoopbackServer::send(fd, ok + "\r\n" + std::string(600, '1'));
             },
             true},
            {"endless headers", endless(ok, "X-Padding: " + std::string(1000, 'h') + "\r\n", {}),
             true},
            {"a trickle", endless(ok + "\r\n1", ".", milliseconds(20)), false},
        };
        for (const auto& c : cases) {
            LoopbackServer server(c.serve);
            const QByteArray settings =
                "[solmarin]\nServer=" + QByteArray::fromStdString(server.hostPort()) + "\n";
            Table table(settings.constData());
            placeProgramFile(table);
            long long longest = 0;
            // The first frame is drawn before the answer is awaited: its cost is the start's, not
            // the answer's.
            QSignalSpy painted(table.window.get(), &Tmain::firstFrameShown);
            QVERIFY(table.show());
            QVERIFY(painted.count() > 0 || painted.wait());
            {
                ResponseProbe probe(table.window.get());
                QVERIFY(QTest::qWaitFor([&] { return !server.requests().empty(); }, 10000));
                auto* check = table.window->findChild<THTTPGet*>(QStringLiteral("checkupdate"));
                QVERIFY(check);
                if (c.ends)
                    QVERIFY2(QTest::qWaitFor([&] { return !check->busy(); }, 10000), c.what);
                else
                    QTest::qWait(1500);
                QCoreApplication::processEvents();
                longest = probe.longestWait();
            }
            qInfo("%s: the longest wait for an event was %lld ms", c.what, longest);
            QVERIFY2(longest <= 200,
                     qPrintable(QString("%1: an event waited %2 ms").arg(c.what).arg(longest)));
            QVERIFY2(!table.visible("panel_update"), c.what);
        }
    }
};

QTEST_MAIN(TstHostileVersion)
#include "tst_hostileversion.moc"
