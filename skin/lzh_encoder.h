#pragma once
// The LZHUF encoder: the inverse of TLZH, used by the skin tool to build skin stores. It codes
// with the same model (skin/lzh_model.h), so TLZH reproduces the input byte for byte.

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

namespace lzh {
struct TLZHTree;
}

// Symbol-level writer of an LZHUF bit stream. EncodeLZH drives it from a match finder; tests use
// it directly to craft streams with chosen symbols.
class TLZHEncoder {
public:
    TLZHEncoder();
    ~TLZHEncoder();
    TLZHEncoder(const TLZHEncoder&) = delete;
    TLZHEncoder& operator=(const TLZHEncoder&) = delete;

    void EncodeLiteral(uint8_t byte);
    // A copy of length bytes (3..60) starting distance bytes back (1..4096). A distance beyond
    // the bytes encoded so far refers to the decoder's initial dictionary contents.
    void EncodeMatch(int distance, int length);
    // Pads the last byte with zero bits and hands over the stream.
    std::vector<uint8_t> Finish();

private:
    void EncodeSymbol(int symbol);
    void PutBits(uint32_t value, int count);

    std::unique_ptr<lzh::TLZHTree> tree;
    std::vector<uint8_t> out;
    uint64_t pending = 0;  // the low pendingBits bits are not yet written
    int pendingBits = 0;
};

// Codes data as an LZHUF stream (without the size field). Matches refer only to data itself,
// never to the decoder's initial dictionary, so any decoder of the same coding reproduces it
// whatever it starts its dictionary with.
std::vector<uint8_t> EncodeLZH(std::span<const uint8_t> data);

// A complete skin store: the signed 32-bit size of data, then EncodeLZH(data). Raises
// ElzhException when data is larger than TLZH accepts.
std::vector<uint8_t> PackSkinStore(std::span<const uint8_t> data);
