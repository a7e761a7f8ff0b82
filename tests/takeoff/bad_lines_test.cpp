// Lines that cannot be weighed: each is listed with its line number and reason, left out of the
// totals, and never stops the lines around it.

#include "takeoff_fixture.h"

TEST_F(TakeoffFixture, EachBadLineIsListedWithItsReasonAndTheOthersAreWeighed) {
    struct Case {
        const char* line;  // 类型,规格,长度,数量,材料,密度,单价
        const wchar_t* reason;
    };
    const Case cases[] = {
        {"槽钢,99,6,1,,,", L"规格: 型号 '99' 不在表 '槽钢' 中"},
        {"H型钢HW,5x5,6,1,,,", L"规格: 型号 '5x5' 不在表 'H型钢国标HW' 中"},
        {"圆棒,20,1.2.3,1,,,", L"长度: '1.2.3' 不是一个有效的浮点值"},
        {"圆棒,20,,1,,,", L"长度: '' 不是一个有效的浮点值"},
        {"管材,108×四,6,1,,,", L"规格: '四' 不是一个有效的浮点值"},
        {"管材,108,6,1,,,", L"规格: '108' 不是 外径×壁厚 的形式"},
        {"管材,108×4,6,1,,7.85.1,", L"密度: '7.85.1' 不是一个有效的浮点值"},
        {"管材,108×4,6,1,黄铜,,",
         L"材料: '黄铜' 不在管材的材料表中（碳钢、不锈钢、铝、紫铜、塑料）"},
        {"钢板,1×1×1,,1,紫铜,,", L"材料: '紫铜' 不在钢板的材料表中（碳钢、不锈钢、铝、塑料）"},
        {"槽钢,5,6,1,铝,,", L"材料: '铝' 不是槽钢的材料（型钢表只有碳钢，其他材料请给出密度）"},
        {"圆管,108×4,6,1,,,", L"类型: 未知的类型 '圆管'"},
        {",108×4,6,1,,,", L"类型: 为空"},
        {"圆棒,20,6,2.5,,,", L"数量: '2.5' 不是有效的件数（应为正整数）"},
        {"圆棒,20,6,0,,,", L"数量: '0' 不是有效的件数（应为正整数）"},
        {"圆棒,20,-6,1,,,", L"长度: 长度必须大于零"},
        {"圆棒,20,0,1,,,", L"长度: 长度必须大于零"},
        {"管材,10×6,1,1,,,", L"规格: 壁厚大于外径的一半"},
        {"钢板,2000×1000×10,6,1,,,", L"长度: 板材的长度和宽度在规格中给出（单位 mm），此列应为空"},
        {"圆棒,20,6,1,,,abc", L"单价: 'abc' 不是一个有效的浮点值"},
        {"圆棒,1e30,1e30,1,,,", L"单重: 浮点指针溢出"},
        {"圆棒,20,6,1,,,,extra", L"字段多于表头的列数"},
    };
    std::string list = "类型,规格,长度,数量,材料,密度,单价\n管材,108×4,6,1,,,\n";
    for (const Case& c : cases) list += std::string(c.line) + "\n圆棒,20,6,1,,,\n";
    const TTakeoff takeoff = Run(list);

    ASSERT_EQ(takeoff.skipped.size(), std::size(cases));
    for (size_t i = 0; i < std::size(cases); ++i) {
        EXPECT_EQ(takeoff.skipped[i].line, int(3 + 2 * i)) << cases[i].line;
        EXPECT_EQ(takeoff.skipped[i].reason, cases[i].reason) << cases[i].line;
    }
    // Every good line around them is weighed and counted; the bad ones are not.
    EXPECT_EQ(takeoff.weighed.size(), std::size(cases) + 1);
    EXPECT_EQ(takeoff.total.lines, int(std::size(cases)) + 1);
    EXPECT_EQ(takeoff.total.grams, 61'555 + int64_t(std::size(cases)) * 14'797);
}

TEST_F(TakeoffFixture, AMissingColumnFailsTheLinesThatNeedIt) {
    // No length column: pipe and bar lines need one, a plate does not.
    const TTakeoff takeoff = Run("类型,规格\n管材,108×4\n钢板,2000×1000×10\n圆棒,20\n");
    ASSERT_EQ(takeoff.skipped.size(), 2u);
    EXPECT_EQ(takeoff.skipped[0].reason, L"缺少“长度”列");
    EXPECT_EQ(takeoff.skipped[1].line, 4);
    ASSERT_EQ(takeoff.weighed.size(), 1u);
    EXPECT_EQ(takeoff.weighed[0].lineGrams, 157'000);
    // A record that stops short of a column lacks it too.
    const TTakeoff shortRecord = Run("类型,规格,长度\n管材,108×4\n");
    ASSERT_EQ(shortRecord.skipped.size(), 1u);
    EXPECT_EQ(shortRecord.skipped[0].reason, L"缺少“长度”列");
}
