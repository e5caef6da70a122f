// Checks detached signatures in minisign's format (Ed25519), so that only installers signed
// with the release key are ever run.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace minisign {

using KeyId = std::array<std::uint8_t, 8>;

struct PublicKey {
    KeyId keyId{};
    std::array<std::uint8_t, 32> key{};
};

struct Signature {
    // Signed over the BLAKE2b-512 hash of the file ("ED"), not over the file itself ("Ed").
    bool prehashed = false;
    KeyId keyId{};
    std::array<std::uint8_t, 64> signature{};
    // Signed together with `signature` by `globalSignature`, so it cannot be altered either.
    std::string trustedComment;
    std::array<std::uint8_t, 64> globalSignature{};
};

// A public key: either its base64 line alone or a whole key file (comment line, then the
// key). Anything else gives nothing.
std::optional<PublicKey> parsePublicKey(std::string_view text);
// A signature file: untrusted comment, signature line, trusted comment, global signature.
std::optional<Signature> parseSignature(std::string_view text);

enum class Verdict {
    Good,
    Malformed,    // the signature or the key cannot be read
    WrongKey,     // signed by another key than the one we trust
    BadSignature, // the file or the trusted comment is not what was signed
    Unreadable,   // the file cannot be read
    Legacy,       // signed over the file itself, which we do not take
};

// Checks the open file `fd`, read from its start whatever its offset, against the signature
// text and the trusted public key. Only a prehashed signature can be good. On a good verdict
// `trustedComment` (when given) receives the comment the signature vouches for.
Verdict verifyDescriptor(int fd, std::string_view signatureText, std::string_view publicKey,
                         std::string* trustedComment = nullptr);
// The same for the file at `path`, opened without following a link.
Verdict verifyFile(const std::string& path, std::string_view signatureText,
                   std::string_view publicKey, std::string* trustedComment = nullptr);

inline const char* describe(Verdict verdict) {
    switch (verdict) {
    case Verdict::Good:
        return "good signature";
    case Verdict::Malformed:
        return "malformed signature or key";
    case Verdict::WrongKey:
        return "signed by another key";
    case Verdict::BadSignature:
        return "signature does not match";
    case Verdict::Unreadable:
        return "file cannot be read";
    case Verdict::Legacy:
        return "signature not prehashed";
    }
    return "";
}

} // namespace minisign
