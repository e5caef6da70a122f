// The update from end to end: the game, installed in a prefix of its own, is started as a
// process, offered an update by a server on the loopback interface, and (through the test
// build's driver) accepts it. The real self-extracting installer, made here with CPack, replaces
// the game where it lies; only an installer signed for a newer release may run, and every
// failure leaves the game as it was.
#include "loopbackserver.h"
#include "tallybook.h"
#include "webserver.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <atomic>
#include <memory>

#include <signal.h>
#include <sys/stat.h>

namespace {

const QString kInstaller = QStringLiteral("/solmarin/solmarinsetup.sh");
const QString kRelease = QStringLiteral("version:1.0.1 file:solmarinsetup.sh");

// Installs "the new version" the way our real installer is run: silently, under the prefix
// given, and writes down the arguments it was given.
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
                                  "printf 'the new version\\n' > \"$prefix/bin/solmarin\"\n"
                                  "printf '%s\\n' \"$@\" > \"$prefix/installed.txt\"\n";

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeFile(const QString& path, const QByteArray& content) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
}

// Whether anything stands under the name, a dangling link included.
bool present(const QString& path) {
    struct stat info {};
    return ::lstat(QFile::encodeName(path).constData(), &info) == 0;
}

bool run(const QString& program, const QStringList& arguments, QByteArray* output = nullptr) {
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    const bool ok = process.waitForFinished(300000) &&
                    process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
    if (output)
        *output = process.readAll();
    return ok;
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
    // Signs with the trusted comment given (minisign's own when empty); `legacy` makes the old
    // kind of signature, over the file itself.
    bool sign(const QString& file, const QString& comment = kRelease, bool legacy = false) const {
        QStringList arguments = {QStringLiteral("-S"), QStringLiteral("-s"), sec(),
                                 QStringLiteral("-m"), file};
        if (!comment.isEmpty())
            arguments << QStringLiteral("-t") << comment;
        if (legacy)
            arguments << QStringLiteral("-l");
        return run(QStringLiteral("minisign"), arguments);
    }
};

// Every file under `folder` whose name starts with `name`.
QStringList filesNamed(const QString& folder, const QString& name) {
    QStringList found;
    QDirIterator it(folder, {name + QLatin1Char('*')},
                    QDir::Files | QDir::Dirs | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        found << it.next();
    return found;
}

// The game installed under a prefix of its own, as a player has it: the program in bin/ with
// its settings (naming the test's server) and the test's public key as the trusted one, its
// modules in lib/solmarin/. The game's temporary folder is one of the test's too.
struct Game {
    QTemporaryDir dir;
    QString prefix;
    QByteArray program;
    QProcess process;
    QByteArray output;

    explicit Game(const QString& prefixName = QStringLiteral("game"))
        : prefix(dir.filePath(prefixName)) {
        QDir().mkpath(tmp());
        QDir().mkpath(run());
        QFile::setPermissions(run(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    QString bin(const QString& name) const { return prefix + QStringLiteral("/bin/") + name; }
    QString tmp() const { return dir.filePath(QStringLiteral("tmp")); }
    // The runtime folder, which Qt would otherwise make in the temporary folder.
    QString run() const { return dir.filePath(QStringLiteral("run")); }

    // The game as the tests drive it, its modules from the build; `modules` false leaves them
    // to an installer that has put them in place already.
    bool install(const QString& server, const KeyPair& key, bool modules = true) {
        const QString built = QCoreApplication::applicationDirPath();
        const QString lib = prefix + QStringLiteral("/lib/solmarin/");
        if (!QDir().mkpath(prefix + QStringLiteral("/bin")) || !QDir().mkpath(lib))
            return false;
        program = readAll(built + QStringLiteral("/solmarin_driven"));
        QFile::remove(bin(QStringLiteral("solmarin")));
        if (program.isEmpty() || !QFile::copy(built + QStringLiteral("/solmarin_driven"),
                                              bin(QStringLiteral("solmarin"))))
            return false;
        for (const char* module : {"solmarin-http.so", "solmarin-download.so"})
            if (modules && !QFile::copy(built + QLatin1Char('/') + QLatin1String(module),
                                        lib + QLatin1String(module)))
                return false;
        return writeFile(bin(QStringLiteral("solmarin.ini")),
                         "[solmarin]\nSounds=no\nName=Reader\nServer=" + server.toUtf8() + "\n") &&
               QFile::copy(key.pub(), bin(QStringLiteral("testkey.pub")));
    }

    QProcessEnvironment environment() const {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("TMPDIR"), tmp());
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), run());
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), dir.filePath(QStringLiteral("config")));
        env.insert(QStringLiteral("XDG_DATA_HOME"), dir.filePath(QStringLiteral("data")));
        return env;
    }

    void start(const QString& mode) {
        QProcessEnvironment env = environment();
        env.insert(QStringLiteral("SOLMARIN_DRIVER"), mode);
        process.setProcessEnvironment(env);
        process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process.start(bin(QStringLiteral("solmarin")), {});
    }

    // Waits for the game's end; gives its exit code, -1 when it crashed, hung or was killed.
    int finish() {
        if (!process.waitForFinished(120000)) {
            process.kill();
            process.waitForFinished();
            return -1;
        }
        output = process.readAllStandardOutput();
        return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    }

    int play(const QString& mode) {
        start(mode);
        return finish();
    }

    // Nothing changed: the program in its place, no backup, no installer anywhere, nothing run.
    bool untouched() const {
        return readAll(bin(QStringLiteral("solmarin"))) == program &&
               !present(bin(QStringLiteral("solmarin.BAK"))) &&
               filesNamed(prefix, QStringLiteral("solmarinsetup")).isEmpty() &&
               QDir(tmp()).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::System |
                                   QDir::NoDotAndDotDot) &&
               !QFile::exists(prefix + QStringLiteral("/installed.txt"));
    }

    // The installer, started as the game ended, has done its work and the hand-over after it.
    bool waitForInstaller(const QByteArray& newProgram) const {
        return QTest::qWaitFor(
            [&] {
                return readAll(bin(QStringLiteral("solmarin"))) == newProgram &&
                       !present(bin(QStringLiteral("solmarin.BAK")));
            },
            120000);
    }
};

