// LZRW1/KH block coder: literals, copies of 3..18 bytes from up to 4095 bytes back, and runs.
#include "lzrw1kh.h"

#include "lzrw1.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace {

constexpr int kHashEntries = 4096;
constexpr int kMaxOffset = 4095;
constexpr int kMinCopy = 3;
constexpr int kMaxCopy = 18;
// A run item costs four bytes; below 16 bytes copies and literals do as well or better.
constexpr int kMinRun = 16;
constexpr int kMaxRun = 4095;
constexpr int kItemsPerControlWord = 16;
// Upper bounds of one control word's items, so that a group far enough from both ends of a block
// can be decoded without checking every item against the ends.
constexpr unsigned kGroupInputBytes = kItemsPerControlWord * 4;
constexpr int kGroupOutputBytes = kItemsPerControlWord * kMaxCopy;

inline std::uint64_t load64(const std::uint8_t* p) {
    std::uint64_t v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

inline void store64(std::uint8_t* p, std::uint64_t v) {
    std::memcpy(p, &v, sizeof v);
}

// Number of equal leading bytes of two 8-byte loads that differ (diff != 0).
inline int equalLeadingBytes(std::uint64_t diff) {
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_BIG_ENDIAN__
    return __builtin_clzll(diff) >> 3;
#else
    return __builtin_ctzll(diff) >> 3;
#endif
}

// Byte i of the eight loaded from p, as p[i].
inline unsigned byteOf(std::uint64_t v, int i) {
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_BIG_ENDIAN__
    return unsigned(v >> (56 - 8 * i)) & 0xFF;
#else
    return unsigned(v >> (8 * i)) & 0xFF;
#endif
}

// Length of the common prefix of a and b, at most limit (<= kMaxCopy); reads nothing at or past
// a + limit. b lies before a, so the ranges may overlap.
inline int commonLength(const std::uint8_t* a, const std::uint8_t* b, int limit) {
    int m = 0;
    while (m + 8 <= limit) {
        const std::uint64_t diff = load64(a + m) ^ load64(b + m);
        if (diff != 0) {
            return m + equalLeadingBytes(diff);
        }
        m += 8;
    }
    while (m < limit && a[m] == b[m]) {
        ++m;
    }
    return m;
}

// Length of the run of s[0] starting at s, at most limit; reads nothing at or past s + limit.
inline int runLength(const std::uint8_t* s, int limit) {
    const std::uint64_t pattern = s[0] * 0x0101010101010101ull;
    int r = 1;
    while (r + 8 <= limit && load64(s + r) == pattern) {
        r += 8;
    }
    while (r < limit && s[r] == s[0]) {
        ++r;
    }
    return r;
}

// Copies k bytes from offset back, one byte after the other as far as the result goes, so that
// an offset below the length repeats the recent bytes. May write up to 7 bytes past dst + k.
inline void copyMatch(std::uint8_t* dst, unsigned offset, int k) {
    const std::uint8_t* src = dst - offset;
    if (offset >= 8) {
        for (int i = 0; i < k; i += 8) {
            store64(dst + i, load64(src + i));
        }
    } else {
        for (int i = 0; i < k; ++i) {
            dst[i] = src[i];
        }
    }
}

} // namespace

TLZR::TLZR() : m_table(new (std::nothrow) std::int16_t[kHashEntries]) {
    if (!m_table) {
        throw ELzrw1KHCompressor("LZRW1KH : no memory for HASH table");
    }
}

TLZR::~TLZR() = default;

inline int TLZR::FindMatch(std::int16_t* __restrict table, const std::uint8_t* __restrict s, int n,
                           int x, std::uint64_t here, int* position) {
    unsigned h = (((byteOf(here, 0) << 4) ^ byteOf(here, 1)) << 4) ^ byteOf(here, 2);
    h = ((h * 40543u) >> 4) & 0x0FFF;
    const int p = table[h];
    table[h] = static_cast<std::int16_t>(x);
    // Whether a match is found is as good as random, so the tests that can be folded are: an
    // empty entry (-1) lies x + 1 back, i.e. beyond x like no position of this block, and an
    // invalid candidate compares against x itself with a limit of 0.
    const bool candidate = unsigned(x - p) <= unsigned(std::min(x, kMaxOffset));
    const int q = candidate ? p : x;
    const int limit = candidate ? std::min(kMaxCopy, n - x) : 0;
    const std::uint64_t diff = here ^ load64(s + q);
    int m;
    if (diff != 0) {
        m = equalLeadingBytes(diff);
    } else {
        m = limit > 8 ? 8 + commonLength(s + x + 8, s + q + 8, limit - 8) : 8;
    }
    m = std::min(m, limit);
    if (m < kMinCopy) {
        return 0;
    }
    *position = p;
    return m;
}

