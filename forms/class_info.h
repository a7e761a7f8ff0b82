#pragma once
// Run-time class information: the name and parent of every class of the class library, how to
// create components by class name, and each class's published properties, fields and methods.
// The form reader and the skin engine reach objects through this, by name.
//
//   class TButton : public TWinControl {
//       PONDERIX_CLASS(TButton, TWinControl)
//       ...
//   };
//   PONDERIX_DEFINE_CLASS(TButton, [](TClassBuilder<TButton>& b) {
//       b.Boolean("Default", &TButton::GetDefault, &TButton::SetDefault);
//       b.Event("OnClick", &TButton::OnClick);
//   })

#include <any>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <typeindex>
#include <vector>

class TObject;
class TComponent;
class TStrings;
struct TClassInfo;

enum class TTypeKind { tkInteger, tkEnumeration, tkSet, tkString, tkStringList, tkClass, tkMethod };

// An enumeration's value names in ordinal order; also the element type of a set.
struct TEnumInfo {
    std::string name;
    std::vector<std::string> values;

    // Ordinal of a value name (ASCII letter case ignored), or -1.
    int ValueOf(std::string_view valueName) const;
    // Name of an ordinal, or empty when out of range.
    std::string NameOf(int64_t ordinal) const;
};

// Booleans are published as the enumeration False, True.
extern const TEnumInfo BooleanType;

struct TPropInfo {
    std::string name;
    TTypeKind kind = TTypeKind::tkInteger;
    const TEnumInfo* enumType = nullptr;  // enumeration and Boolean values, set elements
    // Class of an object property; a function, since a class may publish a property of its own
    // type while its information is still being built.
    const TClassInfo& (*objectClass)() = nullptr;
    std::type_index eventType = typeid(void);  // signature of an event property

    // Integer properties whose values have names too (colours, character sets): answers false
    // for an unknown name.
    bool (*identToInt)(std::string_view ident, int64_t& value) = nullptr;

    // Integer, enumeration (ordinal) and set (bit n for ordinal n) properties.
    std::function<int64_t(TObject&)> getOrdinal;
    std::function<void(TObject&, int64_t)> setOrdinal;
    // String properties.
    std::function<std::wstring(TObject&)> getString;
    std::function<void(TObject&, const std::wstring&)> setString;
    // Object properties; for string lists getObject answers the TStrings.
    std::function<TObject*(TObject&)> getObject;
    std::function<void(TObject&, TObject*)> setObject;
    // Event properties: the handler arrives as a std::function of eventType inside the any.
    std::function<void(TObject&, const std::any&)> setEvent;

    bool IsWritable() const;
};

// A published field of a form: the reader stores the component of that name into it.
struct TFieldInfo {
    std::string name;
    const TClassInfo& (*fieldClass)() = nullptr;
    std::function<void(TObject& root, TComponent* component)> assign;
};

// A published method of a form, bound to an event by name in a form description.
struct TMethodInfo {
    std::string name;
    std::type_index eventType = typeid(void);
    std::function<std::any(TObject& root)> bind;
};

struct TClassInfo {
    std::string name;
    const TClassInfo* parent = nullptr;
    TComponent* (*create)(TComponent* owner) = nullptr;  // null for abstract classes
    std::vector<TPropInfo> properties;                   // own, in publishing order
    std::vector<TFieldInfo> fields;
    std::vector<TMethodInfo> methods;

    bool InheritsFrom(const TClassInfo& other) const;
    // Own or inherited; names compared without regard to ASCII letter case.
    const TPropInfo* FindProperty(std::string_view propName) const;
    const TFieldInfo* FindField(std::string_view fieldName) const;
    const TMethodInfo* FindMethod(std::string_view methodName) const;
    // Every published property, the oldest ancestor's first.
    std::vector<const TPropInfo*> AllProperties() const;
};

// The registry of classes that form descriptions may name.
void RegisterComponentClass(const TClassInfo& info);
const TClassInfo* FindComponentClass(std::string_view className);

template <class T>
class TClassBuilder;

// Builds T's class information once, from its publisher function.
template <class T, class Publisher>
TClassInfo MakeClassInfo(const char* name, const TClassInfo* parent, Publisher publish) {
    TClassInfo info;
    info.name = name;
    info.parent = parent;
    if constexpr (std::is_constructible_v<T, TComponent*> && !std::is_abstract_v<T>) {
        info.create = [](TComponent* owner) -> TComponent* { return new T(owner); };
    }
    TClassBuilder<T> builder(info);
    publish(builder);
    return info;
}

// Declares the class-information members inside a class body.
#define PONDERIX_CLASS(Self, Parent)                                             \
public:                                                                          \
    using inherited = Parent;                                                    \
    static const TClassInfo& StaticClass();                                      \
    const TClassInfo& ClassType() const override { return Self::StaticClass(); } \
                                                                                 \
private:

// Defines them in the class's source file.
#define PONDERIX_DEFINE_CLASS(Self, publisher)                                      \
    const TClassInfo& Self::StaticClass() {                                         \
        static const TClassInfo info =                                              \
            MakeClassInfo<Self>(#Self, &Self::inherited::StaticClass(), publisher); \
        return info;                                                                \
    }

#include "forms/class_builder.h"
