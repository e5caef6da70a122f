// Where the program keeps its own files: the folder of its executable.
#include "paths.h"

#include <QCoreApplication>
#include <QDir>

namespace {

QString& overrideFolder() {
    static QString folder;
    return folder;
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

} // namespace paths
