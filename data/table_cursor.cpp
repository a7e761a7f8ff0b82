#include "data/table_cursor.h"

#include <sqlite3.h>

#include <algorithm>

#include "forms/text.h"

namespace {

[[noreturn]] void Raise(const std::string& utf8) { throw EDatabaseError(Utf8ToWide(utf8)); }

// SQLite's column affinity rules, from the declared type: INT, then CHAR/CLOB/TEXT, then BLOB or
// no type, then REAL/FLOA/DOUB, otherwise NUMERIC.
bool IsNumericType(const std::string& declared) {
    const std::string type = AsciiLowerCase(declared);
    const auto has = [&](const char* part) { return type.find(part) != std::string::npos; };
    if (has("int")) return true;
    if (has("char") || has("clob") || has("text")) return false;
    if (has("blob") || type.empty()) return false;
    return true;
}

// RAII reset: a statement left mid-run would keep the file's read lock.
class TRunning {
public:
    explicit TRunning(TSqliteStatement& statement) : statement(statement) {}
    ~TRunning() { statement.Reset(); }
    TRunning(const TRunning&) = delete;
    TRunning& operator=(const TRunning&) = delete;

private:
    TSqliteStatement& statement;
};

}  // namespace

TTableCursor::TTableCursor(TSqliteDatabase& database, const std::string& table)
    : database(database), table(table), quotedTable(QuoteIdentifier(table)) {
    // Reading the schema, preparing the statements and counting the rows under one lock.
    TSqliteTransaction reading(database, TTransactionKind::Read);
    {
        TSqliteStatement exists = database.Prepare(
            "SELECT 1 FROM sqlite_schema WHERE type = 'table' AND name = ?1 COLLATE NOCASE");
        exists.BindText(1, table);
        if (!exists.Step()) Raise(database.Path() + ": 数据库中没有表 '" + table + "'");
    }
    {
        TSqliteStatement info = database.Prepare("SELECT name, type FROM pragma_table_info(?1)");
        info.BindText(1, table);
        while (info.Step()) {
            TColumnInfo column;
            column.name = info.ReadText(0);
            column.numeric = IsNumericType(info.IsNull(1) ? "" : info.ReadText(1));
            columns.push_back(std::move(column));
        }
    }
    for (const char* candidate : {"rowid", "_rowid_", "oid"}) {
        const bool shadowed = std::any_of(columns.begin(), columns.end(), [&](const auto& c) {
            return SameTextAscii(c.name, candidate);
        });
        if (!shadowed) {
            keyName = candidate;
            break;
        }
    }
    if (keyName.empty())
        Raise(database.Path() + ": 表 '" + table + "' 的列遮住了行号, 无法按行访问");

    std::string select = "SELECT " + keyName;
    for (const TColumnInfo& column : columns) select += ", " + QuoteIdentifier(column.name);
    select += " FROM " + quotedTable;
    const std::string ascending = " ORDER BY " + keyName + " LIMIT ";
    const std::string descending = " ORDER BY " + keyName + " DESC LIMIT ";
    forwardAll.emplace(database.Prepare(select + ascending + "?1 OFFSET ?2"));
    forwardFrom.emplace(
        database.Prepare(select + " WHERE " + keyName + " > ?1" + ascending + "?2 OFFSET ?3"));
    backwardAll.emplace(database.Prepare(select + descending + "?1 OFFSET ?2"));
    backwardFrom.emplace(
        database.Prepare(select + " WHERE " + keyName + " < ?1" + descending + "?2 OFFSET ?3"));
    byKey.emplace(database.Prepare(select + " WHERE " + keyName + " = ?1"));
    Reload();
    reading.Commit();
}

int TTableCursor::CountWhere(const std::string& condition, std::optional<int64_t> key) {
    TSqliteStatement statement =
        database.Prepare("SELECT COUNT(*) FROM " + quotedTable + condition);
    if (key) statement.BindInteger(1, *key);
    if (!statement.Step()) Raise(database.Path() + ": COUNT(*) 没有结果");
    return int(statement.ReadInteger(0));
}

