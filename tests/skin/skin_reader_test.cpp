#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "forms/stream.h"
#include "skin/lzh.h"
#include "skin/lzh_encoder.h"
#include "skin/skin_reader.h"

namespace {

using Bytes = std::vector<uint8_t>;

Bytes Text(std::string_view s) { return Bytes(s.begin(), s.end()); }

void PutInt32(Bytes& out, int32_t value) {
    const auto v = uint32_t(value);
    out.insert(out.end(), {uint8_t(v), uint8_t(v >> 8), uint8_t(v >> 16), uint8_t(v >> 24)});
}

// Archive bytes laid out by hand, so that damaged archives can be made too.
Bytes RawArchive(int32_t version, std::string_view list, const std::vector<int32_t>& sizes,
                 size_t dataBytes, std::optional<int32_t> listLength = std::nullopt) {
    Bytes a;
    PutInt32(a, version);
    PutInt32(a, listLength.value_or(int32_t(list.size())));
    a.insert(a.end(), {1, 2, 3, 4, 5, 6, 7, 8});  // reserved bytes are never interpreted
    a.insert(a.end(), list.begin(), list.end());
    for (int32_t size : sizes) PutInt32(a, size);
    for (size_t i = 0; i < dataBytes; ++i) a.push_back(uint8_t('A' + i % 26));
    return a;
}

TMemoryStream Store(const Bytes& archive) { return TMemoryStream(PackSkinStore(archive)); }

// Catches what the reader would show the user while a test runs.
class SkinReaderTest : public ::testing::Test {
protected:
    void SetUp() override {
        previous =
            SetSkinMessageHandler([this](const std::wstring& text) { shown.push_back(text); });
    }
    void TearDown() override { SetSkinMessageHandler(previous); }

    bool Open(const Bytes& archive) {
        TMemoryStream store = Store(archive);
        return reader.Open(store);
    }
    std::string Entry(std::string_view name) {
        TMemoryStream target(Text("stale"));
        reader.GetEntry(name, target);
        EXPECT_EQ(target.Position(), 0);
        return std::string(target.Bytes().begin(), target.Bytes().end());
    }

