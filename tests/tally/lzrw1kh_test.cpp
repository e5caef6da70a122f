// The LZRW1/KH block coder: exact blocks, round trips over every kind of block, damaged blocks.
#include "codec_data.h"
#include "lzrw1kh.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

using codec_data::Bytes;

namespace {

Bytes compressBlock(TLZR& lzr, const Bytes& input, std::uint8_t slackFill = 0) {
    std::vector<std::uint8_t> source(TLZR::kBufferSize, slackFill);
    std::copy(input.begin(), input.end(), source.begin());
    std::vector<std::uint8_t> dest(TLZR::kBufferSize);
    const std::uint16_t length =
        lzr.CompressChunk(source.data(), std::uint16_t(input.size()), dest.data());
    return Bytes(dest.begin(), dest.begin() + length);
}

// Codes the first n bytes of data, which goes on past them (at least TLZR::kSlack bytes).
Bytes compressPrefix(TLZR& lzr, const Bytes& data, int n) {
    std::vector<std::uint8_t> dest(TLZR::kBufferSize);
    const std::uint16_t length = lzr.CompressChunk(data.data(), std::uint16_t(n), dest.data());
    return Bytes(dest.begin(), dest.begin() + length);
}

// Decodes from an exactly sized copy, so that any read past the block shows under the address
// sanitizer.
int decodeBlock(const TLZR& lzr, const Bytes& block, Bytes* output) {
    std::unique_ptr<std::uint8_t[]> exact(new std::uint8_t[block.size() + 1]);
    std::copy(block.begin(), block.end(), exact.get());
    std::vector<std::uint8_t> dest(TLZR::kBufferSize);
    const int count = lzr.DecompressChunk(exact.get(), unsigned(block.size()), dest.data());
    if (output && count >= 0) {
        output->assign(dest.begin(), dest.begin() + count);
    }
    return count;
}

// The items of a coded block as the format defines them: 'L' literal, 'C' copy, 'R' run with
// their lengths.
struct Item {
    char kind;
    int length;
    int offset;
};

std::vector<Item> parseItems(const Bytes& block) {
    std::vector<Item> items;
    if (block.empty() || block[0] == TLZR::kStored) {
        return items;
    }
    std::size_t x = 1;
    unsigned w = 0;
    int bits = 0;
    while (x < block.size()) {
        if (bits == 0) {
            w = unsigned(block[x]) << 8 | block[x + 1];
            x += 2;
            bits = 16;
        }
        if ((w & 0x8000) == 0) {
            items.push_back({'L', 1, 0});
            x += 1;
        } else {
            const int offset = block[x] << 4 | block[x + 1] >> 4;
            if (offset == 0) {
                items.push_back({'R', (block[x + 1] << 8 | block[x + 2]) + 16, 0});
                x += 4;
            } else {
                items.push_back({'C', (block[x + 1] & 15) + 3, offset});
                x += 2;
            }
        }
        w <<= 1;
        --bits;
    }
    return items;
}

// Seven run items of 4095 bytes of 'r' and an eighth with the rest of total (which a run item
// holds up to 4111).
Bytes runBlock(int total) {
    Bytes block = {0x40, 0xFF, 0x00};
    for (int i = 0; i < 8; ++i) {
        const int count = i < 7 ? 4095 : total - 7 * 4095;
        const Bytes run = {0x00, std::uint8_t((count - 16) >> 8), std::uint8_t(count - 16), 'r'};
        block.insert(block.end(), run.begin(), run.end());
    }
    return block;
}

// The block coder written out in the plainest way, 16-bit positions, byte loops and all: the
// tuned coder must write exactly the same blocks, since other programs read and write them too.
Bytes plainCompress(const Bytes& input) {
    const std::uint16_t n = std::uint16_t(input.size());
    Bytes s(input);
    s.resize(input.size() + TLZR::kSlack, 0xA5);
    Bytes d(TLZR::kBufferSize);
    std::int16_t table[4096];
    std::fill(table, table + 4096, -1);
    d[0] = 0x40;
    std::uint16_t x = 0, y = 3, z = 1, b = 0, w = 0;
    while (x < n && y <= n) {
        if (b > 15) {
            d[z] = std::uint8_t(w >> 8);
            d[z + 1] = std::uint8_t(w);
            z = y;
            y += 2;
            b = 0;
        }
        std::uint16_t r = 1;
        while (s[x + r] == s[x] && r < 4095 && x + r < n) {
            ++r;
        }
        if (r >= 16) {
            d[y] = 0;
            d[y + 1] = std::uint8_t((r - 16) >> 8);
            d[y + 2] = std::uint8_t(r - 16);
            d[y + 3] = s[x];
            y += 4;
            x += r;
            w = std::uint16_t(2 * w + 1);
        } else {
            std::uint32_t h = ((((std::uint32_t(s[x]) << 4) ^ s[x + 1]) << 4) ^ s[x + 2]);
            h = ((h * 40543u) >> 4) & 0x0FFF;
            const std::int16_t p = table[h];
            std::uint16_t m = 0;
            if (p != -1 && int(x) - p < 4096) {
                while (m < 18 && s[x + m] == s[p + m] && x + m < n) {
                    ++m;
                }
            }
            table[h] = std::int16_t(x);
            if (m >= 3) {
                const std::uint16_t v = std::uint16_t(((x - p) << 4) + (m - 3));
                d[y] = std::uint8_t(v >> 8);
                d[y + 1] = std::uint8_t(v);
                y += 2;
                x += m;
                w = std::uint16_t(2 * w + 1);
            } else {
                d[y++] = s[x++];
                w = std::uint16_t(2 * w);
            }
        }
        ++b;
    }
    w = std::uint16_t(w << (16 - b));
    d[z] = std::uint8_t(w >> 8);
    d[z + 1] = std::uint8_t(w);
    if (y > n) {
        d[0] = 0x80;
        std::copy(input.begin(), input.end(), d.begin() + 1);
        y = std::uint16_t(n + 1);
    }
    return Bytes(d.begin(), d.begin() + y);
}

} // namespace

