#include "data/db_grid.h"

#include <windowsx.h>

#include <algorithm>

#include "forms/application.h"
#include "forms/dc_scopes.h"
#include "forms/graphics.h"
#include "forms/owned.h"
#include "forms/scroll_bar_messages.h"
#include "forms/window_subclass.h"

PONDERIX_DEFINE_CLASS(TCustomGrid, [](TClassBuilder<TCustomGrid>& b) {
    b.NamedInteger("FixedColor", &IdentToColor, &TCustomGrid::FixedColor,
                   &TCustomGrid::SetFixedColor);
    b.Integer("DefaultRowHeight", &TCustomGrid::DefaultRowHeight,
              &TCustomGrid::SetDefaultRowHeight);
})
PONDERIX_DEFINE_CLASS(TDBGrid, [](TClassBuilder<TDBGrid>& b) {
    b.Object<TDataSource>("DataSource", &TDBGrid::DataSource, &TDBGrid::SetDataSource);
    b.Object<TFont>("TitleFont", &TDBGrid::TitleFont, &TDBGrid::SetTitleFont);
})

// ---- TCustomGrid ----------------------------------------------------------------------------

TCustomGrid::TCustomGrid(TComponent* owner) : TWinControl(owner) {
    SetTabStop(true);
    SetColor(clWindow);
    SetBounds(0, 0, 320, 120);
}

void TCustomGrid::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.Style |= WS_HSCROLL | WS_VSCROLL;
    params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TCustomGrid::SetFixedColor(TColor value) {
    fixedColor = value;
    Invalidate();
}

void TCustomGrid::SetDefaultRowHeight(int value) {
    geometry.rowHeight = std::max(1, value);
    Invalidate();
}

// ---- the data link --------------------------------------------------------------------------

class TDBGrid::TGridLink : public TDataLink {
public:
    explicit TGridLink(TDBGrid& grid) : grid(grid) {}
    void ActiveChanged() override {
        grid.HideEditor();
        grid.geometry.topRow = 0;
        grid.geometry.leftColumn = 0;
        grid.column = 0;
        grid.LayoutColumns();
        grid.DataChanged();
    }
    void DataChanged() override { grid.DataChanged(); }
    void RowChanged() override { grid.DataChanged(); }
    void FieldChanged(TField*) override { grid.Invalidate(); }
    void StateChanged() override {
        if (grid.DataSet() && grid.DataSet()->State() == TDataSetState::dsBrowse) grid.HideEditor();
        grid.Invalidate();
    }

private:
    TDBGrid& grid;
};

// ---- the in-place editor --------------------------------------------------------------------

// A plain EDIT window over the current cell. The keys that move or end the edit go to the grid.
// The window is a child of the grid's: when the grid's window goes first it takes this one with
// it, and the subclass lets go of the handle at its WM_NCDESTROY, so the editor never destroys a
// dead (or reused) handle.
class TDBGrid::TInplaceEditor {
public:
    explicit TInplaceEditor(TDBGrid& grid) : grid(grid) {
        const HWND window =
            CreateWindowExW(0, L"EDIT", L"", WS_CHILD | ES_AUTOHSCROLL, 0, 0, 0, 0, grid.Handle(),
                            nullptr, GetModuleHandleW(nullptr), nullptr);
        if (!window) throw EOutOfResources(L"不能创建编辑框");
        if (!subclass.Attach(window, [this](UINT msg, WPARAM wParam, LPARAM lParam) {
                return Message(msg, wParam, lParam);
            })) {
            DestroyWindow(window);
            throw EOutOfResources(L"不能创建编辑框");
        }
        SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(grid.Font()->Handle()), FALSE);
    }
    ~TInplaceEditor() {
        if (const HWND window = subclass.Handle()) {
            subclass.Detach();
            DestroyWindow(window);
        }
    }
    TInplaceEditor(const TInplaceEditor&) = delete;
    TInplaceEditor& operator=(const TInplaceEditor&) = delete;

    HWND Handle() const { return subclass.Handle(); }
    bool Visible() const { return Handle() && IsWindowVisible(Handle()) != FALSE; }
    std::wstring Text() const {
        const int length = GetWindowTextLengthW(Handle());
        std::wstring text(static_cast<size_t>(length) + 1, L'\0');
        text.resize(static_cast<size_t>(GetWindowTextW(Handle(), text.data(), length + 1)));
        return text;
    }
    void Show(const RECT& cell, const std::wstring& text, bool selectAll) {
        SetWindowTextW(Handle(), text.c_str());
        SetWindowPos(Handle(), HWND_TOP, cell.left + 1, cell.top + 1, cell.right - cell.left - 1,
                     cell.bottom - cell.top - 1, SWP_SHOWWINDOW);
        SendMessageW(Handle(), EM_SETSEL, selectAll ? 0 : text.size(),
                     static_cast<LPARAM>(text.size()));
        ::SetFocus(Handle());
    }
    void Hide() {
        if (Handle()) ShowWindow(Handle(), SW_HIDE);
    }

