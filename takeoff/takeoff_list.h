#pragma once
// A takeoff list read from its text: the header row names the columns, in Chinese or English,
// in any order; every later record is one line of the list. Columns: 类型 (kind, required),
// 规格 (size or designation), 长度 (length), 数量 (quantity, default 1), 材料 (material),
// 密度 (density in t/m3), 单价 (price per tonne).

#include <array>
#include <optional>
#include <string>
#include <vector>

enum class TListColumn { Kind, Size, Length, Quantity, Material, Density, Price };
inline constexpr size_t kListColumnCount = 7;

// The column's Chinese name, as messages and reports use it.
std::wstring_view ListColumnName(TListColumn column);

struct TListLine {
    int line = 0;  // where the record starts in the file
    // A field's text, or nothing when the header lacks the column or the record ends before it.
    std::array<std::optional<std::wstring>, kListColumnCount> fields;
    // Non-empty fields past the header's last column: the record does not fit the header.
    bool extraFields = false;

    const std::optional<std::wstring>& Field(TListColumn column) const {
        return fields[size_t(column)];
    }
};

struct TTakeoffList {
    std::vector<TListLine> lines;
};

// Raises EListUnreadable when the text is no CSV (with the line of the damage) or its first
// record names no kind column (no header row). Records whose fields are all empty, as
// spreadsheet programs write for empty rows, are left out.
TTakeoffList ReadTakeoffList(const std::string& utf8);