void TTableCursor::Reload() {
    cache.clear();
    cacheStart = 0;
    count = CountWhere("", std::nullopt);
}

const TTableRecord* TTableCursor::Row(int position) {
    if (position < 0 || position >= count) return nullptr;
    Prefetch(position, 1);
    const int index = position - cacheStart;
    if (index < 0 || index >= int(cache.size())) return nullptr;  // the table shrank meanwhile
    return &cache[size_t(index)];
}

void TTableCursor::Prefetch(int first, int rows) {
    first = std::max(first, 0);
    rows = std::min(rows, count - first);
    if (rows <= 0) return;
    if (first >= cacheStart && first + rows <= cacheStart + int(cache.size())) return;
    Fetch(first, rows);
}

// Loads a window holding [first, first + rows). Moving backwards, the window ends at the range
// so that further steps back stay inside it; otherwise it starts there. The rows come from the
// nearest known key: either end of the table or a row of the old window, skipping as few rows as
// possible (an OFFSET walks the rowid b-tree row by row).
void TTableCursor::Fetch(int first, int rows) {
    const int size = std::min(std::max(rows, kWindowRows), count);
    int start = first < cacheStart ? first + rows - size : first;
    start = std::clamp(start, 0, count - size);
    const int end = start + size;
    const int oldEnd = cacheStart + int(cache.size());

    enum class TAnchor { Start, End, CachedBefore, CachedAfter };
    TAnchor anchor = TAnchor::Start;
    int skip = start;
    if (count - end < skip) {
        anchor = TAnchor::End;
        skip = count - end;
    }
    int before = -1;  // cached position just before the window, or the nearest cached one
    int after = -1;
    if (!cache.empty()) {
        if (start - 1 >= cacheStart) before = std::min(start - 1, oldEnd - 1);
        if (end < oldEnd) after = std::max(end, cacheStart);
        if (before >= 0 && start - 1 - before < skip) {
            anchor = TAnchor::CachedBefore;
            skip = start - 1 - before;
        }
        if (after >= 0 && after - end < skip) {
            anchor = TAnchor::CachedAfter;
            skip = after - end;
        }
    }

    std::vector<TTableRecord> window;
    window.reserve(size_t(size));
    switch (anchor) {
        case TAnchor::Start:
            forwardAll->BindInteger(1, size);
            forwardAll->BindInteger(2, skip);
            ReadInto(*forwardAll, false, window);
            break;
        case TAnchor::End:
            backwardAll->BindInteger(1, size);
            backwardAll->BindInteger(2, skip);
            ReadInto(*backwardAll, true, window);
            break;
        case TAnchor::CachedBefore:
            forwardFrom->BindInteger(1, cache[size_t(before - cacheStart)].key);
            forwardFrom->BindInteger(2, size);
            forwardFrom->BindInteger(3, skip);
            ReadInto(*forwardFrom, false, window);
            break;
        case TAnchor::CachedAfter:
            backwardFrom->BindInteger(1, cache[size_t(after - cacheStart)].key);
            backwardFrom->BindInteger(2, size);
            backwardFrom->BindInteger(3, skip);
            ReadInto(*backwardFrom, true, window);
            break;
    }
    // Read from the end, a short answer (rows deleted by someone else) is short at the front.
    const bool fromEnd = anchor == TAnchor::End || anchor == TAnchor::CachedAfter;
    cacheStart = fromEnd ? end - int(window.size()) : start;
    cache = std::move(window);
}

void TTableCursor::ReadInto(TSqliteStatement& statement, bool reversed,
                            std::vector<TTableRecord>& out) {
    TRunning running(statement);
    while (statement.Step()) out.push_back(ReadRecord(statement));
    if (reversed) std::reverse(out.begin(), out.end());
}