std::uint16_t TLZR::CompressChunk(const std::uint8_t* __restrict s, std::uint16_t count,
                                  std::uint8_t* __restrict d) {
    const int n = count;
    // Held in a local: stores through d could otherwise alias the member and force reloads.
    std::int16_t* const table = m_table.get();
    std::memset(table, 0xFF, kHashEntries * sizeof(std::int16_t));
    d[0] = kCoded;
    int x = 0;
    int y = 3;
    int z = 1;
    int b = 0;
    unsigned w = 0;
    while (x < n && y <= n) {
        // x < n, so these eight bytes lie within the slack past the block; nothing read past n
        // decides anything.
        const std::uint64_t here = load64(s + x);
        if (b >= kItemsPerControlWord) {
            // Only the low 16 bits count: sixteen shifts have pushed the previous word's bits out.
            d[z] = static_cast<std::uint8_t>(w >> 8);
            d[z + 1] = static_cast<std::uint8_t>(w);
            z = y;
            y += 2;
            b = 0;
        }
        // Sixteen equal bytes make a run item; the cheap test of the first pair rules out most
        // positions.
        int r = 0;
        if (byteOf(here, 0) == byteOf(here, 1) && n - x >= kMinRun && here == load64(s + x + 1) &&
            load64(s + x + 7) == load64(s + x + 8)) {
            r = runLength(s + x, std::min(kMaxRun, n - x));
        }
        int p = 0;
        int m = 0;
        if (r >= kMinRun) {
            d[y] = 0;
            d[y + 1] = static_cast<std::uint8_t>((r - kMinRun) >> 8);
            d[y + 2] = static_cast<std::uint8_t>(r - kMinRun);
            d[y + 3] = s[x];
            y += 4;
            x += r;
            w = (w << 1) | 1;
        } else if ((m = FindMatch(table, s, n, x, here, &p)) != 0) {
            const unsigned v = (unsigned(x - p) << 4) + unsigned(m - kMinCopy);
            d[y] = static_cast<std::uint8_t>(v >> 8);
            d[y + 1] = static_cast<std::uint8_t>(v);
            y += 2;
            x += m;
            w = (w << 1) | 1;
        } else {
            d[y++] = std::uint8_t(byteOf(here, 0));
            ++x;
            w <<= 1;
        }
        ++b;
    }
    w <<= (kItemsPerControlWord - b);
    d[z] = static_cast<std::uint8_t>(w >> 8);
    d[z + 1] = static_cast<std::uint8_t>(w);
    if (y > n) {
        d[0] = kStored;
        std::memcpy(d + 1, s, n);
        return static_cast<std::uint16_t>(n + 1);
    }
    return static_cast<std::uint16_t>(y);
}

int TLZR::DecompressChunk(const std::uint8_t* t, unsigned length, std::uint8_t* d) const {
    if (length <= 1) {
        return 0;
    }
    if (length > unsigned(kMaxBlockLength)) {
        return kDamaged;
    }
    if (t[0] == kStored) {
        std::memcpy(d, t + 1, length - 1);
        return int(length - 1);
    }
    // A coded block too short to hold an item decodes to nothing, as it always has.
    if (length <= 3) {
        return 0;
    }
    const unsigned L = length;
    unsigned x = 1;
    unsigned w = 0;
    int bits = 0;
    int y = 0;
    while (x < L) {
        if (bits == 0) {
            // A control word is always followed by at least one item.
            if (x + 2 >= L) {
                return kDamaged;
            }
            w = (unsigned(t[x]) << 8) | t[x + 1];
            x += 2;
            bits = kItemsPerControlWord;
            if (L - x >= kGroupInputBytes && y <= kBlockSize - kGroupOutputBytes) {
                // Far from both ends: only what depends on the item itself needs checking. A run
                // is left to the careful path below, since it may fill the rest of the output.
                int i = 0;
                while (i < kItemsPerControlWord) {
                    if ((w & 0x8000) == 0) {
                        const unsigned top = (w & 0xFFFF) << 16;
                        int literals = top != 0 ? __builtin_clz(top) : kItemsPerControlWord;
                        literals = std::min(literals, kItemsPerControlWord - i);
                        std::memcpy(d + y, t + x, kItemsPerControlWord);
                        x += literals;
                        y += literals;
                        i += literals;
                        w <<= literals;
                        continue;
                    }
                    const unsigned o = (unsigned(t[x]) << 4) | (t[x + 1] >> 4);
                    if (o == 0) {
                        break;
                    }
                    if (o > unsigned(y)) {
                        return kDamaged;
                    }
                    const int k = (t[x + 1] & 15) + kMinCopy;
                    copyMatch(d + y, o, k);
                    x += 2;
                    y += k;
                    w <<= 1;
                    ++i;
                }
                bits = kItemsPerControlWord - i;
                if (bits == 0) {
                    continue;
                }
            }
        }
        if ((w & 0x8000) == 0) {
            if (y >= kBlockSize) {
                return kDamaged;
            }
            d[y++] = t[x++];
        } else {
            if (x + 2 > L) {
                return kDamaged;
            }
            const unsigned o = (unsigned(t[x]) << 4) | (t[x + 1] >> 4);
            if (o == 0) {
                if (x + 4 > L) {
                    return kDamaged;
                }
                const int k = ((t[x + 1] << 8) | t[x + 2]) + kMinRun;
                if (k > kBlockSize - y) {
                    return kDamaged;
                }
                std::memset(d + y, t[x + 3], k);
                x += 4;
                y += k;
            } else {
                const int k = (t[x + 1] & 15) + kMinCopy;
                if (o > unsigned(y) || k > kBlockSize - y) {
                    return kDamaged;
                }
                copyMatch(d + y, o, k);
                x += 2;
                y += k;
            }
        }
        w <<= 1;
        --bits;
    }
    return y;
}
