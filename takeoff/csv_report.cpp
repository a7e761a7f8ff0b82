#include "takeoff/csv_report.h"

#include "forms/text.h"
#include "takeoff/report_tables.h"

namespace {

// A text cell that a spreadsheet program would take for a formula ("=", "+", "-", "@") gets a
// leading apostrophe: a list's own texts are shown, never run.
std::wstring Guarded(const std::wstring& text, bool numeric) {
    if (!numeric && !text.empty() &&
        std::wstring_view(L"=+-@\t\r").find(text[0]) != std::wstring_view::npos) {
        return L"'" + text;
    }
    return text;
}

std::string Field(const std::wstring& text) {
    const std::string utf8 = WideToUtf8(text);
    if (utf8.find_first_of(",\"\r\n") == std::string::npos) return utf8;
    std::string quoted = "\"";
    for (const char c : utf8) {
        quoted += c;
        if (c == '"') quoted += '"';
    }
    return quoted + "\"";
}

void AppendRow(std::string& out, const std::vector<std::wstring>& cells,
               const std::vector<bool>& numeric) {
    for (size_t c = 0; c < cells.size(); ++c) {
        if (c) out += ',';
        out += Field(Guarded(cells[c], numeric[c]));
    }
    out += "\r\n";
}

void AppendTable(std::string& out, const TReportTable& table) {
    AppendRow(out, table.header, std::vector<bool>(table.header.size(), false));
    for (const auto& row : table.rows) AppendRow(out, row, table.numeric);
}

}  // namespace

std::string CsvReport(const TTakeoff& takeoff) {
    std::string out = "\xEF\xBB\xBF";
    AppendTable(out, LinesTable(takeoff));
    if (!takeoff.skipped.empty()) {
        out += "\r\n";
        AppendTable(out, SkippedTable(takeoff));
    }
    out += "\r\n";
    AppendTable(out, TotalsTable(takeoff));
    out += "\r\n" + Field(LineCountSummary(takeoff)) + "\r\n";
    return out;
}