private:
    LRESULT Message(UINT msg, WPARAM wParam, LPARAM lParam) {
        switch (msg) {
            case WM_GETDLGCODE: return DLGC_WANTALLKEYS | DLGC_WANTCHARS | DLGC_WANTARROWS;
            case WM_KEYDOWN:
                switch (wParam) {
                    case VK_RETURN:
                    case VK_ESCAPE:
                    case VK_UP:
                    case VK_DOWN:
                    case VK_PRIOR:
                    case VK_NEXT: grid.KeyDown(static_cast<WORD>(wParam)); return 0;
                }
                break;
            case WM_CHAR:
                if (wParam == L'\r' || wParam == 27) return 0;  // handled at WM_KEYDOWN
                break;
        }
        return subclass.Next(msg, wParam, lParam);
    }

    TDBGrid& grid;
    TWindowSubclass subclass;
};

// ---- TDBGrid --------------------------------------------------------------------------------

TDBGrid::TDBGrid(TComponent* owner) : TCustomGrid(owner), link(std::make_unique<TGridLink>(*this)) {
    titleFont.OnChange = [this](TObject*) { Invalidate(); };
}

TDBGrid::~TDBGrid() {
    editor.reset();
    link->SetDataSource(nullptr);
}

TDataSource* TDBGrid::DataSource() const { return link->DataSource(); }

void TDBGrid::SetDataSource(TDataSource* value) {
    if (TDataSource* old = link->DataSource()) old->RemoveFreeNotification(this);
    link->SetDataSource(value);
    if (value) value->FreeNotification(this);
    link->ActiveChanged();
}

TDataSet* TDBGrid::DataSet() const { return link->DataSet(); }

bool TDBGrid::Editing() const { return editor && editor->Visible(); }

void TDBGrid::Notification(TComponent* component, TOperation operation) {
    TCustomGrid::Notification(component, operation);
    if (operation == TOperation::opRemove && link && component == link->DataSource()) {
        link->SetDataSource(nullptr);
        link->ActiveChanged();
    }
}

void TDBGrid::AfterCreateHandle() {
    LayoutColumns();
    DataChanged();
}

void TDBGrid::WindowDestroying() { editor.reset(); }

void TDBGrid::LayoutColumns() {
    geometry.columnWidths.clear();
    TDataSet* data = DataSet();
    if (!data || !data->Active() || !HandleAllocated()) return;
    const TWindowDC window(Handle());
    const HDC dc = window.Dc();
    if (!dc) return;
    const TSavedDC saved(dc);
    TEXTMETRICW metrics;
    SelectObject(dc, Font()->Handle());
    GetTextMetricsW(dc, &metrics);
    geometry.rowHeight = metrics.tmHeight + 4;
    const auto sample = data->DisplayRows(0, 20);
    std::vector<int> widths(static_cast<size_t>(data->FieldCount()), 0);
    auto widen = [&](size_t c, const std::wstring& text) {
        SIZE size{};
        GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
        widths[c] = std::max(widths[c], static_cast<int>(size.cx) + 8);
    };
    for (const auto& row : sample)
        for (size_t c = 0; c < row.size() && c < widths.size(); ++c) widen(c, row[c]);
    SelectObject(dc, titleFont.Handle());
    GetTextMetricsW(dc, &metrics);
    geometry.titleHeight = metrics.tmHeight + 4;
    for (int c = 0; c < data->FieldCount(); ++c)
        widen(static_cast<size_t>(c), data->Fields(c)->FieldName());
    for (int& w : widths) w = std::clamp(w, 24, 240);
    geometry.columnWidths = widths;
}

