#include "forms/form_text.h"

#include "forms/exception.h"
#include "forms/text.h"

std::wstring FormErrorPrefix(const std::wstring& sourceName, int line) {
    return L"窗体描述 " + sourceName + L" 第 " + std::to_wstring(line) + L" 行: ";
}

namespace {

// Input nesting is bounded so that a hostile description cannot exhaust the stack.
constexpr int kMaxDepth = 64;

class Parser {
public:
    Parser(std::string_view text, const std::wstring& sourceName)
        : text(text), sourceName(sourceName) {}

    TFormObject ParseRoot() {
        SkipBlanks();
        TFormObject root = ParseObject(0);
        SkipBlanks();
        if (pos < text.size()) Fail(L"描述结尾", Describe());
        return root;
    }

private:
    [[noreturn]] void Fail(const std::wstring& expected, const std::wstring& found) {
        throw EReadError(FormErrorPrefix(sourceName, line) + L"应为" + expected + L", 实为 " +
                         found);
    }

    std::wstring Describe() {
        if (pos >= text.size()) return L"描述结尾";
        size_t end = pos;
        while (end < text.size() && end - pos < 20 && text[end] != '\n' && text[end] != '\r') ++end;
        return L"'" + Utf8ToWide(text.substr(pos, end - pos)) + L"'";
    }

    void SkipBlanks() {
        while (pos < text.size()) {
            const char c = text[pos];
            if (c == '\n') {
                ++line, ++pos;
            } else if (c == ' ' || c == '\t' || c == '\r') {
                ++pos;
            } else if (c == '/' && pos + 1 < text.size() && text[pos + 1] == '/') {
                while (pos < text.size() && text[pos] != '\n') ++pos;
            } else {
                break;
            }
        }
    }

    // Identifiers are ASCII, whatever the C library's locale says of other bytes; tested inline,
    // as every character of a description passes here.
    static bool IsDigit(char c) { return c >= '0' && c <= '9'; }
    static bool IsIdentStart(char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_';
    }
    static bool IsIdentChar(char c) { return IsIdentStart(c) || IsDigit(c); }

    bool PeekChar(char c) {
        SkipBlanks();
        return pos < text.size() && text[pos] == c;
    }

    void Expect(char c) {
        if (!PeekChar(c)) Fail(L" '" + std::wstring(1, static_cast<wchar_t>(c)) + L"'", Describe());
        ++pos;
    }

    std::string Identifier(const std::wstring& what) {
        SkipBlanks();
        if (pos >= text.size() || !IsIdentStart(text[pos])) Fail(what, Describe());
        const size_t start = pos;
        while (pos < text.size() && IsIdentChar(text[pos])) ++pos;
        return std::string(text.substr(start, pos - start));
    }

    bool PeekKeyword(std::string_view word) {
        SkipBlanks();
        if (text.substr(pos, word.size()) != word) return false;
        const size_t after = pos + word.size();
        return after >= text.size() || !IsIdentChar(text[after]);
    }

    TFormObject ParseObject(int depth) {
        if (depth > kMaxDepth) Fail(L"不超过 64 层的嵌套", L"更深的嵌套");
        if (!PeekKeyword("object")) Fail(L" 'object'", Describe());
        TFormObject object;
        object.line = line;
        pos += 6;
        object.name = Identifier(L"组件名");
        Expect(':');
        object.className = Identifier(L"类名");
        while (true) {
            if (PeekKeyword("end")) {
                pos += 3;
                return object;
            }
            if (PeekKeyword("object")) {
                object.children.push_back(ParseObject(depth + 1));
                continue;
            }
            if (pos >= text.size()) Fail(L" 'end'", Describe());
            object.properties.push_back(ParseProperty());
        }
    }

    TFormProperty ParseProperty() {
        TFormProperty property;
        property.line = line;
        property.path = Identifier(L"属性名或 'end'");
        while (pos < text.size() && text[pos] == '.') {
            ++pos;
            property.path += '.';
            property.path += Identifier(L"属性名");
        }
        Expect('=');
        property.value = ParseValue();
        return property;
    }

    TFormValue ParseValue() {
        SkipBlanks();
        TFormValue value;
        if (pos >= text.size()) Fail(L"属性值", Describe());
        const char c = text[pos];
        if (c == '\'' || c == '#') {
            value.kind = TFormValue::Kind::String;
            value.text = StringValue();
        } else if (c == '[') {
            value.kind = TFormValue::Kind::Set;
            ++pos;
            if (!PeekChar(']')) {
                do {
                    value.setItems.push_back(Identifier(L"集合元素"));
                } while (PeekChar(',') && ++pos);
            }
            Expect(']');
        } else if (c == '(') {
            value.kind = TFormValue::Kind::List;
            ++pos;
            while (!PeekChar(')')) {
                if (pos >= text.size() || (text[pos] != '\'' && text[pos] != '#'))
                    Fail(L"字符串或 ')'", Describe());
                value.listItems.push_back(StringValue());
            }
            ++pos;
        } else if (c == '{') {
            value.kind = TFormValue::Kind::Binary;
            value.bytes = HexBlock();
        } else if (c == '-' || c == '+' || c == '$' || IsDigit(c)) {
            value.kind = TFormValue::Kind::Integer;
            value.integer = Integer();
        } else if (IsIdentStart(c)) {
            if (PeekKeyword("end") || PeekKeyword("object")) Fail(L"属性值", Describe());
            value.kind = TFormValue::Kind::Identifier;
            value.identifier = Identifier(L"属性值");
        } else {
            Fail(L"属性值", Describe());
        }
        return value;
    }

