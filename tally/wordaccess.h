// Eight bytes at a time: unaligned loads and stores and what the coders read from them.
#pragma once

#include <cstdint>
#include <cstring>

namespace wordaccess {

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

} // namespace wordaccess
