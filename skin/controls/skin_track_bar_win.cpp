#include "skin/controls/skin_track_bar.h"

#include <commctrl.h>

#include "forms/dc_scopes.h"
#include "forms/messages.h"
#include "skin/skin_data.h"

PONDERIX_DEFINE_CLASS(TSkinTrackBar, [](TClassBuilder<TSkinTrackBar>&) {})

bool TSkinTrackBar::BeforeMessage(TMessage& message) {
    switch (message.Msg) {
        case WM_ERASEBKGND: message.Result = 1; return false;
        case WM_NOTIFY:
        case CN_NOTIFY: {
            auto* header = reinterpret_cast<NMHDR*>(message.LParam);
            if (!header || header->code != NM_CUSTOMDRAW) return true;
            message.Result = CustomDraw(*reinterpret_cast<NMCUSTOMDRAW*>(message.LParam));
            return false;
        }
        default: return TSkinControl::BeforeMessage(message);
    }
}

LRESULT TSkinTrackBar::CustomDraw(NMCUSTOMDRAW& draw) {
    switch (draw.dwDrawStage) {
        case CDDS_PREPAINT: return CDRF_NOTIFYITEMDRAW;
        case CDDS_ITEMPREPAINT:
            if (draw.dwItemSpec != TBCD_THUMB) return CDRF_DODEFAULT;  // tics and channel
            try {
                DrawThumb(draw.hdc);
            } catch (...) {
            }
            return CDRF_SKIPDEFAULT;
        default: return 0;
    }
}

void TSkinTrackBar::DrawThumb(HDC dc) {
    RECT r{};
    SendMessageW(handle, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&r));
    const TRect thumb{r.left, r.top, r.right, r.bottom};
    const TSkinDescription& s = skin->Skin();
    TDataSkinObject* element = s.TrackbarThumbHorz.get();
    if ((GetWindowLongW(handle, GWL_STYLE) & TBS_VERT) && s.TrackbarThumbVert)
        element = s.TrackbarThumbVert.get();
    if (element && !element->Image.Empty()) {
        DrawCellStretched(dc, thumb, 5, 2, element->Image);
        return;
    }
    Owned<HPEN, &DeleteObject> pen(CreatePen(PS_SOLID, 1, ColorToRGB(s.ButtonShadowColour)));
    Owned<HBRUSH, &DeleteObject> brush(CreateSolidBrush(ColorToRGB(s.ButtonFaceColour)));
    TSavedDC saved(dc);
    SelectObject(dc, pen.Get());
    SelectObject(dc, brush.Get());
    Rectangle(dc, thumb.left, thumb.top, thumb.right, thumb.bottom);
}
