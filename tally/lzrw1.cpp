// The compressor component: container header, block loop, I/O with its checks, the advisor and
// the status line.
#include "lzrw1.h"

#include "lzh.h"
#include "lzrw1kh.h"

#include <cstdio>
#include <filesystem>
#include <istream>
#include <limits>
#include <new>
#include <ostream>

#include <sys/stat.h>

namespace {

constexpr int kBlockSize = TLZR::kBlockSize;
// Advise samples two blocks away from the ends; a smaller input is always coded densely.
constexpr std::int64_t kAdviseMinimum = 3 * std::int64_t(kBlockSize);
constexpr std::int64_t kLargestOriginal = std::numeric_limits<std::int32_t>::max();

void putLittle32(std::uint8_t* p, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) {
        p[i] = static_cast<std::uint8_t>(v >> (8 * i));
    }
}

std::uint32_t getLittle32(const std::uint8_t* p) {
    return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 |
           std::uint32_t(p[3]) << 24;
}

std::int64_t percent(std::int64_t part, std::int64_t whole) {
    return whole > 0 ? part * 100 / whole : 0;
}

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

// One call's input: a file opened here or the caller's stream.
class Input {
public:
    explicit Input(std::istream* stream) : m_stream(stream) {
        if (m_stream) {
            m_start = m_stream->tellg();
        }
    }
    explicit Input(FilePtr file) : m_file(std::move(file)) {}

    bool usable() const { return m_file || (m_stream && m_stream->good()); }

    // Reads up to n bytes; fewer only at the end of the input or on an error.
    std::size_t read(std::uint8_t* buffer, std::size_t n, bool* error) {
        if (m_file) {
            const std::size_t got = std::fread(buffer, 1, n, m_file.get());
            *error = got < n && std::ferror(m_file.get());
            return got;
        }
        m_stream->read(reinterpret_cast<char*>(buffer), std::streamsize(n));
        const std::size_t got = std::size_t(m_stream->gcount());
        *error = m_stream->bad();
        return got;
    }

    // Positions the next read offset bytes after where the input started.
    bool seek(std::int64_t offset) {
        if (m_file) {
            return fseeko(m_file.get(), off_t(offset), SEEK_SET) == 0;
        }
        m_stream->clear();
        m_stream->seekg(m_start + std::streamoff(offset));
        return !m_stream->fail();
    }

private:
    FilePtr m_file;
    std::istream* m_stream = nullptr;
    std::streampos m_start;
};

// One call's output: a file created here, removed again unless the call succeeds, or the
// caller's stream.
class Output {
public:
    explicit Output(std::ostream* stream) : m_stream(stream) {}
    // Only a regular file is removed on failure: a device such as /dev/null must stay.
    Output(FilePtr file, std::string path) : m_file(std::move(file)) {
        struct stat info;
        if (fstat(fileno(m_file.get()), &info) == 0 && S_ISREG(info.st_mode)) {
            m_path = std::move(path);
        }
    }
    ~Output() { discard(); }

    bool write(const std::uint8_t* data, std::size_t n) {
        if (m_file) {
            return std::fwrite(data, 1, n, m_file.get()) == n;
        }
        m_stream->write(reinterpret_cast<const char*>(data), std::streamsize(n));
        return m_stream->good();
    }

    // Flushes and closes; false when the last bytes could not be written.
    bool finish() {
        if (m_file) {
            const bool ok = std::fflush(m_file.get()) == 0 && !std::ferror(m_file.get());
            const bool closed = std::fclose(m_file.release()) == 0;
            if (!ok || !closed) {
                return false;
            }
            m_path.clear();
            return true;
        }
        m_stream->flush();
        return m_stream->good();
    }

    // A failed call leaves no partial output file behind.
    void discard() {
        if (m_file) {
            m_file.reset();
        }
        if (!m_path.empty()) {
            std::remove(m_path.c_str());
            m_path.clear();
        }
    }

private:
    FilePtr m_file;
    std::string m_path;
    std::ostream* m_stream = nullptr;
};

using Buffer = std::unique_ptr<std::uint8_t[]>;

