#pragma once
// The decoder written the plain way, step by step as the format describes it: a 16-bit bit
// buffer refilled one byte at a time and read one bit per call, one call per byte written, a
// 4096-byte ring, and its own copy of the tree code. It shares nothing with skin/lzh.cpp, so
// tests and fuzz targets use it as the reference that the real decoder must match byte for byte,
// on valid and damaged streams alike, and the benchmark as the textbook baseline to beat.

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

namespace skinref {

class TPlainLZH {
public:
    TPlainLZH() = default;
    // The value of the 60 ring bytes after the 4036 spaces, which are read only by a match that
    // refers to them before they are written. The skin decoder leaves them zero; lhasa's -lh1-
    // decoder fills them with spaces like the rest (tests/skin/lhasa_oracle.cpp).
    explicit TPlainLZH(uint8_t unwrittenFill) : unwrittenFill(unwrittenFill) {}

    // Decodes stream (without its size field) until at least size bytes are out.
    std::vector<uint8_t> Decode(int64_t size, const std::vector<uint8_t>& stream) {
        input = &stream;
        next = 0;
        bitBuffer = 0;
        bitCount = 0;
        InitTree();
        std::memset(ring, ' ', N - F);
        std::memset(ring + (N - F), unwrittenFill, sizeof ring - (N - F));
        int r = N - F;
        out.clear();
        out.reserve(size_t(std::max<int64_t>(size, 0)) + F);
        while (int64_t(out.size()) < size) {
            const int c = DecodeSymbol();
            if (c < 256) {
                Put(uint8_t(c));
                ring[r] = uint8_t(c);
                r = (r + 1) & (N - 1);
            } else {
                const int start = (r - DecodeOffset() - 1) & (N - 1);
                const int length = c - 253;
                for (int k = 0; k < length; ++k) {
                    const uint8_t b = ring[(start + k) & (N - 1)];
                    Put(b);
                    ring[r] = b;
                    r = (r + 1) & (N - 1);
                }
            }
        }
        return std::move(out);
    }

private:
    static constexpr int N = 4096, F = 60, T = 627, R = 626, MAX_FREQ = 0x8000;

    [[gnu::noinline]] int FetchByte() { return next < input->size() ? (*input)[next++] : 0; }
    [[gnu::noinline]] void Put(uint8_t byte) { out.push_back(byte); }

    [[gnu::noinline]] int ReadBit() {
        while (bitCount <= 8) {
            bitBuffer = uint16_t(bitBuffer | FetchByte() << (8 - bitCount));
            bitCount = uint8_t(bitCount + 8);
        }
        const int bit = bitBuffer >> 15;
        bitBuffer = uint16_t(bitBuffer << 1);
        --bitCount;
        return bit;
    }

    [[gnu::noinline]] int ReadByte() {
        while (bitCount <= 8) {
            bitBuffer = uint16_t(bitBuffer | FetchByte() << (8 - bitCount));
            bitCount = uint8_t(bitCount + 8);
        }
        const int byte = bitBuffer >> 8;
        bitBuffer = uint16_t(bitBuffer << 8);
        bitCount = uint8_t(bitCount - 8);
        return byte;
    }

    void InitTree() {
        for (int i = 0; i < 314; ++i) {
            freq[i] = 1;
            son[i] = int16_t(i + T);
            parent[i + T] = int16_t(i);
        }
        for (int i = 0, j = 314; j <= R; i += 2, ++j) {
            freq[j] = uint16_t(freq[i] + freq[i + 1]);
            son[j] = int16_t(i);
            parent[i] = parent[i + 1] = int16_t(j);
        }
        freq[T] = 0xFFFF;
        parent[R] = 0;
    }

    void RebuildTree() {
        for (int i = 0, j = 0; i < T; ++i) {
            if (son[i] >= T) {
                freq[j] = uint16_t((freq[i] + 1) / 2);
                son[j] = son[i];
                ++j;
            }
        }
        for (int i = 0, j = 314; j < T; i += 2, ++j) {
            const unsigned f = freq[i] + freq[i + 1];
            int k = j - 1;
            while (f < freq[k]) --k;
            ++k;
            for (int m = j; m > k; --m) {
                freq[m] = freq[m - 1];
                son[m] = son[m - 1];
            }
            freq[k] = uint16_t(f);
            son[k] = int16_t(i);
        }
        for (int i = 0; i < T; ++i) {
            const int k = son[i];
            parent[k] = int16_t(i);
            if (k < T) parent[k + 1] = int16_t(i);
        }
    }

    void UpdateModel(int symbol) {
        if (freq[R] == MAX_FREQ) RebuildTree();
        int c = parent[symbol + T];
        do {
            const unsigned k = ++freq[c];
            if (freq[c + 1] < k) {
                int l = c + 1;
                while (freq[l + 1] < k) ++l;
                freq[c] = freq[l];
                freq[l] = uint16_t(k);
                const int i = son[c];
                parent[i] = int16_t(l);
                if (i < T) parent[i + 1] = int16_t(l);
                const int j = son[l];
                son[l] = int16_t(i);
                parent[j] = int16_t(c);
                if (j < T) parent[j + 1] = int16_t(c);
                son[c] = int16_t(j);
                c = l;
            }
            c = parent[c];
        } while (c != 0);
    }

    int DecodeSymbol() {
        int c = son[R];
        while (c < T) c = son[c + ReadBit()];
        c -= T;
        UpdateModel(c);
        return c;
    }

    int DecodeOffset() {
        int i = ReadByte();
        int high, bits;
        if (i < 0x20)
            high = 0, bits = 3;
        else if (i < 0x50)
            high = 1 + (i - 0x20) / 16, bits = 4;
        else if (i < 0x90)
            high = 4 + (i - 0x50) / 8, bits = 5;
        else if (i < 0xC0)
            high = 12 + (i - 0x90) / 4, bits = 6;
        else if (i < 0xF0)
            high = 24 + (i - 0xC0) / 2, bits = 7;
        else
            high = 48 + (i - 0xF0), bits = 8;
        for (int n = 0; n < bits - 2; ++n) i = i * 2 + ReadBit();
        return high * 64 + (i & 0x3F);
    }

    uint8_t unwrittenFill = 0;
    const std::vector<uint8_t>* input = nullptr;
    std::vector<uint8_t> out;
    size_t next = 0;
    uint16_t bitBuffer = 0;
    uint8_t bitCount = 0;
    uint8_t ring[N + F - 1];
    uint16_t freq[T + 1];
    int16_t parent[T + 314];
    int16_t son[T];
};

}  // namespace skinref
