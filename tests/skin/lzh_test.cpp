#include <gtest/gtest.h>

#include <climits>
#include <random>
#include <string>
#include <vector>

#include "forms/stream.h"
#include "skin/lzh.h"
#include "skin/lzh_encoder.h"
#include "tools/reference/skin_inputs.h"
#include "tools/reference/plain_lzh.h"

namespace {

using Bytes = std::vector<uint8_t>;

Bytes Decode(int64_t size, const Bytes& stream, TLZH::TBuffers buffers = {}) {
    TMemoryStream source(stream);
    TMemoryStream sink;
    TLZH(buffers).Decode(size, source, sink);
    return sink.Bytes();
}

// Buffer sizes that put refills and flushes at every kind of boundary: single bytes, just under
// and over the eight bytes of a fast refill, and output chunks around the 4096-byte history.
const TLZH::TBuffers kOddBuffers[] = {{1, 1}, {7, 61}, {8, 4095}, {9, 4097}, {4096, 100000}};

struct TCase {
    std::string name;
    Bytes data;
};

std::vector<TCase> RoundTripCases() {
    std::vector<TCase> cases;
    for (size_t size : {0, 1, 2, 3, 59, 60, 61, 4035, 4036, 4037, 4095, 4096, 4097, 65539})
        cases.push_back({"random " + std::to_string(size), skinref::RandomBytes(size, 7 + size)});
    cases.push_back({"random 3 MiB", skinref::RandomBytes(3 << 20, 99)});
    cases.push_back({"zeros 1 MiB", Bytes(1 << 20, 0)});
    for (size_t period : {1, 2, 3, 7})
        cases.push_back(
            {"period " + std::to_string(period), skinref::RepetitiveBytes(300000, period)});
    // Random 4096 bytes said twice: the second copy is reachable only at the longest distance.
    Bytes twice = skinref::RandomBytes(4096, 5);
    twice.insert(twice.end(), twice.begin(), twice.end());
    cases.push_back({"distance 4096", twice});
    cases.push_back({"bitmap", skinref::SkinBitmap(240, 21, 4, 3)});
    const std::string ini = skinref::SkinDescription(40);
    cases.push_back({"description", Bytes(ini.begin(), ini.end())});
    return cases;
}

TEST(Lzh, EncoderOutputDecodesToTheInputExactly) {
    for (const TCase& c : RoundTripCases()) {
        SCOPED_TRACE(c.name);
        const Bytes stream = EncodeLZH(c.data);
        // The encoder never ends on a match longer than the input, so nothing is added.
        ASSERT_EQ(Decode(int64_t(c.data.size()), stream), c.data);
        if (c.data.size() <= 300000) {
            EXPECT_EQ(skinref::TPlainLZH().Decode(int64_t(c.data.size()), stream), c.data);
        }
        if (c.data.size() <= 70000) {
            for (const TLZH::TBuffers& buffers : kOddBuffers)
                ASSERT_EQ(Decode(int64_t(c.data.size()), stream, buffers), c.data);
        }
    }
}

TEST(Lzh, EncoderFindsMatchesAndKeepsRandomDataNearItsSize) {
    const Bytes zeros(1 << 20, 0);
    EXPECT_LT(EncodeLZH(zeros).size(), zeros.size() / 40);  // 60 bytes in about 11 bits
    Bytes twice = skinref::RandomBytes(4096, 5);
    twice.insert(twice.end(), twice.begin(), twice.end());
    EXPECT_LT(EncodeLZH(twice).size(), 4096u + 4096 / 8);  // second half as 4096-back matches
    const Bytes random = skinref::RandomBytes(1 << 20, 1);
    EXPECT_LT(EncodeLZH(random).size(), random.size() + random.size() / 20);
}

// Damaged input: any bytes decode to something, the same as the plain decoder makes of them,
// with at least the declared size and at most one match (59 bytes) more.
TEST(Lzh, ArbitraryStreamsDecodeLikeThePlainDecoder) {
    std::mt19937 rng(2024);
    for (int round = 0; round < 300; ++round) {
        const Bytes stream = skinref::RandomBytes(rng() % 3000, rng());
        const int64_t size = rng() % 20000;
        SCOPED_TRACE("round " + std::to_string(round));
        const Bytes expected = skinref::TPlainLZH().Decode(size, stream);
        const Bytes decoded = Decode(size, stream);
        ASSERT_EQ(decoded, expected);
        ASSERT_GE(int64_t(decoded.size()), size);
        ASSERT_LE(int64_t(decoded.size()), size + 59);
        ASSERT_EQ(Decode(size, stream, kOddBuffers[round % 5]), expected);
    }
}

TEST(Lzh, CutShortStreamStillYieldsTheDeclaredSize) {
    const std::string ini = skinref::SkinDescription(30);
    const Bytes data(ini.begin(), ini.end());
    const Bytes stream = EncodeLZH(data);
    for (size_t keep : {size_t(0), size_t(1), stream.size() / 3, stream.size() - 1}) {
        SCOPED_TRACE("keep " + std::to_string(keep));
        const Bytes cut(stream.begin(), stream.begin() + ptrdiff_t(keep));
        const Bytes decoded = Decode(int64_t(data.size()), cut);
        EXPECT_GE(decoded.size(), data.size());
        EXPECT_LE(decoded.size(), data.size() + 59);
        EXPECT_EQ(decoded, skinref::TPlainLZH().Decode(int64_t(data.size()), cut));
    }
    // What was coded before the cut comes out intact: random bytes code to about one byte each,
    // so half the stream holds well over a third of them.
    const Bytes random = skinref::RandomBytes(20000, 8);
    const Bytes randomStream = EncodeLZH(random);
    const Bytes half(randomStream.begin(),
                     randomStream.begin() + ptrdiff_t(randomStream.size() / 2));
    const Bytes decoded = Decode(int64_t(random.size()), half);
    ASSERT_GE(decoded.size(), random.size());
    EXPECT_TRUE(std::equal(random.begin(), random.begin() + 20000 / 3, decoded.begin()));
}

// The dictionary starts with 4036 spaces; the 60 ring bytes after them have never been written
// and read as zero. A match that refers to them before any output copies those bytes.
TEST(Lzh, MatchesBeforeAnyOutputReadTheInitialDictionary) {
    TLZHEncoder encoder;
    encoder.EncodeMatch(1, 3);      // the space just before the first write position
    encoder.EncodeMatch(4036, 4);   // ring[0..3]
    encoder.EncodeMatch(4096, 60);  // distance 4096 from position 7: ring bytes 4043.., then 0..
    encoder.EncodeLiteral('x');
    const Bytes decoded = Decode(3 + 4 + 60 + 1, encoder.Finish());
    Bytes expected(7, ' ');
    // At write position 4036 + 7 a distance of 4096 starts at ring byte 4043: 53 unwritten
    // (zero) bytes up to 4095, then ring[0..6], which hold spaces.
    expected.insert(expected.end(), 53, 0);
    expected.insert(expected.end(), 7, ' ');
    expected.push_back('x');
    EXPECT_EQ(decoded, expected);
}

TEST(Lzh, DeclaredSizeOutOfRangeIsRefusedBeforeReading) {
    const Bytes stream = EncodeLZH(Bytes(100, 'a'));
    for (int64_t size :
         {int64_t(-1), int64_t(INT32_MIN), TLZH::kMaxDecodedSize + 1, int64_t(INT32_MAX)}) {
        SCOPED_TRACE(size);
        TMemoryStream source(stream);
        TMemoryStream sink;
        try {
            TLZH().Decode(size, source, sink);
            ADD_FAILURE() << "no error";
        } catch (const ElzhException& e) {
            EXPECT_NE(e.Message().find(std::to_wstring(size)), std::wstring::npos);
        }
        EXPECT_EQ(source.Position(), 0);
        EXPECT_EQ(sink.Size(), 0);
    }
    EXPECT_EQ(Decode(0, stream), Bytes());
}

}  // namespace
