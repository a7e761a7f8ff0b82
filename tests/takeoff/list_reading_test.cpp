// Lists as spreadsheet programs save them: GB18030 or UTF-8 (with or without a BOM), quoted
// fields, embedded commas and line breaks, CR LF, empty rows, English headers.

#include "takeoff/text_report.h"
#include "takeoff_fixture.h"

namespace {

constexpr std::string_view kUtf8List =
    "类型,规格,长度,数量,材料\r\n管材,108×4,6,2,碳钢\r\n圆棒,20,6,1,黄铜\r\n槽钢,T10,6,1,\r\n";
// The same list as a Chinese Windows saves it (GB18030; × is A1 C1).
constexpr std::string_view kGb18030List =
    "\xC0\xE0\xD0\xCD,\xB9\xE6\xB8\xF1,\xB3\xA4\xB6\xC8,\xCA\xFD\xC1\xBF,\xB2\xC4\xC1\xCF\r\n"
    "\xB9\xDC\xB2\xC4,108\xA1\xC1"
    "4,6,2,\xCC\xBC\xB8\xD6\r\n"
    "\xD4\xB2\xB0\xF4,20,6,1,\xBB\xC6\xCD\xAD\r\n"
    "\xB2\xDB\xB8\xD6,T10,6,1,\r\n";

}  // namespace

TEST(ListText, TellsTheEncodingFromTheBytes) {
    EXPECT_EQ(DecodeListText(kUtf8List).encoding, TListEncoding::Utf8);
    const TListText gb = DecodeListText(kGb18030List);
    EXPECT_EQ(gb.encoding, TListEncoding::Gb18030);
    EXPECT_EQ(gb.utf8, kUtf8List);
    const TListText bom = DecodeListText("\xEF\xBB\xBF" + std::string(kUtf8List));
    EXPECT_EQ(bom.encoding, TListEncoding::Utf8);
    EXPECT_EQ(bom.utf8, kUtf8List);
    // Four-byte GB18030 sequences, which GBK lacks: U+3400 is 81 39 EE 39. A Windows without
    // code page 54936 (Wine) decodes GBK only and must refuse them rather than misread them.
    try {
        EXPECT_EQ(DecodeListText("a\x81\x39\xEE\x39").utf8, "a㐀");
    } catch (const EListUnreadable&) {
#ifndef _WIN32
        ADD_FAILURE() << "iconv decodes every GB18030 sequence";
#endif
    }
}

TEST(ListText, RefusesBytesThatAreNoText) {
    for (const std::string_view bytes : {std::string_view("a,b\0c", 5),         // binary
                                         std::string_view("\xEF\xBB\xBF\xFF"),  // BOM, then junk
                                         std::string_view("\x81\x20,x")}) {     // no GB18030
        EXPECT_THROW(DecodeListText(bytes), EListUnreadable);
    }
}

TEST_F(TakeoffFixture, BothEncodingsOfOneListGiveTheSameReport) {
    const std::wstring fromUtf8 = TextReport(Run(kUtf8List));
    EXPECT_EQ(TextReport(Run(kGb18030List)), fromUtf8);
    EXPECT_EQ(TextReport(Run("\xEF\xBB\xBF" + std::string(kUtf8List))), fromUtf8);
    EXPECT_NE(fromUtf8.find(L"黄铜"), std::wstring::npos);
}

TEST_F(TakeoffFixture, ReadsAListEditedInASpreadsheetProgram) {
    // Columns in another order, units in the headers, a notes column the tool does not know
    // (with a comma and a line break inside quotes), quoted sizes and numbers, a row of empty
    // cells, CR LF and a trailing empty line.
    const TTakeoff takeoff =
        Run("\xEF\xBB\xBF\"备注\",数量,类型,规格,\"长度(m)\",材料\r\n"
            "\"东区, 第一批\",2,管材,\"108×4\",\"6\",碳钢\r\n"
            ",,,,,\r\n"
            "\"两行\r\n备注\",1,圆棒,20,6,\r\n"
            "\"引号\"\"里\",3,钢板,2000x1000x10,,\r\n"
            "\r\n");
    ASSERT_TRUE(takeoff.skipped.empty()) << WideToUtf8(takeoff.skipped[0].reason);
    ASSERT_EQ(takeoff.weighed.size(), 3u);
    EXPECT_EQ(takeoff.weighed[0].line, 2);
    EXPECT_EQ(takeoff.weighed[0].quantity, 2);
    EXPECT_EQ(takeoff.weighed[0].pieceWeight, L"61.555");
    EXPECT_EQ(takeoff.weighed[1].line, 4);  // the record that starts on line 4
    EXPECT_EQ(takeoff.weighed[1].pieceWeight, L"14.797");
    EXPECT_EQ(takeoff.weighed[2].line, 6);
    EXPECT_EQ(takeoff.weighed[2].lineGrams, 471'000);
}

TEST_F(TakeoffFixture, AcceptsEnglishHeadersAndEverySizeSign) {
    const TTakeoff takeoff =
        Run("Kind,Size,Length,Qty,Material,Density,Price\n"
            "pipe,108x4,6,1,,,\n"
            "管材,108X4,6,1,,,\n"
            "管材,108*4,6,1,,,\n"
            "管材, 108 × 4 ,6,1,,,\n"
            "H型钢HM,148x100,6,1,,,\n"
            "等边角钢,2.5/1.6-3,6,1,,,\n");
    ASSERT_TRUE(takeoff.skipped.empty()) << WideToUtf8(takeoff.skipped[0].reason);
    for (size_t i = 0; i < 4; ++i) EXPECT_EQ(takeoff.weighed[i].pieceWeight, L"61.555") << i;
    EXPECT_EQ(takeoff.weighed[4].pieceWeight, L"128.400");  // 21.4 kg/m × 6 m
    EXPECT_EQ(takeoff.weighed[5].pieceWeight, L"5.472");
}

TEST(TakeoffList, RefusesTextWithoutAHeaderRowOrThatIsNoCsv) {
    struct Case {
        const char* text;
        const wchar_t* message;
    };
    const Case cases[] = {
        {"", L"没有表头行：文件是空的"},
        {",,\r\n\r\n", L"没有表头行：文件是空的"},
        {"管材,108×4,6\n", L"没有表头行：第 1 行没有“类型”列"},
        {"类型,规格\n管材,\"108×4\n", L"不是有效的 CSV：第 2 行引号未闭合"},
        {"类型,规格\n管材,10\"8\n", L"不是有效的 CSV：第 2 行未加引号的字段中有引号"},
    };
    for (const Case& c : cases) {
        try {
            ReadTakeoffList(c.text);
            ADD_FAILURE() << c.text;
        } catch (const EListUnreadable& e) {
            EXPECT_EQ(e.Message(), c.message) << c.text;
        }
    }
}
