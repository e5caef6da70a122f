// A real score server for tests: lighttpd with the score program, started through
// tools/score-server on a free port of 127.0.0.1 in a fresh folder, stopped when dropped.
#pragma once

#include "freeport.h"

#include <arpa/inet.h>
#include <dirent.h>
#include <netinet/in.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

class ScoreServer {
public:
    // `postsPerMinute` is the per-address limit (0: none); tests post from one address.
    // `verifiedOnly` refuses scores that come without their moves. `database` is a PostgreSQL
    // address, or empty for SQLite in the server's folder.
    explicit ScoreServer(int postsPerMinute = 0, bool verifiedOnly = false,
                         const std::string& database = {}) {
        // A proxy set for the machine must not stand between the tests and their own server.
        ::setenv("no_proxy", "127.0.0.1", 1);
        char folder[] = "/tmp/solmarin-scores-XXXXXX";
        if (!::mkdtemp(folder))
            throw std::runtime_error("no temporary folder");
        m_folder = folder;
        m_port = freeLoopbackPort();
        std::vector<std::string> arguments{SOLMARIN_TEST_SCORE_SERVER, "--posts-per-minute",
                                           std::to_string(postsPerMinute)};
        if (!database.empty())
            arguments.insert(arguments.end(), {"--database", database});
        if (verifiedOnly)
            arguments.push_back("--verified-only");
        arguments.insert(arguments.end(), {std::to_string(m_port), m_folder});
        m_pid = ::fork();
        if (m_pid == 0) {
            // The server goes with the test, even when the test dies.
            ::prctl(PR_SET_PDEATHSIG, SIGTERM);
            ::setenv("SOLMARIN_SERVICE", SOLMARIN_TEST_SERVICE, 1);
            std::vector<char*> argv;
            for (const std::string& argument : arguments)
                argv.push_back(const_cast<char*>(argument.c_str()));
            argv.push_back(nullptr);
            ::execv(argv[0], argv.data());
            ::_exit(127);
        }
        waitUntilListening();
    }
    ~ScoreServer() {
        if (m_pid > 0) {
            ::kill(m_pid, SIGTERM);
            ::waitpid(m_pid, nullptr, 0);
        }
        const std::string remove = "rm -rf '" + m_folder + "'";
        (void)std::system(remove.c_str());
    }

    int port() const { return m_port; }
    std::string base() const { return "http://127.0.0.1:" + std::to_string(m_port); }
    std::string hostPort() const { return "127.0.0.1:" + std::to_string(m_port); }
    const std::string& folder() const { return m_folder; }

    // The list page as it lies on disk now; with a date ("YYYY-MM-DD"), that day's page.
    std::string page(const std::string& daily = {}) const {
        std::ifstream in(m_folder + "/www/counter/" +
                         (daily.empty() ? "solmarin.shtml" : "daily/" + daily + ".shtml"));
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }
    // The number of stored scores, from the page's closing line.
    long storedScores(const std::string& daily = {}) const {
        const std::string text = page(daily);
        const std::size_t at = text.rfind("<p align=\"center\">");
        return at == std::string::npos ? -1 : std::atol(text.c_str() + at + 18);
    }

    // Sends `request` as it stands (after `sendFirst` bytes of it, stops sending) and returns
    // the status line's code, or 0 when no answer came within `seconds`.
    int rawStatus(const std::string& request, std::size_t sendFirst = std::string::npos,
                  int seconds = 10) const {
        const std::string answer = rawAnswer(request, "\r\n", sendFirst, seconds);
        const std::size_t space = answer.find(' ');
        return answer.rfind("HTTP/", 0) == 0 && space != std::string::npos
                   ? std::atoi(answer.c_str() + space + 1)
                   : 0;
    }

    // The answer to `request` as it arrives, up to `until` (or the whole answer when empty).
    std::string rawAnswer(const std::string& request, const std::string& until = {},
                          std::size_t sendFirst = std::string::npos, int seconds = 10) const {
        const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        address.sin_port = htons(uint16_t(m_port));
        if (::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
            ::close(fd);
            return 0;
        }
        const std::string part = request.substr(0, sendFirst);
        std::size_t sent = 0;
        while (sent < part.size()) {
            const ssize_t n = ::send(fd, part.data() + sent, part.size() - sent, MSG_NOSIGNAL);
            if (n <= 0)
                break;
            sent += std::size_t(n);
        }
        std::string answer;
        pollfd wait{fd, POLLIN, 0};
        while ((until.empty() || answer.find(until) == std::string::npos) &&
               ::poll(&wait, 1, seconds * 1000) > 0) {
            char buffer[512];
            const ssize_t n = ::recv(fd, buffer, sizeof buffer, 0);
            if (n <= 0)
                break;
            answer.append(buffer, std::size_t(n));
        }
        ::close(fd);
        return answer;
    }

    // The process id of the score service running now (0 while none has written it).
    pid_t servicePid() const {
        std::ifstream in(m_folder + "/run/scored.pid");
        pid_t pid = 0;
        in >> pid;
        return pid;
    }

    // How many entries a folder of the server's holds (-1 when it does not exist).
    int entriesIn(const std::string& relative) const {
        DIR* dir = ::opendir((m_folder + "/" + relative).c_str());
        if (!dir)
            return -1;
        int count = 0;
        while (dirent* entry = ::readdir(dir))
            count += std::string(entry->d_name) != "." && std::string(entry->d_name) != "..";
        ::closedir(dir);
        return count;
    }

    // The "Uid:" lines (real, effective, saved, file system) of the server's processes named
    // `command`, found among the descendants of the process that started the server.
    std::vector<std::string> userIdsOf(const std::string& command) const {
        std::vector<std::string> ids;
        std::vector<pid_t> family{m_pid};
        for (std::size_t i = 0; i < family.size(); ++i) {
            const std::string task = "/proc/" + std::to_string(family[i]) + "/task/" +
                                     std::to_string(family[i]) + "/children";
            std::ifstream children(task);
            for (pid_t child; children >> child;)
                family.push_back(child);
            std::ifstream comm("/proc/" + std::to_string(family[i]) + "/comm");
            std::string name;
            std::getline(comm, name);
            if (name != command)
                continue;
            std::ifstream status("/proc/" + std::to_string(family[i]) + "/status");
            for (std::string line; std::getline(status, line);) {
                if (line.rfind("Uid:", 0) == 0)
                    ids.push_back(line.substr(line.find_first_not_of(" \t", 4)));
            }
        }
        return ids;
    }

private:
    void waitUntilListening() const {
        for (;;) {
            int status = 0;
            if (::waitpid(m_pid, &status, WNOHANG) == m_pid)
                throw std::runtime_error("the score server did not start");
            const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
            sockaddr_in address{};
            address.sin_family = AF_INET;
            address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
            address.sin_port = htons(uint16_t(m_port));
            const bool up =
                ::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
            ::close(fd);
            if (up)
                return;
            ::usleep(20000);
        }
    }

    std::string m_folder;
    int m_port = 0;
    pid_t m_pid = -1;
};
