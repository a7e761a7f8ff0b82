#pragma once
// A whole takeoff: every line of a list weighed, the lines left out with their reasons, and the
// totals per kind and overall.

#include <cstdint>
#include <string>
#include <vector>

#include "takeoff/line_weigher.h"

struct TKindTotal {
    const TStockKind* kind = nullptr;
    int lines = 0;
    int64_t pieces = 0;
    long double metres = 0;  // kinds weighed by length only
    int64_t grams = 0;
    int64_t costCents = 0;
    int pricedLines = 0;
};

struct TTakeoff {
    std::vector<TWeighedLine> weighed;
    std::vector<TSkippedLine> skipped;
    std::vector<TKindTotal> kinds;  // in the order of StockKinds(), kinds with lines only
    TKindTotal total;               // kind is null
};

// Weighs every line; `tables` may be null when no line needs them.
TTakeoff RunTakeoff(const TTakeoffList& list, TSectionTables* tables);

// Figures as the reports show them: "1234.567" kg from grams, "1.235" t, "12.34" yuan, lengths
// with three decimals. Rounding is half away from zero, from the exact value.
std::wstring KilogramsText(int64_t grams);
std::wstring TonnesText(int64_t grams);
std::wstring YuanText(int64_t cents);
std::wstring MetresText(long double metres);
