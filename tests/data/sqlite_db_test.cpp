#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "data/sqlite_db.h"
#include "forms/text.h"

namespace {

std::string ErrorOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const EDatabaseError& e) {
        return WideToUtf8(e.Message());
    }
    return "(no error)";
}

}  // namespace

TEST(SqliteDb, QuotesIdentifiersAndChecksEveryValue) {
    EXPECT_EQ(QuoteIdentifier("单重(kg/m)"), "\"单重(kg/m)\"");
    EXPECT_EQ(QuoteIdentifier("a\"b"), "\"a\"\"b\"");
    EXPECT_THROW(QuoteIdentifier(std::string_view("a\0b", 3)), EDatabaseError);

    TSqliteDatabase db(":memory:", TOpenMode::Create);
    const std::string table = QuoteIdentifier("表 \"x\"");
    db.Exec("CREATE TABLE " + table + " (n REAL, i INTEGER, t TEXT, b BLOB)");
    TSqliteStatement insert = db.Prepare("INSERT INTO " + table + " VALUES (?, ?, ?, ?)");
    insert.BindReal(1, 2.5);
    insert.BindInteger(2, -7);
    insert.BindText(3, std::string("中\0文", 5));
    insert.BindNull(4);
    EXPECT_FALSE(insert.Step());

    TSqliteStatement select = db.Prepare("SELECT n, i, t, b FROM " + table);
    ASSERT_TRUE(select.Step());
    EXPECT_EQ(select.ColumnCount(), 4);
    EXPECT_EQ(select.ColumnName(2), "t");
    EXPECT_EQ(select.ReadReal(0), 2.5);
    EXPECT_EQ(select.ReadReal(1), -7.0);  // an INTEGER reads as a number too
    EXPECT_EQ(select.ReadInteger(1), -7);
    EXPECT_EQ(select.ReadText(2), std::string("中\0文", 5));
    EXPECT_EQ(select.Kind(3), TValueKind::Null);
    EXPECT_NE(ErrorOf([&] {
                  select.ReadText(3);
              }).find("table \"表 \"x\"\", column \"b\": value is NULL, not text"),
              std::string::npos);
    EXPECT_NE(ErrorOf([&] { select.ReadInteger(0); }).find("REAL, not an integer"),
              std::string::npos);
    EXPECT_NE(ErrorOf([&] { select.ReadReal(2); }).find("TEXT, not a number"), std::string::npos);
    EXPECT_NE(ErrorOf([&] { select.ReadReal(4); }).find("no column 4"), std::string::npos);
    EXPECT_FALSE(select.Step());
}

TEST(SqliteDb, ErrorsNameTheFileAndTheStatement) {
    EXPECT_NE(ErrorOf([] {
                  TSqliteDatabase("no-such-dir/weight.db", TOpenMode::ReadOnly);
              }).find("no-such-dir/weight.db: cannot open: unable to open database file"),
              std::string::npos);
    TSqliteDatabase db(":memory:", TOpenMode::Create);
    EXPECT_NE(ErrorOf([&] {
                  db.Prepare("SELECT * FROM \"槽钢\"");
              }).find(":memory:: cannot prepare \"SELECT * FROM \"槽钢\"\": no such table: 槽钢"),
              std::string::npos);
    EXPECT_NE(ErrorOf([&] { db.Prepare("SELECT 1; SELECT 2"); }).find("more than one statement"),
              std::string::npos);
    EXPECT_NE(ErrorOf([&] { db.Prepare("  "); }).find("no statement"), std::string::npos);
    // "x" is an identifier, never a string literal.
    EXPECT_NE(ErrorOf([&] { db.Prepare("SELECT \"x\""); }).find("no such column: \"x\""),
              std::string::npos);

    db.Exec("CREATE TABLE t (v REAL NOT NULL)");
    TSqliteStatement insert = db.Prepare("INSERT INTO t VALUES (?)");
    insert.BindNull(1);
    EXPECT_NE(ErrorOf([&] { insert.Step(); }).find("NOT NULL constraint failed: t.v"),
              std::string::npos);
    insert.Reset();
    insert.BindReal(1, 1);
    EXPECT_FALSE(insert.Step());
}

TEST(SqliteDb, TransactionsRollBackUnlessCommitted) {
    TSqliteDatabase db(":memory:", TOpenMode::Create);
    db.Exec("CREATE TABLE t (v REAL)");
    {
        TSqliteTransaction transaction(db);
        db.Exec("INSERT INTO t VALUES (1)");
    }
    {
        TSqliteTransaction transaction(db);
        db.Exec("INSERT INTO t VALUES (2)");
        transaction.Commit();
    }
    TSqliteStatement count = db.Prepare("SELECT group_concat(v) FROM t");
    ASSERT_TRUE(count.Step());
    EXPECT_EQ(count.ReadText(0), "2.0");
    EXPECT_THROW(db.Close(), EDatabaseError);  // a statement is still open
}
