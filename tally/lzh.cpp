// LZH coder: LZSS with binary search trees for the matches, an adaptive Huffman code for literals
// and lengths, and a fixed prefix code for the upper bits of match positions.
#include "lzh.h"

#include "lzrw1error.h"
#include "wordaccess.h"

#include <cstring>
#include <memory>
#include <new>

namespace {

constexpr int kRingSize = 4096;
constexpr int kRingMask = kRingSize - 1;
constexpr int kLookAhead = 60;
// Matches of this length or shorter cost more than the literals they replace.
constexpr int kThreshold = 2;
constexpr int kSymbols = 256 - kThreshold + kLookAhead; // literals, then lengths 3..60
constexpr int kNodes = 2 * kSymbols - 1;
constexpr int kRoot = kNodes - 1;
// Counts are halved before the root's could leave 16 bits; this also bounds the tree's depth.
constexpr unsigned kRebuildLimit = 0x8000;
constexpr unsigned kSentinel = 0xFFFF;
constexpr int kRingStart = kRingSize - kLookAhead;
constexpr std::uint8_t kFill = 0x20;
constexpr int kNone = kRingSize;
constexpr int kPositionLowBits = 6;

// The fixed prefix code of a position's upper six bits: canonical, lengths 3 to 8.
struct PositionCode {
    std::uint8_t length[64] = {};
    std::uint8_t code[64] = {}; // left-aligned in a byte
    std::uint8_t decodeUpper[256] = {};
    std::uint8_t decodeLength[256] = {};
};

constexpr int positionCodeLength(int u) {
    return u < 1 ? 3 : u < 4 ? 4 : u < 12 ? 5 : u < 24 ? 6 : u < 48 ? 7 : 8;
}

constexpr PositionCode makePositionCode() {
    PositionCode table;
    unsigned code = 0;
    for (int u = 0; u < 64; ++u) {
        const int length = positionCodeLength(u);
        if (u > 0) {
            code = (code + 1) << (length - positionCodeLength(u - 1));
        }
        table.length[u] = static_cast<std::uint8_t>(length);
        table.code[u] = static_cast<std::uint8_t>(code << (8 - length));
        const unsigned first = code << (8 - length);
        for (unsigned b = first; b < first + (1u << (8 - length)); ++b) {
            table.decodeUpper[b] = static_cast<std::uint8_t>(u);
            table.decodeLength[b] = static_cast<std::uint8_t>(length);
        }
    }
    return table;
}

constexpr PositionCode kPositionCode = makePositionCode();

using wordaccess::equalLeadingBytes;
using wordaccess::load64;

// The adaptive Huffman model; encoder and decoder update it identically after every symbol.
// Nodes stay in non-decreasing order of count with siblings adjacent, which keeps the tree a
// Huffman tree of the current counts.
struct Model {
    unsigned count[kNodes + 1];
    int child[kNodes];             // first child of an inner node, kNodes + symbol for a leaf
    int parent[kNodes + kSymbols]; // parent of each node, then the leaf of each symbol

    void start() {
        for (int v = 0; v < kSymbols; ++v) {
            count[v] = 1;
            child[v] = v + kNodes;
            parent[v + kNodes] = v;
        }
        for (int i = 0, j = kSymbols; j <= kRoot; i += 2, ++j) {
            count[j] = count[i] + count[i + 1];
            child[j] = i;
            parent[i] = parent[i + 1] = j;
        }
        count[kNodes] = kSentinel;
        parent[kRoot] = 0;
    }

    void rebuild() {
        int j = 0;
        for (int i = 0; i < kNodes; ++i) {
            if (child[i] >= kNodes) {
                count[j] = (count[i] + 1) / 2;
                child[j] = child[i];
                ++j;
            }
        }
        for (int i = 0, n = kSymbols; n < kNodes; i += 2, ++n) {
            const unsigned f = count[i] + count[i + 1];
            count[n] = f;
            int k = n - 1;
            while (f < count[k]) {
                --k;
            }
            ++k;
            std::memmove(&count[k + 1], &count[k], (n - k) * sizeof count[0]);
            count[k] = f;
            std::memmove(&child[k + 1], &child[k], (n - k) * sizeof child[0]);
            child[k] = i;
        }
        for (int i = 0; i < kNodes; ++i) {
            const int k = child[i];
            if (k >= kNodes) {
                parent[k] = i;
            } else {
                parent[k] = parent[k + 1] = i;
            }
        }
    }

