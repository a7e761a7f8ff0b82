// The table component on real database files: the calculators' error messages, opening and
// switching tables, navigation over keyset windows, and edits that reach the file.
#include <gtest/gtest.h>

#include <fstream>
#include <random>

#include <sqlite3.h>

#include "data/seed_db.h"
#include "table_fixture.h"

namespace {

const std::wstring kWeight = L"单重(kg/m)";
const std::string kNullMessage = "不能进行变量转换: 类型 (Null) 到 类型 (String)";

// Two small section tables: 槽钢 with a NULL unit weight in row 2, 工字钢 without any rows.
void MakeSections() {
    TableFixture::Sql(
        "CREATE TABLE 槽钢 (型号 TEXT, h REAL, \"单重(kg/m)\" REAL);"
        "INSERT INTO 槽钢 VALUES ('5', 50, 5.438), ('6.3', 63, NULL), ('8', 80, 8.045);"
        "CREATE TABLE 工字钢 (型号 TEXT, \"单重(kg/m)\" REAL);"
        "CREATE TABLE 菱型钢板 (型号 TEXT, \"单重(kg/m-2)\" REAL);"
        "INSERT INTO 菱型钢板 VALUES ('2.5', 21.6);");
}

std::string Text(TADOTable& table, const std::wstring& field) {
    return WideToUtf8(table.FieldByName(field)->AsString());
}

}  // namespace

using AdoTable = TableFixture;

TEST_F(AdoTable, CalculatorErrorsWordForWord) {
    MakeSections();
    TADOTable table(nullptr);
    Point(table, L"槽钢");
    // Closed: no fields at all, so the column is missing.
    EXPECT_EQ(WideToUtf8(ErrorOf([&] { table.FieldByName(kWeight); })),
              "ADOTable1: 未发现字段 '单重(kg/m)'");
    table.Open();
    EXPECT_EQ(Text(table, kWeight), "5.438");
    table.Next();
    EXPECT_EQ(WideToUtf8(ErrorOf([&] { table.FieldByName(kWeight)->AsString(); })), kNullMessage);
    EXPECT_EQ(table.FieldByName(kWeight)->DisplayText(), L"");
    // A plate column asked of a section table.
    EXPECT_EQ(WideToUtf8(ErrorOf([&] { table.FieldByName(L"单重(kg/m-2)"); })),
              "ADOTable1: 未发现字段 '单重(kg/m-2)'");
    table.Close();
    table.SetTableName(L"工字钢");
    table.Open();
    EXPECT_EQ(table.RecordCount(), 0);
    EXPECT_TRUE(table.Eof() && table.Bof());
    EXPECT_EQ(WideToUtf8(ErrorOf([&] { table.FieldByName(kWeight)->AsString(); })), kNullMessage);
}

TEST_F(AdoTable, MissingFileTableOrProviderIsNamedAndNothingIsCreated) {
    MakeSections();
    TADOTable table(nullptr);
    Point(table, L"槽钢");
    table.SetConnectionString(L"Provider=SQLite;Data Source=缺少.db");
    const std::wstring missingFile = ErrorOf([&] { table.Open(); });
    EXPECT_EQ(missingFile.rfind(L"ADOTable1: ", 0), 0u) << WideToUtf8(missingFile);
    EXPECT_NE(missingFile.find(L"缺少.db"), std::wstring::npos) << WideToUtf8(missingFile);
    EXPECT_FALSE(std::filesystem::exists(dir / u8"缺少.db"));
    EXPECT_FALSE(table.Active());

    table.SetConnectionString(L"Provider=SQLite;Data Source=weight.db");
    table.SetTableName(L"角钢");
    const std::wstring missingTable = ErrorOf([&] { table.Open(); });
    EXPECT_NE(missingTable.find(L"'角钢'"), std::wstring::npos) << WideToUtf8(missingTable);
    EXPECT_FALSE(table.Active());
    EXPECT_EQ(table.FindField(kWeight), nullptr);

    table.SetConnectionString(
        L"Provider=Microsoft.Jet.OLEDB.4.0;Data Source=weight.mdb;Persist Security Info=False");
    EXPECT_EQ(WideToUtf8(ErrorOf([&] { table.Open(); })),
              "ADOTable1: 不支持的数据提供程序 'Microsoft.Jet.OLEDB.4.0' (只支持 SQLite)");

    // A file that is not a database is refused too, and left as it was.
    std::filesystem::path junk = dir / "junk.db";
    { std::ofstream(junk) << "not a database, just text that is long enough to be a header"; }
    table.SetConnectionString(L"Provider=SQLite;Data Source=junk.db");
    table.SetTableName(L"槽钢");
    EXPECT_NE(ErrorOf([&] { table.Open(); }).find(L"junk.db"), std::wstring::npos);
    EXPECT_FALSE(table.Active());
}

