#include "skin/lzh_encoder.h"

#include <algorithm>
#include <cassert>
#include <string>

#include "skin/lzh.h"
#include "skin/lzh_model.h"

using namespace lzh;

TLZHEncoder::TLZHEncoder() : tree(std::make_unique<TLZHTree>()) { tree->InitTree(); }

TLZHEncoder::~TLZHEncoder() = default;

void TLZHEncoder::PutBits(uint32_t value, int count) {
    assert(count >= 0 && count <= 32 && pendingBits < 8);
    pending = (pending << count) | value;
    pendingBits += count;
    while (pendingBits >= 8) {
        pendingBits -= 8;
        out.push_back(static_cast<uint8_t>(pending >> pendingBits));
    }
}

void TLZHEncoder::EncodeSymbol(int symbol) {
    assert(symbol >= 0 && symbol < kSymbols);
    // The code is the path from the root to the symbol's leaf: 0 for a left child (even node),
    // 1 for a right one. Walk up from the leaf, then write the bits root first.
    uint8_t path[kNodes];
    int depth = 0;
    for (int node = tree->parent[symbol + kNodes]; node != kRoot; node = tree->parent[node]) {
        assert(depth < kNodes);
        path[depth++] = static_cast<uint8_t>(node & 1);
    }
    while (depth > 0) {
        const int n = std::min(depth, 24);
        uint32_t bits = 0;
        for (int i = 0; i < n; ++i) bits = (bits << 1) | path[--depth];
        PutBits(bits, n);
    }
    tree->UpdateModel(symbol);
}

void TLZHEncoder::EncodeLiteral(uint8_t byte) { EncodeSymbol(byte); }

void TLZHEncoder::EncodeMatch(int distance, int length) {
    assert(distance >= 1 && distance <= kRingSize);
    assert(length >= kMinMatch && length <= kMaxMatch);
    EncodeSymbol(MatchSymbol(length));
    const int position = distance - 1;
    const int high = position >> 6;
    PutBits(kPositionCode.code[high], kPositionCode.length[high]);
    PutBits(uint32_t(position & 63), 6);
}

std::vector<uint8_t> TLZHEncoder::Finish() {
    if (pendingBits > 0) PutBits(0, 8 - pendingBits);
    return std::move(out);
}

namespace {

// Hash chains over the input: head[h] is the latest position whose next three bytes hash to h,
// prev[p % 4096] the position before p with the same hash. Only the last 4096 positions can be
// referred to, so a ring of 4096 links is enough.
class TMatchFinder {
public:
    explicit TMatchFinder(std::span<const uint8_t> data)
        : data(data), head(kHashSize, -1), prev(kRingSize, -1) {}

    struct TMatch {
        int length = 0;
        int distance = 0;
    };

    // Longest match for the bytes at pos among the previous 4096 positions (length 0 when none
    // of at least three bytes exists). Call before Insert(pos).
    TMatch Find(size_t pos) const {
        TMatch best;
        const size_t left = data.size() - pos;
        if (left < size_t(kMinMatch)) return best;
        const int maxLength = int(std::min<size_t>(left, kMaxMatch));
        const uint8_t* const current = data.data() + pos;
        int candidate = head[Hash(current)];
        int chain = kMaxChain;
        int last = int(pos);
        while (candidate >= 0 && candidate < last && pos - size_t(candidate) <= kRingSize &&
               chain-- > 0) {
            const uint8_t* const earlier = data.data() + candidate;
            if (earlier[best.length] == current[best.length]) {
                int length = 0;
                while (length < maxLength && earlier[length] == current[length]) ++length;
                if (length > best.length) {
                    best.length = length;
                    best.distance = int(pos) - candidate;
                    if (length == maxLength) break;
                }
            }
            last = candidate;
            candidate = prev[size_t(candidate) & kRingMask];
        }
        if (best.length < kMinMatch) best = {};
        return best;
    }

    void Insert(size_t pos) {
        if (data.size() - pos < size_t(kMinMatch)) return;
        int& first = head[Hash(data.data() + pos)];
        prev[pos & kRingMask] = first;
        first = int(pos);
    }

private:
    static constexpr int kHashBits = 15;
    static constexpr size_t kHashSize = size_t(1) << kHashBits;
    // Candidates examined per position: enough that skin bitmaps compress within a few percent
    // of an exhaustive search, few enough to keep packing fast on long runs of equal bytes.
    static constexpr int kMaxChain = 128;

    static size_t Hash(const uint8_t* p) {
        const uint32_t v = uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16;
        return (v * 2654435761u) >> (32 - kHashBits);
    }

    std::span<const uint8_t> data;
    std::vector<int> head;
    std::vector<int> prev;
};

}  // namespace

std::vector<uint8_t> EncodeLZH(std::span<const uint8_t> data) {
    TLZHEncoder encoder;
    TMatchFinder finder(data);
    // Lazy matching: a match is taken only when the match starting one byte later is not longer;
    // otherwise the byte goes out as a literal and the later match is considered instead.
    size_t pos = 0;
    TMatchFinder::TMatch match = finder.Find(0);
    while (pos < data.size()) {
        finder.Insert(pos);
        if (match.length == 0) {
            encoder.EncodeLiteral(data[pos]);
            ++pos;
            if (pos < data.size()) match = finder.Find(pos);
            continue;
        }
        TMatchFinder::TMatch next;
        if (match.length < kMaxMatch && pos + 1 < data.size()) next = finder.Find(pos + 1);
        if (next.length > match.length) {
            encoder.EncodeLiteral(data[pos]);
            ++pos;
            match = next;
            continue;
        }
        encoder.EncodeMatch(match.distance, match.length);
        for (size_t end = pos + size_t(match.length); ++pos < end;) finder.Insert(pos);
        if (pos < data.size()) match = finder.Find(pos);
    }
    return encoder.Finish();
}

std::vector<uint8_t> PackSkinStore(std::span<const uint8_t> data) {
    if (data.size() > uint64_t(TLZH::kMaxDecodedSize)) {
        throw ElzhException(L"LZH : " + std::to_wstring(data.size()) +
                            L" bytes are more than a skin store may hold (" +
                            std::to_wstring(TLZH::kMaxDecodedSize) + L")");
    }
    const uint32_t size = uint32_t(data.size());
    std::vector<uint8_t> store = {uint8_t(size), uint8_t(size >> 8), uint8_t(size >> 16),
                                  uint8_t(size >> 24)};
    const std::vector<uint8_t> stream = EncodeLZH(data);
    store.insert(store.end(), stream.begin(), stream.end());
    return store;
}
