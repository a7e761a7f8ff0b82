#include "takeoff/takeoff.h"

#include <algorithm>

#include "forms/exact_decimal.h"
#include "forms/exception.h"

namespace {

void Add(TKindTotal& total, const TWeighedLine& line) {
    ++total.lines;
    total.pieces += line.quantity;
    if (MeasuredByLength(*line.kind)) {
        total.metres += static_cast<long double>(line.lengthMetres) * line.quantity;
    }
    // Each line is at most kMaxLineGrams; a list would need millions of such lines to overflow.
    if (__builtin_add_overflow(total.grams, line.lineGrams, &total.grams)) {
        throw EOverflow(L"合计重量超出范围");
    }
    if (line.costCents) {
        ++total.pricedLines;
        if (__builtin_add_overflow(total.costCents, *line.costCents, &total.costCents)) {
            throw EOverflow(L"合计金额超出范围");
        }
    }
}

// An integer count of 10^-decimals units as decimal text.
std::wstring Scaled(int64_t units, int decimals) {
    const bool negative = units < 0;
    std::wstring digits = std::to_wstring(negative ? -units : units);
    if (digits.size() <= size_t(decimals))
        digits.insert(0, size_t(decimals) + 1 - digits.size(), L'0');
    digits.insert(digits.size() - size_t(decimals), 1, L'.');
    return negative ? L"-" + digits : digits;
}

}  // namespace

TTakeoff RunTakeoff(const TTakeoffList& list, TSectionTables* tables) {
    TTakeoff takeoff;
    std::vector<TKindTotal> byKind(StockKinds().size());
    for (const TListLine& line : list.lines) {
        TLineResult result = WeighLine(line, tables);
        if (auto* weighed = std::get_if<TWeighedLine>(&result)) {
            TKindTotal& kindTotal = byKind[size_t(weighed->kind - StockKinds().data())];
            kindTotal.kind = weighed->kind;
            Add(kindTotal, *weighed);
            Add(takeoff.total, *weighed);
            takeoff.weighed.push_back(std::move(*weighed));
        } else {
            takeoff.skipped.push_back(std::get<TSkippedLine>(std::move(result)));
        }
    }
    for (const TKindTotal& kindTotal : byKind) {
        if (kindTotal.kind) takeoff.kinds.push_back(kindTotal);
    }
    return takeoff;
}

std::wstring KilogramsText(int64_t grams) { return Scaled(grams, 3); }

std::wstring TonnesText(int64_t grams) {
    // Kilograms, rounded half away from zero, shown as tonnes with three decimals.
    const int64_t kilograms = grams >= 0 ? (grams + 500) / 1000 : -((-grams + 500) / 1000);
    return Scaled(kilograms, 3);
}

std::wstring YuanText(int64_t cents) { return Scaled(cents, 2); }

std::wstring MetresText(long double metres) {
    DecimalNumber d = ExactDecimal(metres, 0);
    RoundDigits(d, d.exponent + 3, DecimalRounding::HalfAwayFromZero);
    auto digitAt = [&d](int i) {
        return i >= 0 && size_t(i) < d.digits.size() ? wchar_t(d.digits[size_t(i)]) : L'0';
    };
    std::wstring text = d.negative && !d.digits.empty() ? L"-" : L"";
    if (d.exponent <= 0) text += L'0';
    for (int i = 0; i < d.exponent; ++i) text += digitAt(i);
    text += L'.';
    for (int i = 0; i < 3; ++i) text += digitAt(d.exponent + i);
    return text;
}
