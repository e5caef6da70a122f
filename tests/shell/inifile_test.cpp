// The settings file module against real files in a temporary folder.
#include "immutable.h"
#include "inifile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

class IniFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "solmarin-ini-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        m_folder = pattern;
        m_path = (m_folder / "solmarin.ini").string();
    }
    void TearDown() override {
        setImmutable(m_path, false);
        setImmutable(m_folder, false);
        std::error_code ignored;
        fs::permissions(m_folder, fs::perms::owner_all, fs::perm_options::add, ignored);
        fs::remove_all(m_folder, ignored);
    }

    void store(const std::string& bytes) const { store(m_path, bytes); }
    static void store(const std::string& path, const std::string& bytes) {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out << bytes;
        ASSERT_TRUE(out.good());
    }
    std::string contents() const { return contents(m_path); }
    static std::string contents(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        std::ostringstream buffer;
        buffer << in.rdbuf();
        return buffer.str();
    }
    std::vector<std::string> folderEntries() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(m_folder)) {
            names.push_back(entry.path().filename().string());
        }
        return names;
    }
    void expectWriteRefused(const std::string& path) const {
        try {
            inifile::writeString(path, "solmarin", "Top", "3");
            ADD_FAILURE() << "write to " << path << " was not refused";
        } catch (const inifile::EIniFileException& error) {
            EXPECT_EQ(std::string(error.what()), "Unable to write to " + path);
        }
    }

    fs::path m_folder;
    std::string m_path;
};

TEST_F(IniFileTest, IntegerValuesFollowTheHexAndDecimalRule) {
    struct Case {
        const char* stored;
        int expected;
    };
    constexpr int kDefault = -77;
    const Case cases[] = {
        {"0x300", 768},
        {"0X1f", 31},
        {"0x1", 1},
        {"0x", kDefault}, // two characters are not hexadecimal, and not decimal either
        {"0x7fffffff", INT_MAX},
        {"0x80000000", kDefault},
        {"0x-5", kDefault},
        {"0x+5", kDefault},
        {"0xZZ", kDefault},
        {"-0x10", kDefault},
        {"$10", kDefault},
        {"541", 541},
        {"+12", 12},
        {"-12", -12},
        {"007", 7},
        {"2147483647", INT_MAX},
        {"-2147483648", INT_MIN},
        {"2147483648", kDefault},
        {"+-1", kDefault},
        {"--1", kDefault},
        {"+", kDefault},
        {"-", kDefault},
        {"abc", kDefault},
        {"12abc", kDefault},
        {"1 2", kDefault},
        {"1.5", kDefault},
        {"", kDefault},
        {"   774   ", 774},
    };
    for (const Case& c : cases) {
        store(std::string("[solmarin]\nWidth=") + c.stored + "\n");
        EXPECT_EQ(inifile::readInt(m_path, "solmarin", "Width", kDefault), c.expected)
            << "stored value \"" << c.stored << "\"";
    }
}

TEST_F(IniFileTest, MissingFileSectionOrKeyGivesTheDefault) {
    EXPECT_EQ(inifile::readInt(m_path, "solmarin", "Top", 3), 3);
    EXPECT_EQ(inifile::readString(m_path, "solmarin", "Name", "Guest"), "Guest");

    store("Name=Outside\n[other]\nName=Elsewhere\n[solmarin]\nTop=9\n");
    EXPECT_EQ(inifile::readString(m_path, "solmarin", "Name", "Guest"), "Guest");
    EXPECT_EQ(inifile::readInt(m_path, "nosuch", "Top", 3), 3);
    EXPECT_EQ(inifile::readInt(m_path, "solmarin", "Top", 3), 9);
}

TEST_F(IniFileTest, ReadingMatchesNamesWithoutCaseAndTrimsTheValue) {
    struct Case {
        const char* file;
        const char* key;
        const char* expected;
    };
    const Case cases[] = {
        {"[SolMarin]\nNAME=Ann\n", "Name", "Ann"},
        {"  [ solmarin ]  \n\t name \t=  Ann Lee \t\n", "Name", "Ann Lee"},
        {"[solmarin]\r\nName=Ann\r\nSounds=no\r\n", "Name", "Ann"},
        {"[solmarin]\r\nName=Ann\r\nSounds=no", "Sounds", "no"},
        {"[solmarin]\nName=\n", "Name", ""}, // present but empty: not the default
        {"[solmarin]\nName=a=b\n", "Name", "a=b"},
        {"[solmarin]\n;Name=Commented\nName=Real\n", "Name", "Real"},
        {"[solmarin]\nName=First\nName=Second\n", "Name", "First"},
        {"[solmarin]\nName=First\n[solmarin]\nName=Second\n", "Name", "First"},
        {"[solmarin]\nName Ann\n", "Name", "(default)"},
        {"\xEF\xBB\xBF[solmarin]\nName=Bom\n", "Name", "Bom"},
    };
    for (const Case& c : cases) {
        store(c.file);
        EXPECT_EQ(inifile::readString(m_path, "solmarin", c.key, "(default)"), c.expected)
            << "file:\n"
            << c.file;
    }
}

