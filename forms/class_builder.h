#pragma once
// TClassBuilder<T>: how a class publishes its properties, fields and methods. Getters and setters
// are member function pointers or callables taking T&; pass nullptr as the setter of a
// read-only property. Included by class_info.h.

#include <functional>
#include <type_traits>
#include <utility>

template <class T>
class TClassBuilder {
public:
    explicit TClassBuilder(TClassInfo& info) : info(info) {}

    template <class G, class S>
    void Integer(const char* name, G get, S set) {
        AddOrdinal(name, TTypeKind::tkInteger, nullptr, get, set);
    }
    // An integer that a description may also give by name (clBtnFace, GB2312_CHARSET).
    template <class G, class S>
    void NamedInteger(const char* name, bool (*identToInt)(std::string_view, int64_t&), G get,
                      S set) {
        AddOrdinal(name, TTypeKind::tkInteger, nullptr, get, set);
        info.properties.back().identToInt = identToInt;
    }
    template <class G, class S>
    void Boolean(const char* name, G get, S set) {
        AddOrdinal(name, TTypeKind::tkEnumeration, &BooleanType, get, set);
    }
    template <class G, class S>
    void Enum(const char* name, const TEnumInfo& type, G get, S set) {
        AddOrdinal(name, TTypeKind::tkEnumeration, &type, get, set);
    }
    // A set of up to 32 elements of type `elements`, bit n for ordinal n.
    template <class G, class S>
    void Set(const char* name, const TEnumInfo& elements, G get, S set) {
        AddOrdinal(name, TTypeKind::tkSet, &elements, get, set);
    }

    template <class G, class S>
    void String(const char* name, G get, S set) {
        TPropInfo& p = Add(name, TTypeKind::tkString);
        p.getString = [get](TObject& o) { return std::wstring(std::invoke(get, Self(o))); };
        if constexpr (!std::is_null_pointer_v<S>) {
            p.setString = [set](TObject& o, const std::wstring& v) {
                std::invoke(set, Self(o), v);
            };
        }
    }

    // A string list owned by the object; writing copies the given lines into it.
    template <class G>
    void StringList(const char* name, G get) {
        TPropInfo& p = Add(name, TTypeKind::tkStringList);
        p.getObject = [get](TObject& o) -> TObject* { return std::invoke(get, Self(o)); };
    }

    // An object property of class C: owned sub-objects (Font) or references (DataSource).
    template <class C, class G, class S>
    void Object(const char* name, G get, S set) {
        TPropInfo& p = Add(name, TTypeKind::tkClass);
        p.objectClass = &C::StaticClass;
        p.getObject = [get](TObject& o) -> TObject* { return std::invoke(get, Self(o)); };
        if constexpr (!std::is_null_pointer_v<S>) {
            p.setObject = [set](TObject& o, TObject* v) {
                std::invoke(set, Self(o), dynamic_cast<C*>(v));
            };
        }
    }

    // An event: a std::function member that a form description binds to a published method.
    // The member may be inherited: TButton publishes TControl's OnClick.
    template <class C, class... Args>
    void Event(const char* name, std::function<void(Args...)> C::*member) {
        static_assert(std::is_base_of_v<C, T>);
        TPropInfo& p = Add(name, TTypeKind::tkMethod);
        p.eventType = typeid(std::function<void(Args...)>);
        p.setEvent = [member](TObject& o, const std::any& handler) {
            Self(o).*member = std::any_cast<std::function<void(Args...)>>(handler);
        };
    }

    // A form's component field, filled by the reader with the component of the same name.
    template <class C>
    void Field(const char* name, C* T::*member) {
        info.fields.push_back({name, &C::StaticClass, [member](TObject& root, TComponent* c) {
                                   Self(root).*member = dynamic_cast<C*>(c);
                               }});
    }

    // A form's event handler, found by name when a description assigns it to an event.
    template <class... Args>
    void Method(const char* name, void (T::*method)(Args...)) {
        info.methods.push_back(
            {name, typeid(std::function<void(Args...)>), [method](TObject& root) {
                 T* self = &Self(root);
                 return std::any(std::function<void(Args...)>([self, method](Args... args) {
                     (self->*method)(std::forward<Args>(args)...);
                 }));
             }});
    }

private:
    static T& Self(TObject& o) { return static_cast<T&>(o); }

    TPropInfo& Add(const char* name, TTypeKind kind) {
        TPropInfo& p = info.properties.emplace_back();
        p.name = name;
        p.kind = kind;
        return p;
    }

    template <class G, class S>
    void AddOrdinal(const char* name, TTypeKind kind, const TEnumInfo* type, G get, S set) {
        TPropInfo& p = Add(name, kind);
        p.enumType = type;
        p.getOrdinal = [get](TObject& o) {
            return static_cast<int64_t>(std::invoke(get, Self(o)));
        };
        if constexpr (!std::is_null_pointer_v<S>) {
            p.setOrdinal = [set](TObject& o, int64_t v) {
                using Arg = SetterArg<S>;
                std::invoke(set, Self(o), static_cast<Arg>(v));
            };
        }
    }

    // The value type a setter takes: the parameter of a member function pointer, else int64_t.
    template <class S>
    struct SetterArgOf {
        using type = int64_t;
    };
    template <class R, class C, class A>
    struct SetterArgOf<R (C::*)(A)> {
        using type = std::decay_t<A>;
    };
    template <class S>
    using SetterArg = typename SetterArgOf<S>::type;

    TClassInfo& info;
};
