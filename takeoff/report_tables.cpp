#include "takeoff/report_tables.h"

namespace {

bool HasPrices(const TTakeoff& takeoff) { return takeoff.total.pricedLines > 0; }

std::wstring CostText(const TKindTotal& total) {
    if (total.pricedLines == 0) return L"";
    std::wstring text = YuanText(total.costCents);
    // Lines without a price count for nothing here: say so rather than show a full sum.
    if (total.pricedLines < total.lines) {
        text += L" (" + std::to_wstring(total.pricedLines) + L"/" + std::to_wstring(total.lines) +
                L" 行)";
    }
    return text;
}

std::vector<std::wstring> TotalRow(const std::wstring& name, const TKindTotal& total, bool lengths,
                                   bool prices) {
    std::vector<std::wstring> row = {name,
                                     std::to_wstring(total.lines),
                                     std::to_wstring(total.pieces),
                                     lengths ? MetresText(total.metres) : L"",
                                     KilogramsText(total.grams),
                                     TonnesText(total.grams)};
    if (prices) row.push_back(CostText(total));
    return row;
}

}  // namespace

TReportTable LinesTable(const TTakeoff& takeoff) {
    TReportTable table{L"明细",
                       {L"行号", L"类型", L"规格", L"长度(m)", L"数量", L"密度(t/m3)", L"密度来源",
                        L"单重(kg)", L"重量(kg)"},
                       {true, false, false, true, true, true, false, true, true},
                       {}};
    const bool prices = HasPrices(takeoff);
    if (prices) {
        table.header.push_back(L"金额(元)");
        table.numeric.push_back(true);
    }
    for (const TWeighedLine& line : takeoff.weighed) {
        std::vector<std::wstring> row = {std::to_wstring(line.line),
                                         std::wstring(line.kind->name),
                                         line.size,
                                         line.length,
                                         std::to_wstring(line.quantity),
                                         line.density,
                                         line.densitySource,
                                         line.pieceWeight,
                                         KilogramsText(line.lineGrams)};
        if (prices) row.push_back(line.costCents ? YuanText(*line.costCents) : L"");
        table.rows.push_back(std::move(row));
    }
    return table;
}

TReportTable SkippedTable(const TTakeoff& takeoff) {
    TReportTable table{
        L"未计入合计的行", {L"行号", L"类型", L"规格", L"原因"}, {true, false, false, false}, {}};
    for (const TSkippedLine& line : takeoff.skipped) {
        table.rows.push_back({std::to_wstring(line.line), line.kind, line.size, line.reason});
    }
    return table;
}

TReportTable TotalsTable(const TTakeoff& takeoff) {
    TReportTable table{L"合计",
                       {L"类型", L"行数", L"件数", L"总长度(m)", L"重量(kg)", L"重量(t)"},
                       {false, true, true, true, true, true},
                       {}};
    const bool prices = HasPrices(takeoff);
    if (prices) {
        table.header.push_back(L"金额(元)");
        table.numeric.push_back(true);
    }
    for (const TKindTotal& kind : takeoff.kinds) {
        table.rows.push_back(
            TotalRow(std::wstring(kind.kind->name), kind, MeasuredByLength(*kind.kind), prices));
    }
    // Plates have no length to add: the grand total's length is that of the other kinds.
    table.rows.push_back(TotalRow(L"合计", takeoff.total, true, prices));
    return table;
}

std::wstring LineCountSummary(const TTakeoff& takeoff) {
    const size_t all = takeoff.weighed.size() + takeoff.skipped.size();
    return L"共 " + std::to_wstring(all) + L" 行，已计入 " +
           std::to_wstring(takeoff.weighed.size()) + L" 行，未计入合计 " +
           std::to_wstring(takeoff.skipped.size()) + L" 行";
}
