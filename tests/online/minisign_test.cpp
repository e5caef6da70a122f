// Signature checks of installers: signatures made here with libsodium in minisign's format, and
// one made by the minisign tool itself, so our reading of the format is checked against it.
#include "minisign.h"
#include "minisignkeys.h"

#include <gtest/gtest.h>
#include <sodium.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

using testkeys::KeyPair;

std::string replaceLine(const std::string& text, int index, const std::string& line) {
    std::istringstream in(text);
    std::string out, current;
    for (int i = 0; std::getline(in, current); ++i)
        out += (i == index ? line : current) + "\n";
    return out;
}

class MinisignTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_GE(sodium_init(), 0);
        std::string pattern = (fs::temp_directory_path() / "solmarin-sig-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        m_folder = pattern;
    }
    void TearDown() override { fs::remove_all(m_folder); }

    std::string write(const std::string& name, const std::string& content) {
        const std::string path = (m_folder / name).string();
        std::ofstream(path, std::ios::binary) << content;
        return path;
    }

    fs::path m_folder;
};

const std::string kInstaller = std::string("#!/bin/sh\necho install\n\0\x01\xff tail", 30);

} // namespace

TEST_F(MinisignTest, OnlyAnUntouchedFileSignedByTheTrustedKeyPasses) {
    const KeyPair trusted, other;
    KeyPair sameIdOtherKey;
    std::copy(trusted.id, trusted.id + 8, sameIdOtherKey.id);
    const std::string file = write("solmarinsetup.sh", kInstaller);
    const std::string good = trusted.sign(kInstaller, true);

    struct Case {
        const char* what;
        std::string signature;
        std::string key;
        std::string content;
        minisign::Verdict expected;
    };
    std::string otherAlgorithm = trusted.publicLine();
    otherAlgorithm[2] = 'X'; // "RWT..." to "RWX...": the tag's second byte is no longer 'd'
    std::string sigOtherAlgorithm = good;
    sigOtherAlgorithm[good.find('\n') + 2] = 'X'; // "RUT..." to "RUX...": no longer "ED"
    std::string crlf;
    for (char ch : good)
        crlf += ch == '\n' ? std::string("\r\n") : std::string(1, ch);
    const std::string tamperedComment =
        replaceLine(good, 2, "trusted comment: timestamp:1\tfile:other.sh");
    const Case cases[] = {
        {"prehashed", good, trusted.publicLine(), kInstaller, minisign::Verdict::Good},
        // Made over the whole file, a signature leaves the check to read an installer of any
        // size into memory; only prehashed ones are taken.
        {"legacy, over the file itself", trusted.sign(kInstaller, false), trusted.publicLine(),
         kInstaller, minisign::Verdict::Legacy},
        {"key given as a whole key file", good, trusted.publicFile(), kInstaller,
         minisign::Verdict::Good},
        {"windows line ends", crlf, trusted.publicLine(), kInstaller, minisign::Verdict::Good},
        {"one byte changed", good, trusted.publicLine(), kInstaller.substr(0, 29) + "X",
         minisign::Verdict::BadSignature},
        {"empty file", good, trusted.publicLine(), "", minisign::Verdict::BadSignature},
        {"trusted comment altered", tamperedComment, trusted.publicLine(), kInstaller,
         minisign::Verdict::BadSignature},
        {"signed by another key", other.sign(kInstaller, true), trusted.publicLine(), kInstaller,
         minisign::Verdict::WrongKey},
        {"another key posing under our key id", sameIdOtherKey.sign(kInstaller, true),
         trusted.publicLine(), kInstaller, minisign::Verdict::BadSignature},
        {"empty signature", "", trusted.publicLine(), kInstaller, minisign::Verdict::Malformed},
        {"an error page", "<html>Not Found</html>\n", trusted.publicLine(), kInstaller,
         minisign::Verdict::Malformed},
        {"signature line cut short", replaceLine(good, 1, "RUQAAAAAAAAAAA=="), trusted.publicLine(),
         kInstaller, minisign::Verdict::Malformed},
        {"global signature missing", good.substr(0, good.rfind('\n', good.size() - 2) + 1),
         trusted.publicLine(), kInstaller, minisign::Verdict::Malformed},
        {"trusted comment line missing", replaceLine(good, 2, "comment: x"), trusted.publicLine(),
         kInstaller, minisign::Verdict::Malformed},
        {"signature of another algorithm", sigOtherAlgorithm, trusted.publicLine(), kInstaller,
         minisign::Verdict::Malformed},
        {"key not base64", good, "not a key", kInstaller, minisign::Verdict::Malformed},
        {"key of another algorithm", good, otherAlgorithm, kInstaller,
         minisign::Verdict::Malformed},
    };
    for (const Case& c : cases) {
        write("solmarinsetup.sh", c.content);
        EXPECT_EQ(minisign::verifyFile(file, c.signature, c.key), c.expected) << c.what;
    }
}

