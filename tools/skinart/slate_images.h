// The slate skin's images (skins/slate), drawn in code like the default skin's.
#pragma once

#include <vector>

#include "tools/skinart/default_images.h"

// Every image of the slate skin, in a fixed order.
std::vector<SkinArtFile> MakeSlateSkinImages();