    void update(int symbol) {
        if (count[kRoot] == kRebuildLimit) {
            rebuild();
        }
        int c = parent[symbol + kNodes];
        do {
            const unsigned f = ++count[c];
            int l = c + 1;
            if (f > count[l]) {
                while (f > count[++l]) {
                }
                --l;
                count[c] = count[l];
                count[l] = f;
                const int i = child[c];
                parent[i] = l;
                if (i < kNodes) {
                    parent[i + 1] = l;
                }
                const int j = child[l];
                child[l] = i;
                parent[j] = c;
                if (j < kNodes) {
                    parent[j + 1] = c;
                }
                child[c] = j;
                c = l;
            }
        } while ((c = parent[c]) != 0);
    }
};

// The encoder's window and its search trees: one binary tree per first byte, keyed by the 60
// bytes at each position.
struct Dictionary {
    // The first kLookAhead - 1 bytes are mirrored behind the end so a key never wraps.
    std::uint8_t ring[kRingSize + kLookAhead - 1];
    int dad[kRingSize + 1];
    int lson[kRingSize + 1];
    int rson[kRingSize + 257];
    int matchPosition;
    int matchLength;

    void clear() {
        for (int i = kRingSize + 1; i <= kRingSize + 256; ++i) {
            rson[i] = kNone;
        }
        for (int i = 0; i < kRingSize; ++i) {
            dad[i] = kNone;
        }
    }

    // Compares the key at r with the node at p from the second byte on; returns the number of
    // equal leading bytes and in *cmp the sign of the first difference.
    int compare(const std::uint8_t* key, int p, int* cmp) const {
        const std::uint8_t* node = &ring[p];
        int i = 1;
        for (; i + 8 <= kLookAhead; i += 8) {
            const std::uint64_t diff = load64(key + i) ^ load64(node + i);
            if (diff != 0) {
                i += equalLeadingBytes(diff);
                *cmp = int(key[i]) - int(node[i]);
                return i;
            }
        }
        for (; i < kLookAhead; ++i) {
            if ((*cmp = int(key[i]) - int(node[i])) != 0) {
                return i;
            }
        }
        *cmp = 0;
        return i;
    }

    void insert(int r) {
        int cmp = 1;
        const std::uint8_t* key = &ring[r];
        int p = kRingSize + 1 + key[0];
        rson[r] = lson[r] = kNone;
        matchLength = 0;
        for (;;) {
            if (cmp >= 0) {
                if (rson[p] == kNone) {
                    rson[p] = r;
                    dad[r] = p;
                    return;
                }
                p = rson[p];
            } else {
                if (lson[p] == kNone) {
                    lson[p] = r;
                    dad[r] = p;
                    return;
                }
                p = lson[p];
            }
            const int i = compare(key, p, &cmp);
            if (i > kThreshold) {
                const int position = ((r - p) & kRingMask) - 1;
                if (i > matchLength) {
                    matchPosition = position;
                    if ((matchLength = i) >= kLookAhead) {
                        break;
                    }
                } else if (i == matchLength && position < matchPosition) {
                    matchPosition = position;
                }
            }
        }
        // A full-length match: r replaces p, which can never be a better match again.
        dad[r] = dad[p];
        lson[r] = lson[p];
        rson[r] = rson[p];
        dad[lson[p]] = r;
        dad[rson[p]] = r;
        if (rson[dad[p]] == p) {
            rson[dad[p]] = r;
        } else {
            lson[dad[p]] = r;
        }
        dad[p] = kNone;
    }