void TDBGrid::DataChanged() {
    if (!HandleAllocated()) return;
    ScrollToCurrent();
    Invalidate();  // first: a painter of the bars then draws them with this paint
    UpdateScrollBars();
}

void TDBGrid::ScrollToCurrent() {
    RECT client;
    GetClientRect(Handle(), &client);
    geometry.clientWidth = client.right;
    geometry.clientHeight = client.bottom;
    TDataSet* data = DataSet();
    if (!data || !data->Active()) return;
    const int row = data->DisplayRow();
    if (row >= 0) geometry.topRow = geometry.TopRowShowing(row);
    const int last = std::max(0, data->DisplayRowCount() - geometry.VisibleRows());
    geometry.topRow = std::clamp(geometry.topRow, 0, last);
    if (!geometry.columnWidths.empty()) geometry.leftColumn = geometry.LeftColumnShowing(column);
}

namespace {

// Sets a scroll bar only when its range, page or position changes: each change repaints the bar
// at once, and a themed bar costs milliseconds to paint (about 5 ms under Wine's default theme),
// while moving a row usually leaves at least one of the two bars as it is. The bar keeps its page
// within the range and its position within what the page leaves, so the wanted values are
// compared as the bar would keep them: a table shorter than a page would otherwise differ
// every time. Answers whether the bar was set; redraw false leaves the platform's bar unpainted.
bool SetScrollBar(HWND window, int bar, const SCROLLINFO& wanted, bool redraw) {
    const UINT range = static_cast<UINT>(wanted.nMax - wanted.nMin) + 1;
    const UINT page = std::min(wanted.nPage, range);
    const int lastPosition = wanted.nMax - std::max(static_cast<int>(page) - 1, 0);
    const int position = std::clamp(wanted.nPos, wanted.nMin, std::max(wanted.nMin, lastPosition));
    SCROLLINFO current{sizeof current, SIF_ALL, 0, 0, 0, 0, 0};
    if (GetScrollInfo(window, bar, &current) && current.nMin == wanted.nMin &&
        current.nMax == wanted.nMax && current.nPage == page && current.nPos == position)
        return false;
    SetScrollInfo(window, bar, &wanted, redraw ? TRUE : FALSE);
    return true;
}

}  // namespace

void TDBGrid::UpdateScrollBars() {
    // When something in the WindowProc chain paints the bars, the platform's own repaint would
    // only be painted over: the bars are set without it and the painter is told instead.
    const bool paintedForUs = Perform(CM_SCROLLBARSPAINTED) == 1;
    TDataSet* data = DataSet();
    const bool active = data && data->Active();
    SCROLLINFO vertical{sizeof vertical, SIF_ALL | SIF_DISABLENOSCROLL, 0, 0, 0, 0, 0};
    if (active) {
        vertical.nMax = std::max(0, data->DisplayRowCount() - 1);
        vertical.nPage = static_cast<UINT>(geometry.VisibleRows());
        vertical.nPos = geometry.topRow;
    }
    bool changed = SetScrollBar(Handle(), SB_VERT, vertical, !paintedForUs);
    SCROLLINFO horizontal{sizeof horizontal, SIF_ALL | SIF_DISABLENOSCROLL, 0, 0, 0, 0, 0};
    if (active) {
        horizontal.nMax = std::max(0, static_cast<int>(geometry.columnWidths.size()) - 1);
        horizontal.nPage = 1;
        horizontal.nPos = geometry.leftColumn;
    }
    changed = SetScrollBar(Handle(), SB_HORZ, horizontal, !paintedForUs) || changed;
    if (changed && paintedForUs) Perform(CM_SCROLLBARSCHANGED);
}

