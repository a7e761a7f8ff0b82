#include "skin/lzh.h"

#include <algorithm>
#include <bit>
#include <cassert>
#include <cstring>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include "skin/lzh_model.h"

// Layout of the output window, which stands in for the 4096-byte ring of the format:
//
//   [ history: the last 4096 bytes ][ output chunk being decoded ][ slack ]
//
// A match that refers d + 1 bytes back reads out[-(d + 1)], which is ring[(r - d - 1) & 0xFFF]
// because the history always holds the 4096 bytes that the ring would. Before the first byte the
// history is the initial ring read oldest first: ring[4036..4095], never written and therefore
// zero, then ring[0..4035], all spaces. After each chunk is handed to the sink, the last 4096
// bytes move to the front. Copying through one linear buffer lets matches move eight bytes at a
// time and keeps every cursor a plain pointer compared against fixed ends.

namespace {

using namespace lzh;

constexpr size_t kHistory = kRingSize;
// Matches are copied in stores of eight bytes, each starting within the match, so a match may
// write up to seven bytes past its end.
constexpr size_t kWindowSlack = kMaxMatch + 8;
static_assert(kHistory - kInitialFill == 60);

// All memory of one run: allocated together at the start, released when Decode returns or
// throws.
struct TTables {
    TLZHTree tree;
    TTwoStepTable walk;
    std::vector<uint8_t> input;
    std::vector<uint8_t> window;
};

// The bit reader's state. It lives in locals of Decode (so that it stays in registers) and is
// passed by value to the rare slow refill.
//
// bits holds the next stream bits most significant first; count of them are valid. Bits below
// count are zero or, after a fast refill, the correct next bits of the stream ("lookahead"), so
// OR-ing a byte at its place again never changes them.
struct TBitState {
    uint64_t bits;
    int count;
    const uint8_t* next;  // next byte of the input chunk not yet counted in bits
    const uint8_t* end;   // end of the valid bytes of the input chunk
};

struct TInput {
    TStream& source;
    uint8_t* buffer;
    size_t capacity;
    bool exhausted;
};

inline uint64_t LoadBigEndian64(const uint8_t* p) {
    uint64_t v;
    std::memcpy(&v, p, 8);
    if constexpr (std::endian::native == std::endian::little) v = __builtin_bswap64(v);
    return v;
}

// Byte by byte, fetching the next input chunk as needed; once the source has nothing more, zero
// bytes are appended. Leaves at least 57 valid bits.
[[gnu::noinline, gnu::cold]] TBitState RefillSlow(TBitState s, TInput& input) {
    while (s.count <= 56) {
        if (s.next == s.end && !input.exhausted) {
            const int64_t got = input.source.Read(input.buffer, int64_t(input.capacity));
            assert(got >= 0 && uint64_t(got) <= input.capacity);
            input.exhausted = got <= 0;
            s.next = input.buffer;
            s.end = input.buffer + (got > 0 ? got : 0);
        }
        if (s.next != s.end) s.bits |= uint64_t(*s.next++) << (56 - s.count);
        s.count += 8;  // past the end of the source: a zero byte
    }
    return s;
}

// Ensures at least 56 valid bits. Called once per symbol: testing first whether bits are
// needed costs a branch that goes either way every few symbols. Every symbol uses at least one
// bit, so count is below 64 here.
inline void Refill(TBitState& s, TInput& input) {
    assert(s.count < 64);
    if (s.end - s.next >= 8) [[likely]] {
        s.bits |= LoadBigEndian64(s.next) >> s.count;
        s.next += (63 - s.count) >> 3;
        s.count |= 56;
    } else {
        s = RefillSlow(s, input);
    }
}

// The walk from the root one level at a time, with a refill whenever the bits run out. Takes
// and returns the bit reader by value, so that Decode's copy never has its address taken.
struct TWalk {
    ptrdiff_t leaf;
    TBitState s;
};
[[gnu::noinline, gnu::cold]] TWalk WalkChecked(const TLZHTree& tree, TBitState s, TInput& input) {
    ptrdiff_t c = tree.son[kRoot];
    do {
        if (s.count == 0) Refill(s, input);
        c = tree.son[c + ptrdiff_t(s.bits >> 63)];
        s.bits <<= 1;
        --s.count;
    } while (c < kNodes);
    return {c, s};
}

// For a match at distance d < 8: which of its first d bytes each of eight bytes repeats, and
// the largest multiple of d up to 8.
struct TRepeat {
    uint8_t index[8];
    uint8_t step;
};
constexpr TRepeat kRepeat[8] = {
    {},
    {{0, 0, 0, 0, 0, 0, 0, 0}, 8},
    {{0, 1, 0, 1, 0, 1, 0, 1}, 8},
    {{0, 1, 2, 0, 1, 2, 0, 1}, 6},
    {{0, 1, 2, 3, 0, 1, 2, 3}, 8},
    {{0, 1, 2, 3, 4, 0, 1, 2}, 5},
    {{0, 1, 2, 3, 4, 5, 0, 1}, 6},
    {{0, 1, 2, 3, 4, 5, 6, 0}, 7},
};

}  // namespace

