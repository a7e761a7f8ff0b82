#pragma once
// The skin engine's bitmap utilities in one include: the portable pixel transforms, cell and
// slice geometry and region scan, the two integer helpers that painters share, and setting an
// enumerated property by value name (the class library's, used here as it is). The Win32
// drawing helpers are in bitmap_utils_win.h.

#include "forms/properties.h"
#include "skin/bitmap_region.h"
#include "skin/bitmap_slice.h"
#include "skin/bitmap_transform.h"

constexpr int IntMax(int a, int b) { return a > b ? a : b; }
constexpr int IntMin(int a, int b) { return a < b ? a : b; }
