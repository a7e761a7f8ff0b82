#pragma once
// Everything the skin engine paints with: the portable utilities plus the Win32 drawing helpers,
// the region builder and the shared off-screen objects.

#include "skin/bitmap_draw_win.h"
#include "skin/bitmap_region_win.h"
#include "skin/bitmap_slice_win.h"
#include "skin/bitmap_utils.h"
#include "skin/shared_bitmaps_win.h"
