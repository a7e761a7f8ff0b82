#pragma once
// TADOTable: a data set on one table of a SQLite database file, named by its connection string
// ("Provider=SQLite;Data Source=weight.db", see connection_string.h) and TableName.
//
// The file is opened read-write but never created: a missing file is an error naming it, as is
// a missing table. Each open runs with synchronous=FULL, so every post, insert and delete is on
// disk (journal included) when the call returns, whatever journal mode the file uses. A write
// that finds the file locked by another program waits up to LockTimeout() ms, then fails.

#include <memory>
#include <string>

#include "data/data_set.h"

class TADOTable : public TDataSet {
    PONDERIX_CLASS(TADOTable, TDataSet)
public:
    // Long enough to ride out another program's short write (the seed tool, a second copy of
    // this program); short enough not to freeze the window when the file stays locked.
    static constexpr int kDefaultLockTimeoutMs = 2000;

    explicit TADOTable(TComponent* owner);
    ~TADOTable() override;

    const std::wstring& ConnectionString() const { return connectionString; }
    void SetConnectionString(const std::wstring& value);
    const std::wstring& TableName() const { return tableName; }
    void SetTableName(const std::wstring& value);
    int LockTimeout() const { return lockTimeoutMs; }
    void SetLockTimeout(int milliseconds);

    // The open table's connection and row source, for tests and benchmarks; null while closed.
    TSqliteDatabase* Database() const { return database.get(); }
    TTableCursor* Cursor() const { return cursor.get(); }

protected:
    TTableCursor& InternalOpen() override;
    void InternalClose() override;

private:
    std::wstring connectionString;
    std::wstring tableName;
    int lockTimeoutMs = kDefaultLockTimeoutMs;
    std::unique_ptr<TSqliteDatabase> database;
    std::unique_ptr<TTableCursor> cursor;  // declared after: goes before the database
};
