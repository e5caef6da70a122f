// Test data for the codecs: reproducible inputs of every character a codec meets (incompressible,
// text, runs, short periods, skewed symbols), and a comparison that names the first difference.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

namespace codec_data {

using Bytes = std::vector<std::uint8_t>;

inline Bytes text(const std::string& s) {
    return Bytes(s.begin(), s.end());
}

inline Bytes concat(std::initializer_list<Bytes> parts) {
    Bytes all;
    for (const Bytes& part : parts) {
        all.insert(all.end(), part.begin(), part.end());
    }
    return all;
}

class Random {
public:
    explicit Random(std::uint64_t seed) : m_state(seed * 0x9E3779B97F4A7C15ull + 1) {}
    std::uint64_t next() {
        std::uint64_t z = (m_state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    unsigned below(unsigned bound) { return unsigned(next() % bound); }

private:
    std::uint64_t m_state;
};

// Bytes where value k appears about twice as often as k + 1: a few symbols dominate, many are
// rare, which drives an adaptive Huffman tree deep.
inline std::uint8_t skewedByte(Random& random) {
    const std::uint64_t r = random.next();
    return r == 0 ? 63 : std::uint8_t(__builtin_ctzll(r));
}

inline Bytes make(const std::string& kind, std::size_t size, std::uint64_t seed) {
    Random random(seed);
    Bytes out;
    out.reserve(size + 4200);
    static const char* const words[] = {"the ",   "tally ", "of ",      "games ", "played ",
                                        "score ", "chain ", "cleared ", "peaks ", "a ",
                                        "card ",  "stock ", "discard ", "\r\n",   "solmarin "};
    while (out.size() < size) {
        if (kind == "zeros") {
            out.push_back(0);
        } else if (kind == "spaces") {
            out.push_back(' ');
        } else if (kind == "random") {
            out.push_back(std::uint8_t(random.next()));
        } else if (kind == "text") {
            const std::string w = words[random.below(15)];
            out.insert(out.end(), w.begin(), w.end());
        } else if (kind == "runs") {
            // Run lengths around every boundary of the run item, between random bytes.
            static const int lengths[] = {1,  2,   3,    14,   15,   16,   17,  18,
                                          19, 100, 4094, 4095, 4096, 4111, 4112};
            out.insert(out.end(), lengths[random.below(15)], std::uint8_t(random.below(4)));
            out.push_back(std::uint8_t(random.next()));
        } else if (kind == "periodic") {
            // Short periods repeat through copies whose offset is below their length.
            const int period = 1 + int(random.below(12));
            Bytes unit;
            for (int i = 0; i < period; ++i) {
                unit.push_back(std::uint8_t(random.next()));
            }
            const int repeats = 1 + int(random.below(20));
            for (int i = 0; i < repeats; ++i) {
                out.insert(out.end(), unit.begin(), unit.end());
            }
        } else if (kind == "skewed") {
            out.push_back(skewedByte(random));
        } else if (kind == "records") {
            // Binary records: small counters, a few flags, a repeated tag.
            const std::uint32_t n = std::uint32_t(out.size() / 16);
            const std::uint8_t record[16] = {'R',
                                             'E',
                                             'C',
                                             0,
                                             std::uint8_t(n),
                                             std::uint8_t(n >> 8),
                                             std::uint8_t(n >> 16),
                                             0,
                                             std::uint8_t(random.below(3)),
                                             0,
                                             0,
                                             0,
                                             std::uint8_t(random.next()),
                                             0xFF,
                                             0xFF,
                                             0x7F};
            out.insert(out.end(), record, record + 16);
        } else {
            ADD_FAILURE() << "unknown kind of test data " << kind;
            break;
        }
    }
    out.resize(size);
    return out;
}

struct Kind {
    std::string name;
    std::function<Bytes(std::size_t, std::uint64_t)> make;
};

inline std::vector<Kind> kinds() {
    std::vector<Kind> all;
    for (const char* name :
         {"zeros", "spaces", "random", "text", "runs", "periodic", "skewed", "records"}) {
        all.push_back({name, [name](std::size_t size, std::uint64_t seed) {
                           return make(name, size, seed);
                       }});
    }
    return all;
}

// Equal, or the position and values of the first difference.
inline ::testing::AssertionResult sameBytes(const Bytes& expected, const Bytes& actual) {
    const std::size_t common = std::min(expected.size(), actual.size());
    for (std::size_t i = 0; i < common; ++i) {
        if (expected[i] != actual[i]) {
            return ::testing::AssertionFailure()
                   << "first difference at byte " << i << ": expected " << int(expected[i])
                   << ", got " << int(actual[i]);
        }
    }
    if (expected.size() != actual.size()) {
        return ::testing::AssertionFailure()
               << "expected " << expected.size() << " bytes, got " << actual.size();
    }
    return ::testing::AssertionSuccess();
}

inline void expectSame(const Bytes& expected, const Bytes& actual) {
    ASSERT_TRUE(sameBytes(expected, actual));
}

} // namespace codec_data
