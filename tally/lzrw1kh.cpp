// LZRW1/KH block coder: literals, copies of 3..18 bytes from up to 4095 bytes back, and runs.
#include "lzrw1kh.h"

#include "lzrw1error.h"
#include "wordaccess.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <type_traits>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

constexpr int kHashEntries = 4096;
// The multiplier of the block format's hash; bits 4..15 of the product make the table index.
constexpr unsigned kHashFactor = 40543;
// hashPositions writes whole groups of eight.
constexpr int kHashSpill = 8;
constexpr int kMaxOffset = 4095;
constexpr int kMinCopy = 3;
constexpr int kMaxCopy = 18;
// A run item costs four bytes; below 16 bytes copies and literals do as well or better.
constexpr int kMinRun = 16;
constexpr int kMaxRun = 4095;
constexpr int kItemsPerControlWord = 16;
// A group that starts this far from both ends of the block cannot reach them with a literal or a
// copy: sixteen items take at most 16 * kMaxCopy input bytes, and put out at most 2 bytes each.
// Each of its items therefore needs neither end test, and every copy may take kMaxCopy bytes. A
// run item may reach the end, so the group goes on with the tests after one.
constexpr int kFarInput = kItemsPerControlWord * kMaxCopy;
constexpr int kFarOutput = kItemsPerControlWord * 2;
// Upper bounds of one control word's items, so that a group far enough from both ends of a block
// can be decoded without checking every item against the ends.
constexpr unsigned kGroupInputBytes = kItemsPerControlWord * 4;
constexpr int kGroupOutputBytes = kItemsPerControlWord * kMaxCopy;

using namespace wordaccess;

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

// The table index of the three bytes at every position 0..n-1 of s, in one pass ahead of the
// coder, so that an item's probe starts with a single load instead of a chain of shifts and a
// multiplication. Only bits 4..15 of the product count, so 16-bit lanes give the same index.
// Reads up to s + n + 9 and writes up to hashes + n + 7.
void hashPositions(const std::uint8_t* s, int n, std::uint16_t* hashes) {
#if defined(__SSE2__)
    const __m128i zero = _mm_setzero_si128();
    const __m128i factor = _mm_set1_epi16(static_cast<short>(kHashFactor));
    for (int i = 0; i < n; i += 8) {
        const __m128i b0 =
            _mm_unpacklo_epi8(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(s + i)), zero);
        const __m128i b1 =
            _mm_unpacklo_epi8(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(s + i + 1)), zero);
        const __m128i b2 =
            _mm_unpacklo_epi8(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(s + i + 2)), zero);
        const __m128i key =
            _mm_xor_si128(_mm_xor_si128(_mm_slli_epi16(b0, 8), _mm_slli_epi16(b1, 4)), b2);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(hashes + i),
                         _mm_srli_epi16(_mm_mullo_epi16(key, factor), 4));
    }
#else
    for (int i = 0; i < n; ++i) {
        const unsigned key = (((unsigned(s[i]) << 4) ^ s[i + 1]) << 4) ^ s[i + 2];
        hashes[i] = static_cast<std::uint16_t>(((key * kHashFactor) >> 4) & 0x0FFF);
    }
#endif
}

// Hides a value from the optimizer, so that a test it is made of stays one branch.
template <typename T> inline void opaque(T& value) {
    asm("" : "+r"(value));
}

} // namespace

TLZR::TLZR()
    : m_table(new (std::nothrow) std::uint16_t[kHashEntries]),
      m_hashes(new (std::nothrow) std::uint16_t[kBlockSize + kHashSpill]) {
    if (!m_table || !m_hashes) {
        throw ELzrw1KHCompressor("LZRW1KH : no memory for HASH table");
    }
}

TLZR::~TLZR() = default;

