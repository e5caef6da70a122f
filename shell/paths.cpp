// Where the program keeps its own files: beside its executable when it may write there,
// otherwise in the player's folders.
#include "paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <cerrno>
#include <cstdlib>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QString& overrideFolder() {
    static QString folder;
    return folder;
}

// The program's own folder inside the player's folders.
const QString kSubfolder = QStringLiteral("solmarin");

QString absoluteFromEnvironment(const char* name, const QString& fallback) {
    const QString value = qEnvironmentVariable(name);
    // A relative value is to be ignored: it would depend on the folder the game was started in.
    if (!value.isEmpty() && QDir::isAbsolutePath(value))
        return QDir::cleanPath(value);
    return fallback;
}

// Makes the folder and any missing parents, private to the player as the XDG folders are.
// A failure is left to the write that follows, which reports the file's path.
void makeFolder(const QString& folder) {
    const QByteArray path = QFile::encodeName(QDir::cleanPath(folder));
    for (qsizetype slash = path.indexOf('/', 1);; slash = path.indexOf('/', slash + 1)) {
        const QByteArray part = slash < 0 ? path : path.left(slash);
        if (::mkdir(part.constData(), 0700) != 0 && errno != EEXIST)
            return;
        if (slash < 0)
            return;
    }
}

QString chooseFile(const QString& fileName, const QString& playerHome) {
    const QString here = paths::beside(fileName);
    // A copy in a folder it may not write keeps the files that stand beside it and may be
    // written, so moving such a copy never leaves a player's tally behind.
    if (paths::canWrite(here) || paths::canCreateIn(paths::programFolder()))
        return here;
    const QString folder = QDir(playerHome).filePath(kSubfolder);
    makeFolder(folder);
    return QDir(folder).filePath(fileName);
}

} // namespace

namespace paths {

QString programFolder() {
    if (!overrideFolder().isEmpty())
        return overrideFolder();
    return QCoreApplication::applicationDirPath();
}

void setProgramFolder(const QString& folder) {
    overrideFolder() = folder;
}

QString beside(const QString& fileName) {
    return QDir(programFolder()).filePath(fileName);
}

bool canCreateIn(const QString& folder) {
    QByteArray pattern =
        QFile::encodeName(QDir(folder).filePath(QStringLiteral(".solmarin-XXXXXX")));
    const int fd = ::mkostemp(pattern.data(), O_CLOEXEC);
    if (fd < 0)
        return false;
    ::close(fd);
    ::unlink(pattern.constData());
    return true;
}

bool canWrite(const QString& path) {
    // Opened without truncating and closed unwritten: the file is left exactly as it was.
    const int fd =
        ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0)
        return false;
    struct stat info {};
    const bool regular = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
    ::close(fd);
    return regular;
}

QString configHome() {
    return absoluteFromEnvironment("XDG_CONFIG_HOME",
                                   QDir::homePath() + QStringLiteral("/.config"));
}

QString dataHome() {
    return absoluteFromEnvironment("XDG_DATA_HOME",
                                   QDir::homePath() + QStringLiteral("/.local/share"));
}

QString settingsFile(const QString& fileName) {
    return chooseFile(fileName, configHome());
}

QString dataFile(const QString& fileName) {
    return chooseFile(fileName, dataHome());
}

QString lockFile(const QString& name) {
    const QString runtime = absoluteFromEnvironment("XDG_RUNTIME_DIR", QString());
    if (!runtime.isEmpty())
        return QDir(runtime).filePath(name + QStringLiteral(".lock"));
    // The shared temporary folder holds every user's mark, so the name carries the user.
    return QDir(QDir::tempPath())
        .filePath(name + QLatin1Char('-') + QString::number(::getuid()) + QStringLiteral(".lock"));
}

} // namespace paths
