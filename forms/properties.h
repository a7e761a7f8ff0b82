#pragma once
// Reading and writing published properties by name, so that one piece of code (a skinner) can
// serve every class that publishes "Caption", "Glyph", "Layout" and the like. An absent property,
// or one of another kind, reads as 0, empty or none and is never written.

#include <string>
#include <string_view>

class TObject;
struct TClassInfo;

int GetIntProp(TObject* object, std::string_view name);
// The value name of an enumeration property (Boolean included); empty when none.
std::string GetEnumPropName(TObject* object, std::string_view name);
std::wstring GetStrPropByName(TObject* object, std::string_view name);
// The value of an object property when it is an instance of objectClass; null otherwise.
TObject* GetObjectPropByName(TObject* object, std::string_view name, const TClassInfo& objectClass);
// Sets an enumeration property (Boolean included) by value name; does nothing when the property
// is absent, of another kind, or lacks that value name.
void SetEnumPropByName(TObject* object, std::string_view name, std::string_view valueName);
// Like SetEnumPropByName, but a value name the enumeration lacks raises EPropertyError
// "无效的属性元素: %s".
void SetEnumPropertyByName(TObject* object, std::string_view name, std::string_view valueName);
