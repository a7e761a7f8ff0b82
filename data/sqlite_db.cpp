#include "data/sqlite_db.h"

#include <sqlite3.h>

#include "forms/text.h"

namespace sqlite_detail {

void CloseDatabase(sqlite3* db) { sqlite3_close_v2(db); }
void FinalizeStatement(sqlite3_stmt* statement) { sqlite3_finalize(statement); }

}  // namespace sqlite_detail

namespace {

[[noreturn]] void Raise(const std::string& utf8) { throw EDatabaseError(Utf8ToWide(utf8)); }

const char* KindName(TValueKind kind) {
    switch (kind) {
        case TValueKind::Null: return "NULL";
        case TValueKind::Integer: return "INTEGER";
        case TValueKind::Real: return "REAL";
        case TValueKind::Text: return "TEXT";
        case TValueKind::Blob: return "BLOB";
    }
    return "?";
}

std::string FileOf(sqlite3* db) {
    const char* name = db ? sqlite3_db_filename(db, "main") : nullptr;
    return name && *name ? name : "(temporary database)";
}

}  // namespace

std::string QuoteIdentifier(std::string_view name) {
    if (name.find('\0') != std::string_view::npos) {
        Raise("name with a NUL character cannot be used in SQL: " + std::string(name.data()));
    }
    std::string quoted = "\"";
    for (const char c : name) {
        quoted += c;
        if (c == '"') quoted += '"';
    }
    return quoted + "\"";
}

// --- TSqliteDatabase ------------------------------------------------------------------------

TSqliteDatabase::TSqliteDatabase(const std::string& path, TOpenMode mode) : path(path) {
    int flags = mode == TOpenMode::ReadOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE;
    if (mode == TOpenMode::Create) flags |= SQLITE_OPEN_CREATE;
    sqlite3* handle = nullptr;
    const int code = sqlite3_open_v2(path.c_str(), &handle, flags, nullptr);
    // SQLite hands out a handle even on failure, for its message; it is closed with the owner.
    db.Reset(handle);
    if (code != SQLITE_OK) Fail(code, "cannot open");
    sqlite3_extended_result_codes(handle, 1);
}

void TSqliteDatabase::Exec(std::string_view sqlText) {
    const std::string text(sqlText);
    const int code = sqlite3_exec(db.Get(), text.c_str(), nullptr, nullptr, nullptr);
    if (code != SQLITE_OK) Fail(code, "cannot run \"" + text + "\"");
}

TSqliteStatement TSqliteDatabase::Prepare(std::string_view sqlText) {
    sqlite3_stmt* handle = nullptr;
    const char* tail = nullptr;
    const int code =
        sqlite3_prepare_v2(db.Get(), sqlText.data(), int(sqlText.size()), &handle, &tail);
    TSqliteStatement statement(handle, std::string(sqlText));
    if (code != SQLITE_OK) Fail(code, "cannot prepare \"" + statement.Sql() + "\"");
    if (handle == nullptr) Raise(path + ": no statement in \"" + statement.Sql() + "\"");
    const std::string_view rest(tail, size_t(sqlText.data() + sqlText.size() - tail));
    if (rest.find_first_not_of(" \t\r\n;") != std::string_view::npos) {
        Raise(path + ": more than one statement in \"" + statement.Sql() + "\"");
    }
    return statement;
}

void TSqliteDatabase::Close() {
    if (db.Get() == nullptr) return;
    const int code = sqlite3_close(db.Get());
    if (code != SQLITE_OK) Fail(code, "cannot close");
    db.Release();  // closed already
}

void TSqliteDatabase::Fail(int code, std::string_view action) const {
    const char* message = db.Get() ? sqlite3_errmsg(db.Get()) : sqlite3_errstr(code);
    Raise(path + ": " + std::string(action) + ": " + message);
}

// --- TSqliteStatement -----------------------------------------------------------------------

TSqliteStatement::TSqliteStatement(sqlite3_stmt* handle, std::string sql)
    : statement(handle), sql(std::move(sql)) {}

void TSqliteStatement::BindNull(int index) {
    const int code = sqlite3_bind_null(statement.Get(), index);
    if (code != SQLITE_OK) Fail(code, "cannot bind parameter " + std::to_string(index));
}

void TSqliteStatement::BindInteger(int index, int64_t value) {
    const int code = sqlite3_bind_int64(statement.Get(), index, value);
    if (code != SQLITE_OK) Fail(code, "cannot bind parameter " + std::to_string(index));
}

