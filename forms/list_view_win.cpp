#include "forms/list_view.h"

#include <commctrl.h>

PONDERIX_DEFINE_CLASS(TCustomListView, [](TClassBuilder<TCustomListView>&) {})
PONDERIX_DEFINE_CLASS(TListView, [](TClassBuilder<TListView>&) {})

TCustomListView::TCustomListView(TComponent* owner) : TWinControl(owner) {
    SetTabStop(true);
    SetColor(clWindow);
    SetBounds(0, 0, 250, 150);
}

void TCustomListView::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.SuperClassName = WC_LISTVIEWW;
    params.Style |= LVS_REPORT | LVS_SHOWSELALWAYS;
    params.ExStyle |= WS_EX_CLIENTEDGE;
}

int TCustomListView::AddColumn(const std::wstring& caption, int width) {
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
    column.fmt = LVCFMT_LEFT;
    column.cx = width;
    column.pszText = const_cast<wchar_t*>(caption.c_str());
    HWND header = HeaderHandle();
    const int at = header ? static_cast<int>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0)) : 0;
    return static_cast<int>(SendMessageW(Handle(), LVM_INSERTCOLUMNW, static_cast<WPARAM>(at),
                                         reinterpret_cast<LPARAM>(&column)));
}

int TCustomListView::AddItem(const std::wstring& caption) {
    LVITEMW item{};
    item.mask = LVIF_TEXT;
    item.iItem = static_cast<int>(SendMessageW(Handle(), LVM_GETITEMCOUNT, 0, 0));
    item.pszText = const_cast<wchar_t*>(caption.c_str());
    return static_cast<int>(
        SendMessageW(Handle(), LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
}

HWND TCustomListView::HeaderHandle() {
    return reinterpret_cast<HWND>(SendMessageW(Handle(), LVM_GETHEADER, 0, 0));
}

void RegisterListViewClasses() { RegisterComponentClass(TListView::StaticClass()); }
