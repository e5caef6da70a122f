// The compressor component at its seam: files and streams in and out, exact containers, every
// failure's message and the promise that a failed call leaves no output file.
#include "codec_data.h"
#include "lzrw1.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include <unistd.h>

using codec_data::Bytes;
namespace fs = std::filesystem;

namespace {

class Lzrw1Files : public ::testing::Test {
protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        m_dir = fs::temp_directory_path() /
                (std::string("solmarin-lzrw1-") + info->name() + "-" + std::to_string(::getpid()));
        fs::remove_all(m_dir);
        fs::create_directories(m_dir);
    }
    void TearDown() override { fs::remove_all(m_dir); }

    std::string path(const std::string& name) const { return (m_dir / name).string(); }

    static void writeFile(const std::string& file, const Bytes& data) {
        std::ofstream out(file, std::ios::binary);
        out.write(reinterpret_cast<const char*>(data.data()), std::streamsize(data.size()));
    }
    static Bytes readFile(const std::string& file) {
        std::ifstream in(file, std::ios::binary);
        return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

    // Compresses data from a file into another and returns the container.
    Bytes compress(const Bytes& data, TCompressMode mode) {
        writeFile(path("plain"), data);
        Tlzrw1 doit;
        doit.InputFile = path("plain");
        doit.OutputFile = path("packed");
        doit.CompressMode = mode;
        const std::int64_t written = doit.Compress();
        Bytes packed = readFile(path("packed"));
        EXPECT_EQ(written, std::int64_t(packed.size()));
        return packed;
    }

    Bytes decompress(const Bytes& packed) {
        writeFile(path("packed"), packed);
        Tlzrw1 doit;
        doit.InputFile = path("packed");
        doit.OutputFile = path("restored");
        const std::int64_t written = doit.Decompress();
        Bytes restored = readFile(path("restored"));
        EXPECT_EQ(written, std::int64_t(restored.size()));
        return restored;
    }

    fs::path m_dir;
};

Bytes header(const char* magic, std::uint32_t size) {
    Bytes h(magic, magic + 4);
    for (int i = 0; i < 4; ++i) {
        h.push_back(std::uint8_t(size >> (8 * i)));
    }
    return h;
}

// The default tally table's text form: 9 columns, 12 rows, cells column by column.
Bytes defaultTallyText() {
    std::string text = "9\r\n12\r\n";
    for (int column = 0; column < 9; ++column) {
        for (int row = 0; row < 12; ++row) {
            std::string cell;
            if (row == 0 && column <= 4) {
                cell = "0";
            } else if (column == 1 && row >= 1 && row <= 10) {
                cell = "-1000";
            }
            text += cell + "\r\n";
        }
    }
    return codec_data::text(text);
}

std::string messageOf(const std::function<void()>& call) {
    try {
        call();
    } catch (const ELzrw1Exception& e) {
        return e.what();
    }
    return "(no failure)";
}

} // namespace

TEST_F(Lzrw1Files, WritesKnownContainersByteForByte) {
    const Bytes abc4 = codec_data::text("abcabcabcabc");
    const struct {
        const char* name;
        Bytes input;
        TCompressMode mode;
        Bytes file;
    } cases[] = {
        {"empty input",
         {},
         TCompressMode::Fast,
         codec_data::concat({header("WRZL", 0), {1, 0, 0x80}})},
        {"twenty a", Bytes(20, 'a'), TCompressMode::Fast,
         codec_data::concat({header("WRZL", 20), {7, 0, 0x40, 0x80, 0, 0, 0, 4, 0x61}})},
        {"abc four times", abc4, TCompressMode::Fast,
         codec_data::concat(
             {header("WRZL", 12), {8, 0, 0x40, 0x10, 0x00, 0x61, 0x62, 0x63, 0x00, 0x36}})},
        {"abc stored", codec_data::text("abc"), TCompressMode::Fast,
         codec_data::concat({header("WRZL", 3), {4, 0, 0x80, 0x61, 0x62, 0x63}})},
        {"three spaces as one LZH match", Bytes(3, ' '), TCompressMode::Good,
         codec_data::concat({header("!HZL", 3), {0x8C, 0x00, 0x00}})},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(compress(c.input, c.mode), c.file);
        EXPECT_EQ(decompress(c.file), c.input);
    }
}

