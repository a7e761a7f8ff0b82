#pragma once
// The takeoff as CSV for a spreadsheet program: UTF-8 with a BOM (so that one on a Chinese
// Windows reads it as UTF-8, not as GBK), CR LF line ends, the tables of the text report one
// after the other with an empty row between them.

#include <string>

#include "takeoff/takeoff.h"

std::string CsvReport(const TTakeoff& takeoff);
