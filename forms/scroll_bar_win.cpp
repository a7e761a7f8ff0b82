#include "forms/scroll_bar.h"

#include <algorithm>

#include "forms/messages.h"

const TEnumInfo ScrollBarKindType{"TScrollBarKind", {"sbHorizontal", "sbVertical"}};

PONDERIX_DEFINE_CLASS(TScrollBar, [](TClassBuilder<TScrollBar>& b) {
    b.Enum("Kind", ScrollBarKindType, &TScrollBar::Kind, &TScrollBar::SetKind);
    b.Integer("Min", &TScrollBar::Min, &TScrollBar::SetMin);
    b.Integer("Max", &TScrollBar::Max, &TScrollBar::SetMax);
    b.Integer("Position", &TScrollBar::Position, &TScrollBar::SetPosition);
    b.Integer("PageSize", &TScrollBar::PageSize, &TScrollBar::SetPageSize);
    b.Event("OnChange", &TScrollBar::OnChange);
})

TScrollBar::TScrollBar(TComponent* owner) : TWinControl(owner) {
    SetTabStop(true);
    SetBounds(0, 0, 121, GetSystemMetrics(SM_CYHSCROLL));
}

void TScrollBar::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.SuperClassName = L"SCROLLBAR";
    params.Style |= kind == sbVertical ? SBS_VERT : SBS_HORZ;
}

void TScrollBar::AfterCreateHandle() { UpdateBar(); }

void TScrollBar::SetKind(TScrollBarKind value) { kind = value; }

void TScrollBar::SetPageSize(int value) {
    pageSize = std::max(0, value);
    SetParams(position, min, max);
}

void TScrollBar::SetParams(int newPosition, int newMin, int newMax) {
    min = newMin;
    max = std::max(newMin, newMax);
    const int last = pageSize > 0 ? std::max(min, max - pageSize + 1) : max;
    const int clamped = std::clamp(newPosition, min, last);
    const bool changed = clamped != position;
    position = clamped;
    UpdateBar();
    if (changed && OnChange) OnChange(this);
}

void TScrollBar::UpdateBar() {
    if (!HandleAllocated()) return;
    SCROLLINFO info{sizeof info, SIF_ALL, min, max, static_cast<UINT>(pageSize), position, 0};
    SendMessageW(Handle(), SBM_SETSCROLLINFO, TRUE, reinterpret_cast<LPARAM>(&info));
}

void TScrollBar::Scroll(int code) {
    const int page = std::max(1, pageSize);
    switch (code) {
        case SB_LINEUP: SetPosition(position - 1); break;
        case SB_LINEDOWN: SetPosition(position + 1); break;
        case SB_PAGEUP: SetPosition(position - page); break;
        case SB_PAGEDOWN: SetPosition(position + page); break;
        case SB_TOP: SetPosition(min); break;
        case SB_BOTTOM: SetPosition(max); break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: {
            SCROLLINFO info{sizeof info, SIF_TRACKPOS, 0, 0, 0, 0, 0};
            SendMessageW(Handle(), SBM_GETSCROLLINFO, 0, reinterpret_cast<LPARAM>(&info));
            SetPosition(info.nTrackPos);
            break;
        }
        default: break;
    }
}

void TScrollBar::WndProc(TMessage& message) {
    if (message.Msg == CN_BASE + WM_HSCROLL || message.Msg == CN_BASE + WM_VSCROLL) {
        Scroll(LOWORD(message.WParam));
        return;
    }
    TWinControl::WndProc(message);
}

void RegisterScrollBarClasses() { RegisterComponentClass(TScrollBar::StaticClass()); }
