// Signature checks of installers: signatures made here with libsodium in minisign's format, and
// one made by the minisign tool itself, so our reading of the format is checked against it.
#include "minisign.h"

#include <gtest/gtest.h>
#include <sodium.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

std::string base64(const std::vector<unsigned char>& bytes) {
    std::string out(sodium_base64_ENCODED_LEN(bytes.size(), sodium_base64_VARIANT_ORIGINAL), '\0');
    sodium_bin2base64(out.data(), out.size(), bytes.data(), bytes.size(),
                      sodium_base64_VARIANT_ORIGINAL);
    out.resize(out.size() - 1); // the terminating zero
    return out;
}

struct KeyPair {
    unsigned char id[8];
    unsigned char pk[crypto_sign_PUBLICKEYBYTES];
    unsigned char sk[crypto_sign_SECRETKEYBYTES];

    KeyPair() {
        randombytes_buf(id, sizeof id);
        crypto_sign_keypair(pk, sk);
    }
    std::string publicLine() const {
        std::vector<unsigned char> raw = {'E', 'd'};
        raw.insert(raw.end(), id, id + 8);
        raw.insert(raw.end(), pk, pk + sizeof pk);
        return base64(raw);
    }
    std::string publicFile() const {
        return "untrusted comment: minisign public key\n" + publicLine() + "\n";
    }

    // A signature file for `content`, prehashed ("ED") or over the content itself ("Ed").
    std::string sign(const std::string& content, bool prehashed,
                     const std::string& comment = "timestamp:1\tfile:solmarinsetup.sh") const {
        std::vector<unsigned char> message(content.begin(), content.end());
        if (prehashed) {
            message.assign(crypto_generichash_BYTES_MAX, 0);
            crypto_generichash(message.data(), message.size(),
                               reinterpret_cast<const unsigned char*>(content.data()),
                               content.size(), nullptr, 0);
        }
        unsigned char sig[crypto_sign_BYTES];
        crypto_sign_detached(sig, nullptr, message.data(), message.size(), sk);
        std::vector<unsigned char> line = {'E', static_cast<unsigned char>(prehashed ? 'D' : 'd')};
        line.insert(line.end(), id, id + 8);
        line.insert(line.end(), sig, sig + sizeof sig);
        std::vector<unsigned char> global(sig, sig + sizeof sig);
        global.insert(global.end(), comment.begin(), comment.end());
        unsigned char globalSig[crypto_sign_BYTES];
        crypto_sign_detached(globalSig, nullptr, global.data(), global.size(), sk);
        return "untrusted comment: signature from minisign secret key\n" + base64(line) +
               "\ntrusted comment: " + comment + "\n" +
               base64(std::vector<unsigned char>(globalSig, globalSig + sizeof globalSig)) + "\n";
    }
};

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
        {"legacy, over the file itself", trusted.sign(kInstaller, false), trusted.publicLine(),
         kInstaller, minisign::Verdict::Good},
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

    for (const char* flags : {"", "-l"}) {
        ASSERT_EQ(std::system(("minisign -S " + std::string(flags) + " -s " + sec + " -m " + file +
                               " -t 'release 1.0.1'" + quiet)
                                  .c_str()),
                  0);
        std::ifstream sigIn(file + ".minisig");
        const std::string signature((std::istreambuf_iterator<char>(sigIn)), {});
        EXPECT_EQ(minisign::verifyFile(file, signature, publicKey), minisign::Verdict::Good)
            << "flags '" << flags << "'";
        const auto parsed = minisign::parseSignature(signature);
        ASSERT_TRUE(parsed);
        EXPECT_EQ(parsed->trustedComment, "release 1.0.1");
        write("solmarinsetup.sh", kInstaller + "x");
        EXPECT_EQ(minisign::verifyFile(file, signature, publicKey),
                  minisign::Verdict::BadSignature);
        write("solmarinsetup.sh", kInstaller);
    }
}