TEST(Lzrw1khBlock, WritesTheSameBlocksAsThePlainCoder) {
    TLZR lzr;
    codec_data::Random random(99);
    for (const auto& kind : codec_data::kinds()) {
        for (std::uint64_t seed = 0; seed < 12; ++seed) {
            Bytes input = kind.make(1 + random.below(TLZR::kBlockSize), seed);
            // Sprinkle changes so that matches break off at every length.
            for (int i = 0; i < 20 && !input.empty(); ++i) {
                input[random.below(unsigned(input.size()))] ^= std::uint8_t(1 + random.below(255));
            }
            SCOPED_TRACE(kind.name + " seed " + std::to_string(seed));
            ASSERT_TRUE(codec_data::sameBytes(plainCompress(input), compressBlock(lzr, input)));
        }
    }
}

TEST(Lzrw1khBlock, WritesTheSameBlocksAsThePlainCoderNearTheEnds) {
    // The coder takes groups far from both ends of the block without end tests; near the ends,
    // after a run, and when the output catches up with the input it must test every item. The
    // bytes past each block are the data's own continuation, so a copy or run that ran on past
    // the end would find them and show.
    TLZR lzr;
    // A phrase longer than a copy, repeated: copies of the longest length right up to the end.
    const std::string phrase = "Peaks cleared: 3 of 3, chain 11, score 54. ";
    Bytes repeated;
    while (repeated.size() < std::size_t(TLZR::kBufferSize)) {
        repeated.insert(repeated.end(), phrase.begin(), phrase.end());
    }
    repeated.resize(TLZR::kBufferSize);
    auto kinds = codec_data::kinds();
    kinds.push_back({"repeated phrase", [&](std::size_t, std::uint64_t) { return repeated; }});
    for (const auto& kind : kinds) {
        const Bytes data = kind.make(TLZR::kBufferSize, 5);
        const auto check = [&](int size) {
            const Bytes input(data.begin(), data.begin() + size);
            return codec_data::sameBytes(plainCompress(input), compressPrefix(lzr, data, size));
        };
        // Every short block: output and input end after each kind of item, blocks coded to
        // exactly their length and blocks stored one byte longer.
        for (int size = 0; size <= 400; ++size) {
            ASSERT_TRUE(check(size)) << kind.name << " of " << size << " bytes";
        }
        // Every end of a full block within a group's reach of its last byte.
        for (int size = TLZR::kBlockSize - 300; size <= TLZR::kBlockSize; ++size) {
            ASSERT_TRUE(check(size)) << kind.name << " of " << size << " bytes";
        }
    }
}

TEST(Lzrw1khBlock, RunsEndingAtOrNearTheEndCodeLikeThePlainCoder) {
    // A run found far from the end may reach it; the bytes past the block go on with the run
    // itself or with the text after it.
    TLZR lzr;
    const Bytes text = codec_data::make("text", 2000, 11);
    for (int run : {16, 17, 300, 4000, 4095, 4096, 4111}) {
        const Bytes data = codec_data::concat({text, Bytes(run, 'z'), text});
        for (int after : {0, 1, 2, 3, 15, 16, 17, 18, 19, 287, 288, 289, 290}) {
            const int n = int(text.size()) + run + after;
            const Bytes input(data.begin(), data.begin() + n);
            ASSERT_TRUE(codec_data::sameBytes(plainCompress(input), compressPrefix(lzr, data, n)))
                << "a run of " << run << " with " << after << " bytes after it";
        }
        const Bytes endless = codec_data::concat({text, Bytes(run + TLZR::kSlack, 'z')});
        const int n = int(text.size()) + run;
        const Bytes input(endless.begin(), endless.begin() + n);
        ASSERT_TRUE(codec_data::sameBytes(plainCompress(input), compressPrefix(lzr, endless, n)))
            << "a run of " << run << " going on past the block";
    }
}

