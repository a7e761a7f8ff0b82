#include "takeoff/section_tables.h"

#include "data/data_set.h"
#include "data/table_cursor.h"
#include "forms/text.h"

namespace {

constexpr std::wstring_view kDesignation = L"型号";

int FindColumn(const TTableCursor& cursor, std::wstring_view name) {
    const std::string utf8 = WideToUtf8(name);
    for (size_t i = 0; i < cursor.Columns().size(); ++i) {
        if (SameTextAscii(cursor.Columns()[i].name, utf8)) return int(i);
    }
    return -1;
}

}  // namespace

std::wstring DesignationKey(std::wstring_view designation) {
    std::wstring key;
    for (const wchar_t c : designation) {
        if (c == L' ' || c == L'\t' || c == L'\u3000') continue;
        if (c == L'x' || c == L'X' || c == L'*' || c == L'\u00D7') {
            key += L'\u00D7';
        } else if (c == L'-' || c == L'\uFF0D') {
            key += L'\uFF0D';
        } else {
            key += c;
        }
    }
    return key;
}

TSectionTables::TSectionTables(const std::string& pathUtf8)
    : database(pathUtf8, TOpenMode::ReadOnly) {
    // Opening is lazy in SQLite: read the schema now, so a file that is no database is refused
    // before any line is weighed.
    database.Prepare("SELECT count(*) FROM sqlite_master").Step();
}

TSectionTables::Table TSectionTables::ReadTable(const TStockKind& kind) {
    ++tablesRead;
    Table table;
    const std::wstring tableName(kind.table);
    try {
        TTableCursor cursor(database, WideToUtf8(kind.table));
        const int designation = FindColumn(cursor, kDesignation);
        const int unitWeight = FindColumn(cursor, kind.unitWeightColumn);
        for (const auto& [column, name] :
             {std::pair{designation, kDesignation}, std::pair{unitWeight, kind.unitWeightColumn}}) {
            if (column < 0) {
                table.failure = tableName + L": 未发现字段 '" + std::wstring(name) + L"'";
                return table;
            }
        }
        cursor.Prefetch(0, cursor.Count());
        std::map<std::wstring, int> seen;  // key -> how many rows carry it
        for (int row = 0; row < cursor.Count(); ++row) {
            const TTableRecord* record = cursor.Row(row);
            if (!record) break;
            const auto* text = std::get_if<std::string>(&record->values[size_t(designation)]);
            const auto* number = std::get_if<double>(&record->values[size_t(designation)]);
            if (!text && !number) continue;  // a row without a designation cannot be named
            const std::wstring shown = FieldValueText(record->values[size_t(designation)]);
            const std::wstring key = DesignationKey(shown);
            TUnitWeight weight;
            try {
                weight.text = FieldValueText(record->values[size_t(unitWeight)]);
            } catch (const Exception& e) {
                weight.failure = tableName + L" 型号 '" + shown + L"': " + e.Message();
            }
            if (++seen[key] > 1) {
                // Two rows answer to one designation: which one the user meant is not known.
                weight.failure = L"型号 '" + shown + L"' 在表 '" + tableName + L"' 中有 " +
                                 std::to_wstring(seen[key]) + L" 行";
            }
            table.rows[key] = std::move(weight);
        }
    } catch (const EDatabaseError& e) {
        table.failure = e.Message();
    }
    return table;
}

TUnitWeight TSectionTables::Find(const TStockKind& kind, std::wstring_view designation) {
    auto found = tables.find(kind.table);
    if (found == tables.end()) found = tables.emplace(kind.table, ReadTable(kind)).first;
    const Table& table = found->second;
    if (!table.failure.empty()) return {{}, table.failure};
    const auto row = table.rows.find(DesignationKey(designation));
    if (row == table.rows.end()) {
        return {{},
                L"型号 '" + std::wstring(designation) + L"' 不在表 '" + std::wstring(kind.table) +
                    L"' 中"};
    }
    return row->second;
}
