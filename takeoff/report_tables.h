#pragma once
// The figures of a takeoff as the three tables every report shows: the weighed lines, the lines
// left out with their reasons, and the totals per kind with the grand total. The text, CSV and
// HTML reports only lay these out.

#include <string>
#include <vector>

#include "takeoff/takeoff.h"

struct TReportTable {
    std::wstring title;
    std::vector<std::wstring> header;
    std::vector<bool> numeric;  // per column: right-aligned
    std::vector<std::vector<std::wstring>> rows;
};

TReportTable LinesTable(const TTakeoff& takeoff);
TReportTable SkippedTable(const TTakeoff& takeoff);
// One row per kind, then the grand total ("合计") with its weight in kg and t.
TReportTable TotalsTable(const TTakeoff& takeoff);

// "共 12 行，已计入 10 行，未计入合计 2 行".
std::wstring LineCountSummary(const TTakeoff& takeoff);