inline int TLZR::FindMatch(std::uint16_t* __restrict table, unsigned hash,
                           const std::uint8_t* __restrict s, int x, std::uint64_t here, int limit,
                           int* position) {
    const int p = table[hash];
    table[hash] = static_cast<std::uint16_t>(x);
    // An empty entry holds the block length: it lies ahead of x, fails this test like an entry
    // too far back, and points at the slack past the block, which may be read.
    const bool candidate = unsigned(x - p) <= unsigned(kMaxOffset);
    const std::uint64_t diff = here ^ load64(s + p);
    int m;
    if (__builtin_expect(diff != 0, 1)) {
        m = std::min(equalLeadingBytes(diff), limit);
    } else {
        m = candidate && limit > 8 ? 8 + commonLength(s + x + 8, s + p + 8, limit - 8)
                                   : std::min(8, limit);
    }
    // Whether a position starts a copy is as good as random: one branch on both conditions
    // mispredicts far less often than one on each, which the compiler would otherwise make.
    unsigned found = unsigned(m >= kMinCopy) & unsigned(candidate);
    opaque(found);
    if (!found) {
        return 0;
    }
    // found implies as much; saying so spares the caller a second test.
    if (m < kMinCopy) {
        __builtin_unreachable();
    }
    *position = p;
    return m;
}

std::uint16_t TLZR::CompressChunk(const std::uint8_t* __restrict s, std::uint16_t count,
                                  std::uint8_t* __restrict d) {
    const int n = count;
    // Held in locals: stores through d could otherwise alias the members and force reloads.
    std::uint16_t* const table = m_table.get();
    std::uint16_t* const hashes = m_hashes.get();
    std::fill_n(table, kHashEntries, static_cast<std::uint16_t>(n));
    hashPositions(s, n, hashes);
    d[0] = kCoded;
    int x = 0;
    int y = 3;
    int z = 1;
    int b = 0;
    unsigned w = 0;
    // Writes the item for position x and advances x, y and w. nearEnd says that x may lie within
    // kMaxCopy bytes of the end, where copies are cut short and runs need the length check.
    // Returns false after a run item, which may have taken x anywhere up to n.
    const auto codeItem = [&](auto nearEnd) {
        // x < n, so these eight bytes lie within the slack past the block; nothing read past n
        // decides anything.
        const std::uint64_t here = load64(s + x);
        // Sixteen equal bytes make a run item; the cheap test of the first pair rules out most
        // positions.
        if (__builtin_expect(byteOf(here, 0) == byteOf(here, 1), 0) &&
            (!nearEnd || n - x >= kMinRun) && here == load64(s + x + 1) &&
            load64(s + x + 7) == load64(s + x + 8)) {
            const int r = runLength(s + x, std::min(kMaxRun, n - x));
            if (r >= kMinRun) {
                d[y] = 0;
                d[y + 1] = static_cast<std::uint8_t>((r - kMinRun) >> 8);
                d[y + 2] = static_cast<std::uint8_t>(r - kMinRun);
                d[y + 3] = static_cast<std::uint8_t>(byteOf(here, 0));
                y += 4;
                x += r;
                w = (w << 1) | 1;
                return false;
            }
        }
        const int limit = nearEnd ? std::min(kMaxCopy, n - x) : kMaxCopy;
        int p = 0;
        const int m = FindMatch(table, hashes[x], s, x, here, limit, &p);
        if (m != 0) {
            const unsigned v = (unsigned(x - p) << 4) + unsigned(m - kMinCopy);
            d[y] = static_cast<std::uint8_t>(v >> 8);
            d[y + 1] = static_cast<std::uint8_t>(v);
            y += 2;
            x += m;
            w = (w << 1) | 1;
        } else {
            d[y++] = static_cast<std::uint8_t>(byteOf(here, 0));
            ++x;
            w <<= 1;
        }
        return true;
    };
    // One pass per control word: its items, then the word itself and room for the next. The
    // block ends when x reaches n or y passes n; the test comes before every item, also the first
    // of a group, where it follows the room for the word. That differs from testing before the
    // room only when y has passed n, and such a block is stored whatever follows.
    while (x < n && y <= n) {
        w = 0;
        b = 0;
        if (n - x > kFarInput && n - y >= kFarOutput) {
            while (b < kItemsPerControlWord) {
                ++b;
                if (!codeItem(std::false_type())) {
                    break;
                }
            }
        }
        while (b < kItemsPerControlWord && x < n && y <= n) {
            codeItem(std::true_type());
            ++b;
        }
        if (b < kItemsPerControlWord || x >= n || y > n) {
            break;
        }
        d[z] = static_cast<std::uint8_t>(w >> 8);
        d[z + 1] = static_cast<std::uint8_t>(w);
        z = y;
        y += 2;
    }
    // Only the low 16 bits count: the word holds b items, the first in its top bit.
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
