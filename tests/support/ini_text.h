#pragma once
// An ini reader loaded from a text written in the test.

#include <string_view>

#include "skin/quick_ini.h"

inline TQuickIni Ini(std::string_view text) {
    TQuickIni ini;
    ini.LoadFromText(text);
    return ini;
}
