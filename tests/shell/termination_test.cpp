// The real program ended by the session: SIGTERM and SIGHUP end it as its close box does, with
// the settings and the tally written.
#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace fs = std::filesystem;

namespace {

std::string contents(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream buffer;
    buffer << in.rdbuf();
    return buffer.str();
}

// A copy of the program in a folder of its own, which is where it keeps its files.
class ProgramCopy {
public:
    ProgramCopy() {
        std::string pattern = (fs::temp_directory_path() / "solmarin-run-XXXXXX").string();
        if (::mkdtemp(pattern.data()))
            m_folder = pattern;
        fs::create_directory(m_folder / "run");
        fs::copy_file(SOLMARIN_PROGRAM, program());
    }
    ~ProgramCopy() {
        if (m_pid > 0) {
            ::kill(m_pid, SIGKILL);
            ::waitpid(m_pid, nullptr, 0);
        }
        std::error_code ignored;
        fs::remove_all(m_folder, ignored);
    }

    fs::path program() const { return m_folder / "solmarin"; }
    fs::path file(const char* name) const { return m_folder / name; }

    bool start() {
        std::vector<std::string> settings = {"QT_QPA_PLATFORM=offscreen",
                                             "XDG_RUNTIME_DIR=" + (m_folder / "run").string()};
        std::vector<char*> environment;
        for (std::string& entry : settings)
            environment.push_back(entry.data());
        for (char** entry = environ; *entry; ++entry) {
            const std::string name(*entry, std::string(*entry).find('='));
            if (name != "QT_QPA_PLATFORM" && name != "XDG_RUNTIME_DIR")
                environment.push_back(*entry);
        }
        environment.push_back(nullptr);
        const std::string path = program().string();
        char* argv[] = {const_cast<char*>(path.c_str()), nullptr};
        return ::posix_spawn(&m_pid, path.c_str(), nullptr, nullptr, argv, environment.data()) == 0;
    }

    // The program marks that it runs with its lock file, made while the main window is made
    // and after it has taken over the signals.
    bool waitUntilRunning() const {
        for (int i = 0; i < 6000; ++i) {
            if (fs::exists(m_folder / "run" / "solmarin.lock"))
                return true;
            int status = 0;
            if (::waitpid(m_pid, &status, WNOHANG) == m_pid)
                return false;
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return false;
    }

    // The exit status, or -1 when the program was ended by a signal.
    int stop(int signal) {
        ::kill(m_pid, signal);
        int status = 0;
        ::waitpid(m_pid, &status, 0);
        m_pid = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

private:
    fs::path m_folder;
    pid_t m_pid = -1;
};

} // namespace

TEST(Termination, SessionEndSavesSettingsAndTallyAsTheCloseBoxDoes) {
    for (int signal : {SIGTERM, SIGHUP}) {
        ProgramCopy copy;
        ASSERT_TRUE(copy.start());
        ASSERT_TRUE(copy.waitUntilRunning()) << "the program did not come up";
        EXPECT_EQ(copy.stop(signal), 0) << strsignal(signal);
        const std::string settings = contents(copy.file("solmarin.ini"));
        EXPECT_EQ(settings.rfind("[solmarin]\n", 0), 0u) << strsignal(signal) << settings;
        for (const char* key : {"Top=", "Left=", "Width=", "Height=", "Name=Guest", "Sounds=yes"})
            EXPECT_NE(settings.find(key), std::string::npos) << strsignal(signal) << key;
        std::error_code missing;
        EXPECT_EQ(fs::file_size(copy.file("solmarintally.tld"), missing), 73u)
            << strsignal(signal) << " " << missing.message();
    }
}

// A save cut short by a crash leaves its new file beside the settings or the tally; the next
// start removes those of processes that have ended, and leaves a running one's alone.
TEST(Termination, TheNextStartRemovesWhatACrashedSaveLeftBehind) {
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(0);
    ::waitpid(child, nullptr, 0);
    const std::string ended = std::to_string(child);
    const std::string running = std::to_string(::getpid());

    ProgramCopy copy;
    const struct {
        std::string name;
        bool removed;
    } files[] = {
        {".solmarin.ini." + ended + ".0.tmp", true},
        {".solmarintally.tld." + ended + ".4.tmp", true},
        {".solmarin.ini." + running + ".0.tmp", false},
        {".solmarinhelp." + ended + ".0.tmp", false},
    };
    for (const auto& f : files)
        std::ofstream(copy.file(f.name.c_str())) << "[solmarin]\nTo";
    ASSERT_TRUE(copy.start());
    ASSERT_TRUE(copy.waitUntilRunning()) << "the program did not come up";
    // The files go once the table is on the screen.
    for (int i = 0; i < 1000 && fs::exists(copy.file(files[1].name.c_str())); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_EQ(copy.stop(SIGTERM), 0);
    for (const auto& f : files)
        EXPECT_EQ(fs::exists(copy.file(f.name.c_str())), !f.removed) << f.name;
}