Buffer allocateBuffer() {
    return Buffer(new (std::nothrow) std::uint8_t[TLZR::kBufferSize]());
}

// The messages, in the file or the stream form as the component is set.
struct Messages {
    const Tlzrw1& c;

    std::string readInput(const char* codec = nullptr) const {
        if (c.UseStream) {
            return "Lzrw1 : Error reading from input stream !";
        }
        std::string text = "Lzrw1 : Error reading from input file : " + c.InputFile;
        if (codec) {
            text += std::string(" (") + codec + ")";
        }
        return text;
    }
    std::string size() const {
        return c.UseStream ? "Lzrw1 compression : Failed to obtain the size of the input stream !"
                           : "Lzrw1 compression : Failed to obtain the size of : " + c.InputFile;
    }
    std::string tooLarge() const {
        return c.UseStream
                   ? "Lzrw1 compression : Input stream is too large (2 GB or more) !"
                   : "Lzrw1 compression : Input file is too large (2 GB or more) : " + c.InputFile;
    }
    std::string openInput() const {
        return c.UseStream ? "Lzrw1 (de)compression : Failed to initialize input stream !"
                           : "Lzrw1 (de)compression : Failed to open input file : " + c.InputFile;
    }
    std::string openOutput() const {
        return c.UseStream ? "Lzrw1 (de)compression : Failed to initialize output stream !"
                           : "Lzrw1 (de)compression : Failed to open output file : " + c.OutputFile;
    }
    std::string header() const {
        return c.UseStream
                   ? "Lzrw1 decompression : input stream contains no valid header !"
                   : c.InputFile + " : Lzrw1 decompression : this file has no valid header !";
    }
    std::string originalSize() const {
        return c.UseStream
                   ? "Lzrw1 decompression : invalid original size in input stream !"
                   : c.InputFile + " : Lzrw1 decompression : invalid original size in header !";
    }
    std::string damagedBlock() const {
        return c.UseStream ? "Lzrw1 (decompression LZRW1/KH) : Damaged block in input stream !"
                           : "Lzrw1 (decompression LZRW1/KH) : Damaged block in input file : " +
                                 c.InputFile;
    }
    std::string writeOutput() const {
        return c.UseStream ? "Lzrw1 : Error writing to output stream !"
                           : "Lzrw1 : Error writing to output file : " + c.OutputFile;
    }
    std::string adviseSize() const {
        return c.UseStream ? "Lzrw1 advise : can not get the size of the input stream !"
                           : "Lzrw1 advise : can not get the size of : " + c.InputFile;
    }
    std::string adviseOpen() const {
        return c.UseStream ? "Lzrw1 advise : can not initialize the input stream !"
                           : "Lzrw1 advise : can open input file : " + c.InputFile;
    }
    std::string adviseRead() const {
        return c.UseStream ? "Lzrw1 advise : read error on input stream !"
                           : "Lzrw1 advise : read error on input file : " + c.InputFile;
    }
};

} // namespace

// The state of one Compress or Decompress call.
struct Tlzrw1::Call {
    Buffer in;
    Buffer out;
    std::unique_ptr<Input> input;
    std::unique_ptr<Output> output;
    std::int64_t bytesIn = 0;
    std::int64_t bytesOut = 0;

    void write(const Messages& msg, const std::uint8_t* data, std::size_t n) {
        if (!output->write(data, n)) {
            throw ELzrw1Exception(msg.writeOutput());
        }
        bytesOut += std::int64_t(n);
    }
    // Both I/O buffers, or the memory error.
    void allocateBuffers();
    // The input and then the output, or the error that names the one that failed.
    void openBoth(const Tlzrw1& c, const Messages& msg);
};