    void remove(int p) {
        if (dad[p] == kNone) {
            return;
        }
        int q;
        if (rson[p] == kNone) {
            q = lson[p];
        } else if (lson[p] == kNone) {
            q = rson[p];
        } else {
            q = lson[p];
            if (rson[q] != kNone) {
                do {
                    q = rson[q];
                } while (rson[q] != kNone);
                rson[dad[q]] = lson[q];
                dad[lson[q]] = dad[q];
                lson[q] = lson[p];
                dad[lson[p]] = q;
            }
            rson[q] = rson[p];
            dad[rson[p]] = q;
        }
        dad[q] = dad[p];
        if (rson[dad[p]] == p) {
            rson[dad[p]] = q;
        } else {
            lson[dad[p]] = q;
        }
        dad[p] = kNone;
    }
};

struct Source {
    const TLZH::Reader& read;
    std::uint8_t* buffer;
    std::size_t capacity;
    std::size_t pos = 0;
    std::size_t end = 0;
    bool ended = false;

    // The next byte, or -1 once the input has ended.
    int get() {
        if (pos == end) {
            if (ended) {
                return -1;
            }
            end = read(buffer, capacity);
            pos = 0;
            if (end == 0) {
                ended = true;
                return -1;
            }
        }
        return buffer[pos++];
    }
};

struct Sink {
    const TLZH::Writer& write;
    std::uint8_t* buffer;
    std::size_t capacity;
    std::size_t pos = 0;
    std::int64_t total = 0;

    void put(std::uint8_t byte) {
        buffer[pos++] = byte;
        if (pos == capacity) {
            flush();
        }
    }
    void flush() {
        if (pos != 0) {
            write(buffer, pos);
            total += std::int64_t(pos);
            pos = 0;
        }
    }
};

// Most significant bit first; the last byte is padded with zero bits.
struct BitWriter {
    Sink& sink;
    std::uint64_t acc = 0;
    int pending = 0;

    void put(std::uint64_t code, int length) {
        if (length > 32) {
            put(code >> 32, length - 32);
            length = 32;
            code &= 0xFFFFFFFFu;
        }
        acc = (acc << length) | code;
        pending += length;
        while (pending >= 8) {
            pending -= 8;
            sink.put(static_cast<std::uint8_t>(acc >> pending));
        }
    }
    void finish() {
        if (pending > 0) {
            sink.put(static_cast<std::uint8_t>(acc << (8 - pending)));
            pending = 0;
        }
    }
};

// Reads ahead freely; the bits it invents past the end of the input are zeros, counted so that
// a code that actually uses one can be told from a read-ahead that was not needed.
struct BitReader {
    Source& source;
    std::uint64_t buffer = 0; // left-aligned
    int count = 0;
    int invented = 0;

    void refill() {
        while (count <= 56) {
            int byte = source.get();
            if (byte < 0) {
                byte = 0;
                invented += 8;
            }
            buffer |= std::uint64_t(byte) << (56 - count);
            count += 8;
        }
    }
    int bit() {
        if (count == 0) {
            refill();
        }
        const int b = int(buffer >> 63);
        buffer <<= 1;
        --count;
        return b;
    }
    unsigned bits(int k) { // 1 <= k <= 8
        if (count < k) {
            refill();
        }
        const unsigned v = unsigned(buffer >> (64 - k));
        buffer <<= k;
        count -= k;
        return v;
    }
    bool overrun() const { return invented > count; }
};

template <typename T> std::unique_ptr<T> allocateTables() {
    std::unique_ptr<T> tables(new (std::nothrow) T());
    if (!tables) {
        throw ElzhException("LZH : Cannot get memory for dictionary tables");
    }
    return tables;
}

struct EncoderTables {
    Model model;
    Dictionary dictionary;
};

struct DecoderTables {
    Model model;
    std::uint8_t ring[kRingSize + kLookAhead - 1];
};

} // namespace

