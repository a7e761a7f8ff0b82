#pragma once
// TComponent: a named object with an owner. The owner keeps its components in creation order and
// frees them with itself; components learn through Notification when another component they
// refer to goes away, so nobody keeps a dangling reference.

#include <cstdint>
#include <string>
#include <vector>

#include "forms/object.h"

enum TComponentStateFlag : uint32_t {
    csLoading = 1u << 0,     // between the start of reading a form and Loaded
    csReading = 1u << 1,     // while the form reader assigns properties
    csDestroying = 1u << 2,  // from the start of the destructor
    csDesigning = 1u << 3,   // in a designer; never set in the running program
};

enum class TOperation { opInsert, opRemove };

// The standard notify event (Sender).
using TNotifyEvent = std::function<void(TObject*)>;

class TComponent : public TPersistent {
    PONDERIX_CLASS(TComponent, TPersistent)
public:
    explicit TComponent(TComponent* owner);
    ~TComponent() override;
    TComponent(const TComponent&) = delete;
    TComponent& operator=(const TComponent&) = delete;

    TComponent* Owner() const { return owner; }
    int ComponentCount() const { return static_cast<int>(components.size()); }
    TComponent* Components(int index) const { return components.at(static_cast<size_t>(index)); }
    // The owned component of that name (ASCII letter case ignored), or null.
    TComponent* FindComponent(const std::wstring& componentName) const;

    const std::wstring& Name() const { return name; }
    virtual void SetName(const std::wstring& newName);
    intptr_t Tag() const { return tag; }
    void SetTag(intptr_t value) { tag = value; }

    uint32_t ComponentState() const { return state; }
    bool HasState(TComponentStateFlag flag) const { return (state & flag) != 0; }
    void SetLoading(bool loading);
    void SetReading(bool reading);
    void SetDesigning(bool designing);

    // Called once the form holding this component has been read completely.
    virtual void Loaded();
    // Tells this component that `component` is being inserted or freed; the base passes it on
    // to every owned component.
    virtual void Notification(TComponent* component, TOperation operation);
    // Asks for Notification(this, opRemove) on `component` when this component is freed, for
    // references across owners.
    void FreeNotification(TComponent* component);
    void RemoveFreeNotification(TComponent* component);
    // The form reader tells a component read inside another which one that is (a control sets
    // its Parent from it).
    virtual void SetParentComponent(TComponent* parent);

    // Moves a component between owners.
    void InsertComponent(TComponent* component);
    void RemoveComponent(TComponent* component);
    // Frees every owned component, the most recently created first.
    void DestroyComponents();

private:
    TComponent* owner = nullptr;
    std::vector<TComponent*> components;
    std::vector<TComponent*> freeNotifies;
    std::wstring name;
    intptr_t tag = 0;
    uint32_t state = 0;
};