TEST_F(Lzrw1Files, EndsBlockMultiplesWithABlockOfNothing) {
    for (std::size_t size : {std::size_t(32768), std::size_t(65536)}) {
        SCOPED_TRACE(size);
        const Bytes input = codec_data::make("text", size, 1);
        const Bytes packed = compress(input, TCompressMode::Fast);
        std::size_t at = 8;
        std::vector<unsigned> lengths;
        while (at + 2 <= packed.size()) {
            lengths.push_back(packed[at] | unsigned(packed[at + 1]) << 8);
            at += 2 + lengths.back();
        }
        EXPECT_EQ(at, packed.size());
        EXPECT_EQ(lengths.size(), size / 32768 + 1);
        EXPECT_EQ(Bytes(packed.end() - 3, packed.end()), (Bytes{0x01, 0x00, 0x80}));
        EXPECT_TRUE(codec_data::sameBytes(input, decompress(packed)));
    }
}

TEST_F(Lzrw1Files, StoresTheDefaultTallyIn73Bytes) {
    const Bytes text = defaultTallyText();
    ASSERT_EQ(text.size(), 278u);
    const Bytes packed = compress(text, TCompressMode::Fast);
    EXPECT_EQ(packed.size(), 73u);
    const Bytes start = {0x57, 0x52, 0x5A, 0x4C, 0x16, 0x01, 0x00, 0x00, 0x3F, 0x00, 0x40};
    EXPECT_EQ(Bytes(packed.begin(), packed.begin() + 11), start);
    EXPECT_EQ(decompress(packed), text);
}

TEST_F(Lzrw1Files, RoundTripsFilesOfEverySizeWithBothCodecs) {
    const std::size_t sizes[] = {0, 1, 2, 3, 32767, 32768, 32769, 65536, 65537, 100000};
    for (const char* kind : {"text", "random", "runs", "records"}) {
        const Bytes data = codec_data::make(kind, 100000, 9);
        for (std::size_t size : sizes) {
            for (TCompressMode mode : {TCompressMode::Fast, TCompressMode::Good}) {
                SCOPED_TRACE(std::string(kind) + " of " + std::to_string(size) +
                             (mode == TCompressMode::Fast ? " fast" : " good"));
                const Bytes input(data.begin(), data.begin() + std::ptrdiff_t(size));
                const Bytes packed = compress(input, mode);
                ASSERT_EQ(Bytes(packed.begin(), packed.begin() + 4),
                          codec_data::text(mode == TCompressMode::Fast ? "WRZL" : "!HZL"));
                ASSERT_TRUE(codec_data::sameBytes(input, decompress(packed)));
            }
        }
    }
}

TEST(Lzrw1Streams, RoundTripWithoutFilesFromWhereTheInputStands) {
    for (TCompressMode mode : {TCompressMode::Fast, TCompressMode::Good, TCompressMode::Auto}) {
        for (std::size_t size : {std::size_t(0), std::size_t(5000), std::size_t(150000)}) {
            SCOPED_TRACE(std::to_string(int(mode)) + " " + std::to_string(size));
            const Bytes data = codec_data::make("text", size, 4);
            std::istringstream plain("skipped:" + std::string(data.begin(), data.end()));
            plain.seekg(8);
            std::ostringstream packed;
            Tlzrw1 doit;
            doit.UseStream = true;
            doit.CompressMode = mode;
            doit.InputStream = &plain;
            doit.OutputStream = &packed;
            const std::int64_t written = doit.Compress();
            EXPECT_EQ(written, std::int64_t(packed.str().size()));

            std::istringstream packedIn(packed.str());
            std::ostringstream restored;
            doit.InputStream = &packedIn;
            doit.OutputStream = &restored;
            EXPECT_EQ(doit.Decompress(), std::int64_t(size));
            const std::string text = restored.str();
            ASSERT_TRUE(codec_data::sameBytes(data, Bytes(text.begin(), text.end())));
        }
    }
}

