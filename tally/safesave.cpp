// Saving a small file of the program's own.
#include "safesave.h"

#include <atomic>
#include <cerrno>
#include <utility>

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

namespace safesave {

namespace {

bool writeAllAt(int fd, const std::string& data, off_t offset) {
    std::size_t done = 0;
    while (done < data.size()) {
        const ssize_t written =
            ::pwrite(fd, data.data() + done, data.size() - done, offset + off_t(done));
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            return false;
        }
        done += std::size_t(written);
    }
    return true;
}

bool readAll(int fd, std::string& data) {
    char buffer[4096];
    off_t offset = 0;
    for (;;) {
        const ssize_t got = ::pread(fd, buffer, sizeof buffer, offset);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            return false;
        }
        if (got == 0) {
            return true;
        }
        data.append(buffer, std::size_t(got));
        offset += got;
    }
}

bool writeWhole(int fd, const std::string& data) {
    return writeAllAt(fd, data, 0) && ::ftruncate(fd, off_t(data.size())) == 0 && ::fsync(fd) == 0;
}

// `path` as its folder (with the final "/", empty for the current one) and its name.
std::pair<std::string, std::string> splitPath(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return {std::string(), path};
    return {path.substr(0, slash + 1), path.substr(slash + 1)};
}

// A name for the new file beside `path`: a dot, the file's name, the process, a serial number.
std::string newFileName(const std::string& path) {
    static std::atomic<unsigned> serial{0};
    const auto [folder, name] = splitPath(path);
    return folder + "." + name + "." + std::to_string(::getpid()) + "." + std::to_string(serial++) +
           ".tmp";
}

// The process that made `entry` if it is a new file of a save of `name` (see newFileName),
// else 0.
pid_t maker(const std::string& entry, const std::string& name) {
    const std::string prefix = "." + name + ".";
    const std::string suffix = ".tmp";
    if (entry.size() <= prefix.size() + suffix.size() || entry.compare(0, prefix.size(), prefix) ||
        entry.compare(entry.size() - suffix.size(), suffix.size(), suffix))
        return 0;
    const std::string middle =
        entry.substr(prefix.size(), entry.size() - prefix.size() - suffix.size());
    const std::size_t dot = middle.find('.');
    if (dot == 0 || dot == std::string::npos || dot > 9 || dot + 1 == middle.size() ||
        middle.find_first_not_of("0123456789.") != std::string::npos ||
        middle.find('.', dot + 1) != std::string::npos)
        return 0;
    return pid_t(std::stol(middle.substr(0, dot)));
}

// Makes a new file of a name nobody else uses; -1 when the folder takes no new file.
int createNewFile(const std::string& path, std::string& created) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        created = newFileName(path);
        const int fd = ::open(created.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) {
            return fd;
        }
    }
    return -1;
}

bool rewriteInPlace(const std::string& path, const std::string& data) {
    const int fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    struct stat info {};
    std::string old;
    bool ok = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && readAll(fd, old);
    if (ok && !writeWhole(fd, data)) {
        ok = false;
        writeWhole(fd, old);
    }
    ok = ::close(fd) == 0 && ok;
    return ok;
}

} // namespace

int removeLeftovers(const std::string& path) {
    const auto [folder, name] = splitPath(path);
    DIR* directory = ::opendir(folder.empty() ? "." : folder.c_str());
    if (!directory)
        return 0;
    int removed = 0;
    while (const dirent* entry = ::readdir(directory)) {
        const pid_t process = maker(entry->d_name, name);
        // Only a process that is gone is sure to write no more; a live one of another user
        // answers EPERM and keeps its file.
        if (process <= 0 || ::kill(process, 0) == 0 || errno != ESRCH)
            continue;
        struct stat info {};
        if (::fstatat(::dirfd(directory), entry->d_name, &info, AT_SYMLINK_NOFOLLOW) != 0 ||
            !S_ISREG(info.st_mode) || info.st_uid != ::geteuid())
            continue;
        if (::unlinkat(::dirfd(directory), entry->d_name, 0) == 0)
            ++removed;
    }
    ::closedir(directory);
    return removed;
}

bool replace(const std::string& path, const std::string& data, bool syncFirst) {
    struct stat original {};
    const bool exists = ::stat(path.c_str(), &original) == 0;
    std::string created;
    const int fd = createNewFile(path, created);
    if (fd < 0) {
        return exists && rewriteInPlace(path, data);
    }
    bool ok = writeAllAt(fd, data, 0);
    if (ok && exists) {
        ok = ::fchmod(fd, original.st_mode & 07777) == 0;
        // Only root may give a file away; for anyone else the owner is already right.
        [[maybe_unused]] const int ignored = ::fchown(fd, original.st_uid, original.st_gid);
    }
    ok = ok && (!syncFirst || ::fsync(fd) == 0);
    ok = (::close(fd) == 0) && ok;
    ok = ok && ::rename(created.c_str(), path.c_str()) == 0;
    if (!ok) {
        ::unlink(created.c_str());
    }
    return ok;
}

} // namespace safesave