TEST(Lzrw1khBlock, CodesKnownBlocksByteForByte) {
    const struct {
        const char* name;
        Bytes input;
        Bytes block;
    } cases[] = {
        {"empty input is a stored block of nothing", {}, {0x80}},
        {"one byte is stored", {0x61}, {0x80, 0x61}},
        {"three bytes are stored", codec_data::text("abc"), {0x80, 0x61, 0x62, 0x63}},
        {"twenty a are one run item", Bytes(20, 0x61), {0x40, 0x80, 0x00, 0x00, 0x00, 0x04, 0x61}},
        {"abc four times is three literals and a copy",
         codec_data::text("abcabcabcabc"),
         {0x40, 0x10, 0x00, 0x61, 0x62, 0x63, 0x00, 0x36}},
    };
    TLZR lzr;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(compressBlock(lzr, c.input), c.block);
        Bytes decoded;
        EXPECT_EQ(decodeBlock(lzr, c.block, &decoded), int(c.input.size()));
        EXPECT_EQ(decoded, c.input);
    }
}

TEST(Lzrw1khBlock, RoundTripsEveryKindOfDataAtEverySize) {
    TLZR lzr;
    const int sizes[] = {0,   1,    2,    3,    4,    15,   16,    17,    18,    19,
                         100, 4095, 4096, 4097, 4111, 8192, 16385, 32766, 32767, 32768};
    for (const auto& kind : codec_data::kinds()) {
        const Bytes data = kind.make(TLZR::kBlockSize, 7);
        for (int size : sizes) {
            SCOPED_TRACE(kind.name + " of " + std::to_string(size) + " bytes");
            const Bytes input(data.begin(), data.begin() + size);
            const Bytes block = compressBlock(lzr, input);
            ASSERT_LE(block.size(), input.size() + 1);
            ASSERT_TRUE(block[0] == TLZR::kCoded || block[0] == TLZR::kStored);
            if (block.size() == input.size() + 1) {
                EXPECT_EQ(block[0], TLZR::kStored) << "a block that does not shrink is stored";
            }
            Bytes decoded;
            ASSERT_EQ(decodeBlock(lzr, block, &decoded), size);
            codec_data::expectSame(input, decoded);
        }
    }
}

TEST(Lzrw1khBlock, BytesPastTheInputNeverChangeTheBlock) {
    TLZR lzr;
    for (const auto& kind : codec_data::kinds()) {
        for (int size : {3, 4, 17, 1000, 32767}) {
            SCOPED_TRACE(kind.name + " of " + std::to_string(size));
            const Bytes input = kind.make(size, 3);
            EXPECT_EQ(compressBlock(lzr, input, 0x00), compressBlock(lzr, input, 0xFF));
            EXPECT_EQ(compressBlock(lzr, input, 0x00), compressBlock(lzr, input, input.back()));
        }
    }
}

TEST(Lzrw1khBlock, ChoosesRunsOnlyFromSixteenBytesAndSplitsThemAt4095) {
    TLZR lzr;
    const struct {
        const char* name;
        Bytes input;
        std::vector<char> kinds;
        int firstRun;
    } cases[] = {
        {"15 equal bytes are literals and a copy",
         codec_data::concat({Bytes(15, 'x'), codec_data::text("yz")}),
         {'L', 'C', 'L', 'L'},
         0},
        {"16 equal bytes are a run",
         codec_data::concat({Bytes(16, 'x'), codec_data::text("yz")}),
         {'R', 'L', 'L'},
         16},
        {"4095 is the longest run", Bytes(4095, 'x'), {'R'}, 4095},
        {"4096 is a run and a literal", Bytes(4096, 'x'), {'R', 'L'}, 4095},
        {"4111 is two runs", Bytes(4111, 'x'), {'R', 'R'}, 4095},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto items = parseItems(compressBlock(lzr, c.input));
        std::vector<char> kinds;
        for (const Item& item : items) {
            kinds.push_back(item.kind);
        }
        EXPECT_EQ(kinds, c.kinds);
        if (c.firstRun != 0) {
            EXPECT_EQ(items.front().length, c.firstRun);
        }
    }
}

