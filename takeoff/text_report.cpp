#include "takeoff/text_report.h"

#include <algorithm>

#include "takeoff/report_tables.h"

namespace {

bool Wide(wchar_t c) {
    return (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0xA4CF) ||
           (c >= 0xAC00 && c <= 0xD7A3) || (c >= 0xF900 && c <= 0xFAFF) ||
           (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFF60) ||
           (c >= 0xFFE0 && c <= 0xFFE6);
}

std::wstring Padded(const std::wstring& text, size_t width, bool right) {
    const std::wstring blanks(width - std::min(width, DisplayWidth(text)), L' ');
    return right ? blanks + text : text + blanks;
}

void AppendTable(std::wstring& out, const TReportTable& table) {
    out += table.title + L"\n";
    std::vector<size_t> widths(table.header.size());
    for (size_t c = 0; c < widths.size(); ++c) {
        widths[c] = DisplayWidth(table.header[c]);
        for (const auto& row : table.rows) widths[c] = std::max(widths[c], DisplayWidth(row[c]));
    }
    auto line = [&](const std::vector<std::wstring>& cells) {
        std::wstring text;
        for (size_t c = 0; c < cells.size(); ++c) {
            if (c) text += L"  ";
            text += Padded(cells[c], widths[c], table.numeric[c]);
        }
        text.erase(text.find_last_not_of(L' ') + 1);
        out += text + L"\n";
    };
    line(table.header);
    for (const auto& row : table.rows) line(row);
}

}  // namespace

size_t DisplayWidth(std::wstring_view text) {
    size_t width = 0;
    for (const wchar_t c : text) width += Wide(c) ? 2 : 1;
    return width;
}

std::wstring TextReport(const TTakeoff& takeoff) {
    std::wstring out;
    AppendTable(out, LinesTable(takeoff));
    if (!takeoff.skipped.empty()) {
        out += L"\n";
        AppendTable(out, SkippedTable(takeoff));
    }
    out += L"\n";
    AppendTable(out, TotalsTable(takeoff));
    out += L"\n" + LineCountSummary(takeoff) + L"\n";
    return out;
}
