#pragma once
// ParseSkin: builds the skin objects of a TSkinDescription from a skin description (an ini text
// loaded into a TQuickIni) and the images of the skin archive it came from (an opened
// TSkinReader). The skin component calls it once per skin load; the reader and the ini reader
// are only needed while it runs.
//
// Missing sections and keys take fixed defaults and absent or unusable image references leave
// empty images, so a parse reports nothing of its own. An archive entry that is present but is
// not a valid BMP raises the bitmap loader's EInvalidGraphic, which ends the parse.

#include <string_view>

#include "skin/skin_objects.h"

class TQuickIni;
class TSkinReader;

void ParseSkin(TSkinDescription& skin, const TQuickIni& ini, const TSkinReader& reader);

// Fills bitmap from the archive entry that reference names, or clears it when the reference
// loads no image (see ReadImageEntry in skin/skin_parse_rules.h).
void LoadImage(TBitmap& bitmap, std::string_view reference, const TSkinReader& reader);
