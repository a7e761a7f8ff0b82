#pragma once
// Rows of one SQLite table read by position, in rowid order, without reading the whole table:
// the row count comes from COUNT(*), and rows come in windows fetched by key ("rowid > k" or
// "rowid < k" from a cached row, or from either end of the table) so that a page move next to the
// cached window costs one short indexed read. Writes run each in its own transaction and are in
// the file when they return.

#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "data/sqlite_db.h"

// Marks a binary value, which has no text form: the row still shows, and an UPDATE writes only
// the cells the user changed, so the value is never written back.
struct TBlobValue {
    bool operator==(const TBlobValue&) const = default;
};
// One cell: NULL, a number, a UTF-8 text or a binary value.
using TFieldValue = std::variant<std::monostate, double, std::string, TBlobValue>;

struct TColumnInfo {
    std::string name;      // UTF-8, as declared
    bool numeric = false;  // INTEGER, REAL or NUMERIC affinity: values typed in must be numbers
};

struct TTableRecord {
    int64_t key = 0;  // the rowid
    std::vector<TFieldValue> values;
};

class TTableCursor {
public:
    // Rows fetched at least per window: a grid screen is 20 to 40 rows, so one window serves
    // several screens and line-by-line scrolling refetches rarely.
    static constexpr int kWindowRows = 100;

    // Reads the table's columns; raises EDatabaseError naming the table and file when the
    // table does not exist.
    TTableCursor(TSqliteDatabase& database, const std::string& table);

    const std::vector<TColumnInfo>& Columns() const { return columns; }
    int Count() const { return count; }

    // The row at a position (0-based), or null when there is none. Valid until the next call
    // that reads or writes.
    const TTableRecord* Row(int position);
    // Makes rows [first, first + rows) available to Row without further reads.
    void Prefetch(int first, int rows);
    // Counts again and forgets the cached rows (after another connection changed the table).
    void Reload();

    // UPDATE of the given cells of the row with that key. Raises when the row no longer exists.
    void Update(int64_t key, const std::vector<TFieldValue>& values,
                const std::vector<bool>& modified);
    // INSERT of the given cells (others take their defaults); answers the new row's position.
    int Insert(const std::vector<TFieldValue>& values, const std::vector<bool>& modified);
    // DELETE of the row with that key. Raises when the row no longer exists.
    void Delete(int64_t key);

    // Rows read from the file so far: tests and benchmarks check that opening reads one window.
    int64_t RowsRead() const { return rowsRead; }

private:
    void Fetch(int first, int rows);
    void ReadInto(TSqliteStatement& statement, bool reversed, std::vector<TTableRecord>& out);
    TTableRecord ReadRecord(TSqliteStatement& statement);
    void BindValue(TSqliteStatement& statement, int index, const TFieldValue& value);
    void RefuseMissingRow(int64_t key) const;
    int CountWhere(const std::string& condition, std::optional<int64_t> key);

    TSqliteDatabase& database;
    std::string table;        // UTF-8 name
    std::string quotedTable;  // for SQL
    std::string keyName;      // rowid, _rowid_ or oid: whichever no column shadows
    std::vector<TColumnInfo> columns;
    int count = 0;

    // The cached window: rows [cacheStart, cacheStart + cache.size()).
    int cacheStart = 0;
    std::vector<TTableRecord> cache;

    // Prepared once the columns are known.
    std::optional<TSqliteStatement> forwardAll;    // LIMIT ?1 OFFSET ?2, ascending
    std::optional<TSqliteStatement> forwardFrom;   // key > ?1 LIMIT ?2 OFFSET ?3, ascending
    std::optional<TSqliteStatement> backwardAll;   // LIMIT ?1 OFFSET ?2, descending
    std::optional<TSqliteStatement> backwardFrom;  // key < ?1 LIMIT ?2 OFFSET ?3, descending
    std::optional<TSqliteStatement> byKey;         // key = ?1
    int64_t rowsRead = 0;
};