// The games started as the tally counts them.
int gamesStarted(const QString& tallyPath) {
    TallyBook book(tallyPath.toStdString());
    book.load();
    return std::stoi(book.tally().statistic(Tally::kTotalGames));
}

} // namespace

class TstUpdateFlow : public QObject {
    Q_OBJECT

    KeyPair m_key;
    KeyPair m_otherKey;
    QTemporaryDir m_packages;
    QString m_installer;         // the real installer, made once
    QByteArray m_releaseProgram; // the game it installs

    // A server holding a newer version and an installer, signed by `signer` unless null.
    void serve(WebServer& server, const KeyPair* signer,
               const QByteArray& installer = kTestInstaller, const QString& comment = kRelease) {
        server.put(QStringLiteral("/solmarin/solmarinversion.txt"), "1.0.1");
        server.put(kInstaller, installer);
        if (signer)
            QVERIFY(signer->sign(server.root() + kInstaller, comment));
    }

    void expectAborted(Game& game, const char* mode = "accept") {
        QCOMPARE(game.play(QLatin1String(mode)), 0);
        QVERIFY2(game.output.contains("offer\n"), game.output.constData());
        QVERIFY2(game.output.trimmed().endsWith("status: Download Aborted"),
                 game.output.constData());
        QVERIFY(game.untouched());
    }

