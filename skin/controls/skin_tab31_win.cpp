#include "skin/controls/skin_tab31.h"

#include "forms/dc_scopes.h"
#include "forms/tab_set.h"
#include "skin/bitmap_utils_win.h"
#include "skin/controls/skin_up_down.h"
#include "skin/skin_data.h"

PONDERIX_DEFINE_CLASS(TSkinTab31, [](TClassBuilder<TSkinTab31>&) {})

void TSkinTab31::HookControl(TControlSkinnerHost* frame, TSkinData* skinData, bool recolourOn,
                             TCanvas* sharedCanvas) {
    if (attached) return;
    tabSet = dynamic_cast<TTabSet*>(Owner());
    if (!tabSet) return;
    recolour = recolourOn;
    HookWindow(tabSet->Handle(), skinData, frame, sharedCanvas);
    if (!attached) return;
    control = tabSet;
    LoadImage();
    if (tabSet->ComponentCount() > 0)
        if (auto* scroller = dynamic_cast<TTabScroller*>(tabSet->Components(0))) {
            upDown = new TSkinUpDown(Owner());
            upDown->SetKind(1);  // horizontal
            upDown->FreeNotification(this);
            upDown->HookWindow(scroller->Handle(), skin, frameSkinner, canvas);
        }
}

void TSkinTab31::Notification(TComponent* component, TOperation operation) {
    TSkinControl::Notification(component, operation);
    if (operation == TOperation::opRemove && component == upDown) upDown = nullptr;
}

void TSkinTab31::SkinChanged() {
    TSkinControl::SkinChanged();
    LoadImage();
}

void TSkinTab31::LoadImage() {
    tabImage.SetSize(0, 0);
    TDataSkinBorder* tabs = skin->Skin().Tabs.get();
    if (!tabs || tabs->Image.Empty()) return;
    tabImage.Assign(tabs->Image);
    tabImage.SetPixelFormat(TPixelFormat::pf24bit);
    FlipBitmap(tabImage.Pixels());
}

bool TSkinTab31::BeforeMessage(TMessage& message) {
    switch (message.Msg) {
        case WM_PAINT:
            PaintInstead(message);
            // A paint into a given context is complete; the tab set's own paint of its window
            // finds nothing left to paint.
            return message.WParam == 0;
        case WM_ERASEBKGND: message.Result = 1; return false;
        default: return TSkinControl::BeforeMessage(message);
    }
}

void TSkinTab31::DrawControl(HDC dc, const TRect& rect) {
    TDataSkinBorder* tabs = skin->Skin().Tabs.get();
    if (!tabs || tabs->Image.Empty() || tabImage.Empty() || !tabSet || rect.IsEmpty()) return;
    if (buffer.Width() != rect.Width() || buffer.Height() != rect.Height())
        buffer.SetSize(rect.Width(), rect.Height());
    HDC target = buffer.Canvas()->Handle();
    FillSolidRect(target, {0, 0, rect.Width(), rect.Height()},
                  ColorToRGB(skin->Skin().ButtonFaceColour));
    TSavedDC saved(target);
    SelectObject(target, tabSet->Font()->Handle());
    SetBkMode(target, TRANSPARENT);
    const TRect margins{tabs->LeftWidth, tabs->TopHeight, tabs->RightWidth, tabs->BottomHeight};
    for (const TTabSetPlace& p : tabSet->VisibleTabs()) {
        const TRect tab{p.left, 0, p.right, rect.Height()};
        const int cell = p.index == tabSet->TabIndex() ? 2 : 1;
        DrawNineSlice(target, tab, tabImage, margins, cell, tabs->FrameCount, tabs->Trans != 0,
                      tabs->Tile != 0, false);
        SetTextColor(target, ColorToRGB(cell == 2 ? tabs->MouseOverColour2 : tabs->NormalColour2));
        SkinDrawText(target, tabSet->Tabs()->Get(p.index),
                     {tab.left, tab.top, tab.right, tab.bottom},
                     DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
    BitBlt(dc, rect.left, rect.top, rect.Width(), rect.Height(), target, 0, 0, SRCCOPY);
}
