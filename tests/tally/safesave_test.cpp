// The careful writer in a folder that takes no new file: the file is rewritten in place; and
// the new files of saves cut short, removed at the next start.
#include "immutable.h"
#include "safesave.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

class LockedFolder : public testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "solmarin-save-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        m_folder = pattern;
        m_path = (m_folder / "solmarin.ini").string();
    }
    void TearDown() override {
        setImmutable(m_folder.string(), false);
        fs::remove_all(m_folder);
    }
    // Locks the folder; false (and the test skips) where the file system cannot.
    bool lock() { return setImmutable(m_folder.string(), true); }

    static void store(const std::string& path, const std::string& bytes) {
        std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
    }
    static std::string contents(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        std::ostringstream buffer;
        buffer << in.rdbuf();
        return buffer.str();
    }
    std::size_t entries() const {
        return std::size_t(std::distance(fs::directory_iterator(m_folder), {}));
    }

    fs::path m_folder;
    std::string m_path;
};

} // namespace

TEST_F(LockedFolder, AWritableFileIsRewrittenInPlace) {
    const struct {
        const char* before;
        std::string after;
    } cases[] = {
        {"[solmarin]\nTop=3\n", "[solmarin]\nTop=3\nLeft=3\n"},
        {"[solmarin]\nName=Maximiliane\n", "[solmarin]\nName=Al\n"},
        {"old", ""},
        {"", std::string(70000, 'x')},
    };
    for (const auto& c : cases) {
        setImmutable(m_folder.string(), false);
        store(m_path, c.before);
        if (!lock()) {
            GTEST_SKIP() << "this file system cannot lock a folder against root";
        }
        EXPECT_TRUE(safesave::replace(m_path, c.after, false)) << c.before;
        EXPECT_EQ(contents(m_path), c.after) << c.before;
        EXPECT_EQ(entries(), 1u) << "the folder took a new file after all";
    }
}

TEST_F(LockedFolder, AMissingFileCannotBeMade) {
    if (!lock()) {
        GTEST_SKIP() << "this file system cannot lock a folder against root";
    }
    EXPECT_FALSE(safesave::replace(m_path, "[solmarin]\n", true));
    EXPECT_EQ(entries(), 0u);
}

TEST_F(LockedFolder, ALockedFileIsLeftAlone) {
    store(m_path, "[solmarin]\nTop=1\n");
    if (!setImmutable(m_path, true) || !lock()) {
        GTEST_SKIP() << "this file system cannot lock a file against root";
    }
    EXPECT_FALSE(safesave::replace(m_path, "[solmarin]\nTop=2\n", false));
    setImmutable(m_path, false);
    EXPECT_EQ(contents(m_path), "[solmarin]\nTop=1\n");
}

namespace {

using SaveFolder = LockedFolder;

// A process id that no process holds any more: a child that has ended and been reaped.
pid_t endedProcess() {
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(0);
    ::waitpid(child, nullptr, 0);
    return child;
}

} // namespace

TEST_F(SaveFolder, LeftoversOfEndedProcessesAreRemovedAndNothingElse) {
    const std::string dead = std::to_string(endedProcess());
    const std::string alive = std::to_string(::getpid());
    const struct {
        std::string name;
        bool removed;
    } cases[] = {
        {".solmarin.ini." + dead + ".0.tmp", true},
        {".solmarin.ini." + dead + ".17.tmp", true},
        {".solmarin.ini." + alive + ".0.tmp", false}, // a save in progress
        {".solmarin.ini.1.0.tmp", false},             // init never ends
        {".solmarin.ini." + dead + ".tmp", false},
        {".solmarin.ini." + dead + ".0.0.tmp", false},
        {".solmarin.ini." + dead + ".x.tmp", false},
        {".solmarin.ini.." + dead + ".tmp", false},
        {"solmarin.ini." + dead + ".0.tmp", false},
        {".solmarin.ini." + dead + ".0.tmp.keep", false},
        {".solmarintally.tld." + dead + ".0.tmp", false}, // another file's: its own pass
        {".other.ini." + dead + ".0.tmp", false},
        {"solmarin.ini", false},
    };
    for (const auto& c : cases)
        store((m_folder / c.name).string(), "x");
    // Only plain files: a folder or a link of such a name is nobody's save.
    const std::string folderName = ".solmarin.ini." + dead + ".1.tmp";
    const std::string linkName = ".solmarin.ini." + dead + ".2.tmp";
    fs::create_directory(m_folder / folderName);
    fs::create_symlink(m_folder / "solmarin.ini", m_folder / linkName);

    EXPECT_EQ(safesave::removeLeftovers(m_path), 2);
    for (const auto& c : cases)
        EXPECT_EQ(fs::exists(m_folder / c.name), !c.removed) << c.name;
    EXPECT_TRUE(fs::is_directory(m_folder / folderName));
    EXPECT_TRUE(fs::is_symlink(m_folder / linkName));
    EXPECT_EQ(contents(m_path), "x");

    EXPECT_EQ(safesave::removeLeftovers((m_folder / "missing" / "solmarin.ini").string()), 0);
}
