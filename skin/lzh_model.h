#pragma once
// The coding model shared by the LZHUF decoder (TLZH) and encoder (TLZHEncoder): the constants of
// the format, the adaptive Huffman tree over literals and match lengths, and the fixed code for
// the upper six bits of a match position.
//
// Everything here is inline so that the decoder's and encoder's loops compile it in place; the
// tree is driven only by the symbols decoded so far, never by raw input, so its invariants are
// asserted rather than checked.

#include <array>
#include <cassert>
#include <cstddef>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace lzh {

constexpr int kRingSize = 4096;           // dictionary size; positions are taken modulo 4096
constexpr int kRingMask = kRingSize - 1;  //
constexpr int kMaxMatch = 60;             // longest match
constexpr int kThreshold = 2;             // a match codes length - 2 above the 256 literals
constexpr int kMinMatch = kThreshold + 1;
constexpr int kSymbols = 256 + kMaxMatch - kThreshold;  // 314: literals, then lengths 3..60
constexpr int kNodes = 2 * kSymbols - 1;                // 627
constexpr int kRoot = kNodes - 1;                       // 626
constexpr uint16_t kRebuildLimit = 0x8000;              // root frequency that forces a rebuild
constexpr int kInitialFill = kRingSize - kMaxMatch;     // 4036 ring bytes start as spaces ...
constexpr int kInitialPosition = kInitialFill;          // ... and the first byte goes to 4036
static_assert(kSymbols == 314 && kNodes == 627 && kRoot == 626 && kInitialFill == 4036);

// A match of symbol c (c >= 256) copies c - 253 bytes.
constexpr int MatchLength(int symbol) { return symbol - 256 + kMinMatch; }
constexpr int MatchSymbol(int length) { return length - kMinMatch + 256; }

// The adaptive Huffman tree. Nodes 0..626 are kept in non-decreasing frequency order; son[n] is
// the first of a pair of children (n's left child son[n], right child son[n] + 1), or, when it
// is kNodes or more, marks n as the leaf of symbol son[n] - kNodes. parent[kNodes + s] is the
// leaf node of symbol s.
struct TLZHTree {
    // freq[kNodes] and the eight entries after it are 0xFFFF: they end the search for the last
    // node of lower frequency, which reads eight entries at a time.
    static constexpr int kSentinels = 9;

    uint16_t freq[kNodes + kSentinels];
    int16_t parent[kNodes + kSymbols];
    int16_t son[kNodes];

    // UpdateModel tells an observer of every change to son[], so that the decoder can keep a
    // table derived from it (TTwoStepTable).
    struct TNoObserver {
        void Rebuilt(const TLZHTree&) {}
        void Exchanged(const TLZHTree&, ptrdiff_t, ptrdiff_t) {}
    };

    void InitTree() {
        for (int s = 0; s < kSymbols; ++s) {
            freq[s] = 1;
            son[s] = static_cast<int16_t>(s + kNodes);
            parent[s + kNodes] = static_cast<int16_t>(s);
        }
        for (int i = 0, j = kSymbols; j <= kRoot; i += 2, ++j) {
            freq[j] = static_cast<uint16_t>(freq[i] + freq[i + 1]);
            son[j] = static_cast<int16_t>(i);
            parent[i] = parent[i + 1] = static_cast<int16_t>(j);
        }
        for (int i = kNodes; i < kNodes + kSentinels; ++i) freq[i] = 0xFFFF;
        parent[kRoot] = 0;
    }

    // Halves every leaf frequency (rounding up) and builds the inner nodes again, keeping the
    // frequencies sorted, so that no frequency can overflow 16 bits. Once per 16384 symbols or
    // so: kept out of line, away from the update loop.
    [[gnu::noinline, gnu::cold]] void RebuildTree() {
        int j = 0;
        for (int i = 0; i < kNodes; ++i) {
            if (son[i] >= kNodes) {
                freq[j] = static_cast<uint16_t>((freq[i] + 1) / 2);
                son[j] = son[i];
                ++j;
            }
        }
        assert(j == kSymbols);
        for (int i = 0, jj = kSymbols; jj < kNodes; i += 2, ++jj) {
            const unsigned f = unsigned(freq[i]) + freq[i + 1];
            int k = jj - 1;
            while (f < freq[k]) --k;
            ++k;  // first place whose entries up to jj - 1 are all greater than f
            assert(k > i + 1 && f < 0x10000);
            std::memmove(&freq[k + 1], &freq[k], sizeof(freq[0]) * (jj - k));
            std::memmove(&son[k + 1], &son[k], sizeof(son[0]) * (jj - k));
            freq[k] = static_cast<uint16_t>(f);
            son[k] = static_cast<int16_t>(i);
        }
        for (int i = 0; i < kNodes; ++i) {
            const int k = son[i];
            parent[k] = static_cast<int16_t>(i);
            if (k < kNodes) parent[k + 1] = static_cast<int16_t>(i);
        }
    }