TEST(Lzrw1khBlock, CopiesComeFromAtMost4095BytesBack) {
    TLZR lzr;
    // A pattern seen again 4095 and 4096 bytes later. The zeros between are run items, which
    // leave the hash table alone, so the second pattern surely finds the first.
    const Bytes pattern = codec_data::text("Tally list: games started, games cleared, percentage, "
                                           "longest chain and ten places of personal scores.");
    for (int gap : {4095 - int(pattern.size()), 4096 - int(pattern.size())}) {
        SCOPED_TRACE(gap);
        const Bytes filler(gap, 0);
        const Bytes input = codec_data::concat({pattern, filler, pattern});
        const Bytes block = compressBlock(lzr, input);
        int fromFirstCopy = 0;
        for (const Item& item : parseItems(block)) {
            EXPECT_LE(item.offset, 4095);
            if (item.kind == 'C' && item.offset == gap + int(pattern.size())) {
                ++fromFirstCopy;
            }
        }
        EXPECT_EQ(fromFirstCopy > 0, gap + int(pattern.size()) <= 4095);
        Bytes decoded;
        ASSERT_EQ(decodeBlock(lzr, block, &decoded), int(input.size()));
        EXPECT_EQ(decoded, input);
    }
}

TEST(Lzrw1khBlock, TakesShortOrFlaglessBlocksAsTheFormatDefines) {
    TLZR lzr;
    const struct {
        const char* name;
        Bytes block;
        Bytes output;
    } cases[] = {
        {"length 0", {}, {}},
        {"length 1 of any byte", {0x40}, {}},
        {"length 1 stored", {0x80}, {}},
        {"a coded block without items", {0x40, 0x00, 0x00}, {}},
        {"any flag but 0x80 means coded",
         {0x00, 0x10, 0x00, 0x61, 0x62, 0x63, 0x00, 0x36},
         codec_data::text("abcabcabcabc")},
        {"a stored block", {0x80, 1, 2, 3}, {1, 2, 3}},
        {"trailing literal bits end with the block",
         {0x40, 0x00, 0x00, 'h', 'i'},
         codec_data::text("hi")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Bytes decoded;
        EXPECT_EQ(decodeBlock(lzr, c.block, &decoded), int(c.output.size()));
        EXPECT_EQ(decoded, c.output);
    }
}

TEST(Lzrw1khBlock, RejectsDamagedBlocksWithoutLeavingItsBuffers) {
    TLZR lzr;
    const Bytes overflowingRuns = runBlock(TLZR::kBlockSize + 1);
    // One literal, then copies of 18 bytes at offset 1 until past the end of the output.
    Bytes overflowingCopies = {0x40};
    int produced = 1;
    for (bool first = true; produced <= TLZR::kBlockSize; first = false) {
        const unsigned word = first ? 0x7FFF : 0xFFFF;
        overflowingCopies.push_back(std::uint8_t(word >> 8));
        overflowingCopies.push_back(std::uint8_t(word));
        if (first) {
            overflowingCopies.push_back('c');
        }
        for (int i = first ? 1 : 0; i < 16; ++i) {
            overflowingCopies.push_back(0x00);
            overflowingCopies.push_back(0x1F);
            produced += 18;
        }
    }
    Bytes tooLong(TLZR::kMaxBlockLength + 1, 0x61);
    tooLong[0] = TLZR::kStored;

    const struct {
        const char* name;
        Bytes block;
    } cases[] = {
        {"a copy before the start of the block", {0x40, 0x80, 0x00, 0x00, 0x10}},
        {"a copy reaching one byte too far back", {0x40, 0x40, 0x00, 'a', 0x00, 0x20}},
        {"a copy cut off after its first byte", {0x40, 0x40, 0x00, 'a', 0x00}},
        {"a run cut off after three bytes", {0x40, 0x80, 0x00, 0x00, 0x00, 0x04}},
        {"a control word cut in half", {0x40, 0x00, 0x00, 'a', 'b', 'c', 'd', 'e', 'f', 'g',
                                        'h',  'i',  'j',  'k', 'l', 'm', 'n', 'o', 'p', 0x00}},
        {"a control word with no item after it",
         {0x40, 0x00, 0x00, 'a', 'b', 'c', 'd', 'e', 'f',  'g', 'h',
          'i',  'j',  'k',  'l', 'm', 'n', 'o', 'p', 0x00, 0x00}},
        {"runs producing more than a block", overflowingRuns},
        {"copies producing more than a block", overflowingCopies},
        {"a block longer than a stored full block", tooLong},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(decodeBlock(lzr, c.block, nullptr), TLZR::kDamaged);
    }
}

TEST(Lzrw1khBlock, DecodesTheLargestValidBlocks) {
    TLZR lzr;
    Bytes stored(TLZR::kMaxBlockLength, 0x5A);
    stored[0] = TLZR::kStored;
    Bytes decoded;
    EXPECT_EQ(decodeBlock(lzr, stored, &decoded), TLZR::kBlockSize);

    EXPECT_EQ(decodeBlock(lzr, runBlock(TLZR::kBlockSize), &decoded), TLZR::kBlockSize);
    EXPECT_EQ(decoded, Bytes(TLZR::kBlockSize, 'r'));
}
