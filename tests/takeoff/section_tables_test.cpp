// Section look-ups: the user's own database, read-only, each table read once.

#include "data/sqlite_db.h"
#include "takeoff_fixture.h"

namespace {

std::string FileBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

}  // namespace

TEST_F(TakeoffFixture, ReadsEachTableOnceHoweverManyLinesUseIt) {
    std::string list = "类型,规格,长度\n";
    for (int i = 0; i < 500; ++i) list += i % 2 ? "槽钢,5,1\n" : "槽钢,T10,1\n";
    list += "等边角钢,T10,1\n槽钢,none,1\n";
    const TTakeoff takeoff = Run(list);
    EXPECT_EQ(takeoff.weighed.size(), 501u);
    EXPECT_EQ(takeoff.skipped.size(), 1u);
    EXPECT_EQ(tables->TablesRead(), 2);
}

TEST_F(TakeoffFixture, UsesTheRowsAsTheUserEditedThemAndChangesNothing) {
    {
        TSqliteDatabase db(DatabaseUtf8(), TOpenMode::ReadWrite);
        db.Exec(
            "UPDATE \"槽钢\" SET \"单重(kg/m)\" = 12.5 WHERE \"型号\" = 'T10';"
            "INSERT INTO \"槽钢\" VALUES ('N1', 1, 2);"
            "INSERT INTO \"槽钢\" VALUES ('N2', 1, NULL);"
            "INSERT INTO \"槽钢\" VALUES ('5', 1, 9);");  // a second row "5"
    }
    const std::string before = FileBytes(DatabasePath());
    const TTakeoff takeoff = Run("类型,规格,长度\n槽钢,T10,2\n槽钢,N1,1\n槽钢,N2,1\n槽钢,5,1\n");
    ASSERT_EQ(takeoff.weighed.size(), 2u);
    EXPECT_EQ(takeoff.weighed[0].pieceWeight, L"25.000");
    EXPECT_EQ(takeoff.weighed[1].pieceWeight, L"2.000");
    ASSERT_EQ(takeoff.skipped.size(), 2u);
    EXPECT_EQ(takeoff.skipped[0].reason,
              L"规格: 槽钢 型号 'N2': 不能进行变量转换: 类型 (Null) 到 类型 (String)");
    // Two rows answer to "5": which the user meant is not known, so neither is taken.
    EXPECT_EQ(takeoff.skipped[1].reason, L"规格: 型号 '5' 在表 '槽钢' 中有 2 行");
    tables.reset();
    EXPECT_EQ(FileBytes(DatabasePath()), before);
}

TEST_F(TakeoffFixture, ATableWithoutItsColumnsFailsOnlyItsOwnLines) {
    std::filesystem::remove(dir / "csv" / std::filesystem::path(u8"工字钢.csv"));
    WriteTable("工字钢", "型号,重量\nT10,10\n");
    std::filesystem::remove(dir / "csv" / std::filesystem::path(u8"扁豆钢板.csv"));
    Seed();
    const TTakeoff takeoff =
        Run("类型,规格,长度\n工字钢,T10,1\n扁豆花纹钢板,1×1×T10,\n槽钢,T10,1\n");
    ASSERT_EQ(takeoff.skipped.size(), 2u);
    EXPECT_EQ(takeoff.skipped[0].reason, L"规格: 工字钢: 未发现字段 '单重(kg/m)'");
    EXPECT_NE(takeoff.skipped[1].reason.find(L"扁豆钢板"), std::wstring::npos);
    ASSERT_EQ(takeoff.weighed.size(), 1u);
}

TEST(SectionDesignations, MatchAsListsWriteThem) {
    EXPECT_EQ(DesignationKey(L"148x100"), DesignationKey(L"148×100"));
    EXPECT_EQ(DesignationKey(L"148 X 100"), DesignationKey(L"148×100"));
    EXPECT_EQ(DesignationKey(L"148*100"), DesignationKey(L"148×100"));
    EXPECT_EQ(DesignationKey(L"2.5/1.6-3"), DesignationKey(L"2.5/1.6－3"));
    EXPECT_NE(DesignationKey(L"14a"), DesignationKey(L"14b"));
    EXPECT_NE(DesignationKey(L"3"), DesignationKey(L"3.0"));  // not guessed
}

TEST_F(TakeoffFixture, RefusesAFileThatIsNoDatabase) {
    std::ofstream(dir / "not.db", std::ios::binary) << "just some text, not SQLite";
    const std::u8string path = (dir / "not.db").u8string();
    EXPECT_THROW(TSectionTables(std::string(path.begin(), path.end())), EDatabaseError);
}
