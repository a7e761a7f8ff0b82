#include "takeoff/list_text.h"

#include "forms/text.h"

namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

// Strict UTF-8: the text survives a round trip through UTF-16 unchanged (invalid sequences
// become U+FFFD on the way).
bool IsUtf8(std::string_view bytes) { return WideToUtf8(Utf8ToWide(bytes)) == bytes; }

}  // namespace

TListText DecodeListText(std::string_view bytes) {
    if (bytes.find('\0') != std::string_view::npos) {
        throw EListUnreadable(L"不是 CSV 文本（含有 NUL 字节）");
    }
    if (bytes.substr(0, kUtf8Bom.size()) == kUtf8Bom) {
        bytes.remove_prefix(kUtf8Bom.size());
        if (!IsUtf8(bytes)) throw EListUnreadable(L"文件以 UTF-8 BOM 开头，但内容不是有效的 UTF-8");
        return {std::string(bytes), TListEncoding::Utf8};
    }
    if (IsUtf8(bytes)) return {std::string(bytes), TListEncoding::Utf8};
    TListText text{{}, TListEncoding::Gb18030};
    if (!Gb18030ToUtf8(bytes, text.utf8)) {
        throw EListUnreadable(L"不是 CSV 文本：既不是 UTF-8 也不是 GB18030/GBK 编码");
    }
    return text;
}
