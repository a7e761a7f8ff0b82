#include "takeoff/line_weigher.h"

#include <vector>

#include "calc/number_rules.h"
#include "calc/weights.h"
#include "forms/exact_decimal.h"
#include "forms/text.h"
#include "takeoff/section_tables.h"

namespace {

constexpr std::wstring_view kDefaultMaterial = L"碳钢";
constexpr std::wstring_view kGivenDensity = L"给定";
// Price per tonne is kept in ten-thousandths of a yuan, so that cost is exact in integers.
constexpr int kPriceDecimals = 4;
constexpr int64_t kMaxPriceUnits = 10'000'000'000'000;  // a billion yuan per tonne
constexpr int64_t kMaxCostCents = 100'000'000'000'000'000;

// A line refused for a reason the calculator has no message for.
PONDERIX_EXCEPTION(ELineRefused, Exception);

// The failure of one column of the line: its name goes before the message.
class EColumnFailure : public Exception {
public:
    EColumnFailure(TListColumn column, const std::wstring& message)
        : Exception(std::wstring(ListColumnName(column)) + L": " + message) {}
};

const std::wstring& Required(const TListLine& line, TListColumn column) {
    const std::optional<std::wstring>& field = line.Field(column);
    if (!field) throw ELineRefused(L"缺少“" + std::wstring(ListColumnName(column)) + L"”列");
    return *field;
}

// Input conversion of a column's text, its failure named by the column.
float Convert(TListColumn column, const std::wstring& text) {
    try {
        return ConvertInput(text);
    } catch (const Exception& e) {
        throw EColumnFailure(column, e.Message());
    }
}

float Positive(TListColumn column, const wchar_t* what, float value) {
    // The calculator has no range checks; on a bill of materials a dimension of zero or less is
    // a typing error, and weighing it would put a zero or negative weight into the totals.
    if (!(value > 0)) throw EColumnFailure(column, std::wstring(what) + L"必须大于零");
    return value;
}

// "108×4" -> {"108", "4"}: the parts of a size, split at ×, x, X or *.
std::vector<std::wstring> SizeParts(const std::wstring& size, size_t count, const wchar_t* form) {
    std::vector<std::wstring> parts(1);
    for (const wchar_t c : size) {
        if (c == L'\u00D7' || c == L'x' || c == L'X' || c == L'*') {
            parts.emplace_back();
        } else {
            parts.back() += c;
        }
    }
    for (std::wstring& part : parts) {
        const size_t first = part.find_first_not_of(L' ');
        part = first == std::wstring::npos
                   ? L""
                   : part.substr(first, part.find_last_not_of(L' ') - first + 1);
    }
    if (parts.size() != count) {
        throw EColumnFailure(TListColumn::Size, L"'" + size + L"' 不是 " + form + L" 的形式");
    }
    return parts;
}

struct Density {
    std::wstring text;
    std::wstring source;
};

// The density given on the line, or the one of its material from the calculator's list for the
// kind. Table kinds have no list: their unit weights are for carbon steel, so that is the only
// material they know without a density.
Density LineDensity(const TListLine& line, const TStockKind& kind) {
    const std::optional<std::wstring>& given = line.Field(TListColumn::Density);
    if (given && !given->empty()) return {*given, std::wstring(kGivenDensity)};
    const std::optional<std::wstring>& named = line.Field(TListColumn::Material);
    const std::wstring material =
        named && !named->empty() ? *named : std::wstring(kDefaultMaterial);
    if (!kind.page) {
        if (material == kDefaultMaterial) return {L"7.85", material};
        throw EColumnFailure(TListColumn::Material,
                             L"'" + material + L"' 不是" + std::wstring(kind.name) +
                                 L"的材料（型钢表只有碳钢，其他材料请给出密度）");
    }
    if (const auto density = DensityForMaterial(*kind.page, material)) {
        return {std::wstring(*density), material};
    }
    std::wstring known;
    for (const MaterialDensity& m : MaterialDensities(*kind.page)) {
        known += (known.empty() ? L"" : L"、") + std::wstring(m.name);
    }
    throw EColumnFailure(
        TListColumn::Material,
        L"'" + material + L"' 不在" + std::wstring(kind.name) + L"的材料表中（" + known + L"）");
}

int64_t Quantity(const TListLine& line) {
    const std::optional<std::wstring>& field = line.Field(TListColumn::Quantity);
    if (!field || field->empty()) return 1;
    int64_t count = 0;
    bool valid = !field->empty();
    for (const wchar_t c : *field) {
        if (c < L'0' || c > L'9' || count > kMaxQuantity) {
            valid = false;
            break;
        }
        count = count * 10 + (c - L'0');
    }
    if (!valid || count < 1 || count > kMaxQuantity) {
        throw EColumnFailure(TListColumn::Quantity,
                             L"'" + *field + L"' 不是有效的件数（应为正整数）");
    }
    return count;
}

// The price per tonne in ten-thousandths of a yuan, read by the calculator's number reading.
std::optional<int64_t> PriceUnits(const TListLine& line) {
    const std::optional<std::wstring>& field = line.Field(TListColumn::Price);
    if (!field || field->empty()) return std::nullopt;
    long double value = 0;
    if (!TryReadExtended(*field, value)) {
        throw EColumnFailure(TListColumn::Price, L"'" + *field + L"' 不是一个有效的浮点值");
    }
    if (value < 0 || value * 10000 > kMaxPriceUnits) {
        throw EColumnFailure(TListColumn::Price, L"'" + *field + L"' 超出单价的范围");
    }
    DecimalNumber d;
    ParseDecimal(WideToUtf8(*field), d);  // the list's fields come trimmed
    RoundDigits(d, d.exponent + kPriceDecimals, DecimalRounding::HalfAwayFromZero);
    int64_t units = 0;
    for (int i = 0; i < d.exponent + kPriceDecimals; ++i) {
        units = units * 10 + (size_t(i) < d.digits.size() ? d.digits[size_t(i)] - '0' : 0);
    }
    return units;
}

// The shown weight "      61.555" as whole grams.
int64_t ShownGrams(const std::wstring& shown) {
    int64_t grams = 0;
    int digits = 0;
    for (const wchar_t c : shown) {
        if (c < L'0' || c > L'9') continue;
        if (++digits > 16) throw ELineRefused(L"单重超出范围");
        grams = grams * 10 + (c - L'0');
    }
    return grams;
}

std::wstring Trim(const std::wstring& text) {
    const size_t first = text.find_first_not_of(L' ');
    return first == std::wstring::npos ? L"" : text.substr(first);
}

float UnitWeight(TSectionTables& tables, const TStockKind& kind, const std::wstring& designation) {
    const TUnitWeight unit = tables.Find(kind, designation);
    if (!unit.failure.empty()) throw EColumnFailure(TListColumn::Size, unit.failure);
    try {
        return Positive(TListColumn::Size, L"单重", ConvertInput(unit.text));
    } catch (const EColumnFailure&) {
        throw;
    } catch (const Exception& e) {
        throw EColumnFailure(TListColumn::Size, std::wstring(kind.table) + L" 型号 '" +
                                                    designation + L"' 的单重: " + e.Message());
    }
}

TWeighedLine Weigh(const TListLine& line, const TStockKind& kind, TSectionTables* tables) {
    TWeighedLine result;
    result.line = line.line;
    result.kind = &kind;
    result.size = Required(line, TListColumn::Size);
    const bool byLength = MeasuredByLength(kind);
    if (byLength) {
        result.length = Required(line, TListColumn::Length);
    } else if (line.Field(TListColumn::Length) && !line.Field(TListColumn::Length)->empty()) {
        throw EColumnFailure(TListColumn::Length,
                             L"板材的长度和宽度在规格中给出（单位 mm），此列应为空");
    }
    const Density density = LineDensity(line, kind);
    result.density = density.text;
    result.densitySource = density.source;
    constexpr TListColumn size = TListColumn::Size;
    auto length = [&] {
        return Positive(TListColumn::Length, L"长度", Convert(TListColumn::Length, result.length));
    };
    auto rho = [&] {
        return Positive(TListColumn::Density, L"密度", Convert(TListColumn::Density, density.text));
    };

    long double weight = 0;
    switch (kind.measure) {
        case TMeasure::Pipe: {
            const auto parts = SizeParts(result.size, 2, L"外径×壁厚");
            const float d = Positive(size, L"外径", Convert(size, parts[0]));
            const float t = Positive(size, L"壁厚", Convert(size, parts[1]));
            if (static_cast<long double>(t) * 2 > d)
                throw EColumnFailure(size, L"壁厚大于外径的一半");
            result.lengthMetres = length();
            weight = PipeWeight(d, t, result.lengthMetres, rho());
            break;
        }
        case TMeasure::Bar: {
            const float a = Positive(size, L"尺寸", Convert(size, result.size));
            result.lengthMetres = length();
            weight = BarWeight(kind.shape, a, result.lengthMetres, rho());
            break;
        }
        case TMeasure::Plate: {
            const auto parts = SizeParts(result.size, 3, L"长×宽×厚");
            const float lp = Positive(size, L"长", Convert(size, parts[0]));
            const float r = rho();
            const float b = Positive(size, L"宽", Convert(size, parts[1]));
            const float t = Positive(size, L"厚", Convert(size, parts[2]));
            weight = PlateWeight(lp, b, t, r);
            break;
        }
        case TMeasure::Section: {
            const float u = UnitWeight(*tables, kind, result.size);
            result.lengthMetres = length();
            weight = SectionWeight(u, result.lengthMetres, rho());
            break;
        }
        case TMeasure::Checkered: {
            const auto parts = SizeParts(result.size, 3, L"长×宽×型号");
            const float lp = Positive(size, L"长", Convert(size, parts[0]));
            const float r = rho();
            const float b = Positive(size, L"宽", Convert(size, parts[1]));
            const float u = UnitWeight(*tables, kind, parts[2]);
            weight = CheckeredPlateWeight(lp, b, u, r);
            break;
        }
    }
    std::wstring shown;
    try {
        shown = FormatWeight(weight);
    } catch (const Exception& e) {
        throw ELineRefused(L"单重: " + e.Message());
    }
    result.pieceWeight = Trim(shown);
    result.pieceGrams = ShownGrams(shown);
    result.quantity = Quantity(line);
    if (result.pieceGrams > kMaxLineGrams / result.quantity) throw ELineRefused(L"重量超出范围");
    result.lineGrams = result.pieceGrams * result.quantity;
    if (const std::optional<int64_t> price = PriceUnits(line)) {
        // grams / 10^6 t × units / 10^4 yuan = grams × units / 10^10 yuan; in cents / 10^8,
        // rounded half away from zero.
        const __int128 product = __int128(result.lineGrams) * *price;
        const __int128 cents = (product + 50'000'000) / 100'000'000;
        if (cents > kMaxCostCents) throw EColumnFailure(TListColumn::Price, L"金额超出范围");
        result.costCents = int64_t(cents);
    }
    return result;
}

}  // namespace

bool NeedsSectionTables(const TListLine& line) {
    const std::optional<std::wstring>& name = line.Field(TListColumn::Kind);
    const TStockKind* kind = name ? FindStockKind(*name) : nullptr;
    return kind && !kind->table.empty();
}

TLineResult WeighLine(const TListLine& line, TSectionTables* tables) {
    const std::optional<std::wstring>& kindName = line.Field(TListColumn::Kind);
    const std::optional<std::wstring>& size = line.Field(TListColumn::Size);
    TSkippedLine skipped{line.line, kindName.value_or(L""), size.value_or(L""), {}};
    try {
        if (line.extraFields) throw ELineRefused(L"字段多于表头的列数");
        if (!kindName || kindName->empty()) throw EColumnFailure(TListColumn::Kind, L"为空");
        const TStockKind* kind = FindStockKind(*kindName);
        if (!kind) throw EColumnFailure(TListColumn::Kind, L"未知的类型 '" + *kindName + L"'");
        return Weigh(line, *kind, tables);
    } catch (const Exception& e) {
        skipped.reason = e.Message();
    }
    return skipped;
}
