// The update: the objects on the server, the offer test, the download of a signed installer into
// a private file that is checked before anything runs, and the hand-over to that same file.
#include "update.h"

#include "downloadcore.h"
#include "httpprot.h"
#include "minisign.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstring>
#include <sstream>
#include <streambuf>

#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <unistd.h>

extern char** environ;

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

QString installerFileName(const QString& url) {
    return url.section(QLatin1Char('/'), -1);
}

QString installPrefix(const QString& programFolder) {
    const QFileInfo folder(programFolder);
    if (folder.fileName() != QLatin1String(SOLMARIN_INSTALL_BINDIR))
        return {};
    if (!QFileInfo(QDir(programFolder).filePath(QStringLiteral(SOLMARIN_MODULES_FROM_BIN))).isDir())
        return {};
    return QDir::cleanPath(folder.absoluteFilePath() + QStringLiteral("/.."));
}

std::optional<Release> parseTrustedComment(const std::string& comment) {
    Release release;
    int versions = 0;
    int files = 0;
    const QString text = QString::fromUtf8(comment.data(), qsizetype(comment.size()));
    for (const QString& word :
         text.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts)) {
        if (word.startsWith(QLatin1String("version:"))) {
            release.version = word.mid(8);
            ++versions;
        } else if (word.startsWith(QLatin1String("file:"))) {
            release.file = word.mid(5);
            ++files;
        }
    }
    if (versions != 1 || files != 1 || release.version.isEmpty() || release.file.isEmpty())
        return std::nullopt;
    return release;
}

namespace {

// The numbers of a dotted decimal version, or nothing when it is not one.
std::optional<std::vector<long>> versionNumbers(const QString& version) {
    static const QRegularExpression form(QStringLiteral("^[0-9]{1,9}(\\.[0-9]{1,9})*$"));
    if (!form.match(version).hasMatch())
        return std::nullopt;
    std::vector<long> numbers;
    for (const QString& part : version.split(QLatin1Char('.')))
        numbers.push_back(part.toLong());
    return numbers;
}

} // namespace

bool newerVersion(const QString& candidate, const QString& own) {
    const auto a = versionNumbers(candidate);
    const auto b = versionNumbers(own);
    if (!a || !b)
        return false;
    for (std::size_t i = 0; i < std::max(a->size(), b->size()); ++i) {
        const long x = i < a->size() ? (*a)[i] : 0;
        const long y = i < b->size() ? (*b)[i] : 0;
        if (x != y)
            return x > y;
    }
    return false;
}

QString refusal(const std::string& trustedComment, const QString& offeredVersion,
                const QString& ownVersion, const QString& fileName) {
    const std::optional<Release> release = parseTrustedComment(trustedComment);
    if (!release)
        return QStringLiteral("its signature names no version and file");
    if (release->file != fileName)
        return QStringLiteral("signed for the file ") + release->file;
    if (release->version != offeredVersion)
        return QStringLiteral("signed for version ") + release->version;
    if (!newerVersion(release->version, ownVersion))
        return QStringLiteral("version ") + release->version + QStringLiteral(" is not newer");
    return {};
}

// ---- The installer file --------------------------------------------------------------------

namespace {

std::runtime_error unableToWrite(const QByteArray& path, int error) {
    return std::runtime_error("Unable to write to " + path.toStdString() + ": " +
                              std::strerror(error));
}

} // namespace

