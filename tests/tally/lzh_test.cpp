// The LZH coder: exact output where it is fixed by the initial tree, round trips through tree
// rebuilds and long codes, and streams cut short.
#include "codec_data.h"
#include "lzh.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

using codec_data::Bytes;

namespace {

struct Channel {
    std::vector<std::uint8_t> input;
    std::vector<std::uint8_t> output;

    explicit Channel(std::size_t bufferSize) : input(bufferSize), output(bufferSize) {}
    TLZH::Buffers buffers() { return {input.data(), output.data(), input.size()}; }
};

TLZH::Reader readerOf(const Bytes& data, std::size_t* pos, int* calls = nullptr) {
    return [&data, pos, calls](std::uint8_t* buffer, std::size_t capacity) {
        if (calls) {
            ++*calls;
        }
        const std::size_t n = std::min(capacity, data.size() - *pos);
        std::copy(data.begin() + std::ptrdiff_t(*pos), data.begin() + std::ptrdiff_t(*pos + n),
                  buffer);
        *pos += n;
        return n;
    };
}

TLZH::Writer writerTo(Bytes* out) {
    return [out](const std::uint8_t* buffer, std::size_t count) {
        out->insert(out->end(), buffer, buffer + count);
    };
}

Bytes encode(TLZH& lzh, const Bytes& input, std::size_t bufferSize = 32768) {
    Channel channel(bufferSize);
    std::size_t pos = 0;
    Bytes coded;
    const std::int64_t consumed =
        lzh.EncodeLzh(readerOf(input, &pos), writerTo(&coded), channel.buffers());
    EXPECT_EQ(consumed, std::int64_t(input.size()));
    return coded;
}

TLZH::DecodeResult decode(TLZH& lzh, const Bytes& coded, std::int64_t size, Bytes* output,
                          std::size_t bufferSize = 32768) {
    Channel channel(bufferSize);
    std::size_t pos = 0;
    output->clear();
    return lzh.DecodeLzh(size, readerOf(coded, &pos), writerTo(output), channel.buffers());
}

// Drives the adaptive tree as deep as it goes: matches of 3..9 bytes whose counts follow the
// Fibonacci numbers (the weights of the deepest Huffman tree), each copied from a random place
// and chosen so it cannot run on into the next, and now and then a fresh literal. The literals
// stay rare and sit at the bottom of the tree, below the chain of lengths.
Bytes deepTreeInput(std::size_t size, std::uint64_t seed) {
    static const int weights[] = {13, 8, 5, 3, 2, 1, 1};
    constexpr int kLengths = 7;
    constexpr int kTotal = 33;
    constexpr int kLiteralEvery = 256;
    codec_data::Random random(seed);
    Bytes out;
    for (int i = 0; i < 256; ++i) {
        out.push_back(std::uint8_t(random.next()));
    }
    int credit[kLengths] = {};
    int avoid = -1;
    for (int token = 1; out.size() < size; ++token) {
        if (token % kLiteralEvery == 0) {
            std::uint8_t literal;
            do {
                literal = std::uint8_t(random.next());
            } while (literal == avoid);
            out.push_back(literal);
            avoid = -1;
        }
        // Smooth weighted round robin: the counts keep their proportions at every moment.
        int pick = 0;
        for (int k = 0; k < kLengths; ++k) {
            credit[k] += weights[k];
            if (credit[k] > credit[pick]) {
                pick = k;
            }
        }
        credit[pick] -= kTotal;
        const std::size_t length = 3 + std::size_t(pick);
        std::size_t from;
        do {
            const std::size_t span = std::min<std::size_t>(out.size() - length - 1, 4000);
            from = out.size() - length - 1 - random.below(unsigned(span));
        } while (avoid >= 0 && out[from] == avoid);
        for (std::size_t k = 0; k < length; ++k) {
            out.push_back(out[from + k]);
        }
        avoid = out[from + length];
    }
    out.resize(size);
    return out;
}

} // namespace

TEST(LzhCodec, SendsSpacesAsOneMatchIntoTheInitialFill) {
    TLZH lzh;
    // In the initial tree the length-3 symbol 256 is 10001100; position 0 is 000 and 000000.
    EXPECT_EQ(encode(lzh, Bytes(3, ' ')), (Bytes{0x8C, 0x00, 0x00}));
    for (int n = 3; n <= 60; ++n) {
        SCOPED_TRACE(n);
        const Bytes spaces(n, ' ');
        const Bytes coded = encode(lzh, spaces);
        EXPECT_LE(coded.size(), 3u) << "one symbol and one position, never literals";
        Bytes decoded;
        const auto result = decode(lzh, coded, n, &decoded);
        EXPECT_FALSE(result.truncated);
        EXPECT_EQ(decoded, spaces);
    }
}

