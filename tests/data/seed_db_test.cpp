#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "data/seed_db.h"
#include "data/sqlite_db.h"
#include "forms/text.h"

namespace fs = std::filesystem;

namespace {

std::string Utf8(const fs::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

fs::path PathOf(std::string_view utf8) { return fs::path(std::u8string(utf8.begin(), utf8.end())); }

// A fresh directory under the system's temporary folder, removed afterwards.
class SeedTest : public testing::Test {
protected:
    void SetUp() override {
        std::random_device random;
        dir = fs::temp_directory_path() / ("ponderix-seed-" + std::to_string(random()));
        fs::create_directories(dir / "csv");
    }
    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(dir, ignored);
    }

    void WriteCsv(std::string_view utf8Name, std::string_view content) {
        std::ofstream(dir / "csv" / PathOf(utf8Name), std::ios::binary) << content;
    }

    std::string SeedError(bool force = false) {
        try {
            SeedDatabase(dir / "csv", Db(), force);
        } catch (const ESeedError& e) {
            return WideToUtf8(e.Message());
        }
        return "(no error)";
    }

    fs::path Db() const { return dir / PathOf("weight.db"); }

    fs::path dir;
};

std::string ParseError(std::string_view content) {
    try {
        ParseSectionCsv(content, "t", "t.csv");
    } catch (const ESeedError& e) {
        return WideToUtf8(e.Message());
    }
    return "(no error)";
}

}  // namespace

TEST(SeedCsv, QuotingEmptyCellsAndLineEnds) {
    const TSeedTable table = ParseSectionCsv(
        "\xEF\xBB\xBF型号,\"a,b\",\"say \"\"hi\"\"\"\r\n"
        "\"5－4\",1.5,-2e3\r\n"
        "\r\n"
        "\"two\nlines\",,\"\"\n"
        "6.3,.5,7",
        "槽钢", "槽钢.csv");
    EXPECT_EQ(table.name, "槽钢");
    EXPECT_EQ(table.columns, (std::vector<std::string>{"型号", "a,b", "say \"hi\""}));
    ASSERT_EQ(table.rows.size(), 3u);
    EXPECT_EQ(std::get<std::string>(table.rows[0][0]), "5－4");
    EXPECT_EQ(std::get<double>(table.rows[0][1]), 1.5);
    EXPECT_EQ(std::get<double>(table.rows[0][2]), -2000.0);
    EXPECT_EQ(std::get<std::string>(table.rows[1][0]), "two\nlines");
    EXPECT_TRUE(std::holds_alternative<std::monostate>(table.rows[1][1]));
    EXPECT_TRUE(std::holds_alternative<std::monostate>(table.rows[1][2]));
    EXPECT_EQ(std::get<std::string>(table.rows[2][0]), "6.3");  // the designation stays text
    EXPECT_EQ(std::get<double>(table.rows[2][1]), 0.5);
    EXPECT_TRUE(table.warnings.empty());
}

TEST(SeedCsv, NamesDifferingOnlyInCaseGetASuffix) {
    const TSeedTable table = ParseSectionCsv("型号,B,b,b_2,d\n", "t", "t.csv");
    EXPECT_EQ(table.columns, (std::vector<std::string>{"型号", "B", "b_3", "b_2", "d"}));
    ASSERT_EQ(table.warnings.size(), 1u);
    EXPECT_EQ(table.warnings[0],
              "t.csv:1: column 3: column \"b\" is stored as \"b_3\": SQLite does not tell "
              "names apart by letter case");
}

TEST(SeedCsv, BadInputIsRefusedNamingFileLineAndColumn) {
    struct Case {
        const char* content;
        const char* message;
    };
    const Case cases[] = {
        {"型号,w\nA,1\nB,abc\n", "t.csv:3: column 2 \"w\": \"abc\" is not a number"},
        {"型号,w\nA,1,5\n", "t.csv:2: 3 fields where the header has 2"},
        {"型号,w\nA, 5\n", "t.csv:2: column 2 \"w\": \" 5\" is not a number"},
        {"型号,w\nA,.\n", "t.csv:2: column 2 \"w\": \".\" is not a number"},
        {"型号,w\nA,1e999\n", "t.csv:2: column 2 \"w\": \"1e999\" is beyond the range"},
        {"型号,w\n\"x\ny\",0x10\n", "t.csv:3: column 2 \"w\": \"0x10\" is not a number"},
        {"型号,w\nA,\"1\n", "t.csv:2: quoted field is not closed"},
        {"型号,w\nA,1\"2\n", "t.csv:2: quote inside an unquoted field"},
        {"型号,w\n\"A\"x,1\n", "t.csv:2: text after the closing quote"},
        {"型号,,w\n", "t.csv:1: column 2: empty column name"},
        {"型号,H,H\n", "t.csv:1: column 3: column name \"H\" appears twice"},
        {"型号,w\nA\xFF,1\n", "t.csv:2: column 1 \"型号\": text is not UTF-8"},
        {"", "t.csv: no header row"},
    };
    for (const Case& c : cases) {
        const std::string message = ParseError(c.content);
        EXPECT_NE(message.find(c.message), std::string::npos) << message;
    }
}