void TDBGrid::PaintWindow(HDC target) {
    // Drawn off screen and copied in one transfer: a grid is many small drawing calls, each of
    // which costs a round trip to the display when made on the window itself.
    RECT client;
    GetClientRect(Handle(), &client);
    const Owned<HBITMAP, &DeleteObject> image(
        CreateCompatibleBitmap(target, client.right, client.bottom));
    const TMemoryDC memory(target, image.Get());
    if (!image || !memory) throw EOutOfResources(L"不能创建表格的绘图位图");
    PaintCells(memory.Dc(), client);
    BitBlt(target, 0, 0, client.right, client.bottom, memory.Dc(), 0, 0, SRCCOPY);
}

void TDBGrid::PaintCells(HDC dc, const RECT& client) {
    geometry.clientWidth = client.right;
    geometry.clientHeight = client.bottom;
    const COLORREF fixed = ColorToRGB(FixedColor());
    const COLORREF lines = GetSysColor(COLOR_BTNSHADOW);
    auto fill = [&](RECT r, COLORREF colour) {
        SetBkColor(dc, colour);
        ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &r, nullptr, 0, nullptr);
    };
    fill(client, ColorToRGB(Color()));
    SetBkMode(dc, TRANSPARENT);
    // One pen for every cell's right and bottom line, selected for the whole paint.
    const Owned<HPEN, &DeleteObject> linePen(CreatePen(PS_SOLID, 1, lines));
    const TSavedDC saved(dc);  // after the pen: the context lets go of it before it is deleted
    SelectObject(dc, linePen.Get());
    auto frame = [&](RECT r) {
        MoveToEx(dc, r.right - 1, r.top, nullptr);
        LineTo(dc, r.right - 1, r.bottom - 1);
        LineTo(dc, r.left - 1, r.bottom - 1);
    };
    auto text = [&](RECT r, const std::wstring& s) {
        r.left += 3, r.right -= 3;
        DrawTextW(dc, s.c_str(), static_cast<int>(s.size()), &r,
                  DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    };
    const int columns = static_cast<int>(geometry.columnWidths.size());
    TDataSet* data = DataSet();

    // The title row and the indicator column are fixed cells.
    SelectObject(dc, titleFont.Handle());
    SetTextColor(dc, ColorToRGB(titleFont.Color()));
    RECT corner{0, 0, geometry.indicatorWidth, geometry.titleHeight};
    fill(corner, fixed);
    frame(corner);
    for (int c = geometry.leftColumn; c < columns; ++c) {
        RECT cell{geometry.ColumnLeft(c), 0, geometry.ColumnLeft(c + 1), geometry.titleHeight};
        if (cell.left >= client.right) break;
        fill(cell, fixed);
        frame(cell);
        if (data) text(cell, data->Fields(c)->FieldName());
    }
    SelectObject(dc, Font()->Handle());
    if (!data || !data->Active()) return;
    const auto rows = data->DisplayRows(geometry.topRow, geometry.VisibleRows() + 1);
    const int current = data->DisplayRow();
    for (size_t i = 0; i < rows.size(); ++i) {
        const int row = geometry.topRow + static_cast<int>(i);
        const int top = geometry.RowTop(row);
        RECT indicator{0, top, geometry.indicatorWidth, top + geometry.rowHeight};
        fill(indicator, fixed);
        frame(indicator);
        if (row == current) {
            // The current row's marker: a small triangle pointing at the row.
            const int mid = (indicator.top + indicator.bottom) / 2;
            const POINT arrow[] = {{3, mid - 4}, {7, mid}, {3, mid + 4}};
            SelectObject(dc, GetStockObject(BLACK_BRUSH));
            SelectObject(dc, GetStockObject(BLACK_PEN));
            Polygon(dc, arrow, 3);
            SelectObject(dc, linePen.Get());
        }
        for (int c = geometry.leftColumn; c < columns; ++c) {
            RECT cell{geometry.ColumnLeft(c), top, geometry.ColumnLeft(c + 1),
                      top + geometry.rowHeight};
            if (cell.left >= client.right) break;
            const bool selected = row == current && c == column;
            fill(cell, selected ? GetSysColor(COLOR_HIGHLIGHT) : ColorToRGB(Color()));
            SetTextColor(dc,
                         selected ? GetSysColor(COLOR_HIGHLIGHTTEXT) : ColorToRGB(Font()->Color()));
            text(cell,
                 c < static_cast<int>(rows[i].size()) ? rows[i][static_cast<size_t>(c)] : L"");
            frame(cell);
        }
    }
}

