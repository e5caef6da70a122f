// The update: the objects on the server, the offer test, moving the running executable aside
// and back, and the download of a signed installer that is checked before anything runs.
#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>

class THttpCli;

namespace update {

// The installer is the self-extracting one our packaging makes; its signature lies beside it
// under the same name with this suffix.
constexpr char kInstallerObject[] = "/solmarin/solmarinsetup.sh";
constexpr char kSignatureSuffix[] = ".minisig";
// Far more than any installer of ours; a server that sends more is not ours.
constexpr std::int64_t kMaxInstallerSize = std::int64_t(256) * 1024 * 1024;
constexpr std::int64_t kMaxSignatureSize = 64 * 1024;

// "/solmarin/solmarinversion.txt" for the short name "solmarin".
QString versionObject(const QString& shortname);

// Whether a version answer brings the offer: only a real answer (status 200) whose text differs
// in any way from our own version.
bool offered(int status, const QString& body, const QString& ownVersion);

// The executable's full path with its extension (if any) changed to ".BAK".
QString backupName(const QString& executable);

// Where the download goes: the last "/"-separated segment of the URL, in `folder`.
QString localName(const QString& url, const QString& folder);

// The options that make the installer put the game into `folder` without asking anything.
QStringList installerArguments(const QString& folder);

// The running executable, moved aside to its backup name for the time of an update and put
// back under its own name when the update fails.
class ExecutableBackup {
public:
    explicit ExecutableBackup(QString executable = {});
    // Deletes an earlier backup, then renames the executable to the backup name.
    void moveAside();
    // Puts the executable back if it was moved; a later backup is no longer needed then.
    void restore();
    bool movedAside() const { return m_moved; }
    const QString& executable() const { return m_executable; }

private:
    QString m_executable;
    bool m_moved = false;
};

// The installer's signature is missing its mark: malformed, from another key or not matching.
class BadSignature : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Downloads `url` into `local` and its signature from `url` + ".minisig", and checks the
// signature against `publicKey`. `received` hears the installer's size once it has arrived.
// On any failure the local file is deleted and the error thrown again: EHttpException for the
// transfer, BadSignature for the check, std::runtime_error for a file that cannot be written.
void downloadVerified(THttpCli& client, const std::string& url, const QString& local,
                      const std::string& publicKey,
                      const std::function<void(std::int64_t bytes)>& received);

// Makes the verified installer executable and starts it detached; false when it cannot be
// started.
bool startInstaller(const QString& installer, const QString& folder);

// The public key that release installers must be signed with (a minisign public key line).
std::string trustedKey();

} // namespace update