    // Makes the self-extracting installer of this build with CPack (once, for every test that
    // needs it), and unpacks it once to know the program it holds.
    void makeInstaller() {
        QByteArray log;
        QVERIFY2(run(QStringLiteral(SOLMARIN_TEST_CPACK),
                     {QStringLiteral("-G"), QStringLiteral("STGZ"), QStringLiteral("--config"),
                      QStringLiteral(SOLMARIN_TEST_CPACK_CONFIG), QStringLiteral("-B"),
                      m_packages.path()},
                     &log),
                 log.constData());
        m_installer = m_packages.filePath(QStringLiteral("solmarinsetup.sh"));
        const QString reference = m_packages.filePath(QStringLiteral("reference"));
        QVERIFY2(run(QStringLiteral("/bin/sh"),
                     {m_installer, QStringLiteral("--prefix=") + reference,
                      QStringLiteral("--skip-license"), QStringLiteral("--exclude-subdir")},
                     &log),
                 log.constData());
        m_releaseProgram = readAll(reference + QStringLiteral("/bin/solmarin"));
        QVERIFY(!m_releaseProgram.isEmpty());
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

    // The heart of it: a game installed with our own installer is updated by that installer,
    // signed for a newer release, and is afterwards the installer's game in the same place,
    // with the player's settings and tally.
    void realInstallerReplacesTheGameWhereItLies_data() {
        QTest::addColumn<QString>("prefixName");
        QTest::newRow("plain prefix") << QStringLiteral("game");
        QTest::newRow("prefix with a space") << QStringLiteral("my games");
    }

    void realInstallerReplacesTheGameWhereItLies() {
        QFETCH(QString, prefixName);
        if (m_installer.isEmpty())
            makeInstaller();
        QVERIFY(!m_releaseProgram.isEmpty());
        WebServer server;
        serve(server, &m_key, readAll(m_installer));
        QVERIFY(server.start());

        // The first copy, installed silently into a prefix that does not exist yet; then the
        // test's driven game takes the program's place, trusting the test's key.
        Game game(prefixName);
        QVERIFY(!QFileInfo::exists(game.prefix));
        QByteArray log;
        QVERIFY2(run(QStringLiteral("/bin/sh"),
                     {m_installer, QStringLiteral("--prefix=") + game.prefix,
                      QStringLiteral("--skip-license"), QStringLiteral("--exclude-subdir")},
                     &log),
                 log.constData());
        QCOMPARE(readAll(game.bin(QStringLiteral("solmarin"))), m_releaseProgram);
        QVERIFY(game.install(server.address(), m_key, false));
        const QString tally = game.bin(QStringLiteral("solmarintally.tld"));
        {
            TallyBook book(tally.toStdString());
            book.load();
            for (int i = 0; i < 41; ++i)
                book.addtomineincrease(Tally::kTotalGames);
            QVERIFY(book.save());
        }

        QCOMPARE(game.play(QStringLiteral("accept")), 0);
        QVERIFY2(game.output.contains("status: Installing"), game.output.constData());
        QVERIFY2(game.waitForInstaller(m_releaseProgram), game.output.constData());
        QVERIFY(!QFileInfo::exists(game.prefix + QStringLiteral("/bin/bin")));
        QCOMPARE(filesNamed(game.prefix, QStringLiteral("solmarinsetup")), QStringList());
        QCOMPARE(filesNamed(game.prefix, QStringLiteral("solmarin.BAK")), QStringList());
        QVERIFY(QDir(game.tmp()).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot));
        QVERIFY(readAll(game.bin(QStringLiteral("solmarin.ini"))).contains("Name=Reader"));
        QCOMPARE(gamesStarted(tally), 41);

        // The new program starts, loads its modules from the prefix (the network module with
        // the update check after the first frame) and keeps the player's files.
        QProcess next;
        next.setProcessEnvironment(game.environment());
        next.start(game.bin(QStringLiteral("solmarin")), {});
        QVERIFY(next.waitForStarted());
        const QString module = game.prefix + QStringLiteral("/lib/solmarin/solmarin-http.so");
        const QString maps = QStringLiteral("/proc/%1/maps").arg(next.processId());
        QVERIFY(QTest::qWaitFor([&] { return readAll(maps).contains(module.toUtf8()); }, 60000));
        ::kill(pid_t(next.processId()), SIGTERM);
        QVERIFY(next.waitForFinished(60000));
        QCOMPARE(next.exitStatus(), QProcess::NormalExit);
        QCOMPARE(next.exitCode(), 0);
        QVERIFY(readAll(game.bin(QStringLiteral("solmarin.ini"))).contains("Name=Reader"));
        QCOMPARE(gamesStarted(tally), 41);
    }

    // The installer is handed the prefix as it stands, whatever characters the folder's name
    // holds, also when the installer is found through a redirection.
    void installerIsGivenTheGamesPrefix_data() {
        QTest::addColumn<QString>("prefixName");
        QTest::addColumn<QString>("config");
        QTest::newRow("straight") << QStringLiteral("game") << QString();
        QTest::newRow("shell characters in the name")
            << QStringLiteral("my \"games\" $HOME `id` \\ 'x' ;*") << QString();
        QTest::newRow("through a redirection")
            << QStringLiteral("game")
            << QStringLiteral("url.redirect = ( \"^/solmarin/(solmarinsetup.*)$\" => "
                              "\"/moved/$1\" )");
    }