namespace {

// The byte length of the input from its current position, or -1 when it cannot be told.
std::int64_t inputSize(const Tlzrw1& c) {
    if (c.UseStream) {
        std::istream* s = c.InputStream;
        if (!s || !s->good()) {
            return -1;
        }
        const std::streampos start = s->tellg();
        if (start == std::streampos(-1) || !s->seekg(0, std::ios::end)) {
            s->clear();
            return -1;
        }
        const std::streampos end = s->tellg();
        s->seekg(start);
        if (end == std::streampos(-1) || s->fail()) {
            s->clear();
            return -1;
        }
        return std::int64_t(end - start);
    }
    // Only a regular file has a size to put in the header; a folder or a pipe has none.
    FilePtr f(std::fopen(c.InputFile.c_str(), "rb"));
    struct stat info;
    if (!f || fstat(fileno(f.get()), &info) != 0 || !S_ISREG(info.st_mode)) {
        return -1;
    }
    return std::int64_t(info.st_size);
}

std::unique_ptr<Input> openInput(const Tlzrw1& c) {
    if (c.UseStream) {
        auto input = std::make_unique<Input>(c.InputStream);
        return c.InputStream && input->usable() ? std::move(input) : nullptr;
    }
    FilePtr f(std::fopen(c.InputFile.c_str(), "rb"));
    return f ? std::make_unique<Input>(std::move(f)) : nullptr;
}

std::unique_ptr<Output> createOutput(const Tlzrw1& c) {
    if (c.UseStream) {
        if (!c.OutputStream || !c.OutputStream->good()) {
            return nullptr;
        }
        return std::make_unique<Output>(c.OutputStream);
    }
    // Creating the output truncates it: were it the input, the data would be gone.
    std::error_code ec;
    if (std::filesystem::equivalent(c.InputFile, c.OutputFile, ec)) {
        return nullptr;
    }
    FilePtr f(std::fopen(c.OutputFile.c_str(), "wb"));
    return f ? std::make_unique<Output>(std::move(f), c.OutputFile) : nullptr;
}

} // namespace

void Tlzrw1::Call::allocateBuffers() {
    in = allocateBuffer();
    out = allocateBuffer();
    if (!in || !out) {
        throw ELzrw1Exception("Lzrw1 (de)compression : Failed to get memory for I/O buffers !");
    }
}

void Tlzrw1::Call::openBoth(const Tlzrw1& c, const Messages& msg) {
    input = openInput(c);
    if (!input) {
        throw ELzrw1Exception(msg.openInput());
    }
    output = createOutput(c);
    if (!output) {
        throw ELzrw1Exception(msg.openOutput());
    }
}

Tlzrw1::Tlzrw1() : m_lzr(std::make_unique<TLZR>()), m_lzh(std::make_unique<TLZH>()) {}

Tlzrw1::~Tlzrw1() = default;

void Tlzrw1::setCaption(const std::string& text) {
    if (Visible) {
        Caption = text;
    }
}

void Tlzrw1::pump() {
    if (ProcessMessages) {
        ProcessMessages();
    }
}

void Tlzrw1::showProgress(const char* codec, const Call& call) {
    if (Visible) {
        Caption = std::string("(") + codec + ") Bytes in : " + std::to_string(call.bytesIn) +
                  " Bytes out : " + std::to_string(call.bytesOut);
    }
}

std::int64_t Tlzrw1::Compress() {
    const Messages msg{*this};
    TCompressMode mode = CompressMode;
    if (mode == TCompressMode::Auto) {
        mode = Advise();
    }
    Call call;
    call.allocateBuffers();
    const std::uint32_t magic = mode == TCompressMode::Fast ? kMagicFast : kMagicGood;
    if (UseStream && (!InputStream || !InputStream->good())) {
        throw ELzrw1Exception(msg.openInput());
    }
    const std::int64_t originalSize = inputSize(*this);
    if (originalSize < 0) {
        throw ELzrw1Exception(msg.size());
    }
    // The header holds the size in 31 bits; a file that does not fit could never be restored.
    if (originalSize > kLargestOriginal) {
        throw ELzrw1Exception(msg.tooLarge());
    }
    call.openBoth(*this, msg);

    std::uint8_t field[4];
    putLittle32(field, magic);
    call.write(msg, field, 4);
    pump();
    putLittle32(field, std::uint32_t(originalSize));
    call.write(msg, field, 4);
    pump();
    const char* codec = mode == TCompressMode::Fast ? "LZRW1/KH" : "LZH";
    if (mode == TCompressMode::Fast) {
        compressFast(call);
    } else {
        compressGood(call);
    }
    // An input that changed its size while it was read would get a header it does not match.
    if (call.bytesIn != originalSize) {
        throw ELzrw1Exception(msg.readInput(codec));
    }
    if (!call.output->finish()) {
        throw ELzrw1Exception(msg.writeOutput());
    }
    call.input.reset();
    setCaption(InputFile + " : Lzrw1 : successfully compressed at " +
               std::to_string(percent(call.bytesOut, call.bytesIn)) + "%");
    return call.bytesOut;
}