TEST_F(AdoTable, SwitchesTablesAsTheCalculatorsDo) {
    MakeSections();
    TADOTable table(nullptr);
    Point(table, L"槽钢");
    table.Open();
    table.Last();
    EXPECT_EQ(Text(table, L"型号"), "8");
    EXPECT_NE(ErrorOf([&] { table.SetTableName(L"工字钢"); }).find(L"TableName"),
              std::wstring::npos);
    // Close, set the name, open: the first row of the new table is current.
    for (const auto& [name, column, first] :
         {std::tuple{L"菱型钢板", L"单重(kg/m-2)", "21.6"}, {L"槽钢", L"单重(kg/m)", "5.438"}}) {
        if (table.Active()) table.Close();
        table.SetTableName(name);
        table.Open();
        EXPECT_EQ(table.RecNo(), 1);
        EXPECT_EQ(Text(table, column), first);
    }
    // Opening again what is open changes nothing.
    table.Next();
    table.Open();
    EXPECT_EQ(table.RecNo(), 2);
}

TEST_F(AdoTable, TextOfStoredValuesHasFifteenSignificantDigits) {
    Sql("CREATE TABLE t (型号 TEXT, v REAL, i INTEGER);"
        "INSERT INTO t VALUES ('5.6/3.6－4', 0.1 + 0.2, 12), ('H×B', 1e21, -0),"
        "('  padded ', 123456789012345678, 9007199254740993), ('', 2.0/3, NULL);");
    TADOTable table(nullptr);
    Point(table, L"t");
    table.Open();
    const std::vector<std::vector<std::string>> expected = {
        {"5.6/3.6－4", "0.3", "12"},
        {"H×B", "1E21", "0"},
        {"  padded ", "1.23456789012346E17", "9.00719925474099E15"},
        {"", "0.666666666666667", ""},
    };
    for (const auto& row : expected) {
        for (int i = 0; i < 3; ++i) {
            TField* field = table.Fields(i);
            EXPECT_EQ(WideToUtf8(field->DisplayText()), row[size_t(i)]) << table.RecNo();
        }
        table.Next();
    }
    EXPECT_TRUE(table.Eof());
    EXPECT_EQ(table.RecNo(), 4);
}

