#include "takeoff/takeoff_list.h"

#include <span>

#include "data/csv_records.h"
#include "forms/text.h"
#include "takeoff/list_text.h"

namespace {

using namespace std::string_view_literals;

struct ColumnNames {
    TListColumn column;
    std::array<std::string_view, 4> names;  // the first is the Chinese name; "" ends the list
};

constexpr std::array<ColumnNames, kListColumnCount> kColumns = {{
    {TListColumn::Kind, {"类型", "kind", "type", ""}},
    {TListColumn::Size, {"规格", "size", "designation", ""}},
    {TListColumn::Length, {"长度", "length", "", ""}},
    {TListColumn::Quantity, {"数量", "quantity", "qty", "count"}},
    {TListColumn::Material, {"材料", "material", "", ""}},
    {TListColumn::Density, {"密度", "density", "", ""}},
    {TListColumn::Price, {"单价", "price", "", ""}},
}};

std::string_view Trimmed(std::string_view text) {
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// A header cell names a column by its name alone or followed by a unit in brackets:
// "长度", "长度(m)", "长度（m）", "Length [m]".
std::optional<TListColumn> HeaderColumn(std::string_view cell) {
    cell = Trimmed(cell);
    for (const std::string_view open : {"("sv, "（"sv, "["sv}) {
        const size_t at = cell.find(open);
        if (at != std::string_view::npos) cell = Trimmed(cell.substr(0, at));
    }
    for (const ColumnNames& column : kColumns) {
        for (const std::string_view name : column.names) {
            if (!name.empty() && SameTextAscii(cell, name)) return column.column;
        }
    }
    return std::nullopt;
}

[[noreturn]] void RefuseCsv(const ECsvError& e) {
    const wchar_t* problem = L"引号未闭合";
    if (e.Problem() == TCsvProblem::QuoteInUnquotedField) problem = L"未加引号的字段中有引号";
    if (e.Problem() == TCsvProblem::TextAfterClosingQuote) problem = L"闭合引号后还有文字";
    throw EListUnreadable(L"不是有效的 CSV：第 " + std::to_wstring(e.Line()) + L" 行" + problem);
}

bool AllEmpty(const TCsvRecord& record) {
    for (const TCsvField& field : record.fields) {
        if (!Trimmed(field.text).empty()) return false;
    }
    return true;
}

}  // namespace

std::wstring_view ListColumnName(TListColumn column) {
    static const std::array<std::wstring, kListColumnCount> names = [] {
        std::array<std::wstring, kListColumnCount> all;
        for (const ColumnNames& c : kColumns) all[size_t(c.column)] = Utf8ToWide(c.names[0]);
        return all;
    }();
    return names[size_t(column)];
}

TTakeoffList ReadTakeoffList(const std::string& utf8) {
    std::vector<TCsvRecord> records;
    try {
        records = ReadCsvRecords(utf8);
    } catch (const ECsvError& e) {
        RefuseCsv(e);
    }
    size_t first = 0;
    while (first < records.size() && AllEmpty(records[first])) ++first;
    if (first == records.size()) throw EListUnreadable(L"没有表头行：文件是空的");

    // Where each column of the list stands in a record.
    std::array<std::optional<size_t>, kListColumnCount> position;
    const TCsvRecord& header = records[first];
    for (size_t i = 0; i < header.fields.size(); ++i) {
        const std::optional<TListColumn> column = HeaderColumn(header.fields[i].text);
        if (column && !position[size_t(*column)]) position[size_t(*column)] = i;
    }
    if (!position[size_t(TListColumn::Kind)]) {
        throw EListUnreadable(L"没有表头行：第 " + std::to_wstring(header.line) +
                              L" 行没有“类型”列");
    }

    TTakeoffList list;
    for (size_t r = first + 1; r < records.size(); ++r) {
        const TCsvRecord& record = records[r];
        if (AllEmpty(record)) continue;
        TListLine line;
        line.line = record.line;
        for (size_t c = 0; c < kListColumnCount; ++c) {
            if (position[c] && *position[c] < record.fields.size()) {
                line.fields[c] = Utf8ToWide(Trimmed(record.fields[*position[c]].text));
            }
        }
        for (size_t i = header.fields.size(); i < record.fields.size(); ++i) {
            if (!Trimmed(record.fields[i].text).empty()) line.extraFields = true;
        }
        list.lines.push_back(std::move(line));
    }
    return list;
}