void TDBGrid::StartEditing(const std::wstring* replaceWith) {
    TDataSet* data = DataSet();
    if (!data || !data->Active() || column >= data->FieldCount()) return;
    if (data->State() == TDataSetState::dsBrowse) data->Edit();
    if (!editor) editor = std::make_unique<TInplaceEditor>(*this);
    ScrollToCurrent();
    const int row = data->DisplayRow();
    RECT cell{geometry.ColumnLeft(column), geometry.RowTop(row), geometry.ColumnLeft(column + 1),
              geometry.RowTop(row) + geometry.rowHeight};
    editor->Show(cell, replaceWith ? *replaceWith : data->Fields(column)->DisplayText(),
                 !replaceWith);
}

void TDBGrid::ApplyEditor() {
    TDataSet* data = DataSet();
    if (!Editing() || !data || column >= data->FieldCount()) return;
    TField* field = data->Fields(column);
    const std::wstring text = editor->Text();
    if (text != field->DisplayText()) field->SetAsString(text);  // a refused value keeps the editor
}

void TDBGrid::HideEditor() {
    if (!Editing()) return;
    const bool hadFocus = GetFocus() == editor->Handle();
    editor->Hide();
    if (hadFocus) SetFocus();
}

void TDBGrid::PostEdit() {
    TDataSet* data = DataSet();
    if (!data || !data->Active()) return;
    ApplyEditor();
    if (data->State() != TDataSetState::dsBrowse) data->Post();  // a failure keeps the edit
    HideEditor();
}

void TDBGrid::CancelEdit() {
    HideEditor();
    if (TDataSet* data = DataSet(); data && data->Active()) data->Cancel();
}

void TDBGrid::KeyDown(WORD key) {
    TDataSet* data = DataSet();
    if (!data || !data->Active()) return;
    const bool control = GetKeyState(VK_CONTROL) < 0;
    const int page = std::max(1, geometry.VisibleRows());
    // Any move posts a pending edit first; the editor's text goes into the buffer before that.
    auto move = [&](auto action) {
        ApplyEditor();
        action();
        HideEditor();
    };
    switch (key) {
        case VK_UP: move([&] { data->MoveBy(-1); }); break;
        case VK_DOWN:
            move([&] {
                if (data->State() == TDataSetState::dsBrowse &&
                    data->DisplayRow() + 1 >= data->DisplayRowCount())
                    data->Append();
                else
                    data->MoveBy(1);
            });
            break;
        case VK_PRIOR: move([&] { data->MoveBy(-page); }); break;
        case VK_NEXT: move([&] { data->MoveBy(page); }); break;
        case VK_HOME:
            if (control)
                move([&] { data->First(); });
            else
                column = 0;
            break;
        case VK_END:
            if (control)
                move([&] { data->Last(); });
            else
                column = std::max(0, data->FieldCount() - 1);
            break;
        case VK_LEFT: column = std::max(0, column - 1); break;
        case VK_RIGHT: column = std::min(std::max(0, data->FieldCount() - 1), column + 1); break;
        case VK_RETURN: PostEdit(); break;
        case VK_ESCAPE: CancelEdit(); break;
        case VK_F2: StartEditing(nullptr); break;
        case VK_INSERT: move([&] { data->Insert(); }); break;
        case VK_DELETE:
            if (control && data->DisplayRowCount() > 0 &&
                MessageBoxW(Handle(), L"删除当前记录吗?", Application->Title().c_str(),
                            MB_OKCANCEL | MB_ICONQUESTION) == IDOK)
                data->Delete();
            break;
        default: return;
    }
    DataChanged();
}