std::int64_t Tlzrw1::compressFast(Call& call) {
    const Messages msg{*this};
    for (;;) {
        bool error = false;
        const std::size_t got = call.input->read(call.in.get(), kBlockSize, &error);
        if (error) {
            throw ELzrw1Exception(msg.readInput("LZRW1/KH"));
        }
        pump();
        call.bytesIn += std::int64_t(got);
        const std::uint16_t length =
            m_lzr->CompressChunk(call.in.get(), std::uint16_t(got), call.out.get());
        const std::uint8_t field[2] = {std::uint8_t(length), std::uint8_t(length >> 8)};
        call.write(msg, field, 2);
        pump();
        call.write(msg, call.out.get(), length);
        pump();
        showProgress("LZRW1/KH", call);
        if (got < std::size_t(kBlockSize)) {
            return call.bytesOut;
        }
    }
}

std::int64_t Tlzrw1::compressGood(Call& call) {
    const Messages msg{*this};
    const TLZH::Reader read = [&](std::uint8_t* buffer, std::size_t capacity) {
        bool error = false;
        const std::size_t got = call.input->read(buffer, capacity, &error);
        if (error) {
            throw ELzrw1Exception(msg.readInput("LZH"));
        }
        call.bytesIn += std::int64_t(got);
        showProgress("LZH", call);
        pump();
        return got;
    };
    const TLZH::Writer write = [&](const std::uint8_t* buffer, std::size_t count) {
        call.write(msg, buffer, count);
        showProgress("LZH", call);
        pump();
    };
    m_lzh->EncodeLzh(read, write, {call.in.get(), call.out.get(), std::size_t(kBlockSize)});
    return call.bytesOut;
}

std::int64_t Tlzrw1::Decompress() {
    const Messages msg{*this};
    Call call;
    call.allocateBuffers();
    call.openBoth(*this, msg);

    std::uint8_t field[4];
    bool error = false;
    const std::size_t gotMagic = call.input->read(field, 4, &error);
    if (error) {
        throw ELzrw1Exception(msg.readInput());
    }
    pump();
    const std::uint32_t magic = gotMagic == 4 ? getLittle32(field) : 0;
    if (magic != kMagicFast && magic != kMagicGood) {
        throw ELzrw1Exception(msg.header());
    }
    call.bytesIn = 4;
    if (call.input->read(field, 4, &error) != 4) {
        throw ELzrw1Exception(msg.readInput());
    }
    pump();
    call.bytesIn += 4;
    const std::int64_t originalSize = std::int32_t(getLittle32(field));
    if (originalSize < 0) {
        throw ELzrw1Exception(msg.originalSize());
    }
    if (magic == kMagicFast) {
        decompressFast(call, originalSize);
    } else {
        decompressGood(call, originalSize);
    }
    if (!call.output->finish()) {
        throw ELzrw1Exception(msg.writeOutput());
    }
    call.input.reset();
    setCaption(InputFile + " : Lzrw1 : successfully decompressed at " +
               std::to_string(percent(call.bytesOut, call.bytesIn)) + "%");
    return call.bytesOut;
}

