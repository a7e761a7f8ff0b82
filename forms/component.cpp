#include "forms/component.h"

#include <algorithm>

#include "forms/exception.h"
#include "forms/filer.h"
#include "forms/text.h"

const TClassInfo& TObject::StaticClass() {
    static const TClassInfo info = [] {
        TClassInfo i;
        i.name = "TObject";
        return i;
    }();
    return info;
}

PONDERIX_DEFINE_CLASS(TPersistent, [](TClassBuilder<TPersistent>&) {})

void TPersistent::Assign(const TPersistent& source) {
    throw EConvertError(L"不能把 " + Utf8ToWide(source.ClassName()) + L" 赋值给 " +
                        Utf8ToWide(ClassName()));
}

void TPersistent::DefineProperties(TFiler&) {}

PONDERIX_DEFINE_CLASS(TComponent, [](TClassBuilder<TComponent>& b) {
    b.String("Name", &TComponent::Name, nullptr);
    b.Integer("Tag", &TComponent::Tag, &TComponent::SetTag);
})

TComponent::TComponent(TComponent* owner) {
    if (owner) owner->InsertComponent(this);
}

TComponent::~TComponent() {
    state |= csDestroying;
    // Everybody who asked is told first, while this object is still whole as a TComponent.
    while (!freeNotifies.empty()) {
        TComponent* other = freeNotifies.back();
        freeNotifies.pop_back();
        auto& back = other->freeNotifies;
        back.erase(std::remove(back.begin(), back.end(), this), back.end());
        other->Notification(this, TOperation::opRemove);
    }
    DestroyComponents();
    if (owner) owner->RemoveComponent(this);
}

TComponent* TComponent::FindComponent(const std::wstring& componentName) const {
    if (componentName.empty()) return nullptr;
    const std::string wanted = WideToUtf8(componentName);
    for (TComponent* c : components)
        if (SameTextAscii(WideToUtf8(c->name), wanted)) return c;
    return nullptr;
}

void TComponent::SetName(const std::wstring& newName) {
    if (newName == name) return;
    if (owner && !newName.empty()) {
        TComponent* same = owner->FindComponent(newName);
        if (same && same != this) throw EComponentError(L"已存在名为 \"" + newName + L"\" 的组件");
    }
    name = newName;
}

void TComponent::SetLoading(bool loading) {
    state = loading ? state | csLoading : state & ~csLoading;
}
void TComponent::SetReading(bool reading) {
    state = reading ? state | csReading : state & ~csReading;
}
void TComponent::SetDesigning(bool designing) {
    state = designing ? state | csDesigning : state & ~csDesigning;
}

void TComponent::Loaded() { state &= ~csLoading; }

void TComponent::Notification(TComponent* component, TOperation operation) {
    if (operation == TOperation::opRemove && component) {
        auto& list = freeNotifies;
        list.erase(std::remove(list.begin(), list.end(), component), list.end());
    }
    if (HasState(csDestroying)) return;
    // Copy: a component told of a removal may free others it owns.
    const std::vector<TComponent*> snapshot = components;
    for (TComponent* c : snapshot)
        if (std::find(components.begin(), components.end(), c) != components.end())
            c->Notification(component, operation);
}

void TComponent::FreeNotification(TComponent* component) {
    if (!component || component == this) return;
    if (std::find(freeNotifies.begin(), freeNotifies.end(), component) == freeNotifies.end()) {
        freeNotifies.push_back(component);
        component->freeNotifies.push_back(this);
    }
}

void TComponent::RemoveFreeNotification(TComponent* component) {
    if (!component) return;
    freeNotifies.erase(std::remove(freeNotifies.begin(), freeNotifies.end(), component),
                       freeNotifies.end());
    auto& back = component->freeNotifies;
    back.erase(std::remove(back.begin(), back.end(), this), back.end());
}

void TComponent::SetParentComponent(TComponent*) {}

void TComponent::InsertComponent(TComponent* component) {
    if (component->owner) component->owner->RemoveComponent(component);
    components.push_back(component);
    component->owner = this;
    Notification(component, TOperation::opInsert);
}

void TComponent::RemoveComponent(TComponent* component) {
    auto it = std::find(components.begin(), components.end(), component);
    if (it == components.end()) return;
    components.erase(it);
    component->owner = nullptr;
    Notification(component, TOperation::opRemove);
}

void TComponent::DestroyComponents() {
    while (!components.empty()) {
        TComponent* last = components.back();
        RemoveComponent(last);
        delete last;
    }
}
