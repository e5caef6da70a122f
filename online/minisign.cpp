// Checks detached signatures in minisign's format (Ed25519), so that only installers signed
// with the release key are ever run.
#include "minisign.h"

#include <sodium.h>

#include <cstring>
#include <fstream>
#include <vector>

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

// The message a signature covers: the file itself, or its BLAKE2b-512 hash.
bool signedMessage(const std::string& path, bool prehashed, std::vector<unsigned char>& message) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    std::vector<char> chunk(kReadChunk);
    crypto_generichash_state state;
    if (prehashed)
        crypto_generichash_init(&state, nullptr, 0, crypto_generichash_BYTES_MAX);
    while (in) {
        in.read(chunk.data(), static_cast<std::streamsize>(chunk.size()));
        const auto got = static_cast<std::size_t>(in.gcount());
        const auto* bytes = reinterpret_cast<const unsigned char*>(chunk.data());
        if (prehashed)
            crypto_generichash_update(&state, bytes, got);
        else
            message.insert(message.end(), bytes, bytes + got);
    }
    if (in.bad())
        return false;
    if (prehashed) {
        message.resize(crypto_generichash_BYTES_MAX);
        crypto_generichash_final(&state, message.data(), message.size());
    }
    return true;
}

} // namespace

Verdict verifyFile(const std::string& path, std::string_view signatureText,
                   std::string_view publicKey) {
    const std::optional<PublicKey> key = parsePublicKey(publicKey);
    const std::optional<Signature> sig = parseSignature(signatureText);
    if (!key || !sig)
        return Verdict::Malformed;
    if (sig->keyId != key->keyId)
        return Verdict::WrongKey;
    std::vector<unsigned char> message;
    if (!signedMessage(path, sig->prehashed, message))
        return Verdict::Unreadable;
    if (crypto_sign_verify_detached(sig->signature.data(), message.data(), message.size(),
                                    key->key.data()) != 0)
        return Verdict::BadSignature;
    // The trusted comment is only trusted once the global signature over it holds.
    std::vector<unsigned char> global(sig->signature.begin(), sig->signature.end());
    global.insert(global.end(), sig->trustedComment.begin(), sig->trustedComment.end());
    if (crypto_sign_verify_detached(sig->globalSignature.data(), global.data(), global.size(),
                                    key->key.data()) != 0)
        return Verdict::BadSignature;
    return Verdict::Good;
}

} // namespace minisign
