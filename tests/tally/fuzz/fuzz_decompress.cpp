// Decompression of hostile input: single LZRW1/KH blocks and whole containers of either form. Each
// call must succeed or throw ELzrw1Exception, and never reach outside its buffers.
#include "lzrw1.h"
#include "lzrw1kh.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace {

// Counts what it is given and keeps none of it: a damaged header may claim gigabytes.
class CountingBuffer : public std::streambuf {
public:
    std::int64_t count = 0;

protected:
    int_type overflow(int_type c) override {
        ++count;
        return traits_type::not_eof(c);
    }
    std::streamsize xsputn(const char*, std::streamsize n) override {
        count += n;
        return n;
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    static TLZR lzr;
    // The block in a buffer of exactly its size, so that any read past it is caught.
    const std::size_t length = size - 1;
    std::unique_ptr<std::uint8_t[]> block(new std::uint8_t[length == 0 ? 1 : length]);
    std::memcpy(block.get(), data + 1, length);
    std::vector<std::uint8_t> output(TLZR::kBufferSize);
    const int count = lzr.DecompressChunk(block.get(), unsigned(length), output.data());
    if (count != TLZR::kDamaged && (count < 0 || count > TLZR::kBlockSize)) {
        std::abort();
    }

    // The first byte picks the magic put in front, or none, so both decoders see most inputs.
    std::string packed;
    if ((data[0] & 3) == 1) {
        packed = "WRZL";
    } else if ((data[0] & 3) == 2) {
        packed = "!HZL";
    }
    packed.append(reinterpret_cast<const char*>(data + 1), length);
    std::istringstream in(packed);
    CountingBuffer counter;
    std::ostream out(&counter);
    Tlzrw1 doit;
    doit.UseStream = true;
    doit.InputStream = &in;
    doit.OutputStream = &out;
    try {
        const std::int64_t written = doit.Decompress();
        if (written != counter.count) {
            std::abort();
        }
    } catch (const ELzrw1Exception&) {
    }
    return 0;
}
