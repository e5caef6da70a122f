// The game's sound cues, embedded as Qt resources in the assets library.
#include "soundresources.h"

#include <QDir>
#include <QFileInfo>

#include <mutex>

// Q_INIT_RESOURCE must stand outside any namespace.
void initSoundResources() {
    static std::once_flag once;
    std::call_once(once, [] { Q_INIT_RESOURCE(sounds); });
}

namespace soundresources {

namespace {
const QString kFolder = QStringLiteral(":/sounds");
const QString kSuffix = QStringLiteral(".wav");
} // namespace

QStringList names() {
    static const QStringList list = [] {
        initSoundResources();
        QStringList result;
        for (const QFileInfo& file : QDir(kFolder).entryInfoList(QDir::Files, QDir::Name))
            result << file.completeBaseName();
        return result;
    }();
    return list;
}

QString path(const QString& name) {
    // Only a name from the list leads to a file, so no text from elsewhere (a path, "..")
    // can reach outside the cue folder.
    const QString wanted = name.toLower();
    if (!names().contains(wanted))
        return {};
    return kFolder + QLatin1Char('/') + wanted + kSuffix;
}

} // namespace soundresources
