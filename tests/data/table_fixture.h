#pragma once
// A scratch folder made the working directory for one test, with helpers that build section
// tables in a database file there and read them back through a second connection.

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>

#include "data/ado_table.h"
#include "data/field_text.h"
#include "data/sqlite_db.h"
#include "forms/text.h"

class TableFixture : public testing::Test {
public:
    void SetUp() override {
        static int serial = 0;
        const auto* info = testing::UnitTest::GetInstance()->current_test_info();
        dir = std::filesystem::temp_directory_path() /
              ("ponderix_data_" + std::string(info->name()) + "_" + std::to_string(++serial));
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir);
        previous = std::filesystem::current_path();
        std::filesystem::current_path(dir);
    }
    void TearDown() override {
        std::filesystem::current_path(previous);
        std::error_code ignored;
        std::filesystem::remove_all(dir, ignored);
    }

    // Runs SQL on weight.db (created when missing) through its own connection.
    static void Sql(const std::string& text, const std::string& file = "weight.db") {
        TSqliteDatabase db(file, TOpenMode::Create);
        db.Exec(text);
    }
    // A second connection's view of one value.
    static std::string Scalar(const std::string& query, const std::string& file = "weight.db") {
        TSqliteDatabase db(file, TOpenMode::ReadOnly);
        TSqliteStatement statement = db.Prepare(query);
        if (!statement.Step()) return "(no row)";
        switch (statement.Kind(0)) {
            case TValueKind::Null: return "NULL";
            case TValueKind::Text: return statement.ReadText(0);
            case TValueKind::Integer: return std::to_string(statement.ReadInteger(0));
            default: return WideToUtf8(FieldNumberText(statement.ReadReal(0)));
        }
    }

    static std::wstring ErrorOf(const std::function<void()>& action) {
        try {
            action();
        } catch (const Exception& e) {
            return e.Message();
        }
        return L"(no error)";
    }

    // A table component named ADOTable1 on weight.db.
    static void Point(TADOTable& table, const std::wstring& tableName) {
        table.SetName(L"ADOTable1");
        table.SetConnectionString(L"Provider=SQLite;Data Source=weight.db");
        table.SetTableName(tableName);
    }

    std::filesystem::path dir;
    std::filesystem::path previous;
};
