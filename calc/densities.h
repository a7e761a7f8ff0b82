#pragma once
// Material densities of the three pages with a material box. Each page has its own table, in the
// order of its list; picking a list item sets the page's density box to that item's text.

#include <optional>
#include <span>
#include <string_view>

enum class MaterialPage { Pipe, Bar, Plate };

struct MaterialDensity {
    std::wstring_view name;     // the list item, e.g. "铝"
    std::wstring_view density;  // the text put into the density box, e.g. "2.7"
};

// The page's table; its names are also the material box's list, in order.
std::span<const MaterialDensity> MaterialDensities(MaterialPage page);

// The density text for the selected list item, or nothing when the item (empty when no item is
// selected) names no material of the page: the density box is then left as it is.
std::optional<std::wstring_view> DensityForMaterial(MaterialPage page, std::wstring_view item);