TTableRecord TTableCursor::ReadRecord(TSqliteStatement& statement) {
    TTableRecord record;
    record.key = statement.ReadInteger(0);
    record.values.reserve(columns.size());
    for (int column = 1; column <= int(columns.size()); ++column) {
        switch (statement.Kind(column)) {
            case TValueKind::Null: record.values.emplace_back(std::monostate{}); break;
            case TValueKind::Integer:
            case TValueKind::Real: record.values.emplace_back(statement.ReadReal(column)); break;
            case TValueKind::Text: record.values.emplace_back(statement.ReadText(column)); break;
            case TValueKind::Blob: record.values.emplace_back(TBlobValue{}); break;
        }
    }
    ++rowsRead;
    return record;
}

void TTableCursor::BindValue(TSqliteStatement& statement, int index, const TFieldValue& value) {
    if (const auto* number = std::get_if<double>(&value)) {
        statement.BindReal(index, *number);
    } else if (const auto* text = std::get_if<std::string>(&value)) {
        statement.BindText(index, *text);
    } else if (std::holds_alternative<TBlobValue>(value)) {
        Raise(database.Path() + ": 表 '" + table + "' 的二进制值不能从文本写入");
    } else {
        statement.BindNull(index);
    }
}

void TTableCursor::RefuseMissingRow(int64_t key) const {
    Raise(database.Path() + ": 表 '" + table + "' 中行号为 " + std::to_string(key) +
          " 的记录已不存在 (可能被其他程序删除)");
}

void TTableCursor::Update(int64_t key, const std::vector<TFieldValue>& values,
                          const std::vector<bool>& modified) {
    std::string sql = "UPDATE " + quotedTable + " SET ";
    int parameter = 0;
    for (size_t i = 0; i < columns.size(); ++i) {
        if (!modified[i]) continue;
        if (parameter++) sql += ", ";
        sql += QuoteIdentifier(columns[i].name) + " = ?";
    }
    if (parameter == 0) return;
    sql += " WHERE " + keyName + " = ?";

    TSqliteTransaction transaction(database);
    TSqliteStatement statement = database.Prepare(sql);
    int index = 0;
    for (size_t i = 0; i < columns.size(); ++i)
        if (modified[i]) BindValue(statement, ++index, values[i]);
    statement.BindInteger(++index, key);
    statement.Step();
    if (sqlite3_changes(database.Handle()) != 1) RefuseMissingRow(key);
    transaction.Commit();

    // The row keeps its key and position: refresh only its cached copy.
    for (TTableRecord& record : cache) {
        if (record.key != key) continue;
        TRunning running(*byKey);
        byKey->BindInteger(1, key);
        if (byKey->Step()) record = ReadRecord(*byKey);
    }
}

int TTableCursor::Insert(const std::vector<TFieldValue>& values,
                         const std::vector<bool>& modified) {
    std::string names;
    std::string marks;
    for (size_t i = 0; i < columns.size(); ++i) {
        if (!modified[i]) continue;
        if (!names.empty()) {
            names += ", ";
            marks += ", ";
        }
        names += QuoteIdentifier(columns[i].name);
        marks += "?";
    }
    const std::string sql =
        names.empty() ? "INSERT INTO " + quotedTable + " DEFAULT VALUES"
                      : "INSERT INTO " + quotedTable + " (" + names + ") VALUES (" + marks + ")";
    TSqliteTransaction transaction(database);
    TSqliteStatement statement = database.Prepare(sql);
    int index = 0;
    for (size_t i = 0; i < columns.size(); ++i)
        if (modified[i]) BindValue(statement, ++index, values[i]);
    statement.Step();
    const int64_t key = sqlite3_last_insert_rowid(database.Handle());
    transaction.Commit();

    Reload();
    return CountWhere(" WHERE " + keyName + " < ?1", key);
}

void TTableCursor::Delete(int64_t key) {
    TSqliteTransaction transaction(database);
    TSqliteStatement statement =
        database.Prepare("DELETE FROM " + quotedTable + " WHERE " + keyName + " = ?1");
    statement.BindInteger(1, key);
    statement.Step();
    if (sqlite3_changes(database.Handle()) != 1) RefuseMissingRow(key);
    transaction.Commit();
    Reload();
}
