// Every kind the calculator weighs, weighed from a list: the piece weights are the calculator's
// own results for the same inputs (the figures of its tests), in the text report and the CSV.

#include <map>

#include "data/csv_records.h"
#include "takeoff/csv_report.h"
#include "takeoff/text_report.h"
#include "takeoff_fixture.h"

namespace {

struct KindCase {
    const char* line;   // 类型,规格,长度,数量,密度
    const char* shown;  // the calculator's result for the same inputs
};

// The calculator's shape results: pipe 108×4 and 529×20, bars of 20 mm over 6 m and the
// hexagonal 100 mm over 1 m, the 2000×1000×10 plate; sections from a unit weight of 10 (6 m,
// 7.85 or 7.9) or 5.438 (1 m); checkered plates from 33.4 (1000×1000) and 10 (2000×1000, 2.7).
const KindCase kCases[] = {
    {"管材,108×4,6,1,7.85", "61.555"},
    {"管材,529×20,100,1,7.85", "25105.469"},
    {"圆棒,20,6,1,7.85", "14.797"},
    {"方棒,20,6,1,7.85", "18.840"},
    {"六角棒,20,6,1,7.85", "16.315"},
    {"六角棒,100,1,1,7.85", "67.980"},
    {"钢板,2000×1000×10,,1,7.85", "157.000"},
    {"槽钢,T10,6,1,7.85", "60.000"},
    {"槽钢,T10,6,1,7.9", "60.382"},
    {"槽钢,5,1,1,7.85", "5.438"},
    {"工字钢,T10,6,1,7.9", "60.382"},
    {"H型钢HW,T10,6,1,7.85", "60.000"},
    {"H型钢HM,T10,6,1,7.9", "60.382"},
    {"H型钢HN,T10,6,1,7.85", "60.000"},
    {"H型钢HP,T10,6,1,7.9", "60.382"},
    {"等边角钢,T10,6,1,7.85", "60.000"},
    {"不等边角钢,T10,6,1,7.9", "60.382"},
    {"菱型花纹钢板,1000×1000×3.0,,1,7.85", "33.400"},
    {"扁豆花纹钢板,2000×1000×T10,,1,2.7", "6.879"},
    {"圆豆花纹钢板,2000×1000×T10,,1,2.7", "6.879"},
};

std::string CaseList() {
    std::string list = "类型,规格,长度,数量,密度\n";
    for (const KindCase& c : kCases) list += std::string(c.line) + "\n";
    return list;
}

}  // namespace

TEST_F(TakeoffFixture, EveryKindWeighsWhatTheCalculatorShows) {
    const TTakeoff takeoff = Run(CaseList());
    ASSERT_TRUE(takeoff.skipped.empty()) << WideToUtf8(takeoff.skipped[0].reason);
    ASSERT_EQ(takeoff.weighed.size(), std::size(kCases));

    // The text report: each line's row carries the piece weight.
    const std::string text = WideToUtf8(TextReport(takeoff));
    // The CSV report, read back: the piece weight column of each line.
    const std::string csv = CsvReport(takeoff);
    ASSERT_EQ(csv.substr(0, 3), "\xEF\xBB\xBF");
    const std::vector<TCsvRecord> records = ReadCsvRecords(csv);
    ASSERT_EQ(records[0].fields[7].text, "单重(kg)");

    for (size_t i = 0; i < std::size(kCases); ++i) {
        const KindCase& c = kCases[i];
        EXPECT_EQ(WideToUtf8(takeoff.weighed[i].pieceWeight), c.shown) << c.line;
        EXPECT_EQ(records[i + 1].fields[7].text, c.shown) << c.line;
        EXPECT_EQ(records[i + 1].fields[8].text, c.shown) << c.line;  // one piece
        const std::string row =
            "\n" + std::string(i + 2 < 10 ? "   " : "  ") + std::to_string(i + 2) + "  ";
        const size_t at = text.find(row);
        ASSERT_NE(at, std::string::npos) << c.line;
        const std::string line = text.substr(at + 1, text.find('\n', at + 1) - at - 1);
        EXPECT_NE(line.find("  " + std::string(c.shown) + "  "), std::string::npos) << line;
    }
    // 16 kinds, each with its total.
    EXPECT_EQ(takeoff.kinds.size(), StockKinds().size());
}

TEST_F(TakeoffFixture, LineWeightsAndTotalsAddTheShownPieceWeights) {
    const TTakeoff takeoff =
        Run("类型,规格,长度,数量,材料,单价\n"
            "管材,108×4,6,10,碳钢,4200\n"
            "管材,108×4,6,3,铝,\n"
            "钢板,2000×1000×10,,2,,5000.5\n"
            "槽钢,5,1,4,,\n");
    ASSERT_EQ(takeoff.weighed.size(), 4u);
    EXPECT_EQ(takeoff.weighed[0].lineGrams, 615'550);
    EXPECT_EQ(takeoff.weighed[0].costCents, 258'531);  // 0.61555 t × 4200 = 2585.31
    EXPECT_EQ(takeoff.weighed[1].densitySource, L"铝");
    EXPECT_EQ(takeoff.weighed[1].density, L"2.7");
    EXPECT_EQ(takeoff.weighed[2].costCents, 157'016);  // 0.314 t × 5000.5 = 1570.157 -> .16
    EXPECT_FALSE(takeoff.weighed[3].costCents);
    const int64_t sum = takeoff.weighed[0].lineGrams + takeoff.weighed[1].lineGrams +
                        takeoff.weighed[2].lineGrams + takeoff.weighed[3].lineGrams;
    EXPECT_EQ(takeoff.total.grams, sum);
    EXPECT_EQ(takeoff.total.pieces, 19);
    EXPECT_EQ(MetresText(takeoff.total.metres), L"82.000");  // plates have no length to add
    EXPECT_EQ(takeoff.total.costCents, 258'531 + 157'016);
    ASSERT_EQ(takeoff.kinds.size(), 3u);
    EXPECT_EQ(takeoff.kinds[0].kind->name, L"管材");
    EXPECT_EQ(takeoff.kinds[0].lines, 2);
    EXPECT_EQ(KilogramsText(takeoff.kinds[0].grams), L"679.066");
    EXPECT_EQ(TonnesText(takeoff.kinds[0].grams), L"0.679");
}

TEST(TakeoffFigures, ShownRoundedHalfAwayFromZero) {
    EXPECT_EQ(KilogramsText(0), L"0.000");
    EXPECT_EQ(KilogramsText(61'555), L"61.555");
    EXPECT_EQ(TonnesText(1'234'500), L"1.235");
    EXPECT_EQ(TonnesText(499), L"0.000");
    EXPECT_EQ(YuanText(5), L"0.05");
    EXPECT_EQ(MetresText(6.0005L), L"6.001");
    EXPECT_EQ(MetresText(0), L"0.000");
}
