#include "forms/class_info.h"

#include <map>

#include "forms/text.h"

const TEnumInfo BooleanType{"Boolean", {"False", "True"}};

int TEnumInfo::ValueOf(std::string_view valueName) const {
    for (size_t i = 0; i < values.size(); ++i)
        if (SameTextAscii(values[i], valueName)) return static_cast<int>(i);
    return -1;
}

std::string TEnumInfo::NameOf(int64_t ordinal) const {
    if (ordinal < 0 || ordinal >= static_cast<int64_t>(values.size())) return {};
    return values[static_cast<size_t>(ordinal)];
}

bool TPropInfo::IsWritable() const {
    switch (kind) {
        case TTypeKind::tkInteger:
        case TTypeKind::tkEnumeration:
        case TTypeKind::tkSet: return static_cast<bool>(setOrdinal);
        case TTypeKind::tkString: return static_cast<bool>(setString);
        case TTypeKind::tkStringList: return static_cast<bool>(getObject);
        case TTypeKind::tkClass: return static_cast<bool>(setObject);
        case TTypeKind::tkMethod: return static_cast<bool>(setEvent);
    }
    return false;
}

bool TClassInfo::InheritsFrom(const TClassInfo& other) const {
    for (const TClassInfo* c = this; c; c = c->parent)
        if (c == &other) return true;
    return false;
}

namespace {

template <class Item, class Member>
const Item* FindInChain(const TClassInfo* c, Member member, std::string_view name) {
    for (; c; c = c->parent)
        for (const Item& item : c->*member)
            if (SameTextAscii(item.name, name)) return &item;
    return nullptr;
}

std::map<std::string, const TClassInfo*, std::less<>>& Registry() {
    static std::map<std::string, const TClassInfo*, std::less<>> registry;
    return registry;
}

}  // namespace

const TPropInfo* TClassInfo::FindProperty(std::string_view propName) const {
    return FindInChain<TPropInfo>(this, &TClassInfo::properties, propName);
}

const TFieldInfo* TClassInfo::FindField(std::string_view fieldName) const {
    return FindInChain<TFieldInfo>(this, &TClassInfo::fields, fieldName);
}

const TMethodInfo* TClassInfo::FindMethod(std::string_view methodName) const {
    return FindInChain<TMethodInfo>(this, &TClassInfo::methods, methodName);
}

std::vector<const TPropInfo*> TClassInfo::AllProperties() const {
    std::vector<const TClassInfo*> chain;
    for (const TClassInfo* c = this; c; c = c->parent) chain.insert(chain.begin(), c);
    std::vector<const TPropInfo*> all;
    for (const TClassInfo* c : chain)
        for (const TPropInfo& p : c->properties) all.push_back(&p);
    return all;
}

void RegisterComponentClass(const TClassInfo& info) {
    Registry()[AsciiLowerCase(info.name)] = &info;
}

const TClassInfo* FindComponentClass(std::string_view className) {
    auto& registry = Registry();
    auto it = registry.find(AsciiLowerCase(className));
    return it == registry.end() ? nullptr : it->second;
}