    TSkinReader reader;
    std::vector<std::wstring> shown;
    TSkinMessageHandler previous;
};

TEST(SkinNameList, SplitsAtEveryKindOfLineBreak) {
    const struct {
        std::string_view list;
        std::vector<std::string> names;
    } cases[] = {
        {"", {}},
        {"a.bmp", {"a.bmp"}},
        {"a.bmp\r\n", {"a.bmp"}},
        {"a\r\nb\r\n", {"a", "b"}},
        {"a\rb\nc", {"a", "b", "c"}},
        {"a\r\n\r\nb\r\n", {"a", "", "b"}},
        {"a\n\rb", {"a", "", "b"}},  // LF then a lone CR: an empty line between
        {"\r\n", {""}},
        {std::string_view("a\r\nb\0c\r\n", 8), {"a", "b"}},  // NUL ends the list
        {std::string_view("\0a", 2), {}},
        {"my skin.ini\r\n\xB0\xB4\xC5\xA5.bmp", {"my skin.ini", "\xB0\xB4\xC5\xA5.bmp"}},
    };
    for (const auto& c : cases) EXPECT_EQ(SplitNameList(c.list), c.names) << c.list;
}

TEST_F(SkinReaderTest, OpensAnArchiveAndFindsEntriesByAsciiFoldedName) {
    const TSkinEntry entries[] = {
        {"FrameTop.bmp", Text("BMtop")},
        {"\xC4\xE3.bmp", Text("BMansi")},  // bytes above 0x7F are never folded
        {"skin.ini.bak", Text("[old]")},
        {"Skin.INI", Text("[new]")},
        {"frametop.BMP", Text("BMsecond")},  // same name after folding: never returned
    };
    ASSERT_TRUE(Open(BuildSkinArchive(entries)));
    EXPECT_TRUE(shown.empty());
    EXPECT_EQ(reader.Count(), 5);
    EXPECT_EQ(reader.Names()[0], "frametop.bmp");
    EXPECT_EQ(reader.Names()[3], "skin.ini");

    EXPECT_EQ(Entry("FrameTop.BMP"), "BMtop");
    EXPECT_EQ(Entry("FRAMETOP.bmp"), "BMtop");
    EXPECT_EQ(Entry("\xC4\xE3.BMP"), "BMansi");
    EXPECT_EQ(Entry("\xE4\xE3.bmp"), "");  // 0xC4 and 0xE4 differ even if a code page pairs them
    EXPECT_EQ(Entry("missing.bmp"), "");
    EXPECT_EQ(Entry("frametop"), "");  // whole names only

    TMemoryStream target;
    std::string name = "unchanged";
    reader.FindEntry(".ini", target, name);
    EXPECT_EQ(name, "skin.ini.bak");  // the first name containing the fragment
    EXPECT_EQ(std::string(target.Bytes().begin(), target.Bytes().end()), "[old]");
    EXPECT_EQ(target.Position(), 0);

    name = "unchanged";
    reader.FindEntry(".INI", target, name);  // the fragment is compared as given
    EXPECT_EQ(name, "unchanged");
    EXPECT_EQ(target.Size(), 0);
}

TEST_F(SkinReaderTest, EntriesStartAtTheSumOfTheSizesBeforeThem) {
    ASSERT_TRUE(Open(RawArchive(20000, "a\r\nb\r\nc\r\n", {10, 0, 5}, 15)));
    EXPECT_EQ(reader.Header().reserved[7], 8);
    EXPECT_EQ(Entry("a"), "ABCDEFGHIJ");
    EXPECT_EQ(Entry("b"), "");
    EXPECT_EQ(Entry("c"), "KLMNO");
    // Bytes past the last entry are allowed and ignored.
    ASSERT_TRUE(Open(RawArchive(20000, "a\r\n", {3}, 100)));
    EXPECT_EQ(Entry("a"), "ABC");
}

TEST_F(SkinReaderTest, OlderSkinShowsTheMessageAndHoldsNoEntries) {
    ASSERT_TRUE(Open(RawArchive(20000, "a\r\n", {3}, 3)));
    const std::vector<Bytes> olderStores = {
        PackSkinStore(RawArchive(19999, "a\r\n", {3}, 3)),
        PackSkinStore(Bytes()),  // size field 0: nothing decodes, so no version mark
        Bytes(),                 // shorter than the size field: an empty store
        Bytes{0x10, 0x00, 0x00},
    };
    for (const Bytes& bytes : olderStores) {
        shown.clear();
        TMemoryStream store(bytes);
        EXPECT_FALSE(reader.Open(store));
        ASSERT_EQ(shown.size(), 1u);
        EXPECT_EQ(shown[0], L"This is Older Skin File\rPlease update to new version !");
        EXPECT_EQ(reader.Count(), 0);
        EXPECT_EQ(Entry("a"), "");
    }
}

// Archives whose lengths do not add up are refused whole, without the older-skin message.
TEST_F(SkinReaderTest, InconsistentArchivesAreRefused) {
    std::string mostAllowed;
    for (int i = 0; i < 1001; ++i) mostAllowed += "e" + std::to_string(i) + "\r\n";
    const std::string tooMany = mostAllowed + "e1001\r\n";
    Bytes cutTable = RawArchive(20000, "a\r\nb\r\n", {1, 1}, 0);
    cutTable.pop_back();
    const struct {
        const char* what;
        Bytes archive;
    } cases[] = {
        {"1002 entries", RawArchive(20000, tooMany, std::vector<int32_t>(1002, 0), 0)},
        {"negative size", RawArchive(20000, "a\r\nb\r\n", {-1, 5}, 10)},
        {"sizes beyond the data", RawArchive(20000, "a\r\nb\r\n", {6, 5}, 10)},
        {"sizes that wrap", RawArchive(20000, "a\r\nb\r\n", {0x7FFFFFFF, 0x7FFFFFFF}, 10)},
        {"name list longer than the archive", RawArchive(20000, "a\r\n", {1}, 1, 1000)},
        {"negative name list length", RawArchive(20000, "a\r\n", {1}, 1, INT32_MIN)},
        {"size table cut short", cutTable},
        {"header cut short", Bytes{0x20, 0x4E, 0, 0, 3, 0, 0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(Open(RawArchive(20000, "a\r\n", {1}, 1)));
        EXPECT_FALSE(Open(c.archive));
        EXPECT_EQ(reader.Count(), 0);
        EXPECT_FALSE(reader.Error().empty());
        EXPECT_EQ(Entry("a"), "");
        EXPECT_TRUE(shown.empty());
    }
    EXPECT_TRUE(Open(RawArchive(20000, mostAllowed, std::vector<int32_t>(1001, 0), 0)));
    EXPECT_EQ(reader.Count(), 1001);
    EXPECT_TRUE(reader.Error().empty());
}

TEST_F(SkinReaderTest, AbsurdDeclaredSizeRaisesBeforeDecoding) {
    for (int32_t size : {-5, int32_t(TLZH::kMaxDecodedSize + 1)}) {
        Bytes bytes;
        PutInt32(bytes, size);
        bytes.resize(64, 0xAA);
        TMemoryStream store(bytes);
        EXPECT_THROW(reader.Open(store), ElzhException) << size;
        EXPECT_EQ(reader.Count(), 0);
    }
}

TEST_F(SkinReaderTest, UnpackReplacesTheTargetsContent) {
    TMemoryStream store(PackSkinStore(Text("new")));
    TMemoryStream target(Text("much longer stale content"));
    target.SetPosition(5);
    reader.Unpack(store, target);
    EXPECT_EQ(std::string(target.Bytes().begin(), target.Bytes().end()), "new");
}

TEST(SkinArchiveBuilder, RefusesWhatTheReaderCouldNotReadBack) {
    EXPECT_THROW(BuildSkinArchive(std::vector<TSkinEntry>(1002)), ESkinArchiveError);
    for (const char* bad : {"a\rb", "a\nb", "a\r"}) {
        const TSkinEntry entries[] = {{bad, {}}};
        EXPECT_THROW(BuildSkinArchive(entries), ESkinArchiveError) << bad;
    }
    const TSkinEntry withNul[] = {{std::string("a\0b", 3), {}}};
    EXPECT_THROW(BuildSkinArchive(withNul), ESkinArchiveError);
}

}  // namespace
