#pragma once
// Clickable things drawn in a skinned window frame: the title-bar buttons (and, with the menu
// bar, its items). Each has a rectangle in window coordinates (origin the window's top-left
// corner), a visible flag and a state; the frame skinner keeps which one is hot or pressed.

#include "forms/geometry.h"

class TDataSkinSysButton;
class TWinSkinForm;

// Non-client object states.
constexpr int ncNormal = 1;
constexpr int ncPressed = 2;
constexpr int ncHot = 3;

class TNCObject {
public:
    explicit TNCObject(TWinSkinForm& owner) : owner(owner) {}
    virtual ~TNCObject() = default;
    TNCObject(const TNCObject&) = delete;
    TNCObject& operator=(const TNCObject&) = delete;

    // The previous hot object leaves first; a visible object becomes hot and pressed.
    virtual void MouseDown();
    virtual void MouseUp();
    virtual void MouseEnter();
    virtual void MouseLeave();
    virtual void Paint() {}

    TWinSkinForm& Owner() const { return owner; }
    TRect Rect;
    bool Visible = false;
    int State = ncNormal;

private:
    TWinSkinForm& owner;
};

// A title-bar button, showing one of the skin's title-bar buttons (not owned).
class TWinSysButton : public TNCObject {
public:
    TWinSysButton(TWinSkinForm& owner, TDataSkinSysButton& skinButton)
        : TNCObject(owner), skinButton(&skinButton) {}
    void Paint() override;
    TDataSkinSysButton& SkinButton() const { return *skinButton; }

private:
    TDataSkinSysButton* skinButton;
};
