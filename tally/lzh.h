// LZH: the dense codec of the compressor. LZSS over a 4096-byte ring with an adaptive Huffman
// code for literals and match lengths and a fixed prefix code for match positions, coded as one
// bit stream with no block structure and no end marker.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>

class TLZH {
public:
    // Fills buffer with up to capacity bytes and returns how many; 0 means the input has ended.
    // Reports a read error by throwing.
    using Reader = std::function<std::size_t(std::uint8_t* buffer, std::size_t capacity)>;
    // Takes count bytes from buffer; reports a write error by throwing.
    using Writer = std::function<void(const std::uint8_t* buffer, std::size_t count)>;

    // The caller's I/O buffers, reused for every call: input gathers what Reader delivers, output
    // what goes to Writer. Any size from 64 bytes up serves.
    struct Buffers {
        std::uint8_t* input;
        std::uint8_t* output;
        std::size_t size;
    };

    struct DecodeResult {
        // Bytes handed to the writer: the size asked for, or more when the last match of a
        // damaged stream runs past it.
        std::int64_t written;
        // A code needed bits past the end of the input; the output is then incomplete.
        bool truncated;
    };

    // Codes the whole input; returns the number of input bytes. Throws ElzhException when its
    // tables cannot be allocated.
    std::int64_t EncodeLzh(const Reader& read, const Writer& write, const Buffers& buffers);

    // Decodes until size bytes have been produced or the input runs out.
    DecodeResult DecodeLzh(std::int64_t size, const Reader& read, const Writer& write,
                           const Buffers& buffers);

    // The longest Huffman code, in bits, that the last EncodeLzh sent.
    int LongestCode() const { return m_longestCode; }

private:
    int m_longestCode = 0;
};
