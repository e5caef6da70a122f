// The version check of a real main window against lighttpd on the loopback interface: which
// answers bring the offer, declining it, and the option that turns the check off for good.
#include "httpget.h"
#include "paths.h"
#include "tablefixture.h"
#include "update.h"
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

// The update replaces the program's own file where the installer put it, so the check runs only
// for an installed copy whose file can be written; in the test's folder a stand-in takes its
// place: the program in bin/, its modules' folder in lib/solmarin/. `installed` false leaves the
// stand-in flat in the folder, as a build or a copied folder has it.
void placeProgramFile(const Table& table, bool installed = true) {
    QDir folder(table.folder.path());
    if (installed) {
        QVERIFY(folder.mkpath(QStringLiteral("bin")) &&
                folder.mkpath(QStringLiteral("lib/solmarin")));
        folder.setPath(folder.filePath(QStringLiteral("bin")));
        paths::setProgramFolder(folder.path());
    }
    QFile file(folder.filePath(QFileInfo(QCoreApplication::applicationFilePath()).fileName()));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("stand-in");
}

// A window offered version 1.0.1 by `server`, which serves no installer.
QByteArray offeringServer(WebServer& server) {
    server.put(QStringLiteral("/solmarin/solmarinversion.txt"), "1.0.1");
    if (!server.start())
        return {};
    return "[solmarin]\nServer=" + server.address().toUtf8() + "\n";
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
        table.click("button_namedone");
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

        // Turned on again, it says so (in the settings beside the installed program now).
        second.action("updatecheck")->trigger();
        QFile settings(paths::beside(QStringLiteral("solmarin.ini")));
        QVERIFY(settings.open(QIODevice::ReadOnly));
        QVERIFY(settings.readAll().contains("Updates=yes"));
    }

    // Which signed releases may replace version 1.0.0 when the server offers `offered`.
    void releaseMustBeTheNewerOneOffered_data() {
        QTest::addColumn<QString>("comment");
        QTest::addColumn<QString>("offered");
        QTest::addColumn<bool>("taken");
        const QString file = QStringLiteral(" file:solmarinsetup.sh");
        QTest::newRow("the next release") << "version:1.0.1" + file << "1.0.1" << true;
        QTest::newRow("beside minisign's own words")
            << "timestamp:1700000000\tfile:solmarinsetup.sh\thashed\tversion:2.0"
            << "2.0" << true;
        QTest::newRow("numbers, not letters") << "version:1.0.10" + file << "1.0.10" << true;
        QTest::newRow("a fourth number") << "version:1.0.0.1" + file << "1.0.0.1" << true;
        QTest::newRow("our own") << "version:1.0.0" + file << "1.0.0" << false;
        QTest::newRow("a missing number is 0") << "version:1.0" + file << "1.0" << false;
        QTest::newRow("an older one") << "version:0.9.9" + file << "0.9.9" << false;
        QTest::newRow("not the one offered") << "version:1.0.2" + file << "1.0.1" << false;
        QTest::newRow("offered with a line end") << "version:1.0.1" + file << "1.0.1\n" << false;
        QTest::newRow("no version") << "timestamp:1" + file << "1.0.1" << false;
        QTest::newRow("two versions") << "version:1.0.1 version:0.9" + file << "1.0.1" << false;
        QTest::newRow("another file")
            << QStringLiteral("version:1.0.1 file:evil.sh") << "1.0.1" << false;
        QTest::newRow("no file") << QStringLiteral("version:1.0.1") << "1.0.1" << false;
        QTest::newRow("not a version") << "version:1.0.1-rc1" + file << "1.0.1-rc1" << false;
        QTest::newRow("empty number") << "version:1..1" + file << "1..1" << false;
        QTest::newRow("a number too long to hold")
            << "version:99999999999999999999" + file << "99999999999999999999" << false;
    }

    void releaseMustBeTheNewerOneOffered() {
        QFETCH(QString, comment);
        QFETCH(QString, offered);
        QFETCH(bool, taken);
        const QString why = update::refusal(comment.toStdString(), offered, QStringLiteral("1.0.0"),
                                            QStringLiteral("solmarinsetup.sh"));
        QVERIFY2(why.isEmpty() == taken, qPrintable(why));
    }

    // A copy the installer cannot replace in place is not offered an update it could not take:
    // one without a program file of its own to replace, and a flat copy (a build, a folder the
    // files were copied into), which the installer would lay bin/ and lib/ into.
    void noCheckForACopyTheInstallerCannotReplace_data() {
        QTest::addColumn<bool>("programFile");
        QTest::newRow("no program file") << false;
        QTest::newRow("a flat copy") << true;
    }

    void noCheckForACopyTheInstallerCannotReplace() {
        QFETCH(bool, programFile);
        WebServer server;
        server.put(QStringLiteral("/solmarin/solmarinversion.txt"), "2.0.0");
        QVERIFY(server.start());
        const QByteArray settings = "[solmarin]\nServer=" + server.address().toUtf8() + "\n";
        Table table(settings.constData());
        if (programFile)
            placeProgramFile(table, false);
        QSignalSpy painted(table.window.get(), &Tmain::firstFrameShown);
        QVERIFY(table.show());
        QVERIFY(painted.count() > 0 || painted.wait());
        QCoreApplication::processEvents();
        QVERIFY(!table.window->findChild<THTTPGet*>(QStringLiteral("checkupdate")));
        QVERIFY(!table.visible("panel_update"));
    }

    // The offer never covers the name panel: an answer that arrives while the player is asked
    // for a name waits until the name is taken.
    void offerWaitsForTheName() {
        WebServer server;
        const QByteArray settings = offeringServer(server);
        QVERIFY(!settings.isEmpty());
        Table table(settings.constData());
        placeProgramFile(table);
        QVERIFY(table.show());
        QVERIFY(table.visible("panel_name"));
        QVERIFY(checkFinished(table));
        QCoreApplication::processEvents();
        QVERIFY(table.visible("panel_name"));
        QVERIFY(!table.visible("panel_update"));
        table.click("button_namedone");
        QVERIFY(!table.visible("panel_name"));
        QVERIFY(table.visible("panel_update"));
        QVERIFY(table.visible("button_updateyes"));
    }

    // After a failed download the panel keeps its message, and CANCEL closes it.
    void abortedPanelCanBeClosed() {
        WebServer server;
        const QByteArray settings = offeringServer(server);
        QVERIFY(!settings.isEmpty());
        Table table(settings.constData());
        placeProgramFile(table);
        QVERIFY(table.show());
        table.click("button_namedone");
        QVERIFY(checkFinished(table));
        QVERIFY(QTest::qWaitFor([&] { return table.visible("panel_update"); }));
        table.click("button_updateyes");
        QVERIFY(QTest::qWaitFor([&] { return table.text("label_update") == "Download Aborted"; }));
        QVERIFY(!table.visible("button_updateyes"));
        QVERIFY(table.visible("button_updatecancel"));
        QVERIFY(table.visible("panel_update"));
        table.click("button_updatecancel");
        QVERIFY(!table.visible("panel_update"));
        QVERIFY(table.errors.isEmpty());
        // The program's file was never moved.
        QVERIFY(QFile::exists(
            paths::beside(QFileInfo(QCoreApplication::applicationFilePath()).fileName())));
    }
};

QTEST_MAIN(TstUpdateCheck)
#include "tst_updatecheck.moc"