TEST(LzhCodec, RoundTripsEveryKindOfDataAtEverySize) {
    TLZH lzh;
    const std::size_t sizes[] = {1,    2,    3,    4,     59,    60,    61,
                                 4095, 4096, 4097, 32767, 32768, 32769, 70000};
    for (const auto& kind : codec_data::kinds()) {
        const Bytes data = kind.make(70000, 5);
        for (std::size_t size : sizes) {
            for (std::size_t bufferSize : {std::size_t(64), std::size_t(32768)}) {
                SCOPED_TRACE(kind.name + " of " + std::to_string(size) + " through buffers of " +
                             std::to_string(bufferSize));
                const Bytes input(data.begin(), data.begin() + std::ptrdiff_t(size));
                const Bytes coded = encode(lzh, input, bufferSize);
                Bytes decoded;
                const auto result = decode(lzh, coded, std::int64_t(size), &decoded, bufferSize);
                ASSERT_FALSE(result.truncated);
                ASSERT_EQ(result.written, std::int64_t(size));
                ASSERT_TRUE(codec_data::sameBytes(input, decoded));
            }
        }
    }
}

TEST(LzhCodec, RoundTripsLongInputsAcrossTreeRebuilds) {
    TLZH lzh;
    // Random bytes are sent as literals: some 200000 symbols, several rebuilds of the tree.
    for (const char* kind : {"random", "text", "records"}) {
        SCOPED_TRACE(kind);
        const Bytes input = codec_data::make(kind, 200000, 17);
        Bytes decoded;
        const auto result = decode(lzh, encode(lzh, input), std::int64_t(input.size()), &decoded);
        ASSERT_FALSE(result.truncated);
        ASSERT_TRUE(codec_data::sameBytes(input, decoded));
    }
}

TEST(LzhCodec, WritesCodesLongerThanSixteenBitsWhole) {
    TLZH lzh;
    const Bytes input = deepTreeInput(300000, 1);
    const Bytes coded = encode(lzh, input);
    EXPECT_GT(lzh.LongestCode(), 16);
    Bytes decoded;
    const auto result = decode(lzh, coded, std::int64_t(input.size()), &decoded);
    EXPECT_FALSE(result.truncated);
    EXPECT_TRUE(codec_data::sameBytes(input, decoded));
}

TEST(LzhCodec, ReportsEveryStreamCutShort) {
    TLZH lzh;
    for (const char* kind : {"text", "random", "zeros"}) {
        SCOPED_TRACE(kind);
        const Bytes input = codec_data::make(kind, 3000, 29);
        const Bytes coded = encode(lzh, input);
        Bytes decoded;
        ASSERT_FALSE(decode(lzh, coded, std::int64_t(input.size()), &decoded).truncated);
        // Every byte the encoder wrote carries at least one bit that a code needs.
        for (std::size_t cut = 0; cut < coded.size(); ++cut) {
            SCOPED_TRACE(cut);
            const Bytes prefix(coded.begin(), coded.begin() + std::ptrdiff_t(cut));
            const auto result = decode(lzh, prefix, std::int64_t(input.size()), &decoded);
            ASSERT_TRUE(result.truncated);
            ASSERT_LE(result.written, std::int64_t(input.size()) + 60);
        }
    }
}

TEST(LzhCodec, ReportsAnOriginalSizeLargerThanTheStream) {
    TLZH lzh;
    const Bytes input = codec_data::make("text", 5000, 31);
    Bytes decoded;
    // Zero bits decode to valid symbols forever; the decoder must not make up the rest.
    const auto result = decode(lzh, encode(lzh, input), 2000000000, &decoded);
    EXPECT_TRUE(result.truncated);
    EXPECT_LT(result.written, 6000);
}

TEST(LzhCodec, ReadsNothingForAnEmptyOutput) {
    TLZH lzh;
    Channel channel(64);
    std::size_t pos = 0;
    int calls = 0;
    Bytes decoded;
    const Bytes coded = encode(lzh, Bytes{});
    const auto result =
        lzh.DecodeLzh(0, readerOf(coded, &pos, &calls), writerTo(&decoded), channel.buffers());
    EXPECT_EQ(result.written, 0);
    EXPECT_FALSE(result.truncated);
    EXPECT_EQ(calls, 0);
}
