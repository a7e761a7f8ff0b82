#include "skin/frame/nc_object.h"

#include "skin/frame/win_skin_form.h"

void TNCObject::MouseDown() {
    if (TNCObject* hot = owner.HotObject(); hot && hot != this) hot->MouseLeave();
    if (!Visible) return;
    owner.SetHotObject(this);
    State = ncPressed;
    Paint();
}

void TNCObject::MouseUp() {
    if (!Visible) return;
    State = ncHot;
    Paint();
}

void TNCObject::MouseEnter() {
    TNCObject* hot = owner.HotObject();
    if (hot == this) return;
    if (hot) hot->MouseLeave();
    if (!Visible) return;
    owner.SetHotObject(this);
    State = ncHot;
    Paint();
}

void TNCObject::MouseLeave() {
    if (!Visible) return;
    owner.SetHotObject(nullptr);
    State = ncNormal;
    Paint();
}

void TWinSysButton::Paint() { Owner().DrawSysButton(*this, State); }