TEST_F(IniFileTest, LongValuesAreCutAtTheMaximumLength) {
    const std::string longName(5000, 'n');
    store("[solmarin]\nName=" + longName + "\n");
    EXPECT_EQ(inifile::readString(m_path, "solmarin", "Name", ""),
              longName.substr(0, inifile::kMaxValueLength));
}

TEST_F(IniFileTest, WritingCreatesTheFileAndSectionInKeyOrder) {
    inifile::writeInt(m_path, "solmarin", "Top", 3);
    inifile::writeInt(m_path, "solmarin", "Left", 3);
    inifile::writeInt(m_path, "solmarin", "Width", 774);
    inifile::writeInt(m_path, "solmarin", "Height", 541);
    inifile::writeString(m_path, "solmarin", "Name", "Guest");
    inifile::writeString(m_path, "solmarin", "Sounds", "yes");
    EXPECT_EQ(contents(), "[solmarin]\nTop=3\nLeft=3\nWidth=774\nHeight=541\nName=Guest\n"
                          "Sounds=yes\n");

    // Saving again changes values in place, in the same order.
    inifile::writeInt(m_path, "solmarin", "Top", -20);
    inifile::writeString(m_path, "solmarin", "Name", "");
    EXPECT_EQ(contents(), "[solmarin]\nTop=-20\nLeft=3\nWidth=774\nHeight=541\nName=\n"
                          "Sounds=yes\n");
    EXPECT_EQ(inifile::readString(m_path, "solmarin", "Name", "Guest"), "");
}

TEST_F(IniFileTest, RewritingKeepsEveryOtherByte) {
    struct Case {
        const char* name;
        std::string before;
        const char* section;
        const char* key;
        std::string after;
    };
    const std::string crlfFile = "; settings\r\n[SOLMARIN]\r\nTOP = 10\r\nLeft=4\r\n\r\n[x]\r\ny=1";
    const Case cases[] = {
        {"a key rewritten in place, whatever its case", crlfFile, "solmarin", "Top",
         "; settings\r\n[SOLMARIN]\r\nTop=77\r\nLeft=4\r\n\r\n[x]\r\ny=1"},
        {"a new key after the section's last line, before the blank line", crlfFile, "solmarin",
         "Name", "; settings\r\n[SOLMARIN]\r\nTOP = 10\r\nLeft=4\r\nName=77\r\n\r\n[x]\r\ny=1"},
        {"a new section at the end, after a last line without line end", crlfFile, "new", "k",
         "; settings\r\n[SOLMARIN]\r\nTOP = 10\r\nLeft=4\r\n\r\n[x]\r\ny=1\r\n[new]\r\nk=77\r\n"},
        {"a key added to the last section of a file without final line end", crlfFile, "x", "z",
         "; settings\r\n[SOLMARIN]\r\nTOP = 10\r\nLeft=4\r\n\r\n[x]\r\ny=1\r\nz=77\r\n"},
        {"odd lines, comments and tabs kept", "[solmarin]\n#c\n\todd line\t\n Name = a \n;x=1\n",
         "solmarin", "Sounds", "[solmarin]\n#c\n\todd line\t\n Name = a \n;x=1\nSounds=77\n"},
        {"a key of an earlier section is left alone", "[a]\nTop=1\n[solmarin]\n", "solmarin", "Top",
         "[a]\nTop=1\n[solmarin]\nTop=77\n"},
        {"an empty section gets the key after its header", "[solmarin]\n\n[b]\n", "solmarin", "Top",
         "[solmarin]\nTop=77\n\n[b]\n"},
        {"a file of blank lines", "\n\n", "solmarin", "Top", "\n\n[solmarin]\nTop=77\n"},
        {"a lone carriage return belongs to its line", "[solmarin]\nA=1\r\rB=2\n", "solmarin", "A",
         "[solmarin]\nA=77\n"},
    };
    for (const Case& c : cases) {
        store(c.before);
        inifile::writeString(m_path, c.section, c.key, "77");
        EXPECT_EQ(contents(), c.after) << c.name;
    }
}

TEST_F(IniFileTest, LineBreaksInAValueCannotStartALine) {
    store("[solmarin]\nName=Ann\nSounds=yes\n");
    inifile::writeString(m_path, "solmarin", "Name", "Bob\r\nSounds=no\n[evil]");
    EXPECT_EQ(inifile::readString(m_path, "solmarin", "Sounds", ""), "yes");
    EXPECT_EQ(inifile::readString(m_path, "solmarin", "Name", ""), "Bob  Sounds=no [evil]");
    EXPECT_EQ(inifile::readString(m_path, "evil", "x", "none"), "none");
}

