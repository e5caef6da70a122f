// A real score server for tests: lighttpd with the score program, started through
// tools/score-server on a free port of 127.0.0.1 in a fresh folder, stopped when dropped.
#pragma once

#include <arpa/inet.h>
#include <netinet/in.h>
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

class ScoreServer {
public:
    // `postsPerMinute` is the per-address limit (0: none); tests post from one address.
    // `verifiedOnly` refuses scores that come without their moves.
    explicit ScoreServer(int postsPerMinute = 0, bool verifiedOnly = false) {
        // A proxy set for the machine must not stand between the tests and their own server.
        ::setenv("no_proxy", "127.0.0.1", 1);
        char folder[] = "/tmp/solmarin-scores-XXXXXX";
        if (!::mkdtemp(folder))
            throw std::runtime_error("no temporary folder");
        m_folder = folder;
        m_port = freePort();
        m_pid = ::fork();
        if (m_pid == 0) {
            // The server goes with the test, even when the test dies.
            ::prctl(PR_SET_PDEATHSIG, SIGTERM);
            ::setenv("SOLMARIN_CGI", SOLMARIN_TEST_CGI, 1);
            const std::string port = std::to_string(m_port);
            const std::string limit = std::to_string(postsPerMinute);
            if (verifiedOnly)
                ::execl(SOLMARIN_TEST_SCORE_SERVER, SOLMARIN_TEST_SCORE_SERVER, "--verified-only",
                        "--posts-per-minute", limit.c_str(), port.c_str(), m_folder.c_str(),
                        static_cast<char*>(nullptr));
            else
                ::execl(SOLMARIN_TEST_SCORE_SERVER, SOLMARIN_TEST_SCORE_SERVER,
                        "--posts-per-minute", limit.c_str(), port.c_str(), m_folder.c_str(),
                        static_cast<char*>(nullptr));
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

private:
    static int freePort() {
        const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
        socklen_t length = sizeof address;
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
        ::close(fd);
        return ntohs(address.sin_port);
    }

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
