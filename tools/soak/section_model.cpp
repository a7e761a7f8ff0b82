#include "tools/soak/section_model.h"

#include <cmath>
#include <cstdio>

#include "data/sqlite_db.h"

namespace soak {

namespace {

TCell ReadCell(const TSqliteStatement& statement, int column) {
    TCell cell;
    switch (statement.Kind(column)) {
        case TValueKind::Null: break;
        case TValueKind::Integer:
        case TValueKind::Real:
            cell.null = false;
            cell.numeric = true;
            cell.number = statement.ReadReal(column);
            break;
        case TValueKind::Text:
            cell.null = false;
            cell.text = statement.ReadText(column);
            break;
        case TValueKind::Blob:
            cell.null = false;
            cell.text = "(BLOB)";
            break;
    }
    return cell;
}

// Numbers go through the program's decimal reading and SQLite's REAL storage: both keep the
// double they were given, but a cell shown with 15 digits and posted unchanged may come back
// as that rounding, so numbers agree within a relative 1e-12.
bool SameCell(const TCell& a, const TCell& b) {
    if (a.null || b.null) return a.null == b.null;
    if (a.numeric != b.numeric) return false;
    if (!a.numeric) return a.text == b.text;
    return std::fabs(a.number - b.number) <= 1e-12 * std::max(1.0, std::fabs(a.number));
}

std::string CellText(const TCell& cell) {
    if (cell.null) return "NULL";
    if (!cell.numeric) return "'" + cell.text + "'";
    char number[40];
    std::snprintf(number, sizeof number, "%.15g", cell.number);
    return number;
}

}  // namespace

std::string Describe(const TRow& row) {
    std::string text = "(";
    for (size_t i = 0; i < row.size(); ++i) text += (i ? ", " : "") + CellText(row[i]);
    return text + ")";
}

TSectionModel TSectionModel::Read(const std::string& databasePath) {
    TSectionModel model;
    TSqliteDatabase database(databasePath, TOpenMode::ReadOnly);
    std::vector<std::string> names;
    auto list = database.Prepare("SELECT name FROM sqlite_master WHERE type = 'table'");
    while (list.Step()) names.push_back(list.ReadText(0));
    for (const std::string& name : names) {
        TTableModel table;
        auto columns = database.Prepare("SELECT name, type FROM pragma_table_info(" +
                                        std::string("'") + name + "')");
        while (columns.Step()) {
            table.columns.push_back(columns.ReadText(0));
            table.numeric.push_back(columns.ReadText(1) == "REAL");
        }
        auto rows = database.Prepare("SELECT * FROM " + QuoteIdentifier(name) + " ORDER BY rowid");
        while (rows.Step()) {
            TRow row;
            for (int c = 0; c < rows.ColumnCount(); ++c) row.push_back(ReadCell(rows, c));
            table.rows.push_back(std::move(row));
        }
        model.tables.emplace(name, std::move(table));
    }
    return model;
}

std::vector<std::string> TSectionModel::Differences(const TSectionModel& actual) const {
    std::vector<std::string> lines;
    for (const auto& [name, expected] : tables) {
        const auto found = actual.tables.find(name);
        if (found == actual.tables.end()) {
            lines.push_back("table " + name + " is missing");
            continue;
        }
        const TTableModel& real = found->second;
        if (real.rows.size() != expected.rows.size())
            lines.push_back(name + ": " + std::to_string(real.rows.size()) + " rows, expected " +
                            std::to_string(expected.rows.size()));
        for (size_t r = 0; r < std::max(real.rows.size(), expected.rows.size()); ++r) {
            const TRow none;
            const TRow& want = r < expected.rows.size() ? expected.rows[r] : none;
            const TRow& got = r < real.rows.size() ? real.rows[r] : none;
            bool same = want.size() == got.size();
            for (size_t c = 0; same && c < want.size(); ++c) same = SameCell(want[c], got[c]);
            if (!same)
                lines.push_back(name + " row " + std::to_string(r + 1) + ": " + Describe(got) +
                                ", expected " + Describe(want));
        }
    }
    return lines;
}

size_t TSectionModel::RowCount() const {
    size_t count = 0;
    for (const auto& [name, table] : tables) count += table.rows.size();
    return count;
}

}  // namespace soak