TEST_F(IniFileTest, NamesThatCouldNotBeReadBackAreRefused) {
    const std::pair<const char*, const char*> names[] = {
        {"", "Top"},         {"solmarin", ""},   {"sol]marin", "Top"}, {"sol\nmarin", "Top"},
        {"solmarin", "a=b"}, {"solmarin", ";a"}, {"solmarin", " Top"}, {"solmarin", "[Top"},
    };
    for (const auto& [section, key] : names) {
        EXPECT_THROW(inifile::writeString(m_path, section, key, "1"), std::invalid_argument)
            << section << " / " << key;
    }
    EXPECT_FALSE(fs::exists(m_path));
}

TEST_F(IniFileTest, RefusedWritesReportTheFullPath) {
    // Situations that stop even root, who ignores permission bits.
    const std::string folderInTheWay = m_path;
    fs::create_directory(folderInTheWay);
    expectWriteRefused(folderInTheWay);
    fs::remove(folderInTheWay);

    const std::string fileAsFolder = (m_folder / "plain").string();
    store(fileAsFolder, "not a folder");
    expectWriteRefused(fileAsFolder + "/solmarin.ini");

    expectWriteRefused((m_folder / "missing" / "solmarin.ini").string());
    // The process file system takes no new files from anyone.
    if (fs::exists("/proc/self/status"))
        expectWriteRefused("/proc/solmarin.ini");
    EXPECT_EQ(contents(fileAsFolder), "not a folder");
}

TEST_F(IniFileTest, RefusedWriteToARelativePathNamesTheAbsolutePath) {
    const fs::path before = fs::current_path();
    fs::current_path(m_folder);
    fs::create_directory("solmarin.ini");
    try {
        inifile::writeString("solmarin.ini", "solmarin", "Top", "3");
        ADD_FAILURE() << "not refused";
    } catch (const inifile::EIniFileException& error) {
        EXPECT_EQ(std::string(error.what()), "Unable to write to " + m_path);
    }
    fs::current_path(before);
}

TEST_F(IniFileTest, WriteProtectedFileIsRefusedAndLockedFolderWrittenInPlace) {
    // Permission bits do not stop root; the immutable attribute does, where the file system has it.
    const bool root = ::geteuid() == 0;
    const auto protect = [&](const fs::path& path, bool on) {
        if (root) {
            return setImmutable(path, on);
        }
        fs::permissions(path, fs::perms::owner_write,
                        on ? fs::perm_options::remove : fs::perm_options::add);
        return true;
    };
    store("[solmarin]\nTop=1\n");
    if (!protect(m_path, true)) {
        GTEST_SKIP() << "cannot write-protect a file against root here";
    }
    expectWriteRefused(m_path);
    ASSERT_TRUE(protect(m_path, false));
    EXPECT_EQ(contents(), "[solmarin]\nTop=1\n");

    // A folder that takes no new file: the settings file there is still written, in place.
    ASSERT_TRUE(protect(m_folder, true));
    inifile::writeString(m_path, "solmarin", "Top", "2");
    expectWriteRefused((m_folder / "new.ini").string());
    ASSERT_TRUE(protect(m_folder, false));
    EXPECT_EQ(contents(), "[solmarin]\nTop=2\n");
    EXPECT_EQ(folderEntries(), std::vector<std::string>{"solmarin.ini"});
}

TEST_F(IniFileTest, AWriteThatRunsOutOfSpaceKeepsTheOldFile) {
    // A file size limit makes every write past it fail, as a full disk does, even for root.
    const std::string original = "[solmarin]\nName=" + std::string(300, 'a') + "\nTop=1\n";
    store(original);
    rlimit saved{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto savedSignal = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 100;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    bool refused = false;
    try {
        inifile::writeString(m_path, "solmarin", "Top", "2");
    } catch (const inifile::EIniFileException& error) {
        refused = std::string(error.what()) == "Unable to write to " + m_path;
    }
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, savedSignal);

    EXPECT_TRUE(refused);
    EXPECT_EQ(contents(), original);
    EXPECT_EQ(folderEntries(), std::vector<std::string>{"solmarin.ini"}) << "temporary file left";
}

TEST_F(IniFileTest, RewriteKeepsPermissionsLinksAndLeavesNoTemporaryFile) {
    store("[solmarin]\nTop=1\n");
    fs::permissions(m_path, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read,
                    fs::perm_options::replace);
    const std::string link = (m_folder / "link.ini").string();
    fs::create_symlink(m_path, link);

    inifile::writeString(link, "solmarin", "Top", "2");

    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(contents(), "[solmarin]\nTop=2\n");
    EXPECT_EQ(fs::status(m_path).permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    auto entries = folderEntries();
    std::sort(entries.begin(), entries.end());
    EXPECT_EQ(entries, (std::vector<std::string>{"link.ini", "solmarin.ini"}));
}

TEST_F(IniFileTest, UnreadableSettingsGiveDefaults) {
    fs::create_directory(m_path);
    EXPECT_EQ(inifile::readInt(m_path, "solmarin", "Top", 3), 3);
    EXPECT_EQ(inifile::readString(m_path, "solmarin", "Name", "Guest"), "Guest");
    EXPECT_EQ(inifile::readString("", "solmarin", "Name", "Guest"), "Guest");
}

} // namespace
