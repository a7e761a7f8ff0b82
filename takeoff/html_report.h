#pragma once
// The takeoff as a printable HTML page: the tables of the text report, and a bar chart of the
// weight of each kind drawn as inline SVG. One self-contained file: no script, no network, no
// file beside it; it prints on A4 landscape.

#include <string>

#include "takeoff/takeoff.h"

// `listName` names the list in the title (already as the user should read it).
std::string HtmlReport(const TTakeoff& takeoff, const std::wstring& listName);