    // The last node from `from` on whose frequency is below k; freq[from] must be below k. Runs
    // of equal frequencies have unpredictable lengths, and stepping one node at a time until the
    // first that is not below k costs a mispredicted branch almost every time; comparing eight
    // at once does not.
    ptrdiff_t LastBelow(ptrdiff_t from, unsigned k) const {
#if defined(__SSE2__)
        const __m128i key = _mm_set1_epi16(static_cast<short>(k));
        for (;; from += 8) {  // ends at the sentinels at the latest
            const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(freq + from + 1));
            // k - v saturates to zero exactly where v >= k.
            const __m128i notBelow = _mm_cmpeq_epi16(_mm_subs_epu16(key, v), _mm_setzero_si128());
            if (const unsigned mask = unsigned(_mm_movemask_epi8(notBelow)))
                return from + (__builtin_ctz(mask) >> 1);
        }
#else
        for (;; from += 8) {
            int below = 0;
            for (int n = 1; n <= 8; ++n) below += freq[from + n] < k;
            if (below < 8) return from + below;
        }
#endif
    }

    // Counts one more occurrence of symbol and restores the frequency order: each node on the
    // way to the root, once incremented, changes places with the last node of lower frequency.
    template <class Observer = TNoObserver>
    void UpdateModel(int symbol, Observer&& observer = {}) {
        RebuildWhenFull(observer);
        ClimbFrom(parent[symbol + kNodes], observer);
    }

    // The same for the symbol just decoded by walking path[0..depth - 1], the nodes from the
    // root's child down to the symbol's leaf. Until one of them changes places, the climb takes
    // its nodes from the path instead of loading each node's parent before the next, which would
    // make a chain of dependent loads as long as the code on every symbol.
    template <class Observer>
    void UpdateModelAlong(int symbol, const ptrdiff_t* path, int depth, Observer&& observer) {
        if (RebuildWhenFull(observer)) {
            ClimbFrom(parent[symbol + kNodes], observer);
            return;
        }
        assert(depth > 0 && path[depth - 1] == parent[symbol + kNodes]);
        for (int m = depth - 1; m >= 0; --m) {
            ptrdiff_t c = path[m];
            uint16_t k = ++freq[c];
            if (freq[c + 1] < k) {
                // The node changes places with one of the same frequency, which is nearly
                // always at the same depth: m levels are expected above it. Counting them
                // lets the climb end on a count known at once.
                c = parent[Exchange(c, k, observer)];
                for (; m > 0 && c != kRoot; --m) {
                    k = ++freq[c];
                    if (freq[c + 1] < k) c = Exchange(c, k, observer);
                    c = parent[c];
                }
                ClimbFrom(c, observer);  // the rest, when the guess fell short
                return;
            }
        }
        ++freq[kRoot];
    }

private:
    template <class Observer>
    bool RebuildWhenFull(Observer& observer) {
        if (freq[kRoot] != kRebuildLimit) return false;
        RebuildTree();
        observer.Rebuilt(*this);
        return true;
    }

    template <class Observer>
    void ClimbFrom(ptrdiff_t c, Observer& observer) {
        while (c != kRoot) {
            const uint16_t k = ++freq[c];
            if (freq[c + 1] < k) c = Exchange(c, k, observer);
            c = parent[c];
        }
        // The root is never exchanged: freq[kRoot + 1] is a sentinel above any count.
        ++freq[kRoot];
    }

    // Node c has just been counted up to k, above the node after it: it changes places with the
    // last node of lower frequency, l, which is returned.
    template <class Observer>
    ptrdiff_t Exchange(ptrdiff_t c, uint16_t k, Observer& observer) {
        const ptrdiff_t l = LastBelow(c + 1, k);
        freq[c] = freq[l];
        freq[l] = k;
        const int i = son[c];
        parent[i] = static_cast<int16_t>(l);
        if (i < kNodes) parent[i + 1] = static_cast<int16_t>(l);
        const int j = son[l];
        son[l] = static_cast<int16_t>(i);
        parent[j] = static_cast<int16_t>(c);
        if (j < kNodes) parent[j + 1] = static_cast<int16_t>(c);
        son[c] = static_cast<int16_t>(j);
        observer.Exchanged(*this, c, l);
        return l;
    }
};

