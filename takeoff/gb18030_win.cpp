// GB18030 decoding on Windows: code page 54936 of the platform's converter. Where the platform
// lacks it (Wine 8 has no 54936), code page 936, GBK, which is the two-byte part of GB18030 and
// what a spreadsheet program on a Chinese Windows saves; its four-byte sequences are then refused
// as invalid, never misread.
#include <windows.h>

#include <climits>

#include "forms/text.h"
#include "takeoff/list_text.h"

namespace {

constexpr UINT kGb18030 = 54936;
constexpr UINT kGbk = 936;

}  // namespace

bool Gb18030ToUtf8(std::string_view bytes, std::string& utf8) {
    utf8.clear();
    if (bytes.empty()) return true;
    if (bytes.size() > size_t(INT_MAX)) return false;  // the converter counts in int
    const UINT codePage = IsValidCodePage(kGb18030) ? kGb18030 : kGbk;
    const int length = MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes.data(),
                                           int(bytes.size()), nullptr, 0);
    if (length <= 0) return false;
    std::wstring wide(size_t(length), L'\0');
    MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes.data(), int(bytes.size()),
                        wide.data(), length);
    utf8 = WideToUtf8(wide);
    return true;
}