void TDBGrid::Scroll(int bar, int code) {
    TDataSet* data = DataSet();
    if (!data || !data->Active()) return;
    if (bar == SB_HORZ) {
        const int last = std::max(0, static_cast<int>(geometry.columnWidths.size()) - 1);
        if (code == SB_LINELEFT || code == SB_PAGELEFT) column = std::max(0, column - 1);
        if (code == SB_LINERIGHT || code == SB_PAGERIGHT) column = std::min(last, column + 1);
        if (code == SB_THUMBTRACK || code == SB_THUMBPOSITION) {
            SCROLLINFO info{sizeof info, SIF_TRACKPOS, 0, 0, 0, 0, 0};
            GetScrollInfo(Handle(), SB_HORZ, &info);
            column = std::clamp(info.nTrackPos, 0, last);
        }
        DataChanged();
        return;
    }
    // The vertical bar scrolls the view; the current row stays where it is.
    const int page = std::max(1, geometry.VisibleRows());
    int top = geometry.topRow;
    switch (code) {
        case SB_LINEUP: --top; break;
        case SB_LINEDOWN: ++top; break;
        case SB_PAGEUP: top -= page; break;
        case SB_PAGEDOWN: top += page; break;
        case SB_TOP: top = 0; break;
        case SB_BOTTOM: top = data->DisplayRowCount(); break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: {
            SCROLLINFO info{sizeof info, SIF_TRACKPOS, 0, 0, 0, 0, 0};
            GetScrollInfo(Handle(), SB_VERT, &info);
            top = info.nTrackPos;
            break;
        }
        default: return;
    }
    geometry.topRow = std::clamp(top, 0, std::max(0, data->DisplayRowCount() - page));
    HideEditor();
    Invalidate();
    UpdateScrollBars();
}

void TDBGrid::Click(int x, int y) {
    TDataSet* data = DataSet();
    SetFocus();
    if (!data || !data->Active()) return;
    const int row = geometry.RowAt(y);
    const int col = geometry.ColumnAt(x);
    if (row < 0 || row >= data->DisplayRowCount()) return;
    if (col >= 0) column = col;
    ApplyEditor();
    if (row != data->DisplayRow()) data->MoveToDisplayRow(row);
    HideEditor();
    DataChanged();
}

void TDBGrid::WndProc(TMessage& message) {
    switch (message.Msg) {
        case WM_GETDLGCODE: message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS; return;
        case WM_KEYDOWN: KeyDown(static_cast<WORD>(message.WParam)); return;
        case WM_CHAR:
            if (message.WParam >= L' ') {
                const std::wstring typed(1, static_cast<wchar_t>(message.WParam));
                StartEditing(&typed);
            }
            return;
        case WM_LBUTTONDOWN:
            Click(GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam));
            return;
        case WM_VSCROLL: Scroll(SB_VERT, LOWORD(message.WParam)); return;
        case WM_HSCROLL: Scroll(SB_HORZ, LOWORD(message.WParam)); return;
        case WM_SIZE:
            TCustomGrid::WndProc(message);
            DataChanged();
            return;
        case WM_ERASEBKGND: message.Result = 1; return;  // the paint covers every pixel
        case WM_SETFOCUS:
        case WM_KILLFOCUS: Invalidate(); break;
    }
    TCustomGrid::WndProc(message);
}

void RegisterGridClasses() { RegisterComponentClass(TDBGrid::StaticClass()); }
