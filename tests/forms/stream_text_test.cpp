#include <gtest/gtest.h>

#include <cstring>

#include "forms/exception.h"
#include "forms/stream.h"
#include "forms/text.h"

TEST(Text, RoundTripsChineseAndAstralText) {
    const std::wstring wide = L"计算重量(kg)：";
    EXPECT_EQ(Utf8ToWide(WideToUtf8(wide)), wide);
    EXPECT_EQ(WideToUtf8(L"宋体"), "\xE5\xAE\x8B\xE4\xBD\x93");
    const std::string astral = "\xF0\x9F\x98\x80";  // U+1F600
    EXPECT_EQ(WideToUtf8(Utf8ToWide(astral)), astral);
}

TEST(Text, MalformedUtf8BecomesReplacementCharacters) {
    // Truncated sequence, overlong form, lone continuation byte, surrogate code point.
    for (const char* bad : {"\xE5\xAE", "\xC0\xAF", "\x80", "\xED\xA0\x80"}) {
        const std::wstring wide = Utf8ToWide(bad);
        ASSERT_FALSE(wide.empty()) << bad;
        EXPECT_EQ(wide[0], L'\xFFFD') << bad;
    }
}

TEST(Text, AsciiFoldingLeavesOtherBytesAlone) {
    EXPECT_EQ(AsciiLowerCase("FrameTop.BMP\xC4\xC5"), "frametop.bmp\xC4\xC5");
    EXPECT_TRUE(SameTextAscii("Caption", "CAPTION"));
    EXPECT_FALSE(SameTextAscii("Caption", "Captio"));
    EXPECT_FALSE(SameTextAscii("\xC4", "\xE4"));
}

TEST(MemoryStream, ReadWriteSeekAndSize) {
    TMemoryStream s;
    s.WriteInt32(-2);
    s.WriteBuffer("abc", 3);
    EXPECT_EQ(s.Size(), 7);
    EXPECT_EQ(s.Position(), 7);
    s.SetPosition(0);
    EXPECT_EQ(s.ReadInt32(), -2);
    char buf[8] = {};
    EXPECT_EQ(s.Read(buf, 8), 3);
    EXPECT_STREQ(buf, "abc");
    EXPECT_EQ(s.Read(buf, 8), 0);
    EXPECT_EQ(s.Seek(-100, TSeekOrigin::soCurrent), 0);
    EXPECT_EQ(s.Bytes()[0], 0xFE);
}

TEST(MemoryStream, ShortReadBufferRaisesReadError) {
    TMemoryStream s(std::vector<uint8_t>{1, 2});
    uint8_t out[4];
    EXPECT_THROW(s.ReadBuffer(out, 4), EReadError);
}

TEST(MemoryStream, SetSizeClampsPositionAndCopyFromCopiesAll) {
    TMemoryStream source(std::vector<uint8_t>{1, 2, 3, 4, 5});
    source.SetPosition(5);
    source.SetSize(3);
    EXPECT_EQ(source.Position(), 3);
    TMemoryStream target;
    EXPECT_EQ(target.CopyFrom(source, 0), 3);
    EXPECT_EQ(target.Bytes(), (std::vector<uint8_t>{1, 2, 3}));
}

TEST(MemoryStream, MissingFileRaisesStreamErrorNamingIt) {
    TMemoryStream s;
    try {
        s.LoadFromFile(L"no-such-dir/no-such-file.bin");
        FAIL() << "expected EStreamError";
    } catch (const EStreamError& e) {
        EXPECT_NE(e.Message().find(L"no-such-file.bin"), std::wstring::npos);
    }
}
