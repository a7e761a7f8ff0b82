#pragma once
// TCustomListView and TListView: the common controls' list view (SysListView32) superclassed, in
// report view, with columns and items of one caption each; only as much as the skinners and
// their tests use.

#include <string>

#include "forms/controls.h"

class TCustomListView : public TWinControl {
    PONDERIX_CLASS(TCustomListView, TWinControl)
public:
    explicit TCustomListView(TComponent* owner);

    // Appends a column (the header's items) or an item; answers its index, -1 without a window.
    int AddColumn(const std::wstring& caption, int width);
    int AddItem(const std::wstring& caption);
    // The header window of the report view (null without a window).
    HWND HeaderHandle();

protected:
    void CreateParams(TCreateParams& params) override;
};

class TListView : public TCustomListView {
    PONDERIX_CLASS(TListView, TCustomListView)
public:
    using TCustomListView::TCustomListView;
};

void RegisterListViewClasses();