void TSqliteStatement::BindReal(int index, double value) {
    const int code = sqlite3_bind_double(statement.Get(), index, value);
    if (code != SQLITE_OK) Fail(code, "cannot bind parameter " + std::to_string(index));
}

void TSqliteStatement::BindText(int index, std::string_view text) {
    const int code = sqlite3_bind_text64(statement.Get(), index, text.data(), text.size(),
                                         SQLITE_TRANSIENT, SQLITE_UTF8);
    if (code != SQLITE_OK) Fail(code, "cannot bind parameter " + std::to_string(index));
}

bool TSqliteStatement::Step() {
    const int code = sqlite3_step(statement.Get());
    if (code == SQLITE_ROW) return true;
    if (code == SQLITE_DONE) return false;
    Fail(code, "cannot run");
}

void TSqliteStatement::Reset() {
    sqlite3_reset(statement.Get());  // repeats the last step's error, already raised there
    sqlite3_clear_bindings(statement.Get());
}

int TSqliteStatement::ColumnCount() const { return sqlite3_column_count(statement.Get()); }

std::string TSqliteStatement::ColumnName(int column) const {
    CheckColumn(column);
    const char* name = sqlite3_column_name(statement.Get(), column);
    return name ? name : "";
}

TValueKind TSqliteStatement::Kind(int column) const {
    CheckColumn(column);
    switch (sqlite3_column_type(statement.Get(), column)) {
        case SQLITE_INTEGER: return TValueKind::Integer;
        case SQLITE_FLOAT: return TValueKind::Real;
        case SQLITE_TEXT: return TValueKind::Text;
        case SQLITE_BLOB: return TValueKind::Blob;
        default: return TValueKind::Null;
    }
}

double TSqliteStatement::ReadReal(int column) const {
    const TValueKind kind = Kind(column);
    if (kind != TValueKind::Real && kind != TValueKind::Integer) {
        ValueError(column, std::string("value is ") + KindName(kind) + ", not a number");
    }
    return sqlite3_column_double(statement.Get(), column);
}

int64_t TSqliteStatement::ReadInteger(int column) const {
    const TValueKind kind = Kind(column);
    if (kind != TValueKind::Integer) {
        ValueError(column, std::string("value is ") + KindName(kind) + ", not an integer");
    }
    return sqlite3_column_int64(statement.Get(), column);
}

std::string TSqliteStatement::ReadText(int column) const {
    const TValueKind kind = Kind(column);
    if (kind != TValueKind::Text) {
        ValueError(column, std::string("value is ") + KindName(kind) + ", not text");
    }
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement.Get(), column));
    const int size = sqlite3_column_bytes(statement.Get(), column);
    return text ? std::string(text, size_t(size)) : std::string();
}

void TSqliteStatement::CheckColumn(int column) const {
    if (column < 0 || column >= ColumnCount()) {
        Raise(FileOf(sqlite3_db_handle(statement.Get())) + ": no column " + std::to_string(column) +
              " in \"" + sql + "\"");
    }
}

void TSqliteStatement::ValueError(int column, std::string_view problem) const {
    const char* table = sqlite3_column_table_name(statement.Get(), column);
    const char* name = sqlite3_column_name(statement.Get(), column);
    std::string where = FileOf(sqlite3_db_handle(statement.Get())) + ": ";
    if (table) where += "table \"" + std::string(table) + "\", ";
    where += "column \"" + std::string(name ? name : "?") + "\": ";
    Raise(where + std::string(problem));
}

void TSqliteStatement::Fail(int code, std::string_view action) const {
    sqlite3* db = sqlite3_db_handle(statement.Get());
    const char* message = db ? sqlite3_errmsg(db) : sqlite3_errstr(code);
    Raise(FileOf(db) + ": " + std::string(action) + " \"" + sql + "\": " + message);
}

// --- TSqliteTransaction ---------------------------------------------------------------------

TSqliteTransaction::TSqliteTransaction(TSqliteDatabase& database, TTransactionKind kind)
    : database(database) {
    database.Exec(kind == TTransactionKind::Write ? "BEGIN IMMEDIATE" : "BEGIN");
}

TSqliteTransaction::~TSqliteTransaction() {
    if (!open) return;
    // Nothing may escape a destructor; a failed rollback leaves SQLite to roll back on close.
    sqlite3_exec(database.Handle(), "ROLLBACK", nullptr, nullptr, nullptr);
}

void TSqliteTransaction::Commit() {
    database.Exec("COMMIT");
    open = false;
}
