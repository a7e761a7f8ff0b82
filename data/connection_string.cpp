#include "data/connection_string.h"

#include "data/sqlite_db.h"
#include "forms/text.h"

namespace {

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n'; }

std::wstring Trim(const std::wstring& text) {
    size_t begin = 0;
    size_t end = text.size();
    while (begin < end && IsBlank(text[begin])) ++begin;
    while (end > begin && IsBlank(text[end - 1])) --end;
    return text.substr(begin, end - begin);
}

class TPairReader {
public:
    TPairReader(const std::wstring& text, const std::wstring& owner) : text(text), owner(owner) {}

    bool AtEnd() {
        while (pos < text.size() && (IsBlank(text[pos]) || text[pos] == L';')) ++pos;
        return pos >= text.size();
    }

    // Reads "key = value" up to the next ";" outside quotes.
    void Read(std::wstring& key, std::wstring& value) {
        const size_t equals = text.find(L'=', pos);
        const size_t semicolon = text.find(L';', pos);
        if (equals == std::wstring::npos || (semicolon != std::wstring::npos && semicolon < equals))
            Refuse(L"连接字符串中 '" + Trim(text.substr(pos, semicolon - pos)) + L"' 缺少 '='");
        key = Trim(text.substr(pos, equals - pos));
        if (key.empty()) Refuse(L"连接字符串中有一项缺少名称");
        pos = equals + 1;
        while (pos < text.size() && IsBlank(text[pos])) ++pos;
        if (pos < text.size() && (text[pos] == L'"' || text[pos] == L'\'')) {
            value = ReadQuoted(key);
        } else {
            const size_t end = text.find(L';', pos);
            value = Trim(text.substr(pos, end - pos));
            pos = end == std::wstring::npos ? text.size() : end;
        }
    }

    [[noreturn]] void Refuse(const std::wstring& problem) const {
        throw EDatabaseError(owner + L": " + problem);
    }

private:
    std::wstring ReadQuoted(const std::wstring& key) {
        const wchar_t quote = text[pos++];
        std::wstring value;
        for (;;) {
            if (pos >= text.size()) Refuse(L"连接字符串中 '" + key + L"' 的值缺少结束引号");
            const wchar_t c = text[pos++];
            if (c != quote) {
                value += c;
            } else if (pos < text.size() && text[pos] == quote) {
                value += quote;
                ++pos;
            } else {
                break;
            }
        }
        while (pos < text.size() && IsBlank(text[pos])) ++pos;
        if (pos < text.size() && text[pos] != L';')
            Refuse(L"连接字符串中 '" + key + L"' 的引号之后还有文字");
        return value;
    }

    const std::wstring& text;
    const std::wstring& owner;
    size_t pos = 0;
};

bool SameKey(const std::wstring& a, const char* b) { return SameTextAscii(WideToUtf8(a), b); }

}  // namespace

TConnectionSettings ParseConnectionString(const std::wstring& text, const std::wstring& owner) {
    TPairReader reader(text, owner);
    TConnectionSettings settings;
    bool hasProvider = false;
    while (!reader.AtEnd()) {
        std::wstring key;
        std::wstring value;
        reader.Read(key, value);
        if (SameKey(key, "Provider")) {
            settings.provider = value;
            hasProvider = true;
        } else if (SameKey(key, "Data Source")) {
            settings.dataSource = value;
        }
    }
    if (!hasProvider) reader.Refuse(L"连接字符串缺少 Provider (只支持 Provider=SQLite)");
    if (!SameKey(settings.provider, "SQLite"))
        reader.Refuse(L"不支持的数据提供程序 '" + settings.provider + L"' (只支持 SQLite)");
    if (settings.dataSource.empty()) reader.Refuse(L"连接字符串缺少 Data Source (数据库文件)");
    return settings;
}