// Rows with gaps in their keys (some deleted), more than several windows long, walked by every
// kind of move and compared with where each row must be.
TEST_F(AdoTable, NavigationMatchesRowOrderAcrossWindows) {
    Sql("CREATE TABLE t (n REAL);"
        "WITH RECURSIVE k(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM k WHERE x < 1000)"
        " INSERT INTO t (rowid, n) SELECT x * 3, x FROM k;"
        "DELETE FROM t WHERE n % 7 = 0;");
    std::vector<int> rows;  // expected n by position
    for (int n = 1; n <= 1000; ++n)
        if (n % 7 != 0) rows.push_back(n);
    const int count = int(rows.size());

    TADOTable table(nullptr);
    Point(table, L"t");
    table.Open();
    EXPECT_EQ(table.RecordCount(), count);
    EXPECT_LE(table.Cursor()->RowsRead(), TTableCursor::kWindowRows);  // one window, not all
    TField* n = table.FieldByName(L"N");  // letter case does not matter
    const auto at = [&] { return std::stoi(WideToUtf8(n->AsString())); };

    EXPECT_TRUE(table.Bof());
    EXPECT_FALSE(table.Eof());
    table.Prior();
    EXPECT_TRUE(table.Bof());
    EXPECT_EQ(at(), 1);
    table.Last();
    EXPECT_TRUE(table.Eof());
    EXPECT_EQ(at(), rows.back());
    table.Next();
    EXPECT_TRUE(table.Eof());
    EXPECT_EQ(table.RecNo(), count);
    EXPECT_EQ(table.MoveBy(-5), -5);
    EXPECT_FALSE(table.Eof() || table.Bof());
    EXPECT_EQ(at(), rows[size_t(count - 6)]);
    table.First();
    EXPECT_EQ(table.MoveBy(-3), 0);
    EXPECT_TRUE(table.Bof());

    std::mt19937 random(7);
    int expected = 0;
    for (int step = 0; step < 400; ++step) {
        const int kind = int(random() % 4);
        const int distance = kind == 0 ? 1 : kind == 1 ? -1 : int(random() % 700) - 350;
        const int moved = table.MoveBy(distance);
        const int target = std::clamp(expected + distance, 0, count - 1);
        ASSERT_EQ(moved, target - expected) << "step " << step;
        expected = target;
        ASSERT_EQ(table.RecNo(), expected + 1);
        ASSERT_EQ(at(), rows[size_t(expected)]) << "step " << step;
        // A grid reads the screen around the current row.
        const int top = std::max(expected - 10, 0);
        const auto screen = table.DisplayRows(top, 25);
        ASSERT_EQ(screen.size(), size_t(std::min(25, count - top)));
        for (size_t i = 0; i < screen.size(); ++i)
            ASSERT_EQ(WideToUtf8(screen[i][0]), std::to_string(rows[size_t(top) + i]));
    }
    // Line-by-line scrolling through the whole table reads each row about once.
    table.First();
    const int64_t before = table.Cursor()->RowsRead();
    while (!table.Eof()) table.Next();
    EXPECT_LT(table.Cursor()->RowsRead() - before, count + 2 * TTableCursor::kWindowRows);
}

TEST_F(AdoTable, EditsReachTheFileBeforeTheCallReturns) {
    MakeSections();
    TADOTable table(nullptr);
    Point(table, L"槽钢");
    table.Open();
    table.Next();
    table.Edit();
    EXPECT_EQ(table.State(), TDataSetState::dsEdit);
    table.FieldByName(kWeight)->SetAsString(L" 6.634 ");
    EXPECT_EQ(Text(table, kWeight), "6.634");  // the buffer, before posting
    EXPECT_EQ(Scalar("SELECT \"单重(kg/m)\" FROM 槽钢 WHERE 型号 = '6.3'"), "NULL");
    table.Post();
    EXPECT_EQ(table.State(), TDataSetState::dsBrowse);
    EXPECT_EQ(Scalar("SELECT \"单重(kg/m)\" FROM 槽钢 WHERE 型号 = '6.3'"), "6.634");
    EXPECT_EQ(Text(table, kWeight), "6.634");
    EXPECT_EQ(table.RecNo(), 2);

    // Numbers only in numeric columns; the refused text leaves the buffer as it was.
    table.Edit();
    for (const wchar_t* bad : {L"abc", L"1,5", L"0x10", L"1e999", L"inf", L"--1"}) {
        EXPECT_EQ(ErrorOf([&] { table.FieldByName(kWeight)->SetAsString(bad); }),
                  L"'" + std::wstring(bad) + L"' 不是一个有效的浮点值");
    }
    EXPECT_FALSE(table.Modified());
    table.FieldByName(L"型号")->SetAsString(L"6.3a");  // text stays text, "a" and all
    table.FieldByName(kWeight)->SetAsString(L"");      // empty is NULL
    // Moving on posts the change.
    table.Next();
    EXPECT_EQ(Scalar("SELECT 型号 || '|' || ifnull(\"单重(kg/m)\", 'NULL') FROM 槽钢 "
                     "WHERE rowid = 2"),
              "6.3a|NULL");
    EXPECT_EQ(Text(table, L"型号"), "8");

    // Append adds after the last row; the posted row becomes current.
    table.Append();
    EXPECT_EQ(table.RecNo(), 4);
    table.FieldByName(L"型号")->SetAsString(L"10");
    table.FieldByName(kWeight)->SetAsString(L"10.007");
    table.Post();
    EXPECT_EQ(Scalar("SELECT COUNT(*) FROM 槽钢"), "4");
    EXPECT_EQ(table.RecordCount(), 4);
    EXPECT_EQ(table.RecNo(), 4);
    EXPECT_EQ(Text(table, kWeight), "10.007");

    // Insert before the first row: shown there while editing, stored in key order (last).
    table.First();
    table.Insert();
    EXPECT_EQ(table.RecNo(), 1);
    EXPECT_EQ(table.DisplayRowCount(), 5);
    table.FieldByName(L"型号")->SetAsString(L"12");
    EXPECT_EQ(WideToUtf8(table.DisplayRows(0, 2)[1][0]), "5");
    table.Post();
    EXPECT_EQ(table.RecNo(), 5);
    EXPECT_EQ(Scalar("SELECT 型号 FROM 槽钢 ORDER BY rowid DESC LIMIT 1"), "12");

    // Delete: the next row takes its place; after the last, the one before.
    table.First();
    table.Delete();
    EXPECT_EQ(Scalar("SELECT group_concat(型号, ',') FROM 槽钢"), "6.3a,8,10,12");
    EXPECT_EQ(Text(table, L"型号"), "6.3a");
    table.Last();
    table.Delete();
    EXPECT_EQ(Text(table, L"型号"), "10");
    EXPECT_EQ(table.RecordCount(), 3);

    // An unchanged insert is dropped by a move; a changed edit is posted by Close.
    table.Append();
    table.First();
    EXPECT_EQ(Scalar("SELECT COUNT(*) FROM 槽钢"), "3");
    table.Edit();
    table.FieldByName(L"h")->SetAsString(L"1e2");
    table.Close();
    EXPECT_EQ(Scalar("SELECT h FROM 槽钢 WHERE 型号 = '6.3a'"), "100");
    // Outside edit or insert nothing can be set.
    table.Open();
    EXPECT_NE(ErrorOf([&] {
                  table.FieldByName(L"h")->SetAsString(L"1");
              }).find(L"数据集不在编辑或插入状态"),
              std::wstring::npos);
}

