// The careful writer in a folder that takes no new file: the file is rewritten in place.
#include "immutable.h"
#include "safesave.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

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
