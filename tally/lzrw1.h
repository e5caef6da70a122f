// The file compressor component: turns an input file (or stream) into the compressed container or
// back, with the fast LZRW1/KH codec or the dense LZH codec, and advises which of them suits.
//
// Container: magic "WRZL" (LZRW1/KH) or "!HZL" (LZH), the original size as a signed 32-bit
// little-endian number, then the codec's payload. LZRW1/KH payload: blocks of a 2-byte
// little-endian length and that many bytes, each coding 32768 input bytes, the last fewer.
#pragma once

#include "lzrw1error.h"

#include <cstdint>
#include <functional>
#include <iosfwd>
#include <memory>
#include <string>

class TLZR;
class TLZH;

enum class TCompressMode {
    Good, // LZH
    Fast, // LZRW1/KH
    Auto, // Compress asks Advise first
};

class Tlzrw1 {
public:
    static constexpr std::uint32_t kMagicFast = 0x4C5A5257; // "WRZL" on disk
    static constexpr std::uint32_t kMagicGood = 0x4C5A4821; // "!HZL" on disk

    Tlzrw1();
    ~Tlzrw1();
    Tlzrw1(const Tlzrw1&) = delete;
    Tlzrw1& operator=(const Tlzrw1&) = delete;

    std::string InputFile;
    // Created or truncated by Compress and Decompress; removed again when they fail (unless it
    // is not a regular file, such as /dev/null). It may not be the input file itself.
    std::string OutputFile;
    TCompressMode CompressMode = TCompressMode::Good;
    // Advise recommends Fast when the fast codec brings its samples below this percentage.
    int Threshold = 40;
    // When true the two streams below take the place of the two files: reading starts at the
    // input's current position, and on a failure the output stream holds a partial result that
    // the caller must discard.
    bool UseStream = false;
    std::istream* InputStream = nullptr;
    std::ostream* OutputStream = nullptr;

    // The status line, kept up to date only while Visible (a component nobody looks at, such
    // as the tally's, is made invisible).
    std::string Caption;
    bool Visible = true;
    // Called between blocks so that the application can handle its pending window messages.
    std::function<void()> ProcessMessages;

    // Each returns the number of bytes written (Compress: header included) or throws
    // ELzrw1Exception.
    std::int64_t Compress();
    std::int64_t Decompress();
    // Fast or Good for the input; a small input also sets CompressMode to Good.
    TCompressMode Advise();

private:
    struct Call;

    std::int64_t compressFast(Call& call);
    std::int64_t compressGood(Call& call);
    void decompressFast(Call& call, std::int64_t originalSize);
    void decompressGood(Call& call, std::int64_t originalSize);
    void showProgress(const char* codec, const Call& call);
    void setCaption(const std::string& text);
    void pump();

    std::unique_ptr<TLZR> m_lzr;
    std::unique_ptr<TLZH> m_lzh;
};
