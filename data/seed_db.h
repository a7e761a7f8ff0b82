#pragma once
// Building the section database from the shipped section tables: one CSV file per table (UTF-8,
// comma-separated, one header row), the file name without ".csv" naming the table and the header
// naming the columns. The designation column "型号" is stored as TEXT, every other column as
// REAL; empty cells become NULL; rows keep their file order.
//
// The database is written to a temporary file in one transaction and renamed into place. A stamp
// beside it records what was written; a target that no longer matches its stamp (a user edited
// it in place, or something else wrote it) is not overwritten unless forced.

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "forms/exception.h"

PONDERIX_EXCEPTION(ESeedError, Exception);

inline constexpr std::string_view kDesignationColumn = "型号";

// A cell: NULL, a number (REAL column) or a text (the designation column).
using TSeedValue = std::variant<std::monostate, double, std::string>;

struct TSeedTable {
    std::string name;  // UTF-8
    std::vector<std::string> columns;
    std::vector<std::vector<TSeedValue>> rows;
    std::vector<std::string> warnings;  // columns renamed, see ParseSectionCsv
};

// Parses one table. `fileLabel` names the file in messages ("<file>:<line>: ...").
// Strict: quoted fields may hold commas, doubled quotes and line breaks; a quote inside an
// unquoted field, text after a closing quote, an unterminated quote, a row with the wrong number
// of fields, an empty column name or one given twice, invalid UTF-8 and a number that is not plain
// decimal ([sign] digits [. digits] [e [sign] digits], no blanks) or beyond double range raise
// ESeedError naming the file, line and column. Blank lines are skipped; a UTF-8 BOM is ignored.
// SQLite does not tell names apart by ASCII letter case, so a column whose name differs from an
// earlier one only in case ("b" after "B") is stored as "b_2" (the first free suffix), with a
// warning.
TSeedTable ParseSectionCsv(std::string_view content, std::string name,
                           const std::string& fileLabel);

struct TSeedSummary {
    bool written = false;  // false: the target already held exactly this database
    size_t tables = 0;
    size_t rows = 0;
    std::vector<std::string> warnings;
};

// Reads every *.csv file of csvDir (in file-name order) and writes the database at target.
// Raises ESeedError when there are no tables, a file is malformed, or target exists and differs
// from what was last written there (unless force).
TSeedSummary SeedDatabase(const std::filesystem::path& csvDir, const std::filesystem::path& target,
                          bool force);

// The stamp kept beside target: "<target>.seedstamp".
std::filesystem::path SeedStampPath(const std::filesystem::path& target);
