#pragma once
// The takeoff as text for a terminal: the tables with their columns aligned, Chinese characters
// counted two columns wide, as terminals draw them.

#include <string>

#include "takeoff/takeoff.h"

std::wstring TextReport(const TTakeoff& takeoff);

// Columns a terminal gives the text: two for wide (East Asian) characters, one otherwise.
size_t DisplayWidth(std::wstring_view text);
