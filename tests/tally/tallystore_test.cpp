// The tally file: its bytes, round trips, damaged files and failed saves.
#include "immutable.h"
#include "lzrw1.h"
#include "tally.h"
#include "tallystore.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <sys/resource.h>

namespace fs = std::filesystem;

namespace {

class TallyFile : public testing::Test {
protected:
    void SetUp() override {
        m_dir = fs::path(testing::TempDir()) /
                ("tallystore_" +
                 std::string(testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(m_dir);
        fs::create_directories(m_dir);
    }
    void TearDown() override {
        setImmutable(m_dir.string(), false);
        fs::remove_all(m_dir);
    }

    std::string path(const char* name = "solmarintally.tld") const {
        return (m_dir / name).string();
    }

    static std::string read(const std::string& file) {
        std::ifstream in(file, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    static void write(const std::string& file, const std::string& data) {
        std::ofstream(file, std::ios::binary) << data;
    }

    fs::path m_dir;
};

} // namespace

TEST_F(TallyFile, DefaultTallyIsThe73ByteFastContainer) {
    Tally tally;
    TallyStore store(path());
    ASSERT_TRUE(store.save(tally.grid()));
    const std::string bytes = read(path());
    ASSERT_EQ(bytes.size(), 73u);
    const unsigned char head[] = {0x57, 0x52, 0x5A, 0x4C, 0x16, 0x01, 0x00, 0x00, 0x3F, 0x00, 0x40};
    EXPECT_EQ(bytes.substr(0, sizeof head),
              std::string(reinterpret_cast<const char*>(head), sizeof head));
}

TEST_F(TallyFile, SavedTallyLoadsBackAndSavesTheSameText) {
    Tally tally;
    tally.today = [] { return std::string("7.12.26"); };
    tally.addtomineincrease(1);
    tally.checkscore(586, "Ann Lee");
    tally.checkscore(-12, "");
    TallyStore store(path());
    ASSERT_TRUE(store.save(tally.grid()));
    const std::string first = read(path());

    TallyGrid loaded;
    TallyStore again(path());
    again.load(loaded);
    EXPECT_TRUE(loaded == tally.grid());
    ASSERT_TRUE(again.save(loaded));
    EXPECT_EQ(read(path()), first);
    EXPECT_FALSE(fs::exists(path("solmarintally.tld.new")));
}

TEST_F(TallyFile, MissingFileLeavesTheDefaults) {
    Tally tally;
    TallyStore store(path());
    tally.grid().setCell(1, 0, "untouched");
    store.load(tally.grid());
    EXPECT_EQ(tally.grid().cell(1, 0), "untouched");
}

TEST_F(TallyFile, DenseFormIsReadToo) {
    Tally tally;
    tally.checkscore(77, "dense");
    std::istringstream text(SaveGridText(tally.grid()));
    std::ostringstream packed;
    Tlzrw1 doit;
    doit.CompressMode = TCompressMode::Good;
    doit.UseStream = true;
    doit.InputStream = &text;
    doit.OutputStream = &packed;
    doit.Compress();
    ASSERT_EQ(packed.str().substr(0, 4), "!HZL");
    write(path(), packed.str());

    TallyGrid loaded;
    TallyStore(path()).load(loaded);
    EXPECT_TRUE(loaded == tally.grid());
}

TEST_F(TallyFile, DamagedFileIsReportedAndKeptBesideTheNewOne) {
    const struct {
        const char* name;
        std::string bytes;
        std::string message;
    } cases[] = {
        {"bad magic", "NOPE\x16\x01\x00\x00",
         path() + " : Lzrw1 decompression : this file has no valid header !"},
        {"short file", std::string("WRZL\x16\x01\x00\x00\x3F\x00\x40", 11),
         "Lzrw1 : Error reading from input file : " + path()},
        {"bad count", std::string("WRZL\x04\x00\x00\x00\x05\x00\x80zz\r\n", 15),
         "'zz' is not a valid integer value"},
    };
    for (const auto& c : cases) {
        write(path(), c.bytes);
        fs::remove(path("solmarintally.tld.bad"));
        Tally tally;
        TallyStore store(path());
        try {
            store.load(tally.grid());
            ADD_FAILURE() << c.name << " loaded";
        } catch (const std::exception& e) {
            EXPECT_EQ(std::string(e.what()), c.message) << c.name;
        }
        EXPECT_EQ(read(path()), c.bytes) << "loading never touches the file";
        ASSERT_TRUE(store.save(tally.grid()));
        EXPECT_EQ(read(path("solmarintally.tld.bad")), c.bytes) << c.name;
        EXPECT_EQ(read(path()).size(), 73u);
        // Later saves replace only the tally, not the damaged copy.
        write(path("solmarintally.tld.bad"), "kept");
        ASSERT_TRUE(store.save(tally.grid()));
        EXPECT_EQ(read(path("solmarintally.tld.bad")), "kept");
    }
}

TEST_F(TallyFile, FailedSaveKeepsThePreviousTally) {
    Tally tally;
    TallyStore store(path());
    ASSERT_TRUE(store.save(tally.grid()));
    const std::string before = read(path());
    // A file size limit makes the writing fail, as a full disk does, even for root.
    rlimit saved{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto savedSignal = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 20;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    tally.addtomineincrease(1);
    const bool saved1 = store.save(tally.grid());
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, savedSignal);
    EXPECT_FALSE(saved1);
    EXPECT_EQ(read(path()), before);
    EXPECT_EQ(std::distance(fs::directory_iterator(m_dir), {}), 1) << "a new file was left";

    TallyStore nowhere((m_dir / "missing" / "solmarintally.tld").string());
    EXPECT_FALSE(nowhere.save(tally.grid()));
}

TEST_F(TallyFile, NoTemporaryFileInTheCurrentFolder) {
    const fs::path previous = fs::current_path();
    fs::current_path(m_dir);
    write("temp.txt", "the player's own file");
    Tally tally;
    TallyStore store(path());
    ASSERT_TRUE(store.save(tally.grid()));
    store.load(tally.grid());
    EXPECT_EQ(read("temp.txt"), "the player's own file");
    fs::current_path(previous);
}

TEST_F(TallyFile, LineBreaksInANameCannotShiftTheTable) {
    Tally tally;
    for (const char* name : {"Ann\nBo", "Cy\r\nDee", "Eve\r"}) {
        tally.checkscore(100, name);
    }
    TallyStore store(path());
    ASSERT_TRUE(store.save(tally.grid()));
    Tally reread;
    TallyStore(path()).load(reread.grid());
    EXPECT_EQ(reread.grid().rowCount(), 12);
    EXPECT_EQ(reread.grid().cell(2, 1), "Eve ");
    EXPECT_EQ(reread.grid().cell(2, 2), "Cy  Dee");
    EXPECT_EQ(reread.grid().cell(2, 3), "Ann Bo");
    for (int r = 1; r <= 3; ++r) {
        EXPECT_EQ(reread.grid().cell(1, r), "100") << r;
    }
    EXPECT_EQ(reread.grid().cell(1, 4), "-1000") << "no phantom place";
}

TEST_F(TallyFile, ASaveInAFolderThatTakesNoNewFileRewritesTheFile) {
    Tally tally;
    TallyStore store(path());
    ASSERT_TRUE(store.save(tally.grid()));
    if (!setImmutable(m_dir.string(), true)) {
        GTEST_SKIP() << "this file system cannot lock a folder against root";
    }
    tally.addtomineincrease(Tally::kTotalGames);
    EXPECT_TRUE(store.save(tally.grid()));
    Tally reread;
    TallyStore(path()).load(reread.grid());
    EXPECT_EQ(reread.grid().cell(Tally::kTotalGames, 0), "1");
    EXPECT_EQ(std::distance(fs::directory_iterator(m_dir), {}), 1);
}
