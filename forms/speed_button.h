#pragma once
// TSpeedButton: a glyph button painted by its parent (no window, no focus), often one of a group
// of which one stays down.
//
// Mouse rule: a press inside shows the button down; the release inside clicks. Leaving the
// button while the button is held cancels the press, so the release then clicks nothing.
//
//   GroupIndex  AllowAllUp  release inside a button that is ...  gives
//   0           -           up                                   Down stays false, click
//   n > 0       -           up                                   Down, the group's others up, click
//   n > 0       false       Down                                 stays Down, click
//   n > 0       true        Down                                 up, click
//
// Setting Down in code follows the same group rule; without a group Down stays false.

#include "forms/bit_btn.h"
#include "forms/controls.h"

class TSpeedButton : public TGraphicControl, public TGlyphOptions {
    PONDERIX_CLASS(TSpeedButton, TGraphicControl)
public:
    explicit TSpeedButton(TComponent* owner);

    bool Flat() const { return flat; }
    void SetFlat(bool value);
    // A flat button leaves its parent's background under it while it shows no edge.
    bool Transparent() const { return transparent; }
    void SetTransparent(bool value);
    bool Down() const { return down; }
    void SetDown(bool value);
    int GroupIndex() const { return groupIndex; }
    void SetGroupIndex(int value);
    // Shared by the whole group: whether its down button may be raised again.
    bool AllowAllUp() const { return allowAllUp; }
    void SetAllowAllUp(bool value);

    // The press shown while the mouse is held over the button.
    bool Pressed() const { return pressed; }

    void Click() override { TGraphicControl::Click(); }
    void DefineProperties(TFiler& filer) override;

protected:
    void GlyphChanged() override { Invalidate(); }
    void Paint(HDC dc) override;
    void WndProc(TMessage& message) override;

private:
    // The other speed buttons of this one's group (same parent, same GroupIndex > 0).
    template <class F>
    void ForEachInGroup(F f);

    bool flat = false;
    bool transparent = false;
    bool down = false;
    int groupIndex = 0;
    bool allowAllUp = false;
    bool pressed = false;
};

void RegisterSpeedButtonClasses();
