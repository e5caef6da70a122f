// The update: the objects on the server, the offer test, moving the running executable aside
// and back, and the download of a signed installer that is checked before anything runs.
#include "update.h"

#include "downloadcore.h"
#include "httpprot.h"
#include "minisign.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

#include <fstream>
#include <sstream>

namespace update {

QString versionObject(const QString& shortname) {
    return QStringLiteral("/") + shortname + QStringLiteral("/") + shortname +
           QStringLiteral("version.txt");
}

bool offered(int status, const QString& body, const QString& ownVersion) {
    // Nothing is trimmed: a version text that differs by a line end is a different version.
    return status == 200 && !body.isEmpty() && body != ownVersion;
}

QString backupName(const QString& executable) {
    const QFileInfo info(executable);
    const QString name = info.fileName();
    const int dot = name.lastIndexOf(QLatin1Char('.'));
    const QString base = dot > 0 ? name.left(dot) : name;
    return QDir(info.path()).filePath(base + QStringLiteral(".BAK"));
}

QString localName(const QString& url, const QString& folder) {
    return QDir(folder).filePath(url.section(QLatin1Char('/'), -1));
}

QStringList installerArguments(const QString& folder) {
    return {QStringLiteral("--prefix=") + folder, QStringLiteral("--skip-license"),
            QStringLiteral("--exclude-subdir")};
}

ExecutableBackup::ExecutableBackup(QString executable) : m_executable(std::move(executable)) {}

void ExecutableBackup::moveAside() {
    const QString backup = backupName(m_executable);
    if (QFile::exists(backup))
        QFile::remove(backup);
    m_moved = QFile::rename(m_executable, backup);
}

void ExecutableBackup::restore() {
    if (!m_moved)
        return;
    const QString backup = backupName(m_executable);
    // A failed installer may have left a file under the executable's name; ours goes back.
    if (QFile::exists(m_executable))
        QFile::remove(m_executable);
    m_moved = !QFile::rename(backup, m_executable);
}

namespace {

void fetchInto(THttpCli& client, const std::string& url, std::ostream& out, std::int64_t limit) {
    client.URL = url;
    client.ReceiveStream = &out;
    client.MaxBodySize = limit;
    struct Clear {
        THttpCli& client;
        ~Clear() { client.ReceiveStream = nullptr; }
    } clear{client};
    client.GetDocument();
}

void download(THttpCli& client, const std::string& url, const QString& local,
              const std::function<void(std::int64_t bytes)>& received) {
    const std::string path = QFile::encodeName(local).toStdString();
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    if (!file)
        throw std::runtime_error("Unable to write to " + local.toStdString());
    fetchInto(client, url, file, kMaxInstallerSize);
    file.close();
    if (!file)
        throw std::runtime_error("Unable to write to " + local.toStdString());
    if (received)
        received(QFileInfo(local).size());
}

} // namespace

void downloadVerified(THttpCli& client, const std::string& url, const QString& local,
                      const std::string& publicKey,
                      const std::function<void(std::int64_t bytes)>& received) {
    try {
        download(client, url, local, received);
        std::ostringstream signature;
        fetchInto(client, url + kSignatureSuffix, signature, kMaxSignatureSize);
        const auto verdict = static_cast<minisign::Verdict>(download::verifyFile(
            QFile::encodeName(local).toStdString(), signature.str(), publicKey));
        if (verdict != minisign::Verdict::Good)
            throw BadSignature(std::string("Installer refused: ") + minisign::describe(verdict));
    } catch (...) {
        QFile::remove(local);
        throw;
    }
}

bool startInstaller(const QString& installer, const QString& folder) {
    QFile file(installer);
    if (!file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                             QFile::ReadGroup | QFile::ExeGroup | QFile::ReadOther |
                             QFile::ExeOther))
        return false;
    return QProcess::startDetached(installer, installerArguments(folder), QString());
}

} // namespace update
