// Round trips of arbitrary input through both codecs, as one block and as whole containers. Any
// silent corruption aborts with the position of the first wrong byte.
#include "lzrw1.h"
#include "lzrw1kh.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sstream>
#include <string>
#include <vector>

namespace {

void requireSame(const char* what, const std::uint8_t* expected, std::size_t expectedSize,
                 const std::string& actual) {
    const std::size_t common = std::min(expectedSize, actual.size());
    for (std::size_t i = 0; i < common; ++i) {
        if (expected[i] != std::uint8_t(actual[i])) {
            std::fprintf(stderr, "%s: first difference at byte %zu\n", what, i);
            std::abort();
        }
    }
    if (expectedSize != actual.size()) {
        std::fprintf(stderr, "%s: %zu bytes instead of %zu\n", what, actual.size(), expectedSize);
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* input, std::size_t inputSize) {
    static TLZR lzr;
    // A first byte of 0xFF tiles the rest past two block boundaries, so that short inputs also
    // reach the multi-block paths.
    std::vector<std::uint8_t> tiled;
    if (inputSize > 1 && input[0] == 0xFF) {
        while (tiled.size() < 2 * TLZR::kBlockSize + 1000) {
            tiled.insert(tiled.end(), input + 1, input + inputSize);
        }
    }
    const std::uint8_t* data = tiled.empty() ? input : tiled.data();
    const std::size_t size = tiled.empty() ? inputSize : tiled.size();
    // One block, with whatever happens to lie past the input.
    const std::size_t n = std::min<std::size_t>(size, TLZR::kBlockSize);
    std::vector<std::uint8_t> source(TLZR::kBufferSize, n > 0 ? data[n - 1] : 0);
    std::memcpy(source.data(), data, n);
    std::vector<std::uint8_t> block(TLZR::kBufferSize);
    const std::uint16_t length = lzr.CompressChunk(source.data(), std::uint16_t(n), block.data());
    if (length > n + 1) {
        std::abort();
    }
    std::vector<std::uint8_t> decoded(TLZR::kBufferSize);
    const int count = lzr.DecompressChunk(block.data(), length, decoded.data());
    if (count < 0) {
        std::abort();
    }
    requireSame("block", data, n, std::string(decoded.begin(), decoded.begin() + count));

    // Whole containers through streams, both codecs. LZH has no blocks, so tiled input would only
    // slow it down.
    for (TCompressMode mode : {TCompressMode::Fast, TCompressMode::Good}) {
        if (mode == TCompressMode::Good && !tiled.empty()) {
            continue;
        }
        std::istringstream plain(std::string(reinterpret_cast<const char*>(data), size));
        std::ostringstream packed;
        Tlzrw1 doit;
        doit.UseStream = true;
        doit.CompressMode = mode;
        doit.InputStream = &plain;
        doit.OutputStream = &packed;
        doit.Compress();
        std::istringstream packedIn(packed.str());
        std::ostringstream restored;
        doit.InputStream = &packedIn;
        doit.OutputStream = &restored;
        doit.Decompress();
        requireSame(mode == TCompressMode::Fast ? "fast" : "good", data, size, restored.str());
    }
    return 0;
}
