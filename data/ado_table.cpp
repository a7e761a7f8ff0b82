#include "data/ado_table.h"

#include <sqlite3.h>

#include "data/connection_string.h"
#include "forms/text.h"

PONDERIX_DEFINE_CLASS(TADOTable, [](TClassBuilder<TADOTable>& b) {
    b.String("ConnectionString", &TADOTable::ConnectionString, &TADOTable::SetConnectionString);
    b.String("TableName", &TADOTable::TableName, &TADOTable::SetTableName);
})

TADOTable::TADOTable(TComponent* owner) : TDataSet(owner) {}

TADOTable::~TADOTable() { CloseQuietly(); }

void TADOTable::SetConnectionString(const std::wstring& value) {
    if (value == connectionString) return;
    CheckInactive(L"ConnectionString");
    connectionString = value;
}

void TADOTable::SetTableName(const std::wstring& value) {
    if (value == tableName) return;
    CheckInactive(L"TableName");
    tableName = value;
}

void TADOTable::SetLockTimeout(int milliseconds) {
    lockTimeoutMs = milliseconds < 0 ? 0 : milliseconds;
    if (database) sqlite3_busy_timeout(database->Handle(), lockTimeoutMs);
}

TTableCursor& TADOTable::InternalOpen() {
    const TConnectionSettings settings = ParseConnectionString(connectionString, Name());
    if (tableName.empty()) Fail(L"缺少表名 (TableName)");
    try {
        // ReadWrite without Create: opening must never leave an empty database behind.
        auto opened = std::make_unique<TSqliteDatabase>(WideToUtf8(settings.dataSource),
                                                        TOpenMode::ReadWrite);
        sqlite3_busy_timeout(opened->Handle(), lockTimeoutMs);
        opened->Exec("PRAGMA synchronous = FULL");
        // Reads through a memory map of the file rather than one read call per page: opening
        // counts the table's rows, which touches every page of it, and a read call costs tens
        // of microseconds under Wine. Writes still go through the journal and are flushed.
        opened->Exec("PRAGMA mmap_size = 268435456");
        auto rows = std::make_unique<TTableCursor>(*opened, WideToUtf8(tableName));
        database = std::move(opened);
        cursor = std::move(rows);
    } catch (const EDatabaseError& e) {
        Fail(e.Message());
    }
    return *cursor;
}

void TADOTable::InternalClose() {
    cursor.reset();
    database.reset();
}
