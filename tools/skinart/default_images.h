// The default skin's images, drawn in code so that skins/default can be regenerated exactly.
#pragma once

#include <vector>

#include "tools/skinart/art.h"

// Every image of the default skin, in a fixed order.
std::vector<SkinArtFile> MakeDefaultSkinImages();
