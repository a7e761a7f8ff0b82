#include "forms/common_controls.h"

#include <commctrl.h>

const TEnumInfo UDOrientationType{"TUDOrientation", {"udHorizontal", "udVertical"}};
const TEnumInfo TrackBarOrientationType{"TTrackBarOrientation", {"trHorizontal", "trVertical"}};

PONDERIX_DEFINE_CLASS(TRangeControl, [](TClassBuilder<TRangeControl>& b) {
    b.Integer("Min", &TRangeControl::Min, &TRangeControl::SetMin);
    b.Integer("Max", &TRangeControl::Max, &TRangeControl::SetMax);
    b.Integer("Position", &TRangeControl::Position, &TRangeControl::SetPosition);
})
PONDERIX_DEFINE_CLASS(TUpDown, [](TClassBuilder<TUpDown>& b) {
    b.Enum("Orientation", UDOrientationType, &TUpDown::Orientation, &TUpDown::SetOrientation);
})
PONDERIX_DEFINE_CLASS(TProgressBar, [](TClassBuilder<TProgressBar>&) {})
PONDERIX_DEFINE_CLASS(TTrackBar, [](TClassBuilder<TTrackBar>& b) {
    b.Enum("Orientation", TrackBarOrientationType, &TTrackBar::Orientation,
           &TTrackBar::SetOrientation);
    b.Integer("Frequency", &TTrackBar::Frequency, &TTrackBar::SetFrequency);
})
PONDERIX_DEFINE_CLASS(TStatusBar, [](TClassBuilder<TStatusBar>& b) {
    b.Boolean("SimplePanel", &TStatusBar::SimplePanel, &TStatusBar::SetSimplePanel);
    b.String("SimpleText", &TStatusBar::SimpleText, &TStatusBar::SetSimpleText);
    b.Boolean("SizeGrip", &TStatusBar::SizeGrip, &TStatusBar::SetSizeGrip);
})

namespace {

// Sets or clears style bits of an existing window and has it redrawn.
void ChangeStyle(HWND window, DWORD bits, bool on) {
    const LONG style = GetWindowLongW(window, GWL_STYLE);
    SetWindowLongW(window, GWL_STYLE,
                   static_cast<LONG>(on ? (style | bits) : (style & ~static_cast<LONG>(bits))));
    InvalidateRect(window, nullptr, TRUE);
}

}  // namespace

// ---- TRangeControl ------------------------------------------------------------------------

void TRangeControl::SetMin(int value) {
    min = value;
    if (HandleAllocated()) SendRange();
}

void TRangeControl::SetMax(int value) {
    max = value;
    if (HandleAllocated()) SendRange();
}

int TRangeControl::Position() const {
    auto* self = const_cast<TRangeControl*>(this);
    return self->HandleAllocated() ? self->ReadPosition() : position;
}

void TRangeControl::SetPosition(int value) {
    position = value;
    if (HandleAllocated()) SendPosition();
}

void TRangeControl::AfterCreateHandle() {
    SendRange();
    SendPosition();
}

// ---- TUpDown ------------------------------------------------------------------------------

TUpDown::TUpDown(TComponent* owner) : TRangeControl(owner) { SetBounds(0, 0, 17, 25); }

void TUpDown::CreateParams(TCreateParams& params) {
    TRangeControl::CreateParams(params);
    params.SuperClassName = UPDOWN_CLASSW;
    params.Style |= UDS_ARROWKEYS;
    if (orientation == udHorizontal) params.Style |= UDS_HORZ;
}

void TUpDown::SetOrientation(TUDOrientation value) {
    orientation = value;
    if (HandleAllocated()) ChangeStyle(Handle(), UDS_HORZ, value == udHorizontal);
}

void TUpDown::SendRange() { SendMessageW(Handle(), UDM_SETRANGE32, min, max); }
void TUpDown::SendPosition() { SendMessageW(Handle(), UDM_SETPOS32, 0, position); }
int TUpDown::ReadPosition() { return static_cast<int>(SendMessageW(Handle(), UDM_GETPOS32, 0, 0)); }

// ---- TProgressBar -------------------------------------------------------------------------

TProgressBar::TProgressBar(TComponent* owner) : TRangeControl(owner) { SetBounds(0, 0, 150, 16); }

void TProgressBar::CreateParams(TCreateParams& params) {
    TRangeControl::CreateParams(params);
    params.SuperClassName = PROGRESS_CLASSW;
}

void TProgressBar::SendRange() { SendMessageW(Handle(), PBM_SETRANGE32, min, max); }
void TProgressBar::SendPosition() { SendMessageW(Handle(), PBM_SETPOS, position, 0); }
int TProgressBar::ReadPosition() {
    return static_cast<int>(SendMessageW(Handle(), PBM_GETPOS, 0, 0));
}

