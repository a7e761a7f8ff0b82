#pragma once
// The unit weights of sections and checkered plates, from the user's section database, opened
// read-only so that a list never changes it. Each table is read once, on the first line that
// needs it, into a map by designation; a list of any length costs one read per table.

#include <map>
#include <memory>
#include <string>
#include <variant>

#include "data/sqlite_db.h"
#include "takeoff/stock_kinds.h"

// A designation's unit weight as the table's text form gives it, or why there is none.
struct TUnitWeight {
    std::wstring text;     // the value's text form, for input conversion
    std::wstring failure;  // non-empty: the line cannot be weighed, and this is why
};

class TSectionTables {
public:
    // Opens the database; raises EDatabaseError when it cannot be opened or is no database.
    explicit TSectionTables(const std::string& pathUtf8);

    // The unit weight of `designation` in the kind's table. Designations match with blanks
    // removed and "x", "X", "*" read as "×", "-" as "－", as lists write them.
    TUnitWeight Find(const TStockKind& kind, std::wstring_view designation);

    // Tables read from the file so far: each at most once.
    int TablesRead() const { return tablesRead; }

private:
    struct Table {
        std::wstring failure;  // the table cannot be used: every look-up fails with this
        std::map<std::wstring, TUnitWeight> rows;
    };
    Table ReadTable(const TStockKind& kind);

    TSqliteDatabase database;
    std::map<std::wstring_view, Table> tables;  // by table name
    int tablesRead = 0;
};

// The form in which designations are compared.
std::wstring DesignationKey(std::wstring_view designation);
