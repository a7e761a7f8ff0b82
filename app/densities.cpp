#include "app/densities.h"

#include <array>

namespace {

constexpr std::array kPipeDensities = {
    MaterialDensity{L"碳钢", L"7.85"}, MaterialDensity{L"不锈钢", L"7.9"},
    MaterialDensity{L"铝", L"2.7"},    MaterialDensity{L"紫铜", L"8.9"},
    MaterialDensity{L"塑料", L"1.1"},
};

constexpr std::array kBarDensities = {
    MaterialDensity{L"碳钢", L"7.85"}, MaterialDensity{L"不锈钢", L"7.9"},
    MaterialDensity{L"铝", L"2.7"},    MaterialDensity{L"黄铜", L"8.5"},
    MaterialDensity{L"紫铜", L"8.9"},  MaterialDensity{L"塑料", L"1.1"},
};

constexpr std::array kPlateDensities = {
    MaterialDensity{L"碳钢", L"7.85"},
    MaterialDensity{L"不锈钢", L"7.9"},
    MaterialDensity{L"铝", L"2.7"},
    MaterialDensity{L"塑料", L"1.1"},
};

}  // namespace

std::span<const MaterialDensity> MaterialDensities(MaterialPage page) {
    switch (page) {
        case MaterialPage::Pipe: return kPipeDensities;
        case MaterialPage::Bar: return kBarDensities;
        case MaterialPage::Plate: return kPlateDensities;
    }
    return {};
}

std::optional<std::wstring_view> DensityForMaterial(MaterialPage page, std::wstring_view item) {
    for (const MaterialDensity& material : MaterialDensities(page)) {
        if (material.name == item) return material.density;
    }
    return std::nullopt;
}
