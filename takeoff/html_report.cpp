#include "takeoff/html_report.h"

#include <algorithm>

#include "forms/text.h"
#include "takeoff/report_tables.h"

namespace {

// Chart geometry, in SVG user units (pixels on screen).
constexpr int kLabelWidth = 130;
constexpr int kBarMaxWidth = 460;
constexpr int kBarHeight = 22;
constexpr int kBarGap = 8;
constexpr int kValueWidth = 170;

constexpr const char* kStyle = R"(
body { font-family: "WenQuanYi Zen Hei", "Microsoft YaHei", "SimSun", sans-serif; margin: 24px; color: #222; }
h1 { font-size: 20px; margin: 0 0 4px; }
h2 { font-size: 16px; margin: 20px 0 6px; }
p.summary { margin: 4px 0 12px; }
table { border-collapse: collapse; font-size: 13px; }
th, td { border: 1px solid #999; padding: 3px 8px; }
th { background: #dce6f0; }
td.n { text-align: right; font-variant-numeric: tabular-nums; }
tr.total td { font-weight: bold; background: #f2f2f2; }
table.skipped th { background: #f4d6d6; }
svg text { font-size: 13px; }
@page { size: A4 landscape; margin: 12mm; }
@media print { body { margin: 0; } tr { break-inside: avoid; } }
)";

std::string Escaped(const std::wstring& text) {
    std::string out;
    for (const char c : WideToUtf8(text)) {
        switch (c) {
            case '&': out += "&amp;"; break;
            case '<': out += "&lt;"; break;
            case '>': out += "&gt;"; break;
            case '"': out += "&quot;"; break;
            default: out += c;
        }
    }
    return out;
}

void AppendTable(std::string& out, const TReportTable& table, const char* cssClass,
                 bool lastRowIsTotal) {
    out += "<h2>" + Escaped(table.title) + "</h2>\n<table class=\"" + cssClass + "\">\n<tr>";
    for (const std::wstring& name : table.header) out += "<th>" + Escaped(name) + "</th>";
    out += "</tr>\n";
    for (size_t r = 0; r < table.rows.size(); ++r) {
        const bool total = lastRowIsTotal && r + 1 == table.rows.size();
        out += total ? "<tr class=\"total\">" : "<tr>";
        for (size_t c = 0; c < table.rows[r].size(); ++c) {
            out += table.numeric[c] ? "<td class=\"n\">" : "<td>";
            out += Escaped(table.rows[r][c]) + "</td>";
        }
        out += "</tr>\n";
    }
    out += "</table>\n";
}

void AppendChart(std::string& out, const TTakeoff& takeoff) {
    out += "<h2>各类型重量</h2>\n";
    int64_t largest = 0;
    for (const TKindTotal& kind : takeoff.kinds) largest = std::max(largest, kind.grams);
    const int height = int(takeoff.kinds.size()) * (kBarHeight + kBarGap) + kBarGap;
    const int width = kLabelWidth + kBarMaxWidth + kValueWidth;
    out += "<svg class=\"chart\" xmlns=\"http://www.w3.org/2000/svg\" width=\"" +
           std::to_string(width) + "\" height=\"" + std::to_string(height) + "\" viewBox=\"0 0 " +
           std::to_string(width) + " " + std::to_string(height) + "\" role=\"img\">\n";
    int y = kBarGap;
    for (const TKindTotal& kind : takeoff.kinds) {
        // At least one unit wide, so that a kind with a small weight still shows its bar.
        const long double share = largest > 0 ? static_cast<long double>(kind.grams) / largest : 0;
        const int bar = std::max(1, int(share * kBarMaxWidth + 0.5L));
        const std::string middle = std::to_string(y + kBarHeight / 2 + 5);
        out += "<text x=\"" + std::to_string(kLabelWidth - 8) + "\" y=\"" + middle +
               "\" text-anchor=\"end\">" + Escaped(std::wstring(kind.kind->name)) + "</text>";
        out += "<rect class=\"bar\" x=\"" + std::to_string(kLabelWidth) + "\" y=\"" +
               std::to_string(y) + "\" width=\"" + std::to_string(bar) + "\" height=\"" +
               std::to_string(kBarHeight) + "\" fill=\"#2e6da4\"/>";
        out += "<text x=\"" + std::to_string(kLabelWidth + bar + 6) + "\" y=\"" + middle + "\">" +
               Escaped(KilogramsText(kind.grams)) + " kg</text>\n";
        y += kBarHeight + kBarGap;
    }
    out += "</svg>\n";
}

}  // namespace

std::string HtmlReport(const TTakeoff& takeoff, const std::wstring& listName) {
    const std::string title = Escaped(L"材料清单重量 — " + listName);
    std::string out = "<!DOCTYPE html>\n<html lang=\"zh-CN\">\n<head>\n<meta charset=\"utf-8\">\n";
    out += "<title>" + title + "</title>\n<style>" + kStyle + "</style>\n</head>\n<body>\n";
    out += "<h1>" + title + "</h1>\n";
    out += "<p class=\"summary\">" + Escaped(LineCountSummary(takeoff)) + "；合计 " +
           Escaped(KilogramsText(takeoff.total.grams)) + " kg（" +
           Escaped(TonnesText(takeoff.total.grams)) + " t）</p>\n";
    AppendTable(out, LinesTable(takeoff), "lines", false);
    if (!takeoff.skipped.empty()) AppendTable(out, SkippedTable(takeoff), "skipped", false);
    AppendTable(out, TotalsTable(takeoff), "totals", true);
    if (!takeoff.kinds.empty()) AppendChart(out, takeoff);
    out += "</body>\n</html>\n";
    return out;
}
