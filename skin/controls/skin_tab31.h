#pragma once
// TSkinTab31: a tab set (the older tab control, drawn by the class library) painted entirely
// from the skin's Tabs element, its image upside down for tabs that hang below a notebook. The
// tabs are placed by the tab set's own layout rules, so that the skinned tabs are where clicks
// land; the tab set's scroller gets the up-down skinner.

#include "forms/bitmap.h"
#include "skin/controls/skin_control.h"

class TSkinUpDown;
class TTabSet;

class TSkinTab31 : public TSkinControl {
    PONDERIX_CLASS(TSkinTab31, TSkinControl)
public:
    using TSkinControl::TSkinControl;

    // Subclasses the tab set's own window (the tab set is the skinner's owner).
    void HookControl(TControlSkinnerHost* frame, TSkinData* skin, bool recolour,
                     TCanvas* canvas) override;
    bool BeforeMessage(TMessage& message) override;
    void DrawControl(HDC dc, const TRect& rect) override;
    void SkinChanged() override;

    TSkinUpDown* UpDown() const { return upDown; }

protected:
    void Notification(TComponent* component, TOperation operation) override;

private:
    void LoadImage();

    TTabSet* tabSet = nullptr;
    TBitmap tabImage;  // the Tabs image upside down
    TBitmap buffer;
    TSkinUpDown* upDown = nullptr;
};
