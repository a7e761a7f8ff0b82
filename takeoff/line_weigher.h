#pragma once
// Weighing one line of a takeoff list by the calculator's own rule for its kind: the same inputs
// in the same units, converted by the calculator's input conversion in the calculator's order,
// the piece weight shown as the calculator shows it. A line that cannot be weighed is never
// guessed: it comes back with the reason, in the calculator's own message where there is one.
//
// Weights are kept as whole grams of the shown piece weight, so that a line is exactly its
// quantity times the piece weight the table shows, and totals add up without rounding drift.

#include <cstdint>
#include <optional>
#include <string>
#include <variant>

#include "takeoff/stock_kinds.h"
#include "takeoff/takeoff_list.h"

class TSectionTables;

struct TWeighedLine {
    int line = 0;
    const TStockKind* kind = nullptr;
    std::wstring size;       // as the list gives it
    std::wstring length;     // as the list gives it; empty for plates
    float lengthMetres = 0;  // as converted; 0 for plates
    int64_t quantity = 1;
    std::wstring density;              // the density text converted, e.g. "7.85"
    std::wstring densitySource;        // the material's name, or "给定" for a density given
    std::wstring pieceWeight;          // as the calculator shows it, without the padding blanks
    int64_t pieceGrams = 0;            // the shown piece weight, in grams
    int64_t lineGrams = 0;             // pieceGrams × quantity
    std::optional<int64_t> costCents;  // when the line gives a price per tonne
};

struct TSkippedLine {
    int line = 0;
    std::wstring kind;  // as the list gives them
    std::wstring size;
    std::wstring reason;  // "<column>: <message>" where a column is at fault
};

using TLineResult = std::variant<TWeighedLine, TSkippedLine>;

// Whether the line's kind reads the section database.
bool NeedsSectionTables(const TListLine& line);

// `tables` may be null when no line needs them (NeedsSectionTables).
TLineResult WeighLine(const TListLine& line, TSectionTables* tables);

// Limits beyond which a line is refused rather than carried into totals: a million tonnes a
// line and a billion pieces are far beyond any list, and keep every sum exact in 64 bits.
inline constexpr int64_t kMaxLineGrams = 1'000'000'000'000;
inline constexpr int64_t kMaxQuantity = 1'000'000'000;
