// The update from end to end: the game, copied into a folder of its own, is started as a
// process, offered an update by a server on the loopback interface, and (through the test
// build's driver) accepts it. Only a signed installer may run; every failure leaves the game as
// it was.
#include "loopbackserver.h"
#include "webserver.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <atomic>
#include <memory>

namespace {

const QString kInstaller = QStringLiteral("/solmarin/solmarinsetup.sh");

// Installs "the new version" the way our real installer is run: silently, into the folder
// given, which must be where the game lives.
const QByteArray kTestInstaller = "#!/bin/sh\n"
                                  "prefix=\n"
                                  "for arg; do\n"
                                  "  case $arg in\n"
                                  "    --prefix=*) prefix=${arg#--prefix=} ;;\n"
                                  "    --skip-license|--exclude-subdir) ;;\n"
                                  "    *) exit 2 ;;\n"
                                  "  esac\n"
                                  "done\n"
                                  "[ -n \"$prefix\" ] || exit 2\n"
                                  "printf 'the new version\\n' > \"$prefix/solmarin\"\n"
                                  "echo \"$@\" > \"$prefix/installed.txt\"\n";

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    return process.waitForFinished() && process.exitStatus() == QProcess::NormalExit &&
           process.exitCode() == 0;
}

// A key pair made with the minisign tool, without a password.
struct KeyPair {
    QTemporaryDir dir;
    QString pub() const { return dir.filePath(QStringLiteral("key.pub")); }
    QString sec() const { return dir.filePath(QStringLiteral("key.sec")); }
    bool make() {
        return run(QStringLiteral("minisign"),
                   {QStringLiteral("-G"), QStringLiteral("-W"), QStringLiteral("-p"), pub(),
                    QStringLiteral("-s"), sec()});
    }
    bool sign(const QString& file) const {
        return run(QStringLiteral("minisign"),
                   {QStringLiteral("-S"), QStringLiteral("-s"), sec(), QStringLiteral("-m"), file});
    }
};

// The game in a folder of its own, as a player has it: the program, its modules, its settings
// naming the test's server, and the test's public key as the trusted one.
struct Game {
    QTemporaryDir dir;
    QByteArray program;
    QProcess process;
    QByteArray output;

    QString path(const QString& name) const { return dir.filePath(name); }

    bool install(const QString& server, const KeyPair& key) {
        const QString bin = QCoreApplication::applicationDirPath();
        program = readAll(bin + QStringLiteral("/solmarin_driven"));
        if (program.isEmpty() || !QFile::copy(bin + QStringLiteral("/solmarin_driven"),
                                              path(QStringLiteral("solmarin"))))
            return false;
        for (const char* module : {"solmarin-http.so", "solmarin-download.so"})
            if (!QFile::copy(bin + QLatin1Char('/') + QLatin1String(module),
                             path(QLatin1String(module))))
                return false;
        QFile settings(path(QStringLiteral("solmarin.ini")));
        if (!settings.open(QIODevice::WriteOnly))
            return false;
        settings.write("[solmarin]\nSounds=no\nServer=" + server.toUtf8() + "\n");
        settings.close();
        return QFile::copy(key.pub(), path(QStringLiteral("testkey.pub")));
    }

    // Runs the game to its end; gives its exit code, -1 when it crashed or hung.
    int play(const QString& mode) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("SOLMARIN_DRIVER"), mode);
        process.setProcessEnvironment(env);
        process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process.start(path(QStringLiteral("solmarin")), {});
        if (!process.waitForFinished(120000)) {
            process.kill();
            process.waitForFinished();
            return -1;
        }
        output = process.readAllStandardOutput();
        return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    }

    bool untouched() const {
        return readAll(path(QStringLiteral("solmarin"))) == program &&
               !QFile::exists(path(QStringLiteral("solmarin.BAK"))) &&
               !QFile::exists(path(QStringLiteral("solmarinsetup.sh"))) &&
               !QFile::exists(path(QStringLiteral("installed.txt")));
    }
};

} // namespace