TEST_F(MinisignTest, AgreesWithTheMinisignTool) {
    if (std::system("command -v minisign >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "the minisign tool is not installed";
    const std::string file = write("solmarinsetup.sh", kInstaller);
    const std::string pub = (m_folder / "test.pub").string();
    const std::string sec = (m_folder / "test.key").string();
    const std::string quiet = " >/dev/null 2>&1";
    ASSERT_EQ(std::system(("minisign -G -W -p " + pub + " -s " + sec + quiet).c_str()), 0);
    std::ifstream pubIn(pub);
    const std::string publicKey((std::istreambuf_iterator<char>(pubIn)), {});

    // The tool's default is a prehashed signature; "-l" makes the legacy kind, refused.
    const struct {
        const char* flags;
        minisign::Verdict expected;
    } kinds[] = {{"", minisign::Verdict::Good}, {"-l", minisign::Verdict::Legacy}};
    for (const auto& kind : kinds) {
        ASSERT_EQ(std::system(("minisign -S " + std::string(kind.flags) + " -s " + sec + " -m " +
                               file + " -t 'version:1.0.1 file:solmarinsetup.sh'" + quiet)
                                  .c_str()),
                  0);
        std::ifstream sigIn(file + ".minisig");
        const std::string signature((std::istreambuf_iterator<char>(sigIn)), {});
        std::string comment;
        EXPECT_EQ(minisign::verifyFile(file, signature, publicKey, &comment), kind.expected)
            << "flags '" << kind.flags << "'";
        if (kind.expected == minisign::Verdict::Good) {
            EXPECT_EQ(comment, "version:1.0.1 file:solmarinsetup.sh");
        }
        write("solmarinsetup.sh", kInstaller + "x");
        EXPECT_NE(minisign::verifyFile(file, signature, publicKey), minisign::Verdict::Good);
        write("solmarinsetup.sh", kInstaller);
    }
}

// The check reads the file it was handed open, from its start, whatever its name now holds and
// wherever the descriptor's offset stands.
TEST_F(MinisignTest, ChecksTheOpenFileNotItsName) {
    const KeyPair key;
    const std::string path = write("solmarinsetup.sh", kInstaller);
    const std::string signature = key.sign(kInstaller, true);
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_GE(fd, 0);
    char skip[5];
    ASSERT_EQ(::read(fd, skip, sizeof skip), 5);
    write("replacement", "#!/bin/sh\nrm -rf ~\n");
    fs::rename(m_folder / "replacement", path);
    std::string comment;
    EXPECT_EQ(minisign::verifyDescriptor(fd, signature, key.publicLine(), &comment),
              minisign::Verdict::Good);
    EXPECT_EQ(comment, "version:1.0.1 file:solmarinsetup.sh");
    EXPECT_EQ(minisign::verifyFile(path, signature, key.publicLine()),
              minisign::Verdict::BadSignature);
    ::close(fd);
}