TLZH::TLZH(TBuffers buffers) : buffers(buffers) {
    this->buffers.inputChunk = std::max<size_t>(1, buffers.inputChunk);
    this->buffers.outputChunk = std::max<size_t>(1, buffers.outputChunk);
}

void TLZH::Decode(int64_t size, TStream& source, TStream& sink) {
    if (size < 0 || size > kMaxDecodedSize) {
        throw ElzhException(L"LZH : Declared unpacked size " + std::to_wstring(size) +
                            L" is outside 0.." + std::to_wstring(kMaxDecodedSize) +
                            L" bytes; the skin store is damaged");
    }

    std::unique_ptr<TTables> tables;
    try {
        tables = std::make_unique<TTables>();
        tables->input.resize(buffers.inputChunk);
        tables->window.resize(kHistory + buffers.outputChunk + kWindowSlack);
    } catch (const std::bad_alloc&) {
        throw ElzhException(kLzhNoMemoryMessage);
    }

    TLZHTree& tree = tables->tree;
    tree.InitTree();
    TTwoStepTable& walk = tables->walk;
    walk.Build(tree);
    uint8_t* const window = tables->window.data();
    std::memset(window, 0, kHistory - kInitialFill);
    std::memset(window + (kHistory - kInitialFill), ' ', kInitialFill);
    uint8_t* const chunkStart = window + kHistory;

    TInput input{source, tables->input.data(), tables->input.size(), false};
    TBitState s{0, 0, input.buffer, input.buffer};

    int64_t flushed = 0;  // bytes handed to the sink so far
    uint8_t* out = chunkStart;
    ptrdiff_t path[64];  // the nodes a symbol's walk passed, two per step of at most 32
    while (flushed < size) {
        const int64_t want = std::min<int64_t>(size - flushed, int64_t(buffers.outputChunk));
        uint8_t* const stop = chunkStart + want;
        while (out < stop) {
            // DecodeSymbol: walk from the root to a leaf two levels per step, noting the nodes
            // passed, then count the symbol along them. Two bits per step are read at a fixed
            // place in the buffer, so the only dependency from one step to the next is the
            // table load. The walk only reads the tree; should the path be longer than the bits
            // at hand (at least 56 after the refill, while a tree of 314 symbols whose counts
            // add up to at most 0x8000 is hardly 25 levels deep), it runs again one level at a
            // time with refills.
            Refill(s, input);
            ptrdiff_t c = tree.son[kRoot];
            {
                uint32_t step;
                int shift = 62;  // where the next two bits are in s.bits
                ptrdiff_t* node = path;
                for (;;) {
                    const ptrdiff_t bits = ptrdiff_t((s.bits >> shift) & 3);
                    step = walk.step[2 * c + bits];
                    node[0] = c + (bits >> 1);
                    node[1] = TTwoStepTable::Through(step);
                    node += 2;
                    c = TTwoStepTable::Down(step);
                    if (c >= kNodes || (shift -= 2) < 0) break;
                }
                const int used = 64 - shift - TTwoStepTable::OneBit(step);
                if (c >= kNodes && used <= s.count) {
                    s.bits <<= used;
                    s.count -= used;
                    tree.UpdateModelAlong(int(c - kNodes), path, used, walk);
                } else {
                    const TWalk slow = WalkChecked(tree, s, input);
                    c = slow.leaf;
                    s = slow.s;
                    tree.UpdateModel(int(c - kNodes), walk);
                }
            }
            c -= kNodes;

            if (c < 256) {
                *out++ = static_cast<uint8_t>(c);
                continue;
            }

            // DecodeOffset: a leading byte whose first bits(i) bits code the upper six bits of
            // the distance, then the lower six bits; bits(i) + 6 bits in all.
            if (s.count < 14) Refill(s, input);
            const unsigned lead = unsigned(s.bits >> 56);
            const int width = kPositionCode.bits[lead] + 6;
            const unsigned low = unsigned(s.bits >> (64 - width)) & 63;
            const size_t distance = ((size_t(kPositionCode.high[lead]) << 6) | low) + 1;
            s.bits <<= width;
            s.count -= width;

            const int length = MatchLength(c);
            const uint8_t* from = out - distance;
            assert(from >= window && distance <= kHistory);
            assert(out + kWindowSlack <= window + tables->window.size());
            if (distance >= 8) {
                for (int k = 0; k < length; k += 8) std::memcpy(out + k, from + k, 8);
            } else {
                // The match repeats its first `distance` bytes. Eight of them are put together
                // once and stored every step bytes (a multiple of distance, at most 8): reading
                // back bytes just stored, eight at a time, would stall on every store.
                uint8_t pattern[8];
                for (int n = 0; n < 8; ++n) pattern[n] = from[kRepeat[distance].index[n]];
                const int step = kRepeat[distance].step;
                for (int k = 0; k < length; k += step) std::memcpy(out + k, pattern, 8);
            }
            out += length;  // a match may end past stop; the format keeps the whole match
        }

        const size_t produced = size_t(out - chunkStart);
        sink.WriteBuffer(chunkStart, int64_t(produced));
        flushed += int64_t(produced);
        std::memmove(window, out - kHistory, kHistory);
        out = chunkStart;
    }
}