TEST_F(Lzrw1Files, FailuresNameTheirCauseAndLeaveNoOutputFile) {
    const Bytes text = codec_data::make("text", 70000, 2);
    const Bytes fast = compress(text, TCompressMode::Fast);
    const Bytes good = compress(text, TCompressMode::Good);
    const Bytes spacesGood = compress(Bytes(60, ' '), TCompressMode::Good);
    const Bytes exactBlock = compress(Bytes(32768, 'q'), TCompressMode::Fast);
    const auto withSize = [](Bytes file, std::uint32_t size) {
        for (int i = 0; i < 4; ++i) {
            file[4 + i] = std::uint8_t(size >> (8 * i));
        }
        return file;
    };
    const auto cut = [](const Bytes& file, std::size_t n) {
        return Bytes(file.begin(), file.begin() + std::ptrdiff_t(n));
    };
    const std::string in = path("in");
    const std::string mismatchKH =
        "Lzrw1 (decompression LZRW1/KH) : Original and compressed sizes do not match !";
    const std::string damaged =
        "Lzrw1 (decompression LZRW1/KH) : Damaged block in input file : " + in;
    const std::string readError = "Lzrw1 : Error reading from input file : " + in;

    const struct {
        const char* name;
        Bytes file;
        std::string message;
    } cases[] = {
        {"an unknown magic", codec_data::concat({header("WRZX", 3), {4, 0, 0x80, 1, 2, 3}}),
         in + " : Lzrw1 decompression : this file has no valid header !"},
        {"an empty file", {}, in + " : Lzrw1 decompression : this file has no valid header !"},
        {"a file of only the magic", header("WRZL", 0), readError},
        {"a file ending inside a block", cut(fast, fast.size() / 2), readError},
        {"a file ending inside a block length", cut(fast, 9), readError},
        {"a file missing its closing block", cut(exactBlock, exactBlock.size() - 3), readError},
        {"a header one byte too large", withSize(fast, 70001), mismatchKH},
        {"a header one byte too small", withSize(fast, 69999), mismatchKH},
        {"a copy before the start of a block",
         codec_data::concat({header("WRZL", 18), {5, 0, 0x40, 0x80, 0x00, 0x00, 0x1F}}), damaged},
        {"a block longer than any block",
         codec_data::concat({header("WRZL", 40000), {0x40, 0x9C}, Bytes(40000, 0)}), damaged},
        {"a negative original size", withSize(fast, 0x80000000u),
         in + " : Lzrw1 decompression : invalid original size in header !"},
        {"an LZH file cut short", cut(good, good.size() - 1), readError + " (LZH)"},
        {"an LZH header larger than its data", withSize(good, 70001), readError + " (LZH)"},
        {"an LZH match running past the original size", withSize(spacesGood, 59),
         "Lzrw1 (LZH decompression) : Original and compressed sizes do not match !"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        writeFile(in, c.file);
        writeFile(path("out"), codec_data::text("an older file"));
        Tlzrw1 doit;
        doit.InputFile = in;
        doit.OutputFile = path("out");
        EXPECT_EQ(messageOf([&] { doit.Decompress(); }), c.message);
        EXPECT_FALSE(fs::exists(path("out")));
    }
}

TEST_F(Lzrw1Files, ReportsFilesThatCannotBeOpenedOrWritten) {
    writeFile(path("in"), codec_data::text("some text to pack"));
    const std::string missing = path("missing");
    const std::string noFolder = path("no/such/folder");
    const struct {
        const char* name;
        bool compress;
        std::string input;
        std::string output;
        std::string message;
    } cases[] = {
        {"compressing a missing file", true, missing, path("out"),
         "Lzrw1 compression : Failed to obtain the size of : " + missing},
        {"compressing a folder", true, m_dir.string(), path("out"),
         "Lzrw1 compression : Failed to obtain the size of : " + m_dir.string()},
        {"decompressing a missing file", false, missing, path("out"),
         "Lzrw1 (de)compression : Failed to open input file : " + missing},
        {"an output in a missing folder", true, path("in"), noFolder,
         "Lzrw1 (de)compression : Failed to open output file : " + noFolder},
        {"an output that is the input", true, path("in"), path("in"),
         "Lzrw1 (de)compression : Failed to open output file : " + path("in")},
        {"an output that is the input by another name", true, path("in"),
         (m_dir / "." / "in").string(),
         "Lzrw1 (de)compression : Failed to open output file : " + (m_dir / "." / "in").string()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Tlzrw1 doit;
        doit.InputFile = c.input;
        doit.OutputFile = c.output;
        EXPECT_EQ(messageOf([&] { c.compress ? doit.Compress() : doit.Decompress(); }), c.message);
        EXPECT_FALSE(fs::exists(path("out")));
    }
    EXPECT_EQ(readFile(path("in")), codec_data::text("some text to pack"));
}

TEST_F(Lzrw1Files, ReportsAFullDiskAndLeavesTheDeviceAlone) {
    if (!fs::exists("/dev/full")) {
        GTEST_SKIP() << "no /dev/full here";
    }
    writeFile(path("in"), codec_data::make("random", 100000, 3));
    for (TCompressMode mode : {TCompressMode::Fast, TCompressMode::Good}) {
        Tlzrw1 doit;
        doit.InputFile = path("in");
        doit.OutputFile = "/dev/full";
        doit.CompressMode = mode;
        EXPECT_EQ(messageOf([&] { doit.Compress(); }),
                  "Lzrw1 : Error writing to output file : /dev/full");
        EXPECT_TRUE(fs::exists("/dev/full"));
    }
}

TEST_F(Lzrw1Files, RefusesInputsWhoseSizeTheHeaderCannotHold) {
    const std::string big = path("big");
    { std::ofstream create(big); }
    std::error_code ec;
    fs::resize_file(big, std::uintmax_t(1) << 31, ec);
    if (ec) {
        GTEST_SKIP() << "no sparse file of 2 GB here: " << ec.message();
    }
    Tlzrw1 doit;
    doit.InputFile = big;
    doit.OutputFile = path("out");
    doit.CompressMode = TCompressMode::Fast;
    EXPECT_EQ(messageOf([&] { doit.Compress(); }),
              "Lzrw1 compression : Input file is too large (2 GB or more) : " + big);
    EXPECT_FALSE(fs::exists(path("out")));
}

TEST_F(Lzrw1Files, KeepsTheStatusLineOnlyWhenVisible) {
    const Bytes input = codec_data::make("zeros", 70000, 1);
    writeFile(path("in"), input);
    Tlzrw1 doit;
    doit.InputFile = path("in");
    doit.OutputFile = path("packed");
    doit.CompressMode = TCompressMode::Fast;
    std::vector<std::string> seen;
    doit.ProcessMessages = [&] { seen.push_back(doit.Caption); };
    const std::int64_t written = doit.Compress();
    EXPECT_EQ(doit.Caption, path("in") + " : Lzrw1 : successfully compressed at " +
                                std::to_string(written * 100 / 70000) + "%");
    const Bytes packed = readFile(path("packed"));
    const int firstBlock = packed[8] | packed[9] << 8;
    EXPECT_NE(
        std::find(seen.begin(), seen.end(),
                  "(LZRW1/KH) Bytes in : 32768 Bytes out : " + std::to_string(10 + firstBlock)),
        seen.end());

    doit.InputFile = path("packed");
    doit.OutputFile = path("restored");
    EXPECT_EQ(doit.Decompress(), 70000);
    EXPECT_EQ(doit.Caption, path("packed") + " : Lzrw1 : successfully decompressed at " +
                                std::to_string(70000 * 100 / written) + "%");

    writeFile(path("empty"), {});
    doit.InputFile = path("empty");
    doit.OutputFile = path("packed");
    doit.CompressMode = TCompressMode::Good;
    doit.Compress();
    EXPECT_EQ(doit.Caption.rfind(path("empty") + " : Lzrw1 : successfully compressed at ", 0), 0u);

    Tlzrw1 hidden;
    hidden.Visible = false;
    hidden.InputFile = path("in");
    hidden.OutputFile = path("packed");
    hidden.Compress();
    hidden.Advise();
    EXPECT_EQ(hidden.Caption, "");
}

TEST_F(Lzrw1Files, LetsTheApplicationRunBetweenBlocks) {
    for (TCompressMode mode : {TCompressMode::Fast, TCompressMode::Good}) {
        writeFile(path("in"), codec_data::make("text", 5 * 32768, 6));
        Tlzrw1 doit;
        doit.InputFile = path("in");
        doit.OutputFile = path("packed");
        doit.CompressMode = mode;
        int calls = 0;
        doit.ProcessMessages = [&] { ++calls; };
        doit.Compress();
        EXPECT_GE(calls, 6);
        calls = 0;
        doit.InputFile = path("packed");
        doit.OutputFile = path("restored");
        doit.Decompress();
        EXPECT_GE(calls, 5);
    }
}

TEST_F(Lzrw1Files, AdvisesFromTwoSampleBlocksOrDenseForSmallFiles) {
    const Bytes zeros(32768, 0);
    const Bytes noise = codec_data::make("random", 32768, 8);
    const struct {
        const char* name;
        Bytes input;
        int threshold;
        TCompressMode advice;
        std::string caption;
    } cases[] = {
        {"98303 bytes are small", Bytes(98303, 0), 40, TCompressMode::Good,
         "Lzrw1 recommends GOOD compression :  small file !!"},
        {"98304 zeros pack well", Bytes(98304, 0), 40, TCompressMode::Fast,
         "Lzrw1 recommends FAST compression : 0%."},
        {"noise does not pack", codec_data::make("random", 200000, 8), 40, TCompressMode::Good,
         "Lzrw1 recommends GOOD compression : 100%."},
        // Six blocks: the samples are blocks 2 and 4, counted from 0.
        {"only the sampled blocks count",
         codec_data::concat({noise, noise, zeros, noise, zeros, noise}), 40, TCompressMode::Fast,
         "Lzrw1 recommends FAST compression : 0%."},
        {"the other blocks do not", codec_data::concat({zeros, zeros, noise, zeros, noise, zeros}),
         40, TCompressMode::Good, "Lzrw1 recommends GOOD compression : 100%."},
        {"the threshold decides", codec_data::concat({noise, noise, zeros, noise, noise, noise}),
         60, TCompressMode::Fast, "Lzrw1 recommends FAST compression : 50%."},
        {"below it, not at it", codec_data::concat({noise, noise, zeros, noise, noise, noise}), 50,
         TCompressMode::Good, "Lzrw1 recommends GOOD compression : 50%."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        writeFile(path("in"), c.input);
        Tlzrw1 doit;
        doit.InputFile = path("in");
        doit.Threshold = c.threshold;
        doit.CompressMode = TCompressMode::Auto;
        EXPECT_EQ(doit.Advise(), c.advice);
        EXPECT_EQ(doit.Caption, c.caption);
        // Only the small-file advice changes the mode for later calls.
        EXPECT_EQ(doit.CompressMode,
                  c.input.size() < 98304 ? TCompressMode::Good : TCompressMode::Auto);
    }
}

TEST_F(Lzrw1Files, AutoModeWritesTheAdvisedCodec) {
    const struct {
        Bytes input;
        const char* magic;
    } cases[] = {
        {Bytes(200000, 'z'), "WRZL"},
        {codec_data::make("random", 200000, 5), "!HZL"},
        {Bytes(1000, 'z'), "!HZL"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.magic);
        const Bytes packed = compress(c.input, TCompressMode::Auto);
        EXPECT_EQ(Bytes(packed.begin(), packed.begin() + 4), codec_data::text(c.magic));
        EXPECT_TRUE(codec_data::sameBytes(c.input, decompress(packed)));
    }
}

TEST_F(Lzrw1Files, ReportsAdviseFailures) {
    Tlzrw1 doit;
    doit.InputFile = path("missing");
    EXPECT_EQ(messageOf([&] { doit.Advise(); }),
              "Lzrw1 advise : can not get the size of : " + path("missing"));
}

namespace {

// A stream buffer that cannot seek and takes only a limited number of bytes.
class LimitedBuffer : public std::streambuf {
public:
    explicit LimitedBuffer(std::size_t room) : m_room(room) {}

protected:
    int_type overflow(int_type c) override {
        if (m_room == 0) {
            return traits_type::eof();
        }
        --m_room;
        return traits_type::not_eof(c);
    }

private:
    std::size_t m_room;
};

} // namespace

TEST(Lzrw1Streams, NameTheStreamInTheirFailures) {
    const std::string text(100000, 't');
    LimitedBuffer unseekable(0);
    std::istream noSeek(&unseekable);
    std::ostringstream sink;
    std::ostream broken(nullptr);
    LimitedBuffer small(100);
    std::ostream full(&small);
    std::istringstream notPacked("this is not a packed stream");

    const struct {
        const char* name;
        bool compress;
        std::istream* input;
        std::ostream* output;
        std::string message;
    } cases[] = {
        {"no input stream", true, nullptr, &sink,
         "Lzrw1 (de)compression : Failed to initialize input stream !"},
        {"no input stream to decompress", false, nullptr, &sink,
         "Lzrw1 (de)compression : Failed to initialize input stream !"},
        {"an input of unknown size", true, &noSeek, &sink,
         "Lzrw1 compression : Failed to obtain the size of the input stream !"},
        {"a broken output stream", true, nullptr, &broken,
         "Lzrw1 (de)compression : Failed to initialize output stream !"},
        {"an output stream that fills up", true, nullptr, &full,
         "Lzrw1 : Error writing to output stream !"},
        {"no header", false, &notPacked, &sink,
         "Lzrw1 decompression : input stream contains no valid header !"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::istringstream plain(text);
        Tlzrw1 doit;
        doit.UseStream = true;
        doit.CompressMode = TCompressMode::Fast;
        doit.InputStream = c.input ? c.input : &plain;
        if (std::string(c.name).rfind("no input", 0) == 0) {
            doit.InputStream = nullptr;
        }
        doit.OutputStream = c.output;
        EXPECT_EQ(messageOf([&] { c.compress ? doit.Compress() : doit.Decompress(); }), c.message);
    }
}