Installer::Installer(const QString& tempFolder) {
    // Qt gives no temporary folder when the one named does not exist; a relative one would be
    // the current folder, which is not ours to write.
    if (!QDir::isAbsolutePath(tempFolder))
        throw std::runtime_error("Unable to write to the temporary folder");
    QByteArray folder =
        QFile::encodeName(QDir(tempFolder).filePath(QStringLiteral("solmarin-update-XXXXXX")));
    // A folder of its own, open to nobody else, so no other user can plant or swap anything in
    // it; the file is made new, never through a link.
    if (!::mkdtemp(folder.data()))
        throw unableToWrite(folder, errno);
    const QByteArray file = folder + "/solmarinsetup.sh";
    m_fd = ::open(file.constData(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    const int error = errno;
    if (m_fd >= 0)
        ::unlink(file.constData());
    ::rmdir(folder.constData());
    if (m_fd < 0)
        throw unableToWrite(file, error);
}

Installer::~Installer() {
    if (m_fd >= 0)
        ::close(m_fd);
}

Installer::Installer(Installer&& other) noexcept : m_fd(other.m_fd) {
    other.m_fd = -1;
}

std::int64_t Installer::size() const {
    struct stat info {};
    return ::fstat(m_fd, &info) == 0 ? std::int64_t(info.st_size) : 0;
}

namespace {

// An output stream's buffer that writes straight into a file descriptor.
class DescriptorBuffer : public std::streambuf {
public:
    explicit DescriptorBuffer(int fd) : m_fd(fd) {}

protected:
    std::streamsize xsputn(const char* data, std::streamsize size) override {
        std::streamsize written = 0;
        while (written < size) {
            const ssize_t n = ::write(m_fd, data + written, std::size_t(size - written));
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                break;
            written += n;
        }
        return written;
    }
    int_type overflow(int_type ch) override {
        if (traits_type::eq_int_type(ch, traits_type::eof()))
            return traits_type::not_eof(ch);
        const char c = traits_type::to_char_type(ch);
        return xsputn(&c, 1) == 1 ? ch : traits_type::eof();
    }

private:
    int m_fd;
};

void fetchInto(THttpCli& client, const std::string& url, std::ostream& out, std::int64_t limit,
               std::chrono::steady_clock::time_point deadline) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    client.URL = url;
    client.ReceiveStream = &out;
    client.MaxBodySize = limit;
    client.Timeout = std::max<std::int64_t>(1, left.count());
    struct Clear {
        THttpCli& client;
        ~Clear() { client.ReceiveStream = nullptr; }
    } clear{client};
    client.GetDocument();
}

} // namespace

Installer downloadVerified(THttpCli& client, const std::string& url, const QString& tempFolder,
                           const std::string& publicKey, const QString& offeredVersion,
                           const QString& ownVersion,
                           const std::function<void(std::int64_t bytes)>& received) {
    const auto deadline =
        std::chrono::steady_clock::now() + std::chrono::milliseconds(kDownloadDeadlineMs);
    Installer installer(tempFolder);
    DescriptorBuffer buffer(installer.descriptor());
    std::ostream file(&buffer);
    fetchInto(client, url, file, kMaxInstallerSize, deadline);
    if (received)
        received(installer.size());
    std::ostringstream signature;
    fetchInto(client, url + kSignatureSuffix, signature, kMaxSignatureSize, deadline);
    std::string comment;
    const auto verdict = static_cast<minisign::Verdict>(
        download::verifyDescriptor(installer.descriptor(), signature.str(), publicKey, comment));
    if (verdict != minisign::Verdict::Good)
        throw BadSignature(std::string("Installer refused: ") + minisign::describe(verdict));
    const QString why = refusal(comment, offeredVersion, ownVersion,
                                installerFileName(QString::fromStdString(url)));
    if (!why.isEmpty())
        throw BadSignature("Installer refused: " + why.toStdString());
    return installer;
}

// ---- The hand-over -------------------------------------------------------------------------

namespace {

// Run by /bin/sh in the process that outlives the game, with the installer on descriptor 3:
// $1 the installer as a path to that descriptor, $2 the prefix, $3 the executable, $4 its
// backup. The paths arrive as arguments, never inside the script's text, so no folder name can
// change what it does.
constexpr char kHandOverScript[] =
    "installer=$1 prefix=$2 program=$3 backup=$4\n"
    "if /bin/sh \"$installer\" --prefix=\"$prefix\" --skip-license --exclude-subdir &&\n"
    "   [ -f \"$program\" ]; then\n"
    "  exec rm -f -- \"$backup\"\n"
    "fi\n"
    "exec mv -f -T -- \"$backup\" \"$program\"\n";

// The descriptor the installer is read from in the hand-over process.
constexpr int kInstallerDescriptor = 3;

bool spawnHandOver(int installerFd, const QByteArray& prefix, const QByteArray& program,
                   const QByteArray& backup) {
    // A copy above the descriptors that the new process sets up, so that it is never its own
    // target (dup2 onto itself would keep it closed on exec).
    const int copy = ::fcntl(installerFd, F_DUPFD_CLOEXEC, 10);
    if (copy < 0)
        return false;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, copy, kInstallerDescriptor);
    posix_spawn_file_actions_addclosefrom_np(&actions, kInstallerDescriptor + 1);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    // A session of its own, so that the end of the game's session or terminal does not end the
    // installer halfway; no signal blocked or ignored that the game had blocked or ignored.
    sigset_t none, defaults;
    sigemptyset(&none);
    sigfillset(&defaults);
    posix_spawnattr_setsigmask(&attributes, &none);
    posix_spawnattr_setsigdefault(&attributes, &defaults);
    posix_spawnattr_setflags(&attributes,
                             POSIX_SPAWN_SETSID | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
    const QByteArray installer = "/dev/fd/" + QByteArray::number(kInstallerDescriptor);
    const char* argv[] = {"sh",
                          "-c",
                          kHandOverScript,
                          "solmarin-update",
                          installer.constData(),
                          prefix.constData(),
                          program.constData(),
                          backup.constData(),
                          nullptr};
    pid_t pid = 0;
    const int result = ::posix_spawn(&pid, "/bin/sh", &actions, &attributes,
                                     const_cast<char* const*>(argv), environ);
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    ::close(copy);
    return result == 0;
}

} // namespace

bool handOver(const Installer& installer, const QString& prefix, const QString& executable) {
    const QByteArray program = QFile::encodeName(executable);
    const QByteArray backup = QFile::encodeName(backupName(executable));
    // Only the names themselves: a link planted under the backup's name is removed, not
    // followed, and rename(2) never copies.
    if (::unlink(backup.constData()) != 0 && errno != ENOENT)
        return false;
    if (::rename(program.constData(), backup.constData()) != 0)
        return false;
    if (spawnHandOver(installer.descriptor(), QFile::encodeName(prefix), program, backup))
        return true;
    ::rename(backup.constData(), program.constData());
    return false;
}

} // namespace update
