// Where the game keeps its files: beside a copy that may write its folder, in the player's
// folders for an install it may not write, and beside a read-only copy whose files stand there.
#include "immutable.h"
#include "paths.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

namespace {

// Write protection that holds for root too: the immutable attribute, where the file system has
// it; permission bits otherwise.
bool protect(const QString& path, bool on) {
    const QByteArray name = QFile::encodeName(path);
    if (::geteuid() != 0) {
        struct stat info {};
        if (::stat(name.constData(), &info) != 0)
            return false;
        const mode_t mode = on ? info.st_mode & ~mode_t(0222) : info.st_mode | S_IWUSR;
        return ::chmod(name.constData(), mode) == 0;
    }
    return setImmutable(name.toStdString(), on);
}

void touch(const QString& path) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("x");
}

} // namespace

class TstPaths : public QObject {
    Q_OBJECT

    QTemporaryDir m_root;
    QString m_program;
    QStringList m_protected;

    QString under(const QString& relative) const { return QDir(m_root.path()).filePath(relative); }

private slots:
    void init() {
        m_program = under(QStringLiteral("bin"));
        QVERIFY(QDir().mkpath(m_program));
        paths::setProgramFolder(m_program);
        qputenv("XDG_CONFIG_HOME", under(QStringLiteral("config")).toLocal8Bit());
        qputenv("XDG_DATA_HOME", under(QStringLiteral("data/share")).toLocal8Bit());
    }

    void cleanup() {
        for (const QString& path : std::as_const(m_protected))
            protect(path, false);
        m_protected.clear();
        paths::setProgramFolder(QString());
        QDir(m_root.path()).removeRecursively();
        QDir().mkpath(m_root.path());
    }

    void filesGoWhereTheyCanBeWritten_data() {
        QTest::addColumn<bool>("folderWritable");
        QTest::addColumn<QStringList>("standing"); // files already beside the program
        QTest::addColumn<QStringList>(
            "readOnlyFiles"); // of those, the ones that may not be written
        QTest::addColumn<bool>("settingsBeside");
        QTest::addColumn<bool>("tallyBeside");

        const QStringList none;
        const QStringList both{"solmarin.ini", "solmarintally.tld"};
        QTest::newRow("portable copy") << true << none << none << true << true;
        QTest::newRow("portable copy with its files") << true << both << none << true << true;
        QTest::newRow("system install") << false << none << none << false << false;
        QTest::newRow("read-only copy keeps its files") << false << both << none << true << true;
        QTest::newRow("read-only copy with its settings only")
            << false << QStringList{"solmarin.ini"} << none << true << false;
        QTest::newRow("files that may not be written are left")
            << false << both << both << false << false;
    }

    void filesGoWhereTheyCanBeWritten() {
        QFETCH(bool, folderWritable);
        QFETCH(QStringList, standing);
        QFETCH(QStringList, readOnlyFiles);
        QFETCH(bool, settingsBeside);
        QFETCH(bool, tallyBeside);

        for (const QString& name : standing)
            touch(paths::beside(name));
        for (const QString& name : readOnlyFiles) {
            if (!protect(paths::beside(name), true))
                QSKIP("cannot write-protect a file here");
            m_protected << paths::beside(name);
        }
        if (!folderWritable) {
            if (!protect(m_program, true))
                QSKIP("cannot write-protect a folder here");
            m_protected << m_program;
            QVERIFY(!paths::canCreateIn(m_program));
        }

        const QString settings = paths::settingsFile(QStringLiteral("solmarin.ini"));
        const QString tally = paths::dataFile(QStringLiteral("solmarintally.tld"));
        QCOMPARE(settings, settingsBeside ? paths::beside("solmarin.ini")
                                          : under("config/solmarin/solmarin.ini"));
        QCOMPARE(tally, tallyBeside ? paths::beside("solmarintally.tld")
                                    : under("data/share/solmarin/solmarintally.tld"));
        // The player's folders are made for the files that go there, private to the player.
        for (const QString& file : {settings, tally}) {
            if (file.startsWith(m_program))
                continue;
            const QFileInfo folder(QFileInfo(file).path());
            QVERIFY2(folder.isDir(), qPrintable(folder.filePath()));
            QCOMPARE(folder.permissions() & (QFile::ReadGroup | QFile::ReadOther), 0);
        }
        // Asking leaves nothing behind in the program folder.
        QCOMPARE(QDir(m_program).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 [&] {
                     QStringList sorted = standing;
                     sorted.sort();
                     return sorted;
                 }());
    }

    void playerFoldersFollowTheVariablesOrTheirDefaults_data() {
        QTest::addColumn<QByteArray>("config");
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<QByteArray>("runtime");
        QTest::addColumn<QString>("expectConfig");
        QTest::addColumn<QString>("expectData");
        QTest::addColumn<QString>("expectLock");

        const QString uid = QString::number(::getuid());
        const QString tmpLock = QDir(QDir::tempPath()).filePath("solmarin-" + uid + ".lock");
        QTest::newRow("set") << QByteArray("/x/config/") << QByteArray("/x/data")
                             << QByteArray("/run/user/7") << "/x/config"
                             << "/x/data"
                             << "/run/user/7/solmarin.lock";
        QTest::newRow("unset") << QByteArray() << QByteArray() << QByteArray() << "~/.config"
                               << "~/.local/share" << tmpLock;
        // A relative value would depend on the folder the game was started from.
        QTest::newRow("relative") << QByteArray("config") << QByteArray("./data")
                                  << QByteArray("run") << "~/.config"
                                  << "~/.local/share" << tmpLock;
    }

    void playerFoldersFollowTheVariablesOrTheirDefaults() {
        QFETCH(QByteArray, config);
        QFETCH(QByteArray, data);
        QFETCH(QByteArray, runtime);
        QFETCH(QString, expectConfig);
        QFETCH(QString, expectData);
        QFETCH(QString, expectLock);

        const auto setOrUnset = [](const char* name, const QByteArray& value) {
            if (value.isEmpty())
                qunsetenv(name);
            else
                qputenv(name, value);
        };
        const QByteArray home = qgetenv("HOME");
        const QByteArray runtimeBefore = qgetenv("XDG_RUNTIME_DIR");
        qputenv("HOME", m_root.path().toLocal8Bit());
        setOrUnset("XDG_CONFIG_HOME", config);
        setOrUnset("XDG_DATA_HOME", data);
        setOrUnset("XDG_RUNTIME_DIR", runtime);

        const QString configHome = paths::configHome();
        const QString dataHome = paths::dataHome();
        const QString lock = paths::lockFile(QStringLiteral("solmarin"));

        qputenv("HOME", home);
        setOrUnset("XDG_RUNTIME_DIR", runtimeBefore);
        QCOMPARE(configHome, expectConfig.replace("~", m_root.path()));
        QCOMPARE(dataHome, expectData.replace("~", m_root.path()));
        QCOMPARE(lock, expectLock);
    }
};

QTEST_GUILESS_MAIN(TstPaths)
#include "tst_paths.moc"
