#pragma once
// The text of a takeoff list as a spreadsheet program saves it: UTF-8 with or without a BOM, or
// GB18030 (a superset of GBK and GB2312), which is what "CSV" means on a Chinese Windows. The
// encoding is told from the bytes: a BOM or valid UTF-8 is UTF-8, anything else must be GB18030.

#include <string>
#include <string_view>

#include "forms/exception.h"

// The list cannot be read at all: no such file, not a text list, no header row.
PONDERIX_EXCEPTION(EListUnreadable, Exception);

enum class TListEncoding { Utf8, Gb18030 };

struct TListText {
    std::string utf8;  // without a BOM
    TListEncoding encoding;
};

// Raises EListUnreadable for bytes that are neither encoding or that hold a NUL character
// (a binary file).
TListText DecodeListText(std::string_view bytes);

// GB18030 to UTF-8 by the platform's converter; false when the bytes are not GB18030 (or, on a
// Windows without the GB18030 code page, not GBK).
bool Gb18030ToUtf8(std::string_view bytes, std::string& utf8);
