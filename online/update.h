// The update: the objects on the server, the offer test, the download of a signed installer into
// a private file that is checked before anything runs, and the hand-over to that same file.
#pragma once

#include <QString>

#include <cstdint>
#include <functional>
#include <optional>
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
// The installer and its signature together, however steadily a server sends: the largest
// installer we take at about 150 kB a second. The player may close the game at any time before.
constexpr std::int64_t kDownloadDeadlineMs = std::int64_t(30) * 60 * 1000;

// "/solmarin/solmarinversion.txt" for the short name "solmarin".
QString versionObject(const QString& shortname);

// Whether a version answer brings the offer: only a real answer (status 200) whose text differs
// in any way from our own version.
bool offered(int status, const QString& body, const QString& ownVersion);

// The executable's full path with its extension (if any) changed to ".BAK".
QString backupName(const QString& executable);

// The installer's file name: the last "/"-separated segment of its URL.
QString installerFileName(const QString& url);

// The folder the game was installed under, which the installer must be given so that the game
// ends up where it is: the folder above `programFolder` when that is the bin folder of an
// installed copy (its modules in the program's library folder beside it). Empty for any other
// copy (a build, a folder the files were copied into), which the installer, laying out bin/,
// lib/ and share/, cannot replace in place.
QString installPrefix(const QString& programFolder);

// What a release's signature vouches for in its trusted comment, written as
// "version:1.0.1 file:solmarinsetup.sh" (other "key:value" words, such as minisign's timestamp,
// may stand beside them).
struct Release {
    QString version;
    QString file;
};
std::optional<Release> parseTrustedComment(const std::string& comment);

// Whether `candidate` is a later version than `own`: dotted decimal numbers compared number by
// number, a missing number counting as 0. A candidate that is no such version is not newer.
bool newerVersion(const QString& candidate, const QString& own);

// Why a release whose signature holds `trustedComment` may not replace this copy, or empty when
// it may: it must name the version the server offered (the version file's text, exactly), be
// newer than our own and name the installer's file, so that an old signed installer cannot be
// offered again to take a player back to a version with known faults.
QString refusal(const std::string& trustedComment, const QString& offeredVersion,
                const QString& ownVersion, const QString& fileName);

// The downloaded installer: a file made in a private folder and unlinked at once, so only its
// open descriptor reaches it. Whatever ends the program (a crash, a kill) leaves nothing behind;
// the signature is checked over this descriptor and the installer is started from it.
class Installer {
public:
    // Makes the file in a fresh folder under `tempFolder`. Throws std::runtime_error.
    explicit Installer(const QString& tempFolder);
    ~Installer();
    Installer(Installer&& other) noexcept;
    Installer(const Installer&) = delete;
    Installer& operator=(const Installer&) = delete;
    Installer& operator=(Installer&&) = delete;

    int descriptor() const { return m_fd; }
    std::int64_t size() const;

private:
    int m_fd = -1;
};

// The installer's signature is missing its mark: malformed, from another key, not matching, or
// vouching for another release than the one offered.
class BadSignature : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Downloads `url` into a fresh Installer under `tempFolder` and its signature from `url` +
// ".minisig", both within one deadline, checks the signature against `publicKey` and the
// release it vouches for against the offered version and our own. `received` hears the
// installer's size once it has arrived. Throws EHttpException for the transfer, BadSignature for
// the check, std::runtime_error for a file that cannot be made or written; nothing is left then.
Installer downloadVerified(THttpCli& client, const std::string& url, const QString& tempFolder,
                           const std::string& publicKey, const QString& offeredVersion,
                           const QString& ownVersion,
                           const std::function<void(std::int64_t bytes)>& received);

// Moves `executable` aside to its backup name and starts the checked installer, from its
// descriptor, to install under `prefix`, in a process of its own that outlives the game. Once
// the installer has succeeded that process removes the backup; when it fails it puts the backup
// back under the executable's name. False, with the executable in place, when it cannot start.
bool handOver(const Installer& installer, const QString& prefix, const QString& executable);

// The public key that release installers must be signed with (a minisign public key line).
std::string trustedKey();

} // namespace update
