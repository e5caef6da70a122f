// A fresh minisign key pair made with libsodium, and signatures by it in minisign's format, for
// tests and benchmarks of the installer's signature check.
#pragma once

#include <sodium.h>

#include <string>
#include <vector>

namespace testkeys {

inline std::string base64(const std::vector<unsigned char>& bytes) {
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

    // sodium_init() must have succeeded first.
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

    // A signature file for `content`: prehashed ("ED"), or over the content itself ("Ed") as
    // old versions of minisign made them.
    std::string sign(const std::string& content, bool prehashed,
                     const std::string& comment = "version:1.0.1 file:solmarinsetup.sh") const {
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

} // namespace testkeys
