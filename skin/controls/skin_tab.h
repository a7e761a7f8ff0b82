#pragma once
// TSkinTab: the tab strip and page border of a tab control (and of the page control built on
// one) drawn from the skin's Tabs element. The control paints itself first; the strip is then
// composed in a work image as if the tabs were at the top (the skin draws only that side),
// turned to the tabs' side and copied over the control's, leaving out the scroll arrows; the
// page border is drawn around the page area from the element's second image. Tabs at the bottom
// use both images upside down; at the left or right the border image is turned a quarter.

#include "forms/bitmap.h"
#include "skin/controls/skin_control.h"
#include "skin/controls/tab_rules.h"

class TSkinUpDown;

class TSkinTab : public TSkinControl {
    PONDERIX_CLASS(TSkinTab, TSkinControl)
public:
    using TSkinControl::TSkinControl;

    void HookWindow(HWND window, TSkinData* skin, TControlSkinnerHost* frame,
                    TCanvas* canvas) override;
    void DrawControl(HDC dc, const TRect& rect) override;
    void SkinChanged() override;

    TTabSide Side() const { return side; }
    // The skinner of the control's scroll arrows, once they have been found.
    TSkinUpDown* UpDown() const { return upDown; }

protected:
    void Notification(TComponent* component, TOperation operation) override;

private:
    // Own copies of the Tabs images, turned to the tabs' side.
    void LoadImages();
    // The control's scroll arrows (their skinner made when first found); null when there are
    // none or they are hidden.
    HWND VisibleArrows();
    void DrawTab(int index, const TRect& item, int selected, const TRect& display,
                 const TRect& band, int windowWidth, HIMAGELIST images);

    TTabSide side = TTabSide::Top;
    TBitmap tabImage;
    TBitmap borderImage;
    TBitmap workImage;
    TSkinUpDown* upDown = nullptr;
};

// Turns a bitmap a quarter, anticlockwise or clockwise (its width and height swap).
void TurnBitmap(TBitmap& bitmap, bool anticlockwise);
