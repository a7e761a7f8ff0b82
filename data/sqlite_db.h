#pragma once
// A thin owning layer over SQLite for the section store. A TSqliteDatabase owns one connection,
// a TSqliteStatement one prepared statement; both are move-only. Failures raise EDatabaseError
// with the database file and the statement, or the table and column a value came from. Values
// are read back checked: NULL and values of the wrong storage class raise instead of turning
// into 0 or "" silently. Paths, SQL and text are UTF-8.

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

#include "forms/exception.h"
#include "forms/owned.h"

struct sqlite3;
struct sqlite3_stmt;

PONDERIX_EXCEPTION(EDatabaseError, Exception);

namespace sqlite_detail {

// sqlite3_close_v2: a connection with statements still open closes when the last one goes.
void CloseDatabase(sqlite3* db);
void FinalizeStatement(sqlite3_stmt* statement);

}  // namespace sqlite_detail

enum class TOpenMode { ReadOnly, ReadWrite, Create };
// SQLite's storage classes.
enum class TValueKind { Null, Integer, Real, Text, Blob };

// "name" with inner quotes doubled, for table and column names taken from data. Raises for a
// name holding a NUL character, which SQL text cannot carry.
std::string QuoteIdentifier(std::string_view name);

class TSqliteStatement {
public:
    // Parameters are numbered from 1; every value is copied into SQLite.
    void BindNull(int index);
    void BindInteger(int index, int64_t value);
    void BindReal(int index, double value);
    void BindText(int index, std::string_view text);

    // Runs to the next row: true when a row is ready, false when the statement is done.
    bool Step();
    // Makes the statement ready to run again and clears its bindings.
    void Reset();

    // Columns of the current row, numbered from 0.
    int ColumnCount() const;
    std::string ColumnName(int column) const;
    TValueKind Kind(int column) const;
    bool IsNull(int column) const { return Kind(column) == TValueKind::Null; }
    // An INTEGER or REAL value; NULL, TEXT and BLOB raise.
    double ReadReal(int column) const;
    // An INTEGER value; anything else raises.
    int64_t ReadInteger(int column) const;
    // A TEXT value; anything else raises.
    std::string ReadText(int column) const;

    const std::string& Sql() const { return sql; }

private:
    friend class TSqliteDatabase;
    TSqliteStatement(sqlite3_stmt* statement, std::string sql);

    void CheckColumn(int column) const;
    [[noreturn]] void ValueError(int column, std::string_view problem) const;
    [[noreturn]] void Fail(int code, std::string_view action) const;

    Owned<sqlite3_stmt*, &sqlite_detail::FinalizeStatement> statement;
    std::string sql;
};

class TSqliteDatabase {
public:
    TSqliteDatabase(const std::string& path, TOpenMode mode);

    // Runs SQL without results (several statements allowed).
    void Exec(std::string_view sqlText);
    // Prepares exactly one statement.
    TSqliteStatement Prepare(std::string_view sqlText);
    // Closes now; raises when SQLite cannot (for example a statement is still open).
    void Close();

    const std::string& Path() const { return path; }
    sqlite3* Handle() const { return db.Get(); }

private:
    [[noreturn]] void Fail(int code, std::string_view action) const;

    std::string path;
    Owned<sqlite3*, &sqlite_detail::CloseDatabase> db;
};

// A write transaction takes the write lock now (BEGIN IMMEDIATE). A read transaction (BEGIN)
// takes the shared lock at its first read and keeps it to the end, so that its statements read
// one state of the file and lock and check it once, not once each. ROLLBACK when destroyed
// without Commit.
enum class TTransactionKind { Write, Read };

class TSqliteTransaction {
public:
    explicit TSqliteTransaction(TSqliteDatabase& database,
                                TTransactionKind kind = TTransactionKind::Write);
    TSqliteTransaction(const TSqliteTransaction&) = delete;
    TSqliteTransaction& operator=(const TSqliteTransaction&) = delete;
    ~TSqliteTransaction();
    void Commit();

private:
    TSqliteDatabase& database;
    bool open = true;
};
