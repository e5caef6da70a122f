// A throwaway PostgreSQL cluster for tests: initdb into a temporary folder and the server on a free
// port of 127.0.0.1, run as an unprivileged user (nobody) when the tests run as root, as
// PostgreSQL insists. It can be killed outright and started again on the same data.
#pragma once

#include "freeport.h"

#include <libpq-fe.h>

#include <fcntl.h>
#include <glob.h>
#include <grp.h>
#include <pwd.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>

#include <cstdlib>
#include <stdexcept>
#include <string>
#include <vector>

class PostgresCluster {
public:
    PostgresCluster() {
        m_bin = binaries();
        char folder[] = "/tmp/solmarin-pg-XXXXXX";
        if (!::mkdtemp(folder))
            throw std::runtime_error("no temporary folder");
        m_folder = folder;
        if (::geteuid() == 0) {
            const passwd* nobody = ::getpwnam("nobody");
            if (!nobody)
                throw std::runtime_error("no user nobody");
            m_uid = nobody->pw_uid;
            m_gid = nobody->pw_gid;
            if (::chown(m_folder.c_str(), m_uid, m_gid) != 0)
                throw std::runtime_error("cannot hand the folder over");
        }
        m_port = freeLoopbackPort();
        const int status = runAs({m_bin + "/initdb", "-D", m_folder + "/data", "-U", "solmarin",
                                  "-A", "trust", "-E", "UTF8", "--locale=C", "--no-sync"},
                                 true);
        if (status != 0)
            throw std::runtime_error("initdb failed");
        start();
    }
    ~PostgresCluster() {
        kill();
        (void)std::system(("rm -rf '" + m_folder + "'").c_str());
    }

    std::string url() const { return urlThrough(m_port); }
    int port() const { return m_port; }
    // The address of the cluster's database reached through another port (a relay's).
    static std::string urlThrough(int port) {
        return "postgresql://solmarin@127.0.0.1:" + std::to_string(port) + "/postgres";
    }

    void start() {
        m_pid = runAs({m_bin + "/postgres", "-D", m_folder + "/data", "-p", std::to_string(m_port),
                       "-c", "listen_addresses=127.0.0.1", "-c",
                       "unix_socket_directories=" + m_folder, "-c", "max_connections=50"},
                      false);
        for (int i = 0; i < 600; ++i) {
            if (PQping(url().c_str()) == PQPING_OK)
                return;
            int status = 0;
            if (::waitpid(m_pid, &status, WNOHANG) == m_pid) {
                m_pid = -1;
                throw std::runtime_error("postgres did not start");
            }
            ::usleep(50000);
        }
        throw std::runtime_error("postgres did not answer");
    }

    // Ends the whole cluster at once, as a power cut would: the server and every backend.
    void kill() {
        if (m_pid <= 0)
            return;
        ::kill(-m_pid, SIGKILL);
        ::waitpid(m_pid, nullptr, 0);
        // Backends are in the same process group; wait until none holds the shared memory.
        for (int i = 0; i < 200 && ::kill(-m_pid, 0) == 0; ++i)
            ::usleep(20000);
        m_pid = -1;
    }

private:
    static std::string binaries() {
        glob_t found{};
        std::string bin;
        if (::glob("/usr/lib/postgresql/*/bin/initdb", 0, nullptr, &found) == 0 &&
            found.gl_pathc > 0) {
            bin = found.gl_pathv[found.gl_pathc - 1];
            bin.resize(bin.size() - std::string("/initdb").size());
        }
        ::globfree(&found);
        if (bin.empty())
            throw std::runtime_error("PostgreSQL is not installed");
        return bin;
    }

    // Starts a program as the cluster's user in a process group of its own; waits for it when
    // `wait` is set and returns its exit status, else returns its process id.
    int runAs(const std::vector<std::string>& arguments, bool wait) const {
        const pid_t pid = ::fork();
        if (pid == 0) {
            ::setpgid(0, 0);
            if (m_uid != 0 &&
                (::setgroups(0, nullptr) != 0 || ::setgid(m_gid) != 0 || ::setuid(m_uid) != 0))
                ::_exit(126);
            // Set after the change of user, which would clear it.
            ::prctl(PR_SET_PDEATHSIG, SIGKILL);
            std::vector<char*> argv;
            for (const std::string& argument : arguments)
                argv.push_back(const_cast<char*>(argument.c_str()));
            argv.push_back(nullptr);
            if (wait) {
                const int devnull = ::open("/dev/null", O_WRONLY);
                ::dup2(devnull, 1);
            }
            ::execv(argv[0], argv.data());
            ::_exit(127);
        }
        if (!wait)
            return pid;
        int status = 0;
        ::waitpid(pid, &status, 0);
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    std::string m_bin;
    std::string m_folder;
    uid_t m_uid = 0;
    gid_t m_gid = 0;
    int m_port = 0;
    pid_t m_pid = -1;
};
