#pragma once
// The section tables as the soak driver expects them to be: read from the database copy when
// the run starts, then changed by every row the driver posts, inserts or deletes through the
// program's grids. When the run ends the database must hold exactly these rows.

#include <map>
#include <string>
#include <vector>

namespace soak {

struct TCell {
    bool null = true;
    bool numeric = false;
    double number = 0;
    std::string text;  // UTF-8
    bool operator==(const TCell&) const = default;
};
using TRow = std::vector<TCell>;

struct TTableModel {
    std::vector<std::string> columns;  // UTF-8 names
    std::vector<bool> numeric;         // REAL columns take numbers only
    std::vector<TRow> rows;            // in the table's order (rowid)
};

class TSectionModel {
public:
    // Every table of the database, rows in rowid order.
    static TSectionModel Read(const std::string& databasePath);

    TTableModel& Table(const std::string& name) { return tables.at(name); }
    bool HasTable(const std::string& name) const { return tables.count(name) != 0; }
    // What differs from actual, one line each; empty when both hold the same rows.
    std::vector<std::string> Differences(const TSectionModel& actual) const;
    size_t RowCount() const;

private:
    std::map<std::string, TTableModel> tables;
};

std::string Describe(const TRow& row);

}  // namespace soak
