#pragma once
// TObject, the root of the class library, and TPersistent, the root of everything that a form
// description can store.

#include "forms/class_info.h"

class TFiler;

class TObject {
public:
    virtual ~TObject() = default;

    static const TClassInfo& StaticClass();
    virtual const TClassInfo& ClassType() const { return StaticClass(); }

    const std::string& ClassName() const { return ClassType().name; }
    bool InheritsFrom(const TClassInfo& other) const { return ClassType().InheritsFrom(other); }
    template <class T>
    bool Is() const {
        return InheritsFrom(T::StaticClass());
    }
};

class TPersistent : public TObject {
    PONDERIX_CLASS(TPersistent, TObject)
public:
    // Copies source's value into this object; the base refuses with EConvertError.
    virtual void Assign(const TPersistent& source);
    // Declares custom stream properties (raw bytes stored in a form description).
    virtual void DefineProperties(TFiler& filer);
};
