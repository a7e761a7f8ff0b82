#include "forms/properties.h"

#include "forms/exception.h"
#include "forms/object.h"
#include "forms/text.h"

namespace {

const TPropInfo* Find(TObject* object, std::string_view name, TTypeKind kind) {
    if (!object) return nullptr;
    const TPropInfo* p = object->ClassType().FindProperty(name);
    return (p && p->kind == kind) ? p : nullptr;
}

// Answers false when the property is absent or not an enumeration; raises nothing.
bool SetEnum(TObject* object, std::string_view name, std::string_view valueName, bool strict) {
    const TPropInfo* p = Find(object, name, TTypeKind::tkEnumeration);
    if (!p || !p->setOrdinal) return false;
    const int ordinal = p->enumType->ValueOf(valueName);
    if (ordinal < 0) {
        if (strict) throw EPropertyError(L"无效的属性元素: " + Utf8ToWide(valueName));
        return false;
    }
    p->setOrdinal(*object, ordinal);
    return true;
}

}  // namespace

int GetIntProp(TObject* object, std::string_view name) {
    const TPropInfo* p = Find(object, name, TTypeKind::tkInteger);
    return p ? static_cast<int>(p->getOrdinal(*object)) : 0;
}

std::string GetEnumPropName(TObject* object, std::string_view name) {
    const TPropInfo* p = Find(object, name, TTypeKind::tkEnumeration);
    return p ? p->enumType->NameOf(p->getOrdinal(*object)) : std::string();
}

std::wstring GetStrPropByName(TObject* object, std::string_view name) {
    const TPropInfo* p = Find(object, name, TTypeKind::tkString);
    return p ? p->getString(*object) : std::wstring();
}

TObject* GetObjectPropByName(TObject* object, std::string_view name,
                             const TClassInfo& objectClass) {
    const TPropInfo* p = Find(object, name, TTypeKind::tkClass);
    if (!p || !p->getObject) return nullptr;
    TObject* value = p->getObject(*object);
    return (value && value->InheritsFrom(objectClass)) ? value : nullptr;
}

void SetEnumPropByName(TObject* object, std::string_view name, std::string_view valueName) {
    SetEnum(object, name, valueName, false);
}

void SetEnumPropertyByName(TObject* object, std::string_view name, std::string_view valueName) {
    SetEnum(object, name, valueName, true);
}
