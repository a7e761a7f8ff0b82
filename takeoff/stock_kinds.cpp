#include "takeoff/stock_kinds.h"

#include <array>
#include <string>

namespace {

using namespace std::string_view_literals;

constexpr std::wstring_view kPerMetre = L"单重(kg/m)";
constexpr std::wstring_view kPerSquareMetre = L"单重(kg/m-2)";

constexpr std::array kPipeNames = {L"管"sv, L"钢管"sv, L"pipe"sv, L"tube"sv};
constexpr std::array kRoundNames = {L"圆钢"sv, L"round bar"sv, L"round"sv};
constexpr std::array kSquareNames = {L"方钢"sv, L"square bar"sv, L"square"sv};
constexpr std::array kHexagonalNames = {L"六角钢"sv, L"hexagonal bar"sv, L"hex bar"sv};
constexpr std::array kPlateNames = {L"普通钢板"sv, L"板材"sv, L"plate"sv};
constexpr std::array kChannelNames = {L"热轧槽钢"sv, L"channel"sv};
constexpr std::array kIBeamNames = {L"热轧工字钢"sv, L"i-beam"sv, L"i beam"sv};
constexpr std::array kHwNames = {L"HW"sv, L"国标HW型钢"sv, L"H型钢国标HW"sv, L"宽翼缘型HW"sv};
constexpr std::array kHmNames = {L"HM"sv, L"国标HM型钢"sv, L"H型钢国标HM"sv, L"中翼缘型HM"sv};
constexpr std::array kHnNames = {L"HN"sv, L"国标HN型钢"sv, L"H型钢国标HN"sv, L"窄翼缘型HN"sv};
constexpr std::array kHpNames = {L"HP"sv, L"国标HP型钢"sv, L"H型钢国标HP"sv, L"H型钢柱HP"sv};
constexpr std::array kEqualNames = {L"热轧等边角钢"sv, L"equal angle"sv};
constexpr std::array kUnequalNames = {L"热轧不等边角钢"sv, L"unequal angle"sv};
constexpr std::array kDiamondNames = {L"菱型钢板"sv, L"diamond plate"sv};
constexpr std::array kLentilNames = {L"扁豆型花纹钢板"sv, L"扁豆钢板"sv, L"lentil plate"sv};
constexpr std::array kBeanNames = {L"圆豆型花纹钢板"sv, L"圆豆钢板"sv, L"round bean plate"sv};

constexpr TStockKind Pipe() {
    return {L"管材", TMeasure::Pipe, BarShape::Round, MaterialPage::Pipe, {}, {}, kPipeNames};
}
constexpr TStockKind Bar(std::wstring_view name, BarShape shape,
                         std::span<const std::wstring_view> aliases) {
    return {name, TMeasure::Bar, shape, MaterialPage::Bar, {}, {}, aliases};
}
constexpr TStockKind Section(std::wstring_view name, std::wstring_view table,
                             std::span<const std::wstring_view> aliases) {
    return {name, TMeasure::Section, BarShape::Round, std::nullopt, table, kPerMetre, aliases};
}
constexpr TStockKind Checkered(std::wstring_view name, std::wstring_view table,
                               std::span<const std::wstring_view> aliases) {
    return {name,  TMeasure::Checkered, BarShape::Round, std::nullopt,
            table, kPerSquareMetre,     aliases};
}

const std::array kKinds = {
    Pipe(),
    Bar(L"圆棒", BarShape::Round, kRoundNames),
    Bar(L"方棒", BarShape::Square, kSquareNames),
    Bar(L"六角棒", BarShape::Hexagonal, kHexagonalNames),
    TStockKind{L"钢板", TMeasure::Plate, BarShape::Round, MaterialPage::Plate, {}, {}, kPlateNames},
    Section(L"槽钢", L"槽钢", kChannelNames),
    Section(L"工字钢", L"工字钢", kIBeamNames),
    Section(L"H型钢HW", L"H型钢国标HW", kHwNames),
    Section(L"H型钢HM", L"H型钢国标HM", kHmNames),
    Section(L"H型钢HN", L"H型钢国标HN", kHnNames),
    Section(L"H型钢HP", L"H型钢国标HP", kHpNames),
    Section(L"等边角钢", L"热轧等边角钢", kEqualNames),
    Section(L"不等边角钢", L"热轧不等边角钢", kUnequalNames),
    Checkered(L"菱型花纹钢板", L"菱型钢板", kDiamondNames),
    Checkered(L"扁豆花纹钢板", L"扁豆钢板", kLentilNames),
    Checkered(L"圆豆花纹钢板", L"圆豆钢板", kBeanNames),
};

bool SameNameAsciiCase(std::wstring_view a, std::wstring_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        auto lower = [](wchar_t c) {
            return c >= L'A' && c <= L'Z' ? wchar_t(c - L'A' + L'a') : c;
        };
        if (lower(a[i]) != lower(b[i])) return false;
    }
    return true;
}

}  // namespace

std::span<const TStockKind> StockKinds() { return kKinds; }

const TStockKind* FindStockKind(std::wstring_view name) {
    const size_t first = name.find_first_not_of(L' ');
    if (first == std::wstring_view::npos) return nullptr;
    name = name.substr(first, name.find_last_not_of(L' ') - first + 1);
    for (const TStockKind& kind : kKinds) {
        if (SameNameAsciiCase(kind.name, name)) return &kind;
        for (const std::wstring_view alias : kind.aliases) {
            if (SameNameAsciiCase(alias, name)) return &kind;
        }
    }
    return nullptr;
}