// Two levels of the tree per step, for the decoder's walk from the root. For the pair of nodes
// p, p + 1 (p even) and the next two code bits b1 b2, the walk passes p + b1 and then
// n = son[p + b1] + b2; step[2p + 2b1 + b2] holds n in its upper half and son[n] in its lower
// half: the pair (or the leaf mark) two levels down. When p + b1 is already a leaf, the lower
// half is its leaf mark with kOneBit set, since only b1 belongs to this symbol.
struct TTwoStepTable {
    static constexpr uint32_t kOneBit = 0x8000;
    static constexpr uint32_t kDownMask = 0x7FFF;
    uint32_t step[2 * kRoot];  // 2 * node + b2 for every node below the root

    static ptrdiff_t Down(uint32_t entry) { return ptrdiff_t(entry & kDownMask); }
    static ptrdiff_t Through(uint32_t entry) { return ptrdiff_t(entry >> 16); }
    static int OneBit(uint32_t entry) { return int(entry >> 15) & 1; }

    void Build(const TLZHTree& tree) {
        for (ptrdiff_t node = 0; node < kRoot; ++node) Fill(tree, node);
    }

    // Observer of TLZHTree::UpdateModel: after son[a] and son[b] changed, the entries that
    // start at a or b, and the entry of each one's parent that passes through it.
    void Rebuilt(const TLZHTree& tree) { Build(tree); }
    void Exchanged(const TLZHTree& tree, ptrdiff_t a, ptrdiff_t b) {
        Fill(tree, a);
        Fill(tree, b);
        Pass(tree, a);
        Pass(tree, b);
    }

private:
    static uint32_t Entry(const TLZHTree& tree, ptrdiff_t through) {
        return uint32_t(through) << 16 | uint16_t(tree.son[through]);
    }
    void Fill(const TLZHTree& tree, ptrdiff_t node) {
        const int down = tree.son[node];
        uint32_t* const entry = &step[2 * node];
        if (down >= kNodes) {
            entry[0] = entry[1] = uint32_t(down) | kOneBit;
        } else {
            entry[0] = Entry(tree, down);
            entry[1] = Entry(tree, down + 1);
        }
    }
    void Pass(const TLZHTree& tree, ptrdiff_t node) {
        const int up = tree.parent[node];
        // The walk starts at son[kRoot]: the root has no entries of its own.
        if (up != kRoot) step[2 * up + (node & 1)] = Entry(tree, node);
    }
};

// The fixed code for the upper six bits of a match position ("high"): 3 bits for high 0, 4 bits
// for 1..3, 5 for 4..11, 6 for 12..23, 7 for 24..47 and 8 for 48..63, followed by the lower six
// bits as they are. Decoding reads one byte i, whose leading bits(i) bits are the code; the table
// below is indexed by that byte.
struct TPositionCode {
    uint8_t high[256];   // upper six bits of the position for a leading byte
    uint8_t bits[256];   // length of the code that the leading byte starts with
    uint8_t code[64];    // encoder side: the code of each high value ...
    uint8_t length[64];  // ... and its length

    constexpr TPositionCode() : high(), bits(), code(), length() {
        // {code length, number of high values with that length}
        constexpr int groups[6][2] = {{3, 1}, {4, 3}, {5, 8}, {6, 12}, {7, 24}, {8, 16}};
        int i = 0, h = 0;
        for (const auto& group : groups) {
            const int len = group[0];
            for (int n = 0; n < group[1]; ++n, ++h) {
                code[h] = static_cast<uint8_t>(i >> (8 - len));
                length[h] = static_cast<uint8_t>(len);
                for (int run = 0; run < (1 << (8 - len)); ++run, ++i) {
                    high[i] = static_cast<uint8_t>(h);
                    bits[i] = static_cast<uint8_t>(len);
                }
            }
        }
    }
};

inline constexpr TPositionCode kPositionCode{};
static_assert(kPositionCode.high[0x1F] == 0 && kPositionCode.high[0x20] == 1 &&
              kPositionCode.high[0x4F] == 3 && kPositionCode.high[0x50] == 4 &&
              kPositionCode.high[0x8F] == 11 && kPositionCode.high[0x90] == 12 &&
              kPositionCode.high[0xBF] == 23 && kPositionCode.high[0xC0] == 24 &&
              kPositionCode.high[0xEF] == 47 && kPositionCode.high[0xF0] == 48 &&
              kPositionCode.high[0xFF] == 63 && kPositionCode.bits[0xC1] == 7);

}  // namespace lzh