    void installerIsGivenTheGamesPrefix() {
        QFETCH(QString, prefixName);
        QFETCH(QString, config);
        WebServer server;
        serve(server, &m_key);
        if (!config.isEmpty()) {
            QVERIFY(QDir().rename(server.root() + QStringLiteral("/solmarin"),
                                  server.root() + QStringLiteral("/moved")));
            server.put(QStringLiteral("/solmarin/solmarinversion.txt"), "1.0.1");
        }
        QVERIFY(server.start(config));
        Game game(prefixName);
        QVERIFY(game.install(server.address(), m_key));

        QCOMPARE(game.play(QStringLiteral("accept")), 0);
        QVERIFY2(game.output.contains("status: Installing"), game.output.constData());
        QVERIFY2(game.waitForInstaller("the new version\n"), game.output.constData());
        QCOMPARE(readAll(game.prefix + QStringLiteral("/installed.txt")),
                 (QStringLiteral("--prefix=") + game.prefix +
                  QStringLiteral("\n--skip-license\n--exclude-subdir\n"))
                     .toUtf8());
        QCOMPARE(filesNamed(game.prefix, QStringLiteral("solmarinsetup")), QStringList());
        QVERIFY(QDir(game.tmp()).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot));
        // What the player had is saved before the hand-over.
        QVERIFY(readAll(game.bin(QStringLiteral("solmarin.ini"))).contains("Width="));
        QVERIFY(QFile::exists(game.bin(QStringLiteral("solmarintally.tld"))));
    }

    void unsignedInstallersNeverRun_data() {
        QTest::addColumn<QString>("tamper");
        QTest::addColumn<QByteArray>("offered"); // the version file's text
        QTest::addColumn<QString>("comment");    // the signature's trusted comment
        const QByteArray next = "1.0.1";
        QTest::newRow("tampered after signing") << QStringLiteral("tamper") << next << kRelease;
        QTest::newRow("no signature") << QStringLiteral("unsigned") << next << kRelease;
        QTest::newRow("signed by another key") << QStringLiteral("other key") << next << kRelease;
        QTest::newRow("no installer on the server") << QStringLiteral("404") << next << kRelease;
        QTest::newRow("legacy signature (Ed)") << QStringLiteral("legacy") << next << kRelease;
        QTest::newRow("signed older release offered")
            << QString() << QByteArray("0.9.0")
            << QStringLiteral("version:0.9.0 file:solmarinsetup.sh");
        QTest::newRow("older release behind a newer number")
            << QString() << next << QStringLiteral("version:0.9.0 file:solmarinsetup.sh");
        QTest::newRow("our own version again")
            << QString() << QByteArray("1.0.0\n")
            << QStringLiteral("version:1.0.0 file:solmarinsetup.sh");
        QTest::newRow("signature naming no version") << QString() << next << QString();
        QTest::newRow("signed for another file")
            << QString() << next << QStringLiteral("version:1.0.1 file:other.sh");
    }

    void unsignedInstallersNeverRun() {
        QFETCH(QString, tamper);
        QFETCH(QByteArray, offered);
        QFETCH(QString, comment);
        WebServer server;
        serve(server, nullptr);
        server.put(QStringLiteral("/solmarin/solmarinversion.txt"), offered);
        const QString installer = server.root() + kInstaller;
        const KeyPair& signer = tamper == QLatin1String("other key") ? m_otherKey : m_key;
        if (tamper != QLatin1String("unsigned"))
            QVERIFY(signer.sign(installer, comment, tamper == QLatin1String("legacy")));
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

    // The installer cannot be written: the player is told, and the game is whole.
    void installerThatCannotBeWritten() {
        WebServer server;
        serve(server, &m_key);
        QVERIFY(server.start());
        Game game;
        QVERIFY(game.install(server.address(), m_key));
        QVERIFY(QDir(game.tmp()).removeRecursively());

        QCOMPARE(game.play(QStringLiteral("accept")), 0);
        QVERIFY2(game.output.contains("box: Unable to write to "), game.output.constData());
        QVERIFY2(game.output.trimmed().endsWith("status: Download Aborted"),
                 game.output.constData());
        QDir().mkpath(game.tmp());
        QVERIFY(game.untouched());
    }

    // A signed installer that fails when it runs: the game it was to replace is put back.
    void failingInstallerPutsTheGameBack() {
        WebServer server;
        serve(server, &m_key,
              "#!/bin/sh\nprintf 'half' > \"${1#--prefix=}/bin/solmarin\"\nexit 3\n");
        QVERIFY(server.start());
        Game game;
        QVERIFY(game.install(server.address(), m_key));
        QCOMPARE(game.play(QStringLiteral("accept")), 0);
        QVERIFY2(game.output.contains("status: Installing"), game.output.constData());
        QVERIFY2(game.waitForInstaller(game.program), game.output.constData());
        QVERIFY(game.untouched());
    }

    // Links planted under the names the game once wrote (the installer beside the program, its
    // backup) are neither followed nor left in the way; what they point at stays as it was.
    void plantedLinksAreNotFollowed() {
        WebServer server;
        serve(server, &m_key);
        QVERIFY(server.start());
        Game game;
        QVERIFY(game.install(server.address(), m_key));
        const QString victim = game.dir.filePath(QStringLiteral("victim.txt"));
        const QString created = game.dir.filePath(QStringLiteral("created-through-link"));
        QVERIFY(writeFile(victim, "precious\n"));
        QVERIFY(QFile::link(victim, game.bin(QStringLiteral("solmarinsetup.sh"))));
        QVERIFY(QFile::link(created, game.bin(QStringLiteral("solmarin.BAK"))));

        QCOMPARE(game.play(QStringLiteral("accept")), 0);
        QVERIFY2(game.output.contains("status: Installing"), game.output.constData());
        QVERIFY2(game.waitForInstaller("the new version\n"), game.output.constData());
        QCOMPARE(readAll(victim), QByteArray("precious\n"));
        QVERIFY(!present(created));
    }

    // Servers that fail during the download, and a player who closes or kills the game meanwhile:
    // the game is exactly as it was, and no part of the installer is left anywhere.
    void brokenDownloadsLeaveTheGameWhole_data() {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<bool>("dies"); // the server closes mid-body; otherwise it hangs
        QTest::addColumn<bool>("kill"); // the game is killed once the body is under way
        QTest::newRow("server dies mid-download") << QStringLiteral("accept") << true << false;
        QTest::newRow("game closed during the download")
            << QStringLiteral("close") << false << false;
        QTest::newRow("game killed during the download")
            << QStringLiteral("accept") << false << true;
    }

    void brokenDownloadsLeaveTheGameWhole() {
        QFETCH(QString, mode);
        QFETCH(bool, dies);
        QFETCH(bool, kill);
        std::atomic<bool> release{false};
        std::atomic<bool> underWay{false};
        LoopbackServer server([&](int fd, const std::string& request) {
            if (request.rfind("GET /solmarin/solmarinversion.txt ", 0) == 0) {
                LoopbackServer::send(fd, "HTTP/1.0 200 OK\r\nContent-Length: 5\r\n\r\n1.0.1");
                return;
            }
            LoopbackServer::send(fd, "HTTP/1.0 200 OK\r\nContent-Length: 1000000\r\n\r\n" +
                                         std::string(kTestInstaller.constData()));
            underWay = true;
            while (!dies && !release)
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
        });
        Game game;
        QVERIFY(game.install(QStringLiteral("127.0.0.1:%1").arg(server.port()), m_key));
        game.start(mode);
        if (kill) {
            QVERIFY(QTest::qWaitFor([&] { return underWay.load(); }, 60000));
            QTest::qWait(200); // the first bytes are written
            game.process.kill();
        }
        const int code = game.finish();
        release = true;
        QCOMPARE(code, kill ? -1 : 0);
        if (!kill) {
            QVERIFY2(game.output.contains("offer\n"), game.output.constData());
            QVERIFY2(game.output.trimmed().endsWith("status: Download Aborted"),
                     game.output.constData());
        }
        QVERIFY(game.untouched());
        QVERIFY(server.requests().size() >= 2);
    }
};

QTEST_MAIN(TstUpdateFlow)
#include "tst_updateflow.moc"