void Tlzrw1::decompressFast(Call& call, std::int64_t originalSize) {
    const Messages msg{*this};
    const std::string mismatch =
        "Lzrw1 (decompression LZRW1/KH) : Original and compressed sizes do not match !";
    int lastLength = kBlockSize;
    while (lastLength == kBlockSize) {
        bool error = false;
        std::uint8_t field[2];
        if (call.input->read(field, 2, &error) != 2) {
            throw ELzrw1Exception(msg.readInput());
        }
        const unsigned length = field[0] | unsigned(field[1]) << 8;
        // Checked before reading: a longer block would overrun the buffer.
        if (length > unsigned(TLZR::kMaxBlockLength)) {
            throw ELzrw1Exception(msg.damagedBlock());
        }
        if (call.input->read(call.in.get(), length, &error) != length) {
            throw ELzrw1Exception(msg.readInput());
        }
        pump();
        call.bytesIn += length + 2;
        const int count = m_lzr->DecompressChunk(call.in.get(), length, call.out.get());
        if (count == TLZR::kDamaged) {
            throw ELzrw1Exception(msg.damagedBlock());
        }
        // Stop as soon as the total cannot match rather than writing what a damaged header
        // makes of the rest of the file.
        if (call.bytesOut + count > originalSize) {
            throw ELzrw1Exception(mismatch);
        }
        lastLength = count;
        call.write(msg, call.out.get(), std::size_t(count));
        pump();
        showProgress("LZRW1/KH", call);
    }
    if (call.bytesOut != originalSize) {
        throw ELzrw1Exception(mismatch);
    }
}

void Tlzrw1::decompressGood(Call& call, std::int64_t originalSize) {
    const Messages msg{*this};
    const TLZH::Reader read = [&](std::uint8_t* buffer, std::size_t capacity) {
        bool error = false;
        const std::size_t got = call.input->read(buffer, capacity, &error);
        if (error) {
            throw ELzrw1Exception(msg.readInput("LZH"));
        }
        call.bytesIn += std::int64_t(got);
        pump();
        return got;
    };
    const TLZH::Writer write = [&](const std::uint8_t* buffer, std::size_t count) {
        call.write(msg, buffer, count);
        showProgress("LZH", call);
        pump();
    };
    const TLZH::DecodeResult result = m_lzh->DecodeLzh(
        originalSize, read, write, {call.in.get(), call.out.get(), std::size_t(kBlockSize)});
    // A stream cut short would otherwise decode to zero bits and pass the size check.
    if (result.truncated) {
        throw ELzrw1Exception(msg.readInput("LZH"));
    }
    if (result.written != originalSize) {
        throw ELzrw1Exception("Lzrw1 (LZH decompression) : Original and compressed sizes do not "
                              "match !");
    }
}

TCompressMode Tlzrw1::Advise() {
    const Messages msg{*this};
    setCaption("Guessing the best compression mode for : " + InputFile);
    Buffer in = allocateBuffer();
    Buffer out = allocateBuffer();
    if (!in || !out) {
        throw ELzrw1Exception("Lzrw1 advise : Error getting I/O buffers");
    }
    const std::int64_t size = inputSize(*this);
    if (size < 0) {
        throw ELzrw1Exception(msg.adviseSize());
    }
    std::unique_ptr<Input> input = openInput(*this);
    if (!input) {
        throw ELzrw1Exception(msg.adviseOpen());
    }
    if (size < kAdviseMinimum) {
        CompressMode = TCompressMode::Good;
        setCaption("Lzrw1 recommends GOOD compression :  small file !!");
        return TCompressMode::Good;
    }
    std::int64_t sampled = 0;
    std::int64_t coded = 0;
    for (const std::int64_t at : {size / 3, 2 * size / 3}) {
        bool error = false;
        const std::int64_t offset = at / kBlockSize * kBlockSize;
        const std::size_t got =
            input->seek(offset) ? input->read(in.get(), kBlockSize, &error) : (error = true, 0);
        if (error) {
            throw ELzrw1Exception(msg.adviseRead());
        }
        pump();
        sampled += std::int64_t(got);
        coded += m_lzr->CompressChunk(in.get(), std::uint16_t(got), out.get());
    }
    // The caller reads the stream from where it stood.
    input->seek(0);
    const std::int64_t ratio = percent(coded, sampled);
    if (coded < sampled * Threshold / 100) {
        setCaption("Lzrw1 recommends FAST compression : " + std::to_string(ratio) + "%.");
        return TCompressMode::Fast;
    }
    setCaption("Lzrw1 recommends GOOD compression : " + std::to_string(ratio) + "%.");
    return TCompressMode::Good;
}