TEST_F(AdoTable, FailedWritesKeepTheEdit) {
    MakeSections();
    Sql("CREATE TABLE strict (型号 TEXT NOT NULL, w REAL CHECK (w > 0));");
    TADOTable table(nullptr);
    Point(table, L"槽钢");
    table.SetLockTimeout(0);
    table.Open();
    table.Edit();
    table.FieldByName(kWeight)->SetAsString(L"9.5");
    {
        // Another program holds the write lock.
        TSqliteDatabase other("weight.db", TOpenMode::ReadWrite);
        other.Exec("BEGIN IMMEDIATE");
        EXPECT_NE(ErrorOf([&] { table.Post(); }).find(L"locked"), std::wstring::npos);
        EXPECT_EQ(table.State(), TDataSetState::dsEdit);
        EXPECT_EQ(Text(table, kWeight), "9.5");
        // A move cannot leave the row either, nor Close drop the edit.
        EXPECT_THROW(table.Next(), EDatabaseError);
        EXPECT_THROW(table.Close(), EDatabaseError);
        EXPECT_TRUE(table.Active());
        EXPECT_EQ(table.RecNo(), 1);
        EXPECT_EQ(Text(table, kWeight), "9.5");
        other.Exec("ROLLBACK");
    }
    {
        // Another program is reading: the write gets its lock, but cannot commit.
        TSqliteDatabase other("weight.db", TOpenMode::ReadOnly);
        TSqliteStatement reading = other.Prepare("SELECT * FROM 槽钢");
        ASSERT_TRUE(reading.Step());
        EXPECT_NE(ErrorOf([&] { table.Post(); }).find(L"locked"), std::wstring::npos);
        EXPECT_EQ(table.State(), TDataSetState::dsEdit);
        EXPECT_EQ(Text(table, kWeight), "9.5");
    }
    EXPECT_EQ(Scalar("SELECT \"单重(kg/m)\" FROM 槽钢 WHERE rowid = 1"), "5.438");
    table.Post();
    EXPECT_EQ(Scalar("SELECT \"单重(kg/m)\" FROM 槽钢 WHERE rowid = 1"), "9.5");

    // A constraint refuses the row: the insert stays open for correction.
    table.Close();
    table.SetTableName(L"strict");
    table.Open();
    table.Append();
    table.FieldByName(L"w")->SetAsString(L"-1");
    EXPECT_NE(ErrorOf([&] { table.Post(); }).find(L"constraint"), std::wstring::npos);
    EXPECT_EQ(table.State(), TDataSetState::dsInsert);
    table.FieldByName(L"型号")->SetAsString(L"2.5");
    EXPECT_NE(ErrorOf([&] { table.Post(); }).find(L"CHECK"), std::wstring::npos);
    table.FieldByName(L"w")->SetAsString(L"3");
    table.Post();
    EXPECT_EQ(Scalar("SELECT 型号 || '=' || w FROM strict"), "2.5=3.0");

    // A row deleted by someone else cannot be updated: said so, edit kept.
    table.Edit();
    table.FieldByName(L"w")->SetAsString(L"4");
    Sql("DELETE FROM strict");
    EXPECT_NE(ErrorOf([&] { table.Post(); }).find(L"已不存在"), std::wstring::npos);
    EXPECT_EQ(table.State(), TDataSetState::dsEdit);
    table.Cancel();
    table.Refresh();
    EXPECT_EQ(table.RecordCount(), 0);
}

