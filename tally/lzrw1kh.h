// LZRW1/KH: the fast block codec of the compressor (LZRW1 with a run-length item), one block of
// at most 32768 bytes at a time.
#pragma once

#include <cstdint>
#include <memory>

class TLZR {
public:
    // Every position inside a block fits 16 bits, and a copy's offset fits the 12 bits of its item.
    static constexpr int kBlockSize = 32768;
    // The coder may read or write a few bytes past the data (hash of the last positions, the
    // control word and item written just before it notices the block does not shrink); callers'
    // buffers carry this much slack.
    static constexpr int kSlack = 16;
    static constexpr int kBufferSize = kBlockSize + kSlack;
    // The longest valid block: a stored block of kBlockSize bytes and its flag.
    static constexpr int kMaxBlockLength = kBlockSize + 1;
    // What DecompressChunk returns for a block that does not decode inside its buffers.
    static constexpr int kDamaged = -1;

    static constexpr std::uint8_t kCoded = 0x40;
    static constexpr std::uint8_t kStored = 0x80;

    // Allocates the hash table once; throws ELzrw1KHCompressor when that fails.
    TLZR();
    ~TLZR();
    TLZR(const TLZR&) = delete;
    TLZR& operator=(const TLZR&) = delete;

    // Codes the n (<= kBlockSize) bytes at source into dest and returns the block length, never
    // more than n + 1. source must have kSlack readable bytes past n, dest kBufferSize bytes.
    std::uint16_t CompressChunk(const std::uint8_t* source, std::uint16_t n, std::uint8_t* dest);

    // Decodes a block of length bytes into dest (kBufferSize bytes) and returns the number of
    // bytes produced, or kDamaged when the block would reach outside the block or the output
    // (a copy from before the start, more than kBlockSize bytes, a truncated item, a block longer
    // than kMaxBlockLength). Reads nothing past block[length - 1].
    int DecompressChunk(const std::uint8_t* block, unsigned length, std::uint8_t* dest) const;

private:
    // The single-probe search at x: the length of the match (0 when there is none of at least 3
    // bytes) and its position in *position; always leaves x in the table. here holds the eight
    // bytes at source + x, hash the table index of the first three, limit the longest match
    // allowed there (kMaxCopy, or less near the end of the block).
    static int FindMatch(std::uint16_t* table, unsigned hash, const std::uint8_t* source, int x,
                         std::uint64_t here, int limit, int* position);

    // One entry per hash value: the newest position with that hash, or the block length for none.
    std::unique_ptr<std::uint16_t[]> m_table;
    // The hash of every position of the block, filled before the block is coded.
    std::unique_ptr<std::uint16_t[]> m_hashes;
};
