// Speed of both codecs in both directions beside zlib level 1 and LZ4, in MB/s of uncompressed
// data, with the compression ratio (packed / original) as a counter. Run:
//   build/bin/codec_bench --benchmark_counters_tabular=true
#include "lzh.h"
#include "lzrw1kh.h"

#include <benchmark/benchmark.h>
#include <lz4.h>
#include <zlib.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <random>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

namespace {

constexpr std::size_t kCorpusSize = 2 << 20;

// Files under root, in a fixed order, whose names pass the filter, up to kCorpusSize bytes.
Bytes gather(const std::vector<std::string>& roots,
             const std::function<bool(const fs::path&)>& wanted) {
    std::vector<fs::path> files;
    for (const std::string& root : roots) {
        std::error_code ec;
        if (fs::is_regular_file(root, ec)) {
            files.push_back(root);
            continue;
        }
        for (auto it = fs::recursive_directory_iterator(root, ec);
             !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
            if (it->is_regular_file(ec) && wanted(it->path())) {
                files.push_back(it->path());
            }
        }
    }
    std::sort(files.begin(), files.end());
    Bytes corpus;
    for (const fs::path& file : files) {
        std::ifstream in(file, std::ios::binary);
        const Bytes data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        corpus.insert(corpus.end(), data.begin(),
                      data.begin() +
                          std::ptrdiff_t(std::min(data.size(), kCorpusSize - corpus.size())));
        if (corpus.size() >= kCorpusSize) {
            break;
        }
    }
    return corpus;
}

Bytes synthetic(bool random) {
    std::mt19937_64 rng(1);
    Bytes out;
    while (out.size() < kCorpusSize) {
        if (random) {
            out.push_back(std::uint8_t(rng()));
        } else {
            // Records: a tag, counters, flags and a few runs, as tables and saved games look.
            const std::uint32_t n = std::uint32_t(out.size() / 32);
            const std::uint8_t record[16] = {'R',
                                             'E',
                                             'C',
                                             0,
                                             std::uint8_t(n),
                                             std::uint8_t(n >> 8),
                                             0,
                                             0,
                                             std::uint8_t(rng() % 3),
                                             0,
                                             0,
                                             0,
                                             std::uint8_t(rng()),
                                             0xFF,
                                             0xFF,
                                             0x7F};
            out.insert(out.end(), record, record + 16);
            out.insert(out.end(), rng() % 24, 0);
        }
    }
    out.resize(kCorpusSize);
    return out;
}

const Bytes& corpus(const std::string& name) {
    static std::map<std::string, Bytes> all;
    auto it = all.find(name);
    if (it != all.end()) {
        return it->second;
    }
    Bytes data;
    if (name == "text") {
        data = gather({"/usr/share/common-licenses", "/usr/share/doc"}, [](const fs::path& p) {
            const std::string n = p.filename().string();
            return n == "copyright" || n.find('.') == std::string::npos || p.extension() == ".txt";
        });
    } else if (name == "source") {
        data = gather({"/usr/include/c++", "/usr/include"}, [](const fs::path& p) {
            const std::string e = p.extension().string();
            return e == ".h" || e == ".hpp" || e == ".tcc" || e.empty();
        });
    } else if (name == "binary") {
        data = gather({"/usr/bin/cmake", "/usr/bin/ctest", "/usr/lib/x86_64-linux-gnu"},
                      [](const fs::path& p) {
                          return p.extension() == ".so" ||
                                 p.string().find(".so.") != std::string::npos;
                      });
    } else if (name == "records") {
        data = synthetic(false);
    } else {
        data = synthetic(true);
    }
    return all.emplace(name, std::move(data)).first->second;
}

// LZRW1/KH the way the container lays it out: 2-byte length, block, per 32768 input bytes.
std::size_t lzrwCompress(TLZR& lzr, const Bytes& in, Bytes& out) {
    out.resize(in.size() + in.size() / TLZR::kBlockSize * 3 + TLZR::kBufferSize + 2);
    std::size_t at = 0;
    std::vector<std::uint8_t> block(TLZR::kBufferSize);
    for (std::size_t pos = 0; pos < in.size(); pos += TLZR::kBlockSize) {
        const std::size_t n = std::min<std::size_t>(TLZR::kBlockSize, in.size() - pos);
        // The coder may read kSlack bytes past the block: inside the corpus they are there, the
        // last block goes through a buffer of the coder's size, as the compressor's blocks do.
        const std::uint8_t* source = in.data() + pos;
        if (pos + n + TLZR::kSlack > in.size()) {
            std::copy(source, source + n, block.begin());
            source = block.data();
        }
        const std::uint16_t length = lzr.CompressChunk(source, std::uint16_t(n), &out[at + 2]);
        out[at] = std::uint8_t(length);
        out[at + 1] = std::uint8_t(length >> 8);
        at += 2 + length;
    }
    return at;
}

std::size_t lzrwDecompress(const TLZR& lzr, const Bytes& packed, std::size_t packedSize,
                           Bytes& out) {
    std::size_t at = 0;
    std::size_t produced = 0;
    while (at < packedSize) {
        const unsigned length = packed[at] | unsigned(packed[at + 1]) << 8;
        produced += std::size_t(lzr.DecompressChunk(&packed[at + 2], length, &out[produced]));
        at += 2 + length;
    }
    return produced;
}

std::size_t lzhCompress(TLZH& lzh, const Bytes& in, Bytes& out) {
    std::vector<std::uint8_t> a(TLZR::kBlockSize), b(TLZR::kBlockSize);
    std::size_t pos = 0;
    out.clear();
    lzh.EncodeLzh(
        [&](std::uint8_t* buffer, std::size_t capacity) {
            const std::size_t n = std::min(capacity, in.size() - pos);
            std::memcpy(buffer, in.data() + pos, n);
            pos += n;
            return n;
        },
        [&](const std::uint8_t* buffer, std::size_t count) {
            out.insert(out.end(), buffer, buffer + count);
        },
        {a.data(), b.data(), a.size()});
    return out.size();
}

std::size_t lzhDecompress(TLZH& lzh, const Bytes& packed, std::size_t size, Bytes& out) {
    std::vector<std::uint8_t> a(TLZR::kBlockSize), b(TLZR::kBlockSize);
    std::size_t pos = 0;
    std::size_t at = 0;
    lzh.DecodeLzh(
        std::int64_t(size),
        [&](std::uint8_t* buffer, std::size_t capacity) {
            const std::size_t n = std::min(capacity, packed.size() - pos);
            std::memcpy(buffer, packed.data() + pos, n);
            pos += n;
            return n;
        },
        [&](const std::uint8_t* buffer, std::size_t count) {
            std::memcpy(out.data() + at, buffer, count);
            at += count;
        },
        {a.data(), b.data(), a.size()});
    return at;
}

enum class Codec { Lzrw1kh, Lzh, Zlib1, Lz4 };

// Packs the corpus once; returns the packed size.
std::size_t pack(Codec codec, const Bytes& in, Bytes& out) {
    static TLZR lzr;
    static TLZH lzh;
    switch (codec) {
    case Codec::Lzrw1kh:
        return lzrwCompress(lzr, in, out);
    case Codec::Lzh:
        return lzhCompress(lzh, in, out);
    case Codec::Zlib1: {
        uLongf size = compressBound(uLong(in.size()));
        out.resize(size);
        compress2(out.data(), &size, in.data(), uLong(in.size()), 1);
        return size;
    }
    case Codec::Lz4:
        out.resize(std::size_t(LZ4_compressBound(int(in.size()))));
        return std::size_t(LZ4_compress_default(reinterpret_cast<const char*>(in.data()),
                                                reinterpret_cast<char*>(out.data()), int(in.size()),
                                                int(out.size())));
    }
    return 0;
}

std::size_t unpack(Codec codec, const Bytes& packed, std::size_t packedSize, std::size_t size,
                   Bytes& out) {
    static TLZR lzr;
    static TLZH lzh;
    switch (codec) {
    case Codec::Lzrw1kh:
        return lzrwDecompress(lzr, packed, packedSize, out);
    case Codec::Lzh:
        return lzhDecompress(lzh, packed, size, out);
    case Codec::Zlib1: {
        uLongf n = uLongf(out.size());
        uncompress(out.data(), &n, packed.data(), uLong(packedSize));
        return n;
    }
    case Codec::Lz4:
        return std::size_t(LZ4_decompress_safe(reinterpret_cast<const char*>(packed.data()),
                                               reinterpret_cast<char*>(out.data()), int(packedSize),
                                               int(out.size())));
    }
    return 0;
}

void compressBench(benchmark::State& state, Codec codec, const std::string& name) {
    const Bytes& in = corpus(name);
    Bytes out;
    std::size_t packed = 0;
    for (auto _ : state) {
        packed = pack(codec, in, out);
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(std::int64_t(state.iterations() * in.size()));
    state.counters["ratio"] = double(packed) / double(in.size());
}

void decompressBench(benchmark::State& state, Codec codec, const std::string& name) {
    const Bytes& in = corpus(name);
    Bytes packed;
    const std::size_t packedSize = pack(codec, in, packed);
    Bytes out(in.size() + TLZR::kBufferSize);
    std::size_t produced = 0;
    for (auto _ : state) {
        produced = unpack(codec, packed, packedSize, in.size(), out);
        benchmark::DoNotOptimize(out.data());
    }
    if (produced != in.size() || std::memcmp(out.data(), in.data(), in.size()) != 0) {
        state.SkipWithError("the round trip does not restore the corpus");
    }
    state.SetBytesProcessed(std::int64_t(state.iterations() * in.size()));
    state.counters["ratio"] = double(packedSize) / double(in.size());
}

const struct {
    const char* name;
    Codec codec;
} kCodecs[] = {
    {"lzrw1kh", Codec::Lzrw1kh}, {"lzh", Codec::Lzh}, {"zlib1", Codec::Zlib1}, {"lz4", Codec::Lz4}};

const char* const kCorpora[] = {"text", "source", "binary", "records", "random"};

int registerAll() {
    for (const char* name : kCorpora) {
        for (const auto& c : kCodecs) {
            benchmark::RegisterBenchmark((std::string("compress/") + name + "/" + c.name).c_str(),
                                         compressBench, c.codec, std::string(name))
                ->Unit(benchmark::kMillisecond);
            benchmark::RegisterBenchmark((std::string("decompress/") + name + "/" + c.name).c_str(),
                                         decompressBench, c.codec, std::string(name))
                ->Unit(benchmark::kMillisecond);
        }
    }
    return 0;
}

const int kRegistered = registerAll();

} // namespace

BENCHMARK_MAIN();
