// GB18030 decoding on Windows: code page 54936 of the platform's converter.
#include <windows.h>

#include <climits>

#include "forms/text.h"
#include "takeoff/list_text.h"

namespace {

constexpr UINT kGb18030 = 54936;

}  // namespace

bool Gb18030ToUtf8(std::string_view bytes, std::string& utf8) {
    utf8.clear();
    if (bytes.empty()) return true;
    if (bytes.size() > size_t(INT_MAX)) return false;  // the converter counts in int
    const int length = MultiByteToWideChar(kGb18030, MB_ERR_INVALID_CHARS, bytes.data(),
                                           int(bytes.size()), nullptr, 0);
    if (length <= 0) return false;
    std::wstring wide(size_t(length), L'\0');
    MultiByteToWideChar(kGb18030, MB_ERR_INVALID_CHARS, bytes.data(), int(bytes.size()),
                        wide.data(), length);
    utf8 = WideToUtf8(wide);
    return true;
}
