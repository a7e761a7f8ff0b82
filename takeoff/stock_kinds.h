#pragma once
// The kinds of stock the calculator weighs, as a takeoff list names them: how each is measured,
// which material list it takes its densities from, and for sections and checkered plates the
// table and unit-weight column of the section database.

#include <optional>
#include <span>
#include <string_view>

#include "calc/densities.h"
#include "calc/weights.h"

enum class TMeasure {
    Pipe,       // size: outer diameter × wall (mm); length in m
    Bar,        // size: diameter, side or width across flats (mm); length in m
    Plate,      // size: length × width × thickness (mm)
    Section,    // size: the table's designation; length in m
    Checkered,  // size: length × width (mm) × the table's designation
};

struct TStockKind {
    std::wstring_view name;  // as the report shows it
    TMeasure measure;
    BarShape shape;                              // bars only
    std::optional<MaterialPage> page;            // the material list; none for table kinds
    std::wstring_view table;                     // table kinds only
    std::wstring_view unitWeightColumn;          // table kinds only
    std::span<const std::wstring_view> aliases;  // other names a list may use, English included
};

// Every kind, in the order the report lists them.
std::span<const TStockKind> StockKinds();

// The kind a list calls `name` (blanks around it ignored, ASCII letter case ignored), or null.
const TStockKind* FindStockKind(std::wstring_view name);

// Whether the kind is weighed by length (pipe, bar, sections), so its lengths add up.
inline bool MeasuredByLength(const TStockKind& kind) {
    return kind.measure != TMeasure::Plate && kind.measure != TMeasure::Checkered;
}
