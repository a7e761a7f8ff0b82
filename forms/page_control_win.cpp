#include "forms/page_control.h"

#include <commctrl.h>

#include <algorithm>

PONDERIX_DEFINE_CLASS(TTabSheet, [](TClassBuilder<TTabSheet>& b) {
    b.String("Caption", &TTabSheet::Caption, &TTabSheet::SetCaption);
})
PONDERIX_DEFINE_CLASS(TPageControl, [](TClassBuilder<TPageControl>& b) {
    b.Object<TTabSheet>("ActivePage", &TPageControl::ActivePage, &TPageControl::SetActivePage);
    b.Integer("TabIndex", &TPageControl::TabIndex, &TPageControl::SetTabIndex);
    b.Event("OnChange", &TPageControl::OnChange);
})

// ---- TTabSheet ------------------------------------------------------------------------------

TTabSheet::TTabSheet(TComponent* owner) : TWinControl(owner) {
    visible = false;
    SetColor(clBtnFace);
}

TPageControl* TTabSheet::PageControl() const { return dynamic_cast<TPageControl*>(Parent()); }

int TTabSheet::PageIndex() const {
    TPageControl* control = PageControl();
    if (!control) return -1;
    auto it = std::find(control->pages.begin(), control->pages.end(), this);
    return it == control->pages.end() ? -1 : static_cast<int>(it - control->pages.begin());
}

void TTabSheet::SetText(const std::wstring& value) {
    TWinControl::SetText(value);
    if (TPageControl* control = PageControl()) control->RebuildTabs();
}

void TTabSheet::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.Style |= WS_CLIPCHILDREN;
    params.ExStyle |= WS_EX_CONTROLPARENT;
}

// ---- TPageControl ---------------------------------------------------------------------------

TPageControl::TPageControl(TComponent* owner) : TWinControl(owner) {
    SetTabStop(true);
    SetBounds(0, 0, 289, 193);
}

void TPageControl::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.SuperClassName = WC_TABCONTROLW;
    params.Style |= WS_CLIPCHILDREN | TCS_TABS;
    params.ExStyle |= WS_EX_CONTROLPARENT;
}

void TPageControl::AfterCreateHandle() {
    RebuildTabs();
    LayoutPages();
}

void TPageControl::Loaded() {
    TWinControl::Loaded();
    if (!activePage && !pages.empty()) SetActivePage(pages.front());
}

void TPageControl::ControlInserted(TControl* control) {
    auto* page = dynamic_cast<TTabSheet*>(control);
    if (!page) return;
    pages.push_back(page);
    RebuildTabs();
    if (!activePage && !HasState(csLoading))
        SetActivePage(page);
    else
        page->SetVisible(page == activePage);
    LayoutPages();
}

void TPageControl::ControlRemoved(TControl* control) {
    auto* page = dynamic_cast<TTabSheet*>(control);
    if (!page) return;
    pages.erase(std::remove(pages.begin(), pages.end(), page), pages.end());
    if (activePage == page) activePage = nullptr;
    RebuildTabs();
}

void TPageControl::RebuildTabs() {
    if (!HandleAllocated()) return;
    SendMessageW(Handle(), TCM_DELETEALLITEMS, 0, 0);
    for (size_t i = 0; i < pages.size(); ++i) {
        std::wstring caption = pages[i]->Caption();
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = caption.data();
        SendMessageW(Handle(), TCM_INSERTITEMW, i, reinterpret_cast<LPARAM>(&item));
    }
    const int index = activePage ? activePage->PageIndex() : -1;
    SendMessageW(Handle(), TCM_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void TPageControl::LayoutPages() {
    if (!HandleAllocated()) return;
    RECT r{0, 0, Width(), Height()};
    SendMessageW(Handle(), TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&r));
    for (TTabSheet* page : pages)
        page->SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
}

void TPageControl::ShowActivePage() {
    for (TTabSheet* page : pages) page->SetVisible(page == activePage);
    if (HandleAllocated() && activePage)
        SendMessageW(Handle(), TCM_SETCURSEL, static_cast<WPARAM>(activePage->PageIndex()), 0);
}

void TPageControl::SetActivePage(TTabSheet* page) {
    if (page && page->PageControl() != this) return;
    activePage = page;
    ShowActivePage();
}

int TPageControl::TabIndex() const { return activePage ? activePage->PageIndex() : -1; }

void TPageControl::SetTabIndex(int index) {
    if (index >= 0 && index < PageCount()) SetActivePage(pages[static_cast<size_t>(index)]);
}

void TPageControl::SelectNextPage(bool forward) {
    if (pages.empty()) return;
    const int count = PageCount();
    const int current = std::max(0, TabIndex());
    SetTabIndex((current + (forward ? 1 : count - 1)) % count);
    if (OnChange) OnChange(this);
}

void TPageControl::WndProc(TMessage& message) {
    switch (message.Msg) {
        case CN_NOTIFY: {
            const auto* header = reinterpret_cast<NMHDR*>(message.LParam);
            if (header->code == TCN_SELCHANGE) {
                const int index = static_cast<int>(SendMessageW(Handle(), TCM_GETCURSEL, 0, 0));
                if (index >= 0 && index < PageCount())
                    SetActivePage(pages[static_cast<size_t>(index)]);
                if (OnChange) OnChange(this);
            }
            return;
        }
        case WM_SIZE:
            TWinControl::WndProc(message);
            LayoutPages();
            return;
    }
    TWinControl::WndProc(message);
}

void RegisterPageControlClasses() {
    RegisterComponentClass(TPageControl::StaticClass());
    RegisterComponentClass(TTabSheet::StaticClass());
}
