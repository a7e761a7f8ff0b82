#pragma once
// The text of a form description, parsed into a tree. The format:
//
//   object MainForm: TMainForm            // a component: name and registered class
//     Caption = 'Ponderix'                // UTF-8 string, '' inside for a quote, #nnn a char
//     ClientWidth = 480                   // integer: decimal, $hex or 0xhex, optional sign
//     Position = poScreenCenter           // identifier: enumeration value, Boolean, component
//     BorderIcons = [biSystemMenu]        //   or method name; set in brackets
//     Font.Height = -12                   // dotted path into an object property
//     Items = ('6' '8' '10')              // string list
//     SkinStream = {0A000000 4E20}        // raw bytes in hex, for custom stream properties
//     object Button1: TButton ... end     // owned component, nested in its parent
//   end

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct TFormValue {
    enum class Kind { Integer, Identifier, String, Set, List, Binary };
    Kind kind = Kind::Integer;
    int64_t integer = 0;
    std::string identifier;
    std::wstring text;
    std::vector<std::string> setItems;
    std::vector<std::wstring> listItems;
    std::vector<uint8_t> bytes;
};

struct TFormProperty {
    std::string path;
    TFormValue value;
    int line = 0;
};

struct TFormObject {
    std::string name;
    std::string className;
    int line = 0;
    std::vector<TFormProperty> properties;
    std::vector<TFormObject> children;
};

// Parses one description; a malformed one raises EReadError naming sourceName, the line and
// what was expected there.
TFormObject ParseFormText(std::string_view text, const std::wstring& sourceName);

// The message prefix that every error about a description carries: "窗体描述 NAME 第 N 行: ".
std::wstring FormErrorPrefix(const std::wstring& sourceName, int line);
