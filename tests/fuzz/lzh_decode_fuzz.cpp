// The LZHUF decoder on arbitrary bytes.
//
// Oracles:
//  1. Decoding never crashes and yields the declared size, or at most 59 bytes more.
//  2. The result equals the plain reference decoder's (tools/reference/plain_lzh.h), and is
//     the same whatever the buffer sizes, so refills and flushes at any place change nothing.
//  3. The same bytes taken as data, encoded and decoded again, come back unchanged.
//
// Input: payload, then three knob bytes at the end: the declared size (two bytes, below 10000)
// and the buffer sizes for the second decoding (one byte).

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "forms/stream.h"
#include "skin/lzh.h"
#include "skin/lzh_encoder.h"
#include "tools/reference/plain_lzh.h"
#include "tools/reference/skin_inputs.h"

namespace {

using Bytes = std::vector<uint8_t>;

Bytes Decode(int64_t size, const Bytes& stream, TLZH::TBuffers buffers) {
    TMemoryStream source(stream);
    TMemoryStream sink;
    TLZH(buffers).Decode(size, source, sink);
    return sink.Bytes();
}

void Check(bool ok) {
    if (!ok) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 3) return 0;
    const Bytes payload(data, data + size - 3);
    const int64_t declared = (data[size - 3] | data[size - 2] << 8) % 10000;
    const uint8_t knob = data[size - 1];
    // Output chunks around the 4096-byte history and the 60-byte longest match; not below 61,
    // since every chunk moves the 4096 bytes of history once.
    static constexpr size_t kOutputChunks[16] = {61,   64,   97,   128,  1000, 2047, 4095, 4096,
                                                 4097, 4155, 5000, 6000, 8191, 8192, 9000, 65536};
    const TLZH::TBuffers odd{size_t(1 + (knob & 15)), kOutputChunks[knob >> 4]};

    const Bytes decoded = Decode(declared, payload, {});
    Check(int64_t(decoded.size()) >= declared && int64_t(decoded.size()) <= declared + 59);
    Check(decoded == skinref::TPlainLZH().Decode(declared, payload));
    Check(decoded == Decode(declared, payload, odd));

    const Bytes stream = EncodeLZH(payload);
    Check(Decode(int64_t(payload.size()), stream, odd) == payload);
    return 0;
}

void PonderixFuzzSeeds(std::vector<std::string>& seeds) {
    const auto add = [&seeds](const Bytes& payload, uint16_t declared, uint8_t knob) {
        std::string seed(payload.begin(), payload.end());
        seed += char(declared & 0xFF);
        seed += char(declared >> 8);
        seed += char(knob);
        seeds.push_back(seed);
    };
    const std::string ini = skinref::SkinDescription(4);
    const Bytes text(ini.begin(), ini.end());
    const Bytes bitmap = skinref::SkinBitmap(40, 6, 2, 1);
    // Real streams, decoded to their own size and beyond (the cut-short case).
    for (const Bytes& content :
         {text, bitmap, skinref::RepetitiveBytes(3000, 3), skinref::RandomBytes(500, 2)}) {
        const Bytes stream = EncodeLZH(content);
        add(stream, uint16_t(content.size()), 0x11);
        add(stream, uint16_t(content.size() + 1000), 0xF3);
        add(Bytes(stream.begin(), stream.begin() + ptrdiff_t(stream.size() / 2)),
            uint16_t(content.size()), 0x7F);
    }
    add({}, 0, 0);
    add({}, 5000, 0x20);
    add(skinref::RandomBytes(64, 9), 9000, 0x00);
    add(Bytes(40, 0xFF), 3000, 0x55);
}
