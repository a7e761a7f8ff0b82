#include "forms/speed_button.h"

#include <algorithm>

#include "forms/filer.h"

PONDERIX_DEFINE_CLASS(TSpeedButton, [](TClassBuilder<TSpeedButton>& b) {
    b.String("Caption", &TSpeedButton::Caption, &TSpeedButton::SetCaption);
    PublishGlyphOptions(b);
    b.Boolean("Flat", &TSpeedButton::Flat, &TSpeedButton::SetFlat);
    b.Boolean("Transparent", &TSpeedButton::Transparent, &TSpeedButton::SetTransparent);
    b.Boolean("AllowAllUp", &TSpeedButton::AllowAllUp, &TSpeedButton::SetAllowAllUp);
    b.Integer("GroupIndex", &TSpeedButton::GroupIndex, &TSpeedButton::SetGroupIndex);
    b.Boolean("Down", &TSpeedButton::Down, &TSpeedButton::SetDown);
    b.Event("OnClick", &TSpeedButton::OnClick);
})

TSpeedButton::TSpeedButton(TComponent* owner) : TGraphicControl(owner) {
    SetBounds(0, 0, 23, 22);
    SetColor(clBtnFace);
}

template <class F>
void TSpeedButton::ForEachInGroup(F f) {
    if (groupIndex == 0 || !Parent()) return;
    for (int i = 0; i < Parent()->ControlCount(); ++i) {
        auto* other = dynamic_cast<TSpeedButton*>(Parent()->Controls(i));
        if (other && other != this && other->groupIndex == groupIndex) f(*other);
    }
}

void TSpeedButton::SetFlat(bool value) {
    flat = value;
    Invalidate();
}

void TSpeedButton::SetTransparent(bool value) {
    transparent = value;
    Invalidate();
}

void TSpeedButton::SetDown(bool value) {
    if (groupIndex == 0) value = false;
    if (value == down) return;
    // The down button of a group that must keep one down is raised only by pressing another.
    if (down && !allowAllUp) return;
    down = value;
    if (down) {
        ForEachInGroup([](TSpeedButton& other) {
            if (other.down) {
                other.down = false;
                other.Invalidate();
            }
        });
    }
    Invalidate();
}

void TSpeedButton::SetGroupIndex(int value) {
    groupIndex = std::max(value, 0);
    if (groupIndex == 0) down = false;
    Invalidate();
}

void TSpeedButton::SetAllowAllUp(bool value) {
    allowAllUp = value;
    ForEachInGroup([value](TSpeedButton& other) { other.allowAllUp = value; });
}

void TSpeedButton::DefineProperties(TFiler& filer) {
    TGraphicControl::DefineProperties(filer);
    DefineGlyphData(filer);
}

void TSpeedButton::WndProc(TMessage& message) {
    switch (message.Msg) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            if (Enabled()) {
                pressed = true;
                Repaint();
            }
            break;
        case WM_LBUTTONUP:
            if (pressed) {
                pressed = false;
                if (groupIndex != 0) {
                    if (down && allowAllUp)
                        SetDown(false);
                    else
                        SetDown(true);
                }
                Repaint();
                Click();
            }
            break;
        case CM_MOUSEENTER:
        case CM_MOUSELEAVE:
            TGraphicControl::WndProc(message);  // keeps MouseInControl
            if (message.Msg == CM_MOUSELEAVE) pressed = false;
            if (flat || message.Msg == CM_MOUSELEAVE) Invalidate();
            return;
        case CM_ENABLEDCHANGED:
            if (!Enabled()) pressed = false;
            Invalidate();
            break;
    }
    TGraphicControl::WndProc(message);
}

void TSpeedButton::Paint(HDC dc) {
    const TRect client{0, 0, Width(), Height()};
    const bool enabled = Enabled();
    const bool sunken = pressed || down;
    TCanvas canvas;
    canvas.SetHandle(dc);
    RECT r{0, 0, Width(), Height()};
    if (flat) {
        if (!transparent) {
            canvas.Brush()->SetColor(Color());
            canvas.FillRect(client);
        }
        // A flat button shows an edge only while it is down or under an enabled mouse.
        if (sunken)
            DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT);
        else if (enabled && MouseInControl())
            DrawEdge(dc, &r, BDR_RAISEDINNER, BF_RECT);
    } else {
        DrawFrameControl(dc, &r, DFC_BUTTON, DFCS_BUTTONPUSH | (sunken ? DFCS_PUSHED : 0));
    }

    TGlyphButtonContent content;
    FillContent(content);
    content.state = !enabled ? gsDisabled : down ? gsExclusive : pressed ? gsDown : gsUp;
    content.caption = GetText();
    content.font = Font();
    content.enabled = enabled;
    DrawGlyphButtonContent(canvas, sunken ? client.Offset(1, 1) : client, content);
    canvas.SetHandle(nullptr);
}

void RegisterSpeedButtonClasses() { RegisterComponentClass(TSpeedButton::StaticClass()); }