// ---- TTrackBar ----------------------------------------------------------------------------

TTrackBar::TTrackBar(TComponent* owner) : TRangeControl(owner) {
    max = 10;
    SetTabStop(true);
    SetBounds(0, 0, 150, 45);
}

void TTrackBar::CreateParams(TCreateParams& params) {
    TRangeControl::CreateParams(params);
    params.SuperClassName = TRACKBAR_CLASSW;
    params.Style |= TBS_AUTOTICKS | (orientation == trVertical ? TBS_VERT : TBS_HORZ);
}

void TTrackBar::AfterCreateHandle() {
    TRangeControl::AfterCreateHandle();
    SendMessageW(Handle(), TBM_SETTICFREQ, static_cast<WPARAM>(frequency), 0);
}

void TTrackBar::SetOrientation(TTrackBarOrientation value) {
    orientation = value;
    if (HandleAllocated()) ChangeStyle(Handle(), TBS_VERT, value == trVertical);
}

void TTrackBar::SetFrequency(int value) {
    frequency = value;
    if (HandleAllocated()) SendMessageW(Handle(), TBM_SETTICFREQ, static_cast<WPARAM>(value), 0);
}

void TTrackBar::SendRange() {
    SendMessageW(Handle(), TBM_SETRANGEMIN, FALSE, min);
    SendMessageW(Handle(), TBM_SETRANGEMAX, TRUE, max);
}
void TTrackBar::SendPosition() { SendMessageW(Handle(), TBM_SETPOS, TRUE, position); }
int TTrackBar::ReadPosition() { return static_cast<int>(SendMessageW(Handle(), TBM_GETPOS, 0, 0)); }

// ---- TStatusBar ---------------------------------------------------------------------------

TStatusBar::TStatusBar(TComponent* owner) : TWinControl(owner) {
    SetColor(clBtnFace);
    SetBounds(0, 0, 200, 19);
}

void TStatusBar::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.SuperClassName = STATUSCLASSNAMEW;
    // Placed where its bounds say, not docked by the control itself.
    params.Style |= CCS_NOPARENTALIGN | CCS_NORESIZE;
    if (sizeGrip) params.Style |= SBARS_SIZEGRIP;
}

void TStatusBar::AfterCreateHandle() { SendPanels(); }

void TStatusBar::SetSimplePanel(bool value) {
    simplePanel = value;
    if (HandleAllocated()) SendPanels();
}

void TStatusBar::SetSimpleText(const std::wstring& value) {
    simpleText = value;
    if (HandleAllocated()) SendPanels();
}

void TStatusBar::SetSizeGrip(bool value) {
    sizeGrip = value;
    if (HandleAllocated()) ChangeStyle(Handle(), SBARS_SIZEGRIP, value);
}

void TStatusBar::SetPanels(std::vector<TStatusPanel> value) {
    panels = std::move(value);
    if (HandleAllocated()) SendPanels();
}

void TStatusBar::SendPanels() {
    HWND window = Handle();
    SendMessageW(window, SB_SIMPLE, simplePanel, 0);
    if (simplePanel) {
        SendMessageW(window, SB_SETTEXTW, SB_SIMPLEID,
                     reinterpret_cast<LPARAM>(simpleText.c_str()));
        return;
    }
    // Right edges, the last part running to the end of the bar.
    std::vector<int> edges;
    int right = 0;
    for (const TStatusPanel& panel : panels) edges.push_back(right += panel.width);
    if (!edges.empty()) edges.back() = -1;
    const int count = edges.empty() ? 1 : static_cast<int>(edges.size());
    if (edges.empty()) edges.push_back(-1);
    SendMessageW(window, SB_SETPARTS, static_cast<WPARAM>(count),
                 reinterpret_cast<LPARAM>(edges.data()));
    for (size_t i = 0; i < panels.size(); ++i) {
        const TStatusPanel& panel = panels[i];
        // The control centres text after one tab and right-aligns it after two.
        const wchar_t* tabs = panel.alignment == taCenter         ? L"\t"
                              : panel.alignment == taRightJustify ? L"\t\t"
                                                                  : L"";
        const std::wstring text = tabs + panel.text;
        WPARAM type = i;
        if (panel.bevel == bvRaised) type |= SBT_POPOUT;
        if (panel.bevel == bvNone) type |= SBT_NOBORDERS;
        SendMessageW(window, SB_SETTEXTW, type, reinterpret_cast<LPARAM>(text.c_str()));
    }
}

void RegisterCommonControlClasses() {
    RegisterComponentClass(TUpDown::StaticClass());
    RegisterComponentClass(TProgressBar::StaticClass());
    RegisterComponentClass(TTrackBar::StaticClass());
    RegisterComponentClass(TStatusBar::StaticClass());
}
