// Checks detached signatures in minisign's format (Ed25519), so that only installers signed
// with the release key are ever run.
#include "minisign.h"

#include <sodium.h>

#include <array>
#include <cerrno>
#include <cstring>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

namespace minisign {

namespace {

constexpr std::string_view kUntrustedPrefix = "untrusted comment: ";
constexpr std::string_view kTrustedPrefix = "trusted comment: ";
// The algorithm tags at the start of keys and signatures.
constexpr std::uint8_t kEd[2] = {'E', 'd'};
constexpr std::uint8_t kEdPrehashed[2] = {'E', 'D'};
// A signature file holds four short lines; a trusted comment is one line too. Anything much
// larger is not a signature and is refused before it is decoded.
constexpr std::size_t kMaxLine = 8192;
constexpr std::size_t kReadChunk = 65536;

bool initSodium() {
    static const bool ready = sodium_init() >= 0;
    return ready;
}

// Splits text into lines, accepting "\n" or "\r\n" line ends; a last line without an end
// counts.
std::vector<std::string_view> lines(std::string_view text) {
    std::vector<std::string_view> out;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        out.push_back(line);
        if (end == std::string_view::npos)
            break;
        text.remove_prefix(end + 1);
    }
    return out;
}

// Decodes one line of standard base64 into exactly `size` bytes.
bool decode(std::string_view line, std::uint8_t* out, std::size_t size) {
    if (line.size() > kMaxLine)
        return false;
    std::size_t written = 0;
    const char* end = nullptr;
    const std::string copy(line);
    if (sodium_base642bin(out, size, copy.data(), copy.size(), nullptr, &written, &end,
                          sodium_base64_VARIANT_ORIGINAL) != 0)
        return false;
    return written == size && end == copy.data() + copy.size();
}

bool startsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

} // namespace

std::optional<PublicKey> parsePublicKey(std::string_view text) {
    std::vector<std::string_view> all = lines(text);
    while (!all.empty() && all.back().empty())
        all.pop_back();
    if (all.size() == 2 && startsWith(all[0], kUntrustedPrefix))
        all.erase(all.begin());
    if (all.size() != 1)
        return std::nullopt;
    std::uint8_t raw[2 + 8 + 32];
    if (!initSodium() || !decode(all[0], raw, sizeof raw) || std::memcmp(raw, kEd, 2) != 0)
        return std::nullopt;
    PublicKey key;
    std::memcpy(key.keyId.data(), raw + 2, 8);
    std::memcpy(key.key.data(), raw + 10, 32);
    return key;
}

std::optional<Signature> parseSignature(std::string_view text) {
    std::vector<std::string_view> all = lines(text);
    while (!all.empty() && all.back().empty())
        all.pop_back();
    if (all.size() != 4 || !startsWith(all[0], kUntrustedPrefix) ||
        !startsWith(all[2], kTrustedPrefix))
        return std::nullopt;
    std::uint8_t raw[2 + 8 + 64];
    if (!initSodium() || !decode(all[1], raw, sizeof raw))
        return std::nullopt;
    Signature sig;
    if (std::memcmp(raw, kEdPrehashed, 2) == 0)
        sig.prehashed = true;
    else if (std::memcmp(raw, kEd, 2) != 0)
        return std::nullopt;
    std::memcpy(sig.keyId.data(), raw + 2, 8);
    std::memcpy(sig.signature.data(), raw + 10, 64);
    sig.trustedComment = std::string(all[2].substr(kTrustedPrefix.size()));
    if (!decode(all[3], sig.globalSignature.data(), sig.globalSignature.size()))
        return std::nullopt;
    return sig;
}

namespace {

// The BLAKE2b-512 hash of the whole file, read through the descriptor from its start.
bool hashFile(int fd, std::array<unsigned char, crypto_generichash_BYTES_MAX>& hash) {
    std::vector<unsigned char> chunk(kReadChunk);
    crypto_generichash_state state;
    crypto_generichash_init(&state, nullptr, 0, hash.size());
    for (off_t offset = 0;;) {
        const ssize_t got = ::pread(fd, chunk.data(), chunk.size(), offset);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return false;
        if (got == 0)
            break;
        crypto_generichash_update(&state, chunk.data(), std::size_t(got));
        offset += got;
    }
    crypto_generichash_final(&state, hash.data(), hash.size());
    return true;
}

} // namespace

Verdict verifyDescriptor(int fd, std::string_view signatureText, std::string_view publicKey,
                         std::string* trustedComment) {
    const std::optional<PublicKey> key = parsePublicKey(publicKey);
    const std::optional<Signature> sig = parseSignature(signatureText);
    if (!key || !sig)
        return Verdict::Malformed;
    if (sig->keyId != key->keyId)
        return Verdict::WrongKey;
    // A signature over the file itself would have the whole installer read into memory before
    // anything is known about it.
    if (!sig->prehashed)
        return Verdict::Legacy;
    std::array<unsigned char, crypto_generichash_BYTES_MAX> hash;
    if (!hashFile(fd, hash))
        return Verdict::Unreadable;
    if (crypto_sign_verify_detached(sig->signature.data(), hash.data(), hash.size(),
                                    key->key.data()) != 0)
        return Verdict::BadSignature;
    // The trusted comment is only trusted once the global signature over it holds.
    std::vector<unsigned char> global(sig->signature.begin(), sig->signature.end());
    global.insert(global.end(), sig->trustedComment.begin(), sig->trustedComment.end());
    if (crypto_sign_verify_detached(sig->globalSignature.data(), global.data(), global.size(),
                                    key->key.data()) != 0)
        return Verdict::BadSignature;
    if (trustedComment)
        *trustedComment = sig->trustedComment;
    return Verdict::Good;
}

Verdict verifyFile(const std::string& path, std::string_view signatureText,
                   std::string_view publicKey, std::string* trustedComment) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return Verdict::Unreadable;
    const Verdict verdict = verifyDescriptor(fd, signatureText, publicKey, trustedComment);
    ::close(fd);
    return verdict;
}

} // namespace minisign
