// The version check of a real main window against lighttpd on the loopback interface: which
// answers bring the offer, declining it, and the option that turns the check off for good.
#include "httpget.h"
#include "tablefixture.h"
#include "version.h"
#include "webserver.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSignalSpy>

namespace {

// The window's update check, which starts after the first frame, has run to its end.
bool checkFinished(Table& table) {
    return QTest::qWaitFor([&] {
        auto* check = table.window->findChild<THTTPGet*>(QStringLiteral("checkupdate"));
        return check && !check->busy();
    });
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

class TstUpdateCheck : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        if (WebServer::program().isEmpty())
            QSKIP("lighttpd is not installed (tools/setup-debian.sh)");
    }

    void versionAnswers_data() {
        QTest::addColumn<QByteArray>("served"); // empty: no version file, a 404 page
        QTest::addColumn<bool>("offer");
        QTest::newRow("our own version") << QByteArray("1.0.0") << false;
        QTest::newRow("ours with a line end") << QByteArray("1.0.0\n") << true;
        QTest::newRow("another version") << QByteArray("1.0.1") << true;
        QTest::newRow("an older one") << QByteArray("0.9.0") << true;
        QTest::newRow("an error page") << QByteArray() << false;
    }

    void versionAnswers() {
        QFETCH(QByteArray, served);
        QFETCH(bool, offer);
        QCOMPARE(QString::fromLatin1(kProgramVersion), QStringLiteral("1.0.0"));
        WebServer server;
        if (!served.isEmpty())
            server.put(QStringLiteral("/solmarin/solmarinversion.txt"), served);
        QVERIFY(server.start());
        const QByteArray settings = "[solmarin]\nServer=" + server.address().toUtf8() + "\n";
        Table table(settings.constData());
        placeProgramFile(table);
        QVERIFY(table.show());
        QVERIFY(checkFinished(table));
        QCoreApplication::processEvents();
        QCOMPARE(table.visible("panel_update"), offer);
        if (!offer)
            return;
        QVERIFY(table.visible("button_updateyes"));
        QCOMPARE(table.text("label_update"), QString());
        // Declining hides the offer for this run and leaves nothing behind.
        table.click("button_updatecancel");
        QVERIFY(!table.visible("panel_update"));
        QVERIFY(!table.settingsText().contains("Updates"));
    }

    // Turned off, the option is kept, and the next start does not contact the server at all.
    void optionTurnedOffIsKeptAndHonoured() {
        Table first;
        QVERIFY(first.show());
        QAction* option = first.action("updatecheck");
        QVERIFY(option->isChecked());
        option->trigger();
        QVERIFY(!option->isChecked());
        QVERIFY(first.settingsText().contains(QRegularExpression("(^|\n)Updates=no\r?\n")));
        first.window->close();
        QVERIFY(first.settingsText().contains("Updates=no"));
        const QByteArray kept = first.settingsText().toUtf8();

        Table second(kept.constData());
        placeProgramFile(second);
        QVERIFY(!second.action("updatecheck")->isChecked());
        QSignalSpy painted(second.window.get(), &Tmain::firstFrameShown);
        QVERIFY(second.show());
        QVERIFY(painted.count() > 0 || painted.wait());
        QCoreApplication::processEvents();
        QVERIFY(!second.window->findChild<THTTPGet*>(QStringLiteral("checkupdate")));

        // Turned on again, it says so.
        second.action("updatecheck")->trigger();
        QVERIFY(second.settingsText().contains("Updates=yes"));
    }

    // A copy whose file the player cannot replace is not offered an update it could not take.
    void noCheckWithoutAProgramFileToReplace() {
        WebServer server;
        server.put(QStringLiteral("/solmarin/solmarinversion.txt"), "2.0.0");
        QVERIFY(server.start());
        const QByteArray settings = "[solmarin]\nServer=" + server.address().toUtf8() + "\n";
        Table table(settings.constData());
        QSignalSpy painted(table.window.get(), &Tmain::firstFrameShown);
        QVERIFY(table.show());
        QVERIFY(painted.count() > 0 || painted.wait());
        QCoreApplication::processEvents();
        QVERIFY(!table.window->findChild<THTTPGet*>(QStringLiteral("checkupdate")));
        QVERIFY(!table.visible("panel_update"));
    }
};

QTEST_MAIN(TstUpdateCheck)
#include "tst_updatecheck.moc"
