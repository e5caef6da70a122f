// The lzrw1 command-line tool: its commands, its output, its exit status and its messages.
#include "codec_data.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include <sys/wait.h>
#include <unistd.h>

using codec_data::Bytes;
namespace fs = std::filesystem;

namespace {

class Lzrw1Tool : public ::testing::Test {
protected:
    void SetUp() override {
        // The tool is built into the same folder as the tests.
        m_tool = (fs::read_symlink("/proc/self/exe").parent_path() / "lzrw1").string();
        ASSERT_TRUE(fs::exists(m_tool)) << m_tool << " has not been built";
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        m_dir = fs::temp_directory_path() / (std::string("solmarin-lzrw1-tool-") + info->name() +
                                             "-" + std::to_string(::getpid()));
        fs::remove_all(m_dir);
        fs::create_directories(m_dir);
    }
    void TearDown() override { fs::remove_all(m_dir); }

    std::string path(const std::string& name) const { return (m_dir / name).string(); }

    struct Result {
        int status;
        std::string out;
        std::string err;
    };

    Result run(const std::string& arguments) const {
        const std::string command =
            m_tool + " " + arguments + " > " + path("stdout") + " 2> " + path("stderr");
        const int raw = std::system(command.c_str());
        return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, slurp(path("stdout")),
                slurp(path("stderr"))};
    }

    static std::string slurp(const std::string& file) {
        std::ifstream in(file, std::ios::binary);
        std::ostringstream all;
        all << in.rdbuf();
        return all.str();
    }
    static void writeFile(const std::string& file, const Bytes& data) {
        std::ofstream out(file, std::ios::binary);
        out.write(reinterpret_cast<const char*>(data.data()), std::streamsize(data.size()));
    }

    std::string m_tool;
    fs::path m_dir;
};

} // namespace

TEST_F(Lzrw1Tool, PacksInTheChosenFormAndRestores) {
    const Bytes text = codec_data::make("text", 120000, 3);
    writeFile(path("plain"), text);
    const struct {
        const char* option;
        const char* magic;
    } cases[] = {{"--fast", "WRZL"}, {"--good", "!HZL"}, {"", "!HZL"}, {"--auto", "WRZL"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.option);
        const Result packed =
            run(std::string("c ") + c.option + " " + path("plain") + " " + path("packed"));
        EXPECT_EQ(packed.status, 0) << packed.err;
        EXPECT_EQ(packed.out.rfind(path("plain") + " : Lzrw1 : successfully compressed at ", 0),
                  0u);
        EXPECT_EQ(slurp(path("packed")).substr(0, 4), c.magic);

        const Result restored = run("d " + path("packed") + " " + path("restored"));
        EXPECT_EQ(restored.status, 0) << restored.err;
        EXPECT_EQ(restored.err, "");
        EXPECT_EQ(slurp(path("restored")), std::string(text.begin(), text.end()));
    }
}

TEST_F(Lzrw1Tool, AdvisesOnItsFirstLine) {
    const struct {
        Bytes input;
        std::string firstLines;
    } cases[] = {
        {Bytes(1000, 'x'), "good\nLzrw1 recommends GOOD compression :  small file !!\n"},
        {Bytes(200000, 'x'), "fast\nLzrw1 recommends FAST compression : 0%.\n"},
        {codec_data::make("random", 200000, 1),
         "good\nLzrw1 recommends GOOD compression : 100%.\n"},
    };
    for (const auto& c : cases) {
        writeFile(path("plain"), c.input);
        const Result advice = run("a " + path("plain"));
        EXPECT_EQ(advice.status, 0);
        EXPECT_EQ(advice.out, c.firstLines);
    }
}

TEST_F(Lzrw1Tool, FailsWithTheComponentsMessageAndNoOutputFile) {
    writeFile(path("bad"), codec_data::text("not a packed file at all"));
    writeFile(path("cut"),
              codec_data::concat({codec_data::text("WRZL"), {100, 0, 0, 0, 10, 0, 0x40}}));
    const struct {
        std::string arguments;
        std::string message;
    } cases[] = {
        {"d " + path("bad") + " " + path("out"),
         path("bad") + " : Lzrw1 decompression : this file has no valid header !\n"},
        {"d " + path("cut") + " " + path("out"),
         "Lzrw1 : Error reading from input file : " + path("cut") + "\n"},
        {"c --fast " + path("missing") + " " + path("out"),
         "Lzrw1 compression : Failed to obtain the size of : " + path("missing") + "\n"},
        {"a " + path("missing"),
         "Lzrw1 advise : can not get the size of : " + path("missing") + "\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments);
        const Result failed = run(c.arguments);
        EXPECT_EQ(failed.status, 1);
        EXPECT_EQ(failed.err, c.message);
        EXPECT_EQ(failed.out, "");
        EXPECT_FALSE(fs::exists(path("out")));
    }
}

TEST_F(Lzrw1Tool, RejectsMalformedCommandLinesWithUsage) {
    writeFile(path("plain"), codec_data::text("x"));
    for (const std::string& arguments :
         {std::string(""), std::string("x ") + path("plain"), "c " + path("plain"),
          "c --quick " + path("plain") + " " + path("out"), "d " + path("plain"),
          "a " + path("plain") + " " + path("out"), "c --fast " + path("plain")}) {
        SCOPED_TRACE(arguments);
        const Result rejected = run(arguments);
        EXPECT_EQ(rejected.status, 2);
        EXPECT_EQ(rejected.err.rfind("usage: lzrw1", 0), 0u);
        EXPECT_FALSE(fs::exists(path("out")));
    }
}
