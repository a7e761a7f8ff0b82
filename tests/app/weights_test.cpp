#include <gtest/gtest.h>

#include "app/densities.h"
#include "app/number_rules.h"
#include "app/weights.h"
#include "forms/exception.h"

namespace {

float In(const wchar_t* text) { return ConvertInput(text); }

}  // namespace

TEST(Weights, ShapeCalculatorsShowTheKnownWeights) {
    struct Case {
        long double weight;
        const wchar_t* shown;
    };
    const Case cases[] = {
        {PipeWeight(In(L"108"), In(L"4"), In(L"6"), In(L"7.85")), L"         61.555"},
        // Exact arithmetic gives 25105.468; the single-precision weight is 25105.46875.
        {PipeWeight(In(L"529"), In(L"20"), In(L"100"), In(L"7.85")), L"      25105.469"},
        {PipeWeight(In(L"57"), In(L"57"), In(L"6"), In(L"7.85")), L"          0.000"},
        {PipeWeight(In(L"10"), In(L"12"), In(L"1"), In(L"7.85")), L"         -0.592"},
        {PipeWeight(In(L"-5"), In(L"1"), In(L"1"), In(L"7.85")), L"         -0.148"},
        {BarWeight(BarShape::Round, In(L"20"), In(L"6"), In(L"7.85")), L"         14.797"},
        {BarWeight(BarShape::Square, In(L"20"), In(L"6"), In(L"7.85")), L"         18.840"},
        {BarWeight(BarShape::Hexagonal, In(L"20"), In(L"6"), In(L"7.85")), L"         16.315"},
        {BarWeight(BarShape::Hexagonal, In(L"100"), In(L"1"), In(L"7.85")), L"         67.980"},
        {PlateWeight(In(L"2000"), In(L"1000"), In(L"10"), In(L"7.85")), L"        157.000"},
    };
    for (const Case& c : cases) EXPECT_EQ(FormatWeight(c.weight), c.shown);
}

TEST(Weights, SectionCalculatorsScaleByTheReferenceDensity) {
    struct Case {
        long double weight;
        const wchar_t* shown;
    };
    const Case cases[] = {
        {SectionWeight(In(L"10"), In(L"6"), In(L"7.85")), L"         60.000"},
        {SectionWeight(In(L"10"), In(L"6"), In(L"7.9")), L"         60.382"},
        {SectionWeight(In(L"5.438"), In(L"1"), In(L"7.85")), L"          5.438"},
        {CheckeredPlateWeight(In(L"1000"), In(L"1000"), In(L"33.4"), In(L"7.85")),
         L"         33.400"},
        {CheckeredPlateWeight(In(L"2000"), In(L"1000"), In(L"10"), In(L"2.7")), L"          6.879"},
    };
    for (const Case& c : cases) EXPECT_EQ(FormatWeight(c.weight), c.shown);
}

TEST(Weights, HexagonalConstantIsTheOneAlwaysUsedNotRootThreeOverTwoThousand) {
    EXPECT_EQ(BarConstant(BarShape::Hexagonal), 0.0008659872L);
    EXPECT_EQ(BarConstant(BarShape::Round), 0.000785398L);
    EXPECT_EQ(BarConstant(BarShape::Square), 0.001L);
    // With √3/2000 the 100 mm bar would weigh 67.983 kg.
    EXPECT_NE(FormatWeight(0.00086602540378L * 100 * 100 * 7.85L),
              FormatWeight(BarWeight(BarShape::Hexagonal, 100, 1, In(L"7.85"))));
}

TEST(Weights, HugeInputsOverflowWhenShown) {
    const long double weight = PipeWeight(In(L"1e35"), In(L"1e10"), In(L"1"), In(L"7.85"));
    EXPECT_THROW(FormatWeight(weight), EOverflow);
}

TEST(Densities, EachPageHasItsOwnTableInListOrder) {
    auto names = [](MaterialPage page) {
        std::wstring all;
        for (const MaterialDensity& m : MaterialDensities(page)) {
            all += std::wstring(m.name) + L"=" + std::wstring(m.density) + L";";
        }
        return all;
    };
    EXPECT_EQ(names(MaterialPage::Pipe), L"碳钢=7.85;不锈钢=7.9;铝=2.7;紫铜=8.9;塑料=1.1;");
    EXPECT_EQ(names(MaterialPage::Bar), L"碳钢=7.85;不锈钢=7.9;铝=2.7;黄铜=8.5;紫铜=8.9;塑料=1.1;");
    EXPECT_EQ(names(MaterialPage::Plate), L"碳钢=7.85;不锈钢=7.9;铝=2.7;塑料=1.1;");
}

TEST(Densities, LookupIsByExactItemText) {
    EXPECT_EQ(DensityForMaterial(MaterialPage::Pipe, L"铝"), L"2.7");
    EXPECT_EQ(DensityForMaterial(MaterialPage::Bar, L"黄铜"), L"8.5");
    EXPECT_EQ(DensityForMaterial(MaterialPage::Plate, L"不锈钢"), L"7.9");
    EXPECT_FALSE(DensityForMaterial(MaterialPage::Plate, L"黄铜"));
    EXPECT_FALSE(DensityForMaterial(MaterialPage::Plate, L"紫铜"));
    EXPECT_FALSE(DensityForMaterial(MaterialPage::Pipe, L""));    // no item selected
    EXPECT_FALSE(DensityForMaterial(MaterialPage::Pipe, L"不"));  // a prefix is not a name
    EXPECT_FALSE(DensityForMaterial(MaterialPage::Pipe, L"铝 "));
}