class TstUpdateFlow : public QObject {
    Q_OBJECT

    KeyPair m_key;
    KeyPair m_otherKey;

    // A server holding a newer version and the installer, signed by `signer` unless null.
    void serve(WebServer& server, const KeyPair* signer) {
        server.put(QStringLiteral("/solmarin/solmarinversion.txt"), "1.0.1");
        server.put(kInstaller, kTestInstaller);
        if (signer)
            QVERIFY(signer->sign(server.root() + kInstaller));
    }

    void expectAborted(Game& game, const char* mode = "accept") {
        QCOMPARE(game.play(QLatin1String(mode)), 0);
        QVERIFY2(game.output.contains("offer\n"), game.output.constData());
        QVERIFY2(game.output.trimmed().endsWith("status: Download Aborted"),
                 game.output.constData());
        QVERIFY(game.untouched());
    }

private slots:
    void initTestCase() {
        if (WebServer::program().isEmpty())
            QSKIP("lighttpd is not installed (tools/setup-debian.sh)");
        if (QStandardPaths::findExecutable(QStringLiteral("minisign")).isEmpty())
            QSKIP("minisign is not installed (tools/setup-debian.sh)");
        QVERIFY(m_key.make());
        QVERIFY(m_otherKey.make());
    }

    void signedInstallerIsRunAndTheGameHandsOver_data() {
        QTest::addColumn<QString>("config");
        QTest::newRow("straight") << QString();
        QTest::newRow("through a redirection")
            << QStringLiteral("url.redirect = ( \"^/solmarin/(solmarinsetup.*)$\" => "
                              "\"/moved/$1\" )");
    }