// Opening reads the schema and counts the rows under one read lock, which it lets go of: a
// writer that needs the file to itself gets it at once, after a good open and after a failed one.
TEST_F(AdoTable, OpeningLeavesNoLockOnTheFile) {
    MakeSections();
    const auto exclusiveAtOnce = [] {
        TSqliteDatabase other("weight.db", TOpenMode::ReadWrite);
        sqlite3_busy_timeout(other.Handle(), 0);
        other.Exec("BEGIN EXCLUSIVE");
        other.Exec("COMMIT");
    };
    TADOTable table(nullptr);
    Point(table, L"槽钢");
    table.Open();
    EXPECT_GT(table.RecordCount(), 0);
    EXPECT_NO_THROW(exclusiveAtOnce());
    table.Close();
    table.SetTableName(L"没有这张表");
    EXPECT_NE(ErrorOf([&] { table.Open(); }).find(L"没有表"), std::wstring::npos);
    EXPECT_NO_THROW(exclusiveAtOnce());
}

// The tables as the seed tool writes them: designations are text, everything else numbers.
TEST_F(AdoTable, ReadsAndEditsSeededSectionTables) {
    std::filesystem::create_directories(dir / "csv");
    std::ofstream(dir / "csv" / u8"热轧不等边角钢.csv", std::ios::binary)
        << "型号,B,b,d,单重(kg/m)\n2.5/1.6－3,25,16,3,0.912\n5.6/3.6－4,56,36,4,3.446\n";
    std::ofstream(dir / "csv" / u8"圆豆钢板.csv", std::ios::binary)
        << "型号,单重(kg/m-2)\n2.5,21.1\n3.0,25.2\n";
    SeedDatabase(dir / "csv", dir / "weight.db", false);

    TADOTable table(nullptr);
    Point(table, L"热轧不等边角钢");
    table.Open();
    // Every post is on disk when it returns.
    TSqliteStatement synchronous = table.Database()->Prepare("PRAGMA synchronous");
    ASSERT_TRUE(synchronous.Step());
    EXPECT_EQ(synchronous.ReadInteger(0), 2);  // FULL

    table.Last();
    EXPECT_EQ(Text(table, L"型号"), "5.6/3.6－4");
    EXPECT_EQ(Text(table, kWeight), "3.446");
    EXPECT_FALSE(table.FieldByName(L"型号")->IsNumeric());
    EXPECT_TRUE(table.FieldByName(L"d")->IsNumeric());
    table.Edit();
    table.FieldByName(L"型号")->SetAsString(L"5.6/3.6－5");
    EXPECT_THROW(table.FieldByName(L"d")->SetAsString(L"5mm"), EConvertError);
    table.FieldByName(L"d")->SetAsString(L"5");
    table.Post();
    EXPECT_EQ(Scalar("SELECT 型号 || ' ' || d FROM 热轧不等边角钢 WHERE rowid = 2"),
              "5.6/3.6－5 5.0");

    table.Close();
    table.SetTableName(L"圆豆钢板");
    table.Open();
    EXPECT_EQ(Text(table, L"单重(kg/m-2)"), "21.1");
    EXPECT_EQ(WideToUtf8(ErrorOf([&] { table.FieldByName(kWeight); })),
              "ADOTable1: 未发现字段 '单重(kg/m)'");
}