std::int64_t TLZH::EncodeLzh(const Reader& read, const Writer& write, const Buffers& buffers) {
    auto tables = allocateTables<EncoderTables>();
    Model& model = tables->model;
    Dictionary& dict = tables->dictionary;
    Source source{read, buffers.input, buffers.size};
    Sink sink{write, buffers.output, buffers.size};
    BitWriter out{sink};
    m_longestCode = 0;

    // The tree depth is bounded by the counts (a Huffman tree of total weight 0x8000 is at most
    // 21 deep), but the code of a symbol can exceed 16 bits: it is built in 64.
    const auto encodeChar = [&](int symbol) {
        std::uint64_t code = 0;
        int length = 0;
        int k = model.parent[symbol + kNodes];
        do {
            code |= std::uint64_t(k & 1) << length;
            ++length;
        } while ((k = model.parent[k]) != kRoot);
        out.put(code, length);
        if (length > m_longestCode) {
            m_longestCode = length;
        }
        model.update(symbol);
    };
    const auto encodePosition = [&](int position) {
        const int upper = position >> kPositionLowBits;
        const int length = kPositionCode.length[upper];
        out.put(kPositionCode.code[upper] >> (8 - length), length);
        out.put(position & 0x3F, kPositionLowBits);
    };

    model.start();
    dict.clear();
    std::memset(dict.ring, 0, sizeof dict.ring);
    std::memset(dict.ring, kFill, kRingStart);
    int s = 0;
    int r = kRingStart;
    int len = 0;
    for (int c; len < kLookAhead && (c = source.get()) >= 0; ++len) {
        dict.ring[r + len] = static_cast<std::uint8_t>(c);
    }
    std::int64_t textSize = len;
    // The 60 positions before the first byte go in oldest first: the order decides which of
    // several equal matches the encoder picks.
    for (int i = kLookAhead; i >= 1; --i) {
        dict.insert(r - i);
    }
    dict.insert(r);
    do {
        if (dict.matchLength > len) {
            dict.matchLength = len;
        }
        if (dict.matchLength <= kThreshold) {
            dict.matchLength = 1;
            encodeChar(dict.ring[r]);
        } else {
            encodeChar(255 - kThreshold + dict.matchLength);
            encodePosition(dict.matchPosition);
        }
        const int lastMatchLength = dict.matchLength;
        int i = 0;
        for (int c; i < lastMatchLength && (c = source.get()) >= 0; ++i) {
            dict.remove(s);
            dict.ring[s] = static_cast<std::uint8_t>(c);
            if (s < kLookAhead - 1) {
                dict.ring[s + kRingSize] = static_cast<std::uint8_t>(c);
            }
            s = (s + 1) & kRingMask;
            r = (r + 1) & kRingMask;
            dict.insert(r);
        }
        textSize += i;
        while (i++ < lastMatchLength) {
            dict.remove(s);
            s = (s + 1) & kRingMask;
            r = (r + 1) & kRingMask;
            if (--len != 0) {
                dict.insert(r);
            }
        }
    } while (len > 0);
    out.finish();
    sink.flush();
    return textSize;
}

TLZH::DecodeResult TLZH::DecodeLzh(std::int64_t size, const Reader& read, const Writer& write,
                                   const Buffers& buffers) {
    if (size <= 0) {
        return {0, false};
    }
    auto tables = allocateTables<DecoderTables>();
    Model& model = tables->model;
    std::uint8_t* ring = tables->ring;
    Source source{read, buffers.input, buffers.size};
    Sink sink{write, buffers.output, buffers.size};
    BitReader in{source};

    model.start();
    std::memset(ring, 0, sizeof tables->ring);
    std::memset(ring, kFill, kRingStart);
    int r = kRingStart;
    std::int64_t produced = 0;
    bool truncated = false;
    while (produced < size) {
        int c = model.child[kRoot];
        while (c < kNodes) {
            c = model.child[c + in.bit()];
        }
        c -= kNodes;
        model.update(c);
        if (c < 256) {
            sink.put(static_cast<std::uint8_t>(c));
            ring[r] = static_cast<std::uint8_t>(c);
            r = (r + 1) & kRingMask;
            ++produced;
        } else {
            unsigned b = in.bits(8);
            const int length = kPositionCode.decodeLength[b];
            const unsigned upper = kPositionCode.decodeUpper[b];
            b = (b << (length - 2)) | in.bits(length - 2);
            const int position = int((upper << kPositionLowBits) | (b & 0x3F));
            const int from = (r - position - 1) & kRingMask;
            const int matchLength = c - 255 + kThreshold;
            for (int k = 0; k < matchLength; ++k) {
                const std::uint8_t byte = ring[(from + k) & kRingMask];
                sink.put(byte);
                ring[r] = byte;
                r = (r + 1) & kRingMask;
            }
            produced += matchLength;
        }
        if (in.overrun()) {
            truncated = true;
            break;
        }
    }
    sink.flush();
    return {sink.total, truncated};
}