    void signedInstallerIsRunAndTheGameHandsOver() {
        QFETCH(QString, config);
        WebServer server;
        serve(server, &m_key);
        if (!config.isEmpty()) {
            QVERIFY(QDir().rename(server.root() + QStringLiteral("/solmarin"),
                                  server.root() + QStringLiteral("/moved")));
            server.put(QStringLiteral("/solmarin/solmarinversion.txt"), "1.0.1");
        }
        QVERIFY(server.start(config));
        Game game;
        QVERIFY(game.install(server.address(), m_key));

        QCOMPARE(game.play(QStringLiteral("accept")), 0);
        QVERIFY2(game.output.contains("status: Installing"), game.output.constData());
        // The installer runs on its own once the game has gone.
        const QString installed = game.path(QStringLiteral("installed.txt"));
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(installed) && !readAll(installed).isEmpty(), 60000);
        QCOMPARE(readAll(installed).trimmed(),
                 QStringLiteral("--prefix=%1 --skip-license --exclude-subdir")
                     .arg(game.dir.path())
                     .toUtf8());
        QCOMPARE(readAll(game.path(QStringLiteral("solmarin"))), QByteArray("the new version\n"));
        // What the player had is saved before the hand-over.
        QVERIFY(readAll(game.path(QStringLiteral("solmarin.ini"))).contains("Width="));
        QVERIFY(QFile::exists(game.path(QStringLiteral("solmarintally.tld"))));
    }

    void unsignedInstallersNeverRun_data() {
        QTest::addColumn<QString>("tamper");
        QTest::newRow("tampered after signing") << QStringLiteral("tamper");
        QTest::newRow("no signature") << QStringLiteral("unsigned");
        QTest::newRow("signed by another key") << QStringLiteral("other key");
        QTest::newRow("no installer on the server") << QStringLiteral("404");
    }

    void unsignedInstallersNeverRun() {
        QFETCH(QString, tamper);
        WebServer server;
        serve(server, tamper == QLatin1String("unsigned")    ? nullptr
                      : tamper == QLatin1String("other key") ? &m_otherKey
                                                             : &m_key);
        const QString installer = server.root() + kInstaller;
        if (tamper == QLatin1String("tamper")) {
            QFile file(installer);
            QVERIFY(file.open(QIODevice::Append));
            file.write("rm -rf \"$prefix\"\n");
        } else if (tamper == QLatin1String("404")) {
            QVERIFY(QFile::remove(installer));
        }
        QVERIFY(server.start());
        Game game;
        QVERIFY(game.install(server.address(), m_key));
        expectAborted(game);
    }

    // The installer cannot be written, or cannot be started: the player is told, and the game
    // is whole.
    void installerThatCannotBeWrittenOrStarted_data() {
        QTest::addColumn<QString>("trouble");
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("status");
        QTest::newRow("cannot be written")
            << QStringLiteral("write") << QStringLiteral("box: Unable to write to ")
            << QStringLiteral("status: Download Aborted");
        QTest::newRow("cannot be started")
            << QStringLiteral("start")
            << QStringLiteral("box: There was an error in the update process. Please download "
                              "SOLMARIN manually from www.velborsoftware.com.")
            << QStringLiteral("status: Installing");
    }

    void installerThatCannotBeWrittenOrStarted() {
        QFETCH(QString, trouble);
        QFETCH(QString, box);
        QFETCH(QString, status);
        WebServer server;
        serve(server, nullptr);
        if (trouble == QLatin1String("start"))
            // Signed, but no program the system can start.
            server.put(kInstaller, QByteArray("\x7f"
                                              "ELF not really",
                                              15));
        QVERIFY(m_key.sign(server.root() + kInstaller));
        QVERIFY(server.start());
        Game game;
        QVERIFY(game.install(server.address(), m_key));
        // A folder where the installer would go: the file cannot be made.
        if (trouble == QLatin1String("write"))
            QVERIFY(QDir(game.dir.path()).mkdir(QStringLiteral("solmarinsetup.sh")));

        QCOMPARE(game.play(QStringLiteral("accept")), 0);
        QVERIFY2(game.output.contains(box.toUtf8()), game.output.constData());
        QVERIFY2(game.output.trimmed().endsWith(status.toUtf8()), game.output.constData());
        QCOMPARE(readAll(game.path(QStringLiteral("solmarin"))), game.program);
        QVERIFY(!QFile::exists(game.path(QStringLiteral("solmarin.BAK"))));
        // No installer left; only the test's own folder stays.
        QCOMPARE(QFile::exists(game.path(QStringLiteral("solmarinsetup.sh"))),
                 trouble == QLatin1String("write"));
    }

    // Servers that fail during the download, and a player who closes the game meanwhile.
    void brokenDownloadsLeaveTheGameWhole_data() {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<bool>("dies"); // the server closes mid-body; otherwise it hangs
        QTest::newRow("server dies mid-download") << QStringLiteral("accept") << true;
        QTest::newRow("game closed during the download") << QStringLiteral("close") << false;
    }

    void brokenDownloadsLeaveTheGameWhole() {
        QFETCH(QString, mode);
        QFETCH(bool, dies);
        std::atomic<bool> release{false};
        LoopbackServer server([&](int fd, const std::string& request) {
            if (request.rfind("GET /solmarin/solmarinversion.txt ", 0) == 0) {
                LoopbackServer::send(fd, "HTTP/1.0 200 OK\r\nContent-Length: 5\r\n\r\n1.0.1");
                return;
            }
            LoopbackServer::send(fd, "HTTP/1.0 200 OK\r\nContent-Length: 1000000\r\n\r\n" +
                                         std::string(kTestInstaller.constData()));
            while (!dies && !release)
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
        });
        Game game;
        QVERIFY(game.install(QStringLiteral("127.0.0.1:%1").arg(server.port()), m_key));
        const int code = game.play(mode);
        release = true;
        QCOMPARE(code, 0);
        QVERIFY2(game.output.contains("offer\n"), game.output.constData());
        QVERIFY2(game.output.trimmed().endsWith("status: Download Aborted"),
                 game.output.constData());
        QVERIFY(game.untouched());
        QVERIFY(server.requests().size() >= 2);
    }
};

QTEST_MAIN(TstUpdateFlow)
#include "tst_updateflow.moc"