TEST_F(SeedTest, WritesEveryTableInFileOrderAndReadsBack) {
    WriteCsv("槽钢.csv", "型号,h,单重(kg/m)\n5,50,5.438\n6.3,63,\n");
    WriteCsv("菱型钢板.csv", "型号,单重(kg/m-2)\n2.5,21.6\n");
    WriteCsv("notes.txt", "not a table");
    const TSeedSummary summary = SeedDatabase(dir / "csv", Db(), false);
    EXPECT_TRUE(summary.written);
    EXPECT_EQ(summary.tables, 2u);
    EXPECT_EQ(summary.rows, 3u);
    EXPECT_FALSE(fs::exists(fs::path(Db()).concat(".tmp")));

    TSqliteDatabase db(Utf8(Db()), TOpenMode::ReadOnly);
    TSqliteStatement schema = db.Prepare(
        "SELECT m.name, p.name, p.type FROM sqlite_master m, pragma_table_info(m.name) p "
        "WHERE m.type = 'table' ORDER BY m.name, p.cid");
    std::string columns;
    while (schema.Step()) {
        columns += schema.ReadText(0) + "." + schema.ReadText(1) + ":" + schema.ReadText(2) + " ";
    }
    EXPECT_EQ(columns,
              "槽钢.型号:TEXT 槽钢.h:REAL 槽钢.单重(kg/m):REAL 菱型钢板.型号:TEXT "
              "菱型钢板.单重(kg/m-2):REAL ");

    TSqliteStatement rows = db.Prepare("SELECT \"型号\", \"单重(kg/m)\" FROM " +
                                       QuoteIdentifier("槽钢") + " ORDER BY rowid");
    ASSERT_TRUE(rows.Step());
    EXPECT_EQ(rows.ReadText(0), "5");
    EXPECT_EQ(rows.ReadReal(1), 5.438);
    EXPECT_THROW(rows.ReadReal(0), EDatabaseError);  // TEXT is not a number
    ASSERT_TRUE(rows.Step());
    EXPECT_TRUE(rows.IsNull(1));
    try {
        rows.ReadReal(1);
        ADD_FAILURE() << "NULL read as a number";
    } catch (const EDatabaseError& e) {
        const std::string message = WideToUtf8(e.Message());
        EXPECT_NE(message.find("weight.db: table \"槽钢\", column \"单重(kg/m)\": value is NULL"),
                  std::string::npos)
            << message;
    }
    EXPECT_FALSE(rows.Step());
}

TEST_F(SeedTest, NeverClobbersADatabaseEditedInPlace) {
    WriteCsv("圆豆钢板.csv", "型号,单重(kg/m-2)\n2.5,21.1\n");
    EXPECT_TRUE(SeedDatabase(dir / "csv", Db(), false).written);
    const auto written = fs::last_write_time(Db());
    EXPECT_FALSE(SeedDatabase(dir / "csv", Db(), false).written);  // same tables: untouched
    EXPECT_EQ(fs::last_write_time(Db()), written);

    {
        TSqliteDatabase db(Utf8(Db()), TOpenMode::ReadWrite);
        db.Exec("UPDATE \"圆豆钢板\" SET \"单重(kg/m-2)\" = 99");
    }
    EXPECT_NE(SeedError().find("weight.db differs from the database seeddb last wrote"),
              std::string::npos);
    EXPECT_EQ(SeedError(true), "(no error)");
    {
        TSqliteDatabase db(Utf8(Db()), TOpenMode::ReadOnly);
        TSqliteStatement s = db.Prepare("SELECT \"单重(kg/m-2)\" FROM \"圆豆钢板\"");
        ASSERT_TRUE(s.Step());
        EXPECT_EQ(s.ReadReal(0), 21.1);
    }

    fs::remove(SeedStampPath(Db()));  // a database this tool did not (knowingly) write
    EXPECT_NE(SeedError().find("--force"), std::string::npos);
    fs::remove(Db());
    EXPECT_EQ(SeedError(), "(no error)");
}

TEST_F(SeedTest, AFailedSeedLeavesTheTargetAndNoTemporaryFile) {
    WriteCsv("a.csv", "型号,w\nA,1\n");
    ASSERT_EQ(SeedError(), "(no error)");
    const auto written = fs::last_write_time(Db());
    WriteCsv("b.csv", "型号,w\nB,x\n");
    EXPECT_NE(SeedError().find("b.csv:2: column 2 \"w\": \"x\" is not a number"),
              std::string::npos);
#ifndef _WIN32  // two files whose names differ only in case exist on case-sensitive systems
    WriteCsv("b.csv", "型号,w\n");
    WriteCsv("A.csv", "型号,w\n");
    EXPECT_NE(SeedError().find("repeats"), std::string::npos);  // A and a: one table to SQLite
#endif
    EXPECT_EQ(fs::last_write_time(Db()), written);
    EXPECT_FALSE(fs::exists(fs::path(Db()).concat(".tmp")));
    fs::remove_all(dir / "csv");
    fs::create_directories(dir / "csv");
    EXPECT_NE(SeedError().find("no .csv files"), std::string::npos);
}