    int64_t Integer() {
        bool negative = false;
        if (text[pos] == '-' || text[pos] == '+') negative = text[pos++] == '-';
        int base = 10;
        if (pos < text.size() && text[pos] == '$') {
            base = 16, ++pos;
        } else if (text.substr(pos, 2) == "0x" || text.substr(pos, 2) == "0X") {
            base = 16, pos += 2;
        }
        uint64_t magnitude = 0;
        size_t digits = 0;
        for (; pos < text.size(); ++pos, ++digits) {
            const int d = DigitValue(text[pos]);
            if (d < 0 || d >= base) break;
            if (magnitude > (UINT64_C(1) << 63) / static_cast<uint64_t>(base))
                Fail(L"64 位以内的整数", L"更大的数");
            magnitude = magnitude * static_cast<uint64_t>(base) + static_cast<uint64_t>(d);
        }
        if (digits == 0) Fail(L"数字", Describe());
        if (pos < text.size() && IsIdentChar(text[pos])) Fail(L"整数", Describe());
        if (magnitude > (UINT64_C(1) << 63) - (negative ? 0 : 1))
            Fail(L"64 位以内的整数", L"更大的数");
        return negative ? static_cast<int64_t>(0 - magnitude) : static_cast<int64_t>(magnitude);
    }

    static int DigitValue(char c) {
        if (c >= '0' && c <= '9') return c - '0';
        if (c >= 'a' && c <= 'f') return c - 'a' + 10;
        if (c >= 'A' && c <= 'F') return c - 'A' + 10;
        return -1;
    }

    // 'quoted'#13'more' + 'pieces': quoted UTF-8 runs and #nnn character codes.
    std::wstring StringValue() {
        std::wstring result;
        while (true) {
            SkipBlanks();
            if (pos < text.size() && text[pos] == '\'') {
                ++pos;
                std::string piece;
                while (true) {
                    if (pos >= text.size() || text[pos] == '\n' || text[pos] == '\r')
                        Fail(L"字符串结尾的 '''", L"行尾");
                    if (text[pos] == '\'') {
                        if (pos + 1 < text.size() && text[pos + 1] == '\'') {
                            piece += '\'', pos += 2;
                            continue;
                        }
                        ++pos;
                        break;
                    }
                    piece += text[pos++];
                }
                result += Utf8ToWide(piece);
            } else if (pos < text.size() && text[pos] == '#') {
                ++pos;
                int64_t code = 0;
                size_t digits = 0;
                while (pos < text.size() && IsDigit(text[pos]) && digits < 6) {
                    code = code * 10 + (text[pos++] - '0'), ++digits;
                }
                if (digits == 0 || code > 0xFFFF) Fail(L"0 到 65535 的字符编码", Describe());
                result += static_cast<wchar_t>(code);
            } else {
                break;
            }
            const size_t save = pos;
            const int saveLine = line;
            if (PeekChar('+')) {
                ++pos;
                if (!PeekChar('\'') && !PeekChar('#')) Fail(L"字符串", Describe());
            } else {
                pos = save, line = saveLine;
                if (pos >= text.size() || (text[pos] != '\'' && text[pos] != '#')) break;
            }
        }
        return result;
    }

    std::vector<uint8_t> HexBlock() {
        ++pos;  // '{'
        std::vector<uint8_t> bytes;
        int high = -1;
        while (true) {
            SkipBlanks();
            if (pos >= text.size()) Fail(L" '}'", Describe());
            if (text[pos] == '}') break;
            const int d = DigitValue(text[pos]);
            if (d < 0) Fail(L"十六进制数字或 '}'", Describe());
            ++pos;
            if (high < 0) {
                high = d;
            } else {
                bytes.push_back(static_cast<uint8_t>(high * 16 + d));
                high = -1;
            }
        }
        if (high >= 0) Fail(L"成对的十六进制数字", L"单个数字");
        ++pos;
        return bytes;
    }

    std::string_view text;
    const std::wstring& sourceName;
    size_t pos = 0;
    int line = 1;
};

}  // namespace

TFormObject ParseFormText(std::string_view text, const std::wstring& sourceName) {
    if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
    return Parser(text, sourceName).ParseRoot();
}
