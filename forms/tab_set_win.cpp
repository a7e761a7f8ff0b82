#include "forms/tab_set.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>

#include "forms/dc_scopes.h"

PONDERIX_DEFINE_CLASS(TTabScroller, [](TClassBuilder<TTabScroller>&) {})
PONDERIX_DEFINE_CLASS(TTabSet, [](TClassBuilder<TTabSet>& b) {
    b.Integer("TabIndex", &TTabSet::TabIndex, &TTabSet::SetTabIndex);
    b.Integer("FirstIndex", &TTabSet::FirstIndex, &TTabSet::SetFirstIndex);
    b.Integer("StartMargin", &TTabSet::StartMargin, &TTabSet::SetStartMargin);
    b.Integer("EndMargin", &TTabSet::EndMargin, &TTabSet::SetEndMargin);
    b.Event("OnChange", &TTabSet::OnChange);
})

namespace {

// The scroller's two arrows fill the room kept for it before the end margin, less one pixel.
constexpr int kScrollerWidth = kTabSetScrollerRoom - 1;
constexpr int kScrollerHeight = 16;

}  // namespace

// ---- TTabScroller ---------------------------------------------------------------------------

TTabScroller::TTabScroller(TComponent* owner) : TWinControl(owner) {
    visible = false;
    SetBounds(0, 0, kScrollerWidth, kScrollerHeight);
}

void TTabScroller::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.SuperClassName = UPDOWN_CLASSW;
    params.Style |= UDS_HORZ;
}

void TTabScroller::WndProc(TMessage& message) {
    // The arrows' WM_HSCROLL, reflected by the tab set: the new position is the first tab.
    if (message.Msg == CN_HSCROLL) {
        if (auto* set = dynamic_cast<TTabSet*>(Parent()))
            set->SetFirstIndex(static_cast<int>(SendMessageW(Handle(), UDM_GETPOS32, 0, 0)));
        return;
    }
    TWinControl::WndProc(message);
}

// ---- TTabSet --------------------------------------------------------------------------------

TTabSet::TTabSet(TComponent* owner) : TWinControl(owner), scroller(new TTabScroller(this)) {
    SetBounds(0, 0, 185, 21);
    SetColor(clBtnFace);
    scroller->SetParent(this);
    tabs.OnChange = [this](TObject*) { TabsChanged(); };
}

void TTabSet::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.Style |= WS_CLIPCHILDREN;
}

void TTabSet::AfterCreateHandle() { UpdateScroller(); }

void TTabSet::SetTabIndex(int value) {
    if (value < -1 || value >= tabs.Count() || value == tabIndex) return;
    tabIndex = value;
    if (tabIndex >= 0 && tabIndex < firstIndex) {
        SetFirstIndex(tabIndex);
    } else if (tabIndex >= 0) {
        // Beyond the right end: the first tab moves on until the selected one shows.
        auto shown = [this] {
            const auto places = VisibleTabs();
            return std::any_of(places.begin(), places.end(),
                               [this](const TTabSetPlace& p) { return p.index == tabIndex; });
        };
        while (firstIndex < tabIndex && !shown()) SetFirstIndex(firstIndex + 1);
    }
    Invalidate();
    if (OnChange) OnChange(this);
}

void TTabSet::SetFirstIndex(int value) {
    value = std::clamp(value, 0, std::max(tabs.Count() - 1, 0));
    if (value == firstIndex) return;
    firstIndex = value;
    UpdateScroller();
    Invalidate();
}

void TTabSet::SetStartMargin(int value) {
    startMargin = value;
    UpdateScroller();
    Invalidate();
}

void TTabSet::SetEndMargin(int value) {
    endMargin = value;
    UpdateScroller();
    Invalidate();
}

void TTabSet::TabsChanged() {
    if (tabIndex >= tabs.Count()) tabIndex = tabs.Count() - 1;
    if (firstIndex >= tabs.Count()) firstIndex = std::max(tabs.Count() - 1, 0);
    UpdateScroller();
    Invalidate();
}

void TTabSet::FontChanged() {
    TWinControl::FontChanged();
    UpdateScroller();
}

TTabSetMetrics TTabSet::Metrics() const { return {startMargin, endMargin, Width()}; }

bool TTabSet::ScrollerVisible() const { return scroller->Visible(); }

std::vector<int> TTabSet::TextWidths() {
    std::vector<int> widths;
    const HDC measuring = MeasuringDC();
    const TSavedDC saved(measuring);
    SelectObject(measuring, Font()->Handle());
    for (int i = 0; i < tabs.Count(); ++i) {
        const std::wstring caption = tabs.Get(i);
        SIZE size{};
        GetTextExtentPoint32W(measuring, caption.c_str(), static_cast<int>(caption.size()), &size);
        widths.push_back(size.cx);
    }
    return widths;
}

std::vector<TTabSetPlace> TTabSet::VisibleTabs() {
    return LayOutTabSet(TextWidths(), firstIndex, Metrics(), ScrollerVisible());
}

void TTabSet::UpdateScroller() {
    if (!HandleAllocated()) return;
    const bool needed = TabSetNeedsScroller(TextWidths(), Metrics());
    scroller->SetBounds(Width() - endMargin - kScrollerWidth, 1, kScrollerWidth,
                        std::min(kScrollerHeight, std::max(Height() - 2, 1)));
    HWND arrows = scroller->Handle();
    SendMessageW(arrows, UDM_SETRANGE32, 0, std::max(tabs.Count() - 1, 0));
    SendMessageW(arrows, UDM_SETPOS32, 0, firstIndex);
    scroller->SetVisible(needed);
}

void TTabSet::WndProc(TMessage& message) {
    switch (message.Msg) {
        case WM_LBUTTONDOWN: {
            const int hit = TabSetTabAt(VisibleTabs(), GET_X_LPARAM(message.LParam));
            if (hit >= 0) SetTabIndex(hit);
            break;
        }
        case WM_SIZE:
            TWinControl::WndProc(message);
            UpdateScroller();
            return;
    }
    TWinControl::WndProc(message);
}

void TTabSet::PaintWindow(HDC dc) {
    RECT client;
    GetClientRect(Handle(), &client);
    TSavedDC saved(dc);
    // The notebook's edge along the top, broken by the selected tab.
    FillSolidRect(dc, {0, 0, client.right, 1}, GetSysColor(COLOR_BTNSHADOW));
    SelectObject(dc, Font()->Handle());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ColorToRGB(Font()->Color()));
    for (const TTabSetPlace& p : VisibleTabs()) {
        RECT tab{p.left, 0, p.right, client.bottom - 1};
        const bool selected = p.index == tabIndex;
        if (selected) FillSolidRect(dc, tab, GetSysColor(COLOR_WINDOW));
        const COLORREF edge = GetSysColor(COLOR_BTNSHADOW);
        FillSolidRect(dc, {tab.left, selected ? 0 : 1, tab.left + 1, tab.bottom}, edge);
        FillSolidRect(dc, {tab.right - 1, selected ? 0 : 1, tab.right, tab.bottom}, edge);
        FillSolidRect(dc, {tab.left, tab.bottom - 1, tab.right, tab.bottom}, edge);
        const std::wstring caption = tabs.Get(p.index);
        DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &tab,
                  DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
}

void RegisterTabSetClasses() { RegisterComponentClass(TTabSet::StaticClass()); }
