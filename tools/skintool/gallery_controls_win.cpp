#include "tools/skintool/gallery_controls.h"

#include <windows.h>

#include <string>

#include "data/ado_table.h"
#include "data/data_source.h"
#include "data/db_grid.h"
#include "forms/bit_btn.h"
#include "forms/buttons.h"
#include "forms/combo_box.h"
#include "forms/common_controls.h"
#include "forms/containers.h"
#include "forms/edits.h"
#include "forms/label.h"
#include "forms/menus.h"
#include "tools/skintool/gallery_database.h"

namespace {

constexpr int kRow = 28, kPad = 12, kCaption = 22;

// A control of class T owned by form, on parent at (x, y), w x h.
template <class T>
T* Place(TForm& form, TWinControl& parent, const wchar_t* name, const TRect& bounds,
         const std::wstring& caption = L"") {
    auto* control = new T(&form);
    control->SetName(name);
    control->SetParent(&parent);
    control->SetBounds(bounds.left, bounds.top, bounds.Width(), bounds.Height());
    if (!caption.empty()) control->SetCaption(caption);
    return control;
}

// The group box framing one group, filling area; its contents go at (kPad, kCaption) on.
TGroupBox& Frame(TForm& form, TWinControl& parent, const wchar_t* name, const TRect& area,
                 const wchar_t* caption) {
    return *Place<TGroupBox>(form, parent, name, area, caption);
}

// Row i of a group: (kPad, kCaption + i * kRow), w wide.
TRect Row(int i, int w, int column = 0, int columnWidth = 0) {
    const int x = kPad + column * columnWidth, y = kCaption + i * kRow;
    return {x, y, x + w, y + kRow - 4};
}

// A 16 x 16 glyph: a steel-blue square with a light outline on a white (transparent) ground.
void DrawGlyph(TBitmap& glyph) {
    glyph.SetSize(16, 16);
    TCanvas& canvas = *glyph.Canvas();
    canvas.Brush()->SetColor(clWhite);
    canvas.FillRect({0, 0, 16, 16});
    canvas.Brush()->SetColor(0xA4653A);  // red 58, green 101, blue 164
    canvas.Pen()->SetColor(0xF0E0D0);
    canvas.Rectangle({2, 2, 14, 14});
}

TMenuItem* Item(TForm& form, TMenuItem& parent, const std::wstring& caption,
                std::function<void()> click = {}) {
    auto* item = new TMenuItem(&form);
    item->SetCaption(caption);
    if (click) item->OnClick = [click](TObject*) { click(); };
    parent.Add(item);
    return item;
}

}  // namespace

void AddButtons(TForm& form, TWinControl& parent, const TRect& area,
                const TGalleryActions& actions) {
    TGroupBox& box = Frame(form, parent, L"ButtonGroup", area, L"按钮 Buttons");
    const int w = (area.Width() - 3 * kPad) / 2;
    Place<TButton>(form, box, L"PushButton", Row(0, w), L"普通按钮");
    Place<TButton>(form, box, L"DefaultButton", Row(0, w, 1, w + kPad), L"默认按钮")
        ->SetDefault(true);
    Place<TButton>(form, box, L"DisabledButton", Row(1, w), L"不可用按钮")->SetEnabled(false);
    auto* bitmap = Place<TBitBtn>(form, box, L"BitmapButton", Row(1, w, 1, w + kPad), L"图标按钮");
    DrawGlyph(*bitmap->Glyph());
    Place<TButton>(form, box, L"MessageBoxButton", Row(2, w), L"消息框...")->OnClick =
        [show = actions.showMessageBox](TObject*) { show(); };
    auto* popup =
        Place<TButton>(form, box, L"PopupMenuButton", Row(2, w, 1, w + kPad), L"弹出菜单...");
    popup->OnClick = [show = actions.showPopupMenu, popup](TObject*) { show(popup); };
    Place<TButton>(form, box, L"SecondWindowButton", Row(3, 2 * w + kPad), L"第二个窗口 (非活动)")
        ->OnClick = [show = actions.showSecondWindow](TObject*) { show(); };
}

void AddChoices(TForm& form, TWinControl& parent, const TRect& area) {
    TGroupBox& box = Frame(form, parent, L"ChoiceGroup", area, L"选择 Choices");
    const int w = (area.Width() - 3 * kPad) / 2;
    Place<TCheckBox>(form, box, L"UncheckedBox", Row(0, w), L"未选中");
    Place<TCheckBox>(form, box, L"CheckedBox", Row(1, w), L"选中")->SetChecked(true);
    // The class library's check box has two states; its window takes the third once it has the
    // three-state style.
    auto* third = Place<TCheckBox>(form, box, L"IndeterminateBox", Row(2, w), L"不确定");
    const HWND handle = third->Handle();
    SetWindowLongPtrW(
        handle, GWL_STYLE,
        (GetWindowLongPtrW(handle, GWL_STYLE) & ~LONG_PTR(BS_TYPEMASK)) | BS_AUTO3STATE);
    SendMessageW(handle, BM_SETCHECK, BST_INDETERMINATE, 0);
    auto* disabled = Place<TCheckBox>(form, box, L"DisabledBox", Row(3, w), L"不可用");
    disabled->SetChecked(true);
    disabled->SetEnabled(false);
    Place<TRadioButton>(form, box, L"RadioOne", Row(0, w, 1, w + kPad), L"单选一")
        ->SetChecked(true);
    Place<TRadioButton>(form, box, L"RadioTwo", Row(1, w, 1, w + kPad), L"单选二");
    Place<TRadioButton>(form, box, L"DisabledRadio", Row(2, w, 1, w + kPad), L"不可用")
        ->SetEnabled(false);
}

void AddEdits(TForm& form, TWinControl& parent, const TRect& area) {
    TGroupBox& box = Frame(form, parent, L"EditGroup", area, L"编辑 Edits");
    const int w = (area.Width() - 3 * kPad) / 2;
    Place<TEdit>(form, box, L"PlainEdit", Row(0, w), L"108");
    auto* readOnly = Place<TEdit>(form, box, L"ReadOnlyEdit", Row(1, w), L"61.555");
    readOnly->SetReadOnly(true);
    Place<TEdit>(form, box, L"DisabledEdit", Row(2, w), L"不可用")->SetEnabled(false);
    const auto combo = [&](const wchar_t* name, int row, TComboBoxStyle style) {
        auto* c = Place<TComboBox>(form, box, name, Row(row, w, 1, w + kPad));
        c->SetStyle(style);
        for (const wchar_t* material : {L"碳钢", L"不锈钢", L"铝", L"黄铜", L"紫铜", L"铸铁"})
            c->Items()->Add(material);
        c->SetItemIndex(row);
        return c;
    };
    combo(L"DropDownCombo", 0, csDropDown);
    combo(L"DropDownListCombo", 1, csDropDownList);
    combo(L"DisabledCombo", 2, csDropDownList)->SetEnabled(false);
}

void AddContainers(TForm& form, TWinControl& parent, const TRect& area) {
    const int half = (area.Height() - kPad) / 2;
    TGroupBox& box = Frame(form, parent, L"GroupBox",
                           {area.left, area.top, area.right, area.top + half}, L"分组框 Group box");
    Place<TLabel>(form, box, L"GroupLabel", Row(0, 200), L"标签: 长度 (m)");
    Place<TEdit>(form, box, L"GroupEdit", Row(1, 160), L"6");
    Place<TCheckBox>(form, box, L"GroupCheck", Row(2, 160), L"分组内的复选框");
    auto* panel = Place<TPanel>(form, parent, L"Panel",
                                {area.left, area.top + half + kPad, area.right, area.bottom}, L"");
    panel->SetBevelInner(bvLowered);
    Place<TLabel>(form, *panel, L"PanelLabel", {kPad, kPad, kPad + 200, kPad + 20}, L"面板 Panel");
    Place<TButton>(form, *panel, L"PanelButton", {kPad, kPad + kRow, kPad + 120, 2 * kRow + 8},
                   L"面板内的按钮");
    Place<TRadioButton>(form, *panel, L"PanelRadio",
                        {kPad + 140, kPad + kRow, kPad + 300, 2 * kRow + 8}, L"面板内的单选");
}

void AddMemo(TForm& form, TWinControl& parent, const TRect& area) {
    auto* memo = Place<TMemo>(form, parent, L"Memo", area);
    memo->SetWordWrap(false);
    memo->SetScrollBars(ssBoth);
    std::wstring text;
    for (int i = 1; i <= 60; ++i) {
        text +=
            L"第 " + std::to_wstring(i) +
            L" 行: 管材 108×4, 长度 6 m, 单重 61.555 kg —— 这一行足够长, 让水平滚动条出现。\r\n";
    }
    memo->Lines()->SetText(text);
}

void AddGrid(TForm& form, TWinControl& parent, const TRect& area, const TGalleryDatabase& db) {
    auto* table = new TADOTable(&form);
    table->SetName(L"GridTable");
    table->SetConnectionString(db.ConnectionString());
    table->SetTableName(TGalleryDatabase::kTableName);
    auto* source = new TDataSource(&form);
    source->SetName(L"GridSource");
    source->SetDataSet(table);
    auto* grid = Place<TDBGrid>(form, parent, L"Grid", area);
    grid->SetDataSource(source);
    table->Open();
}

void AddIndicators(TForm& form, TWinControl& parent, const TRect& area) {
    const int x = area.left, y = area.top, w = area.Width();
    Place<TEdit>(form, parent, L"UpDownEdit", {x, y, x + 80, y + 22}, L"12");
    auto* beside = Place<TUpDown>(form, parent, L"UpDown", {x + 80, y, x + 96, y + 22});
    beside->SetPosition(12);
    auto* across = Place<TUpDown>(form, parent, L"HorzUpDown", {x + 120, y, x + 160, y + 20});
    across->SetOrientation(udHorizontal);
    const int progressTop = y + 40;
    for (int i = 0; i < 2; ++i) {
        auto* bar =
            Place<TProgressBar>(form, parent, i == 0 ? L"ProgressBar" : L"FullProgressBar",
                                {x, progressTop + i * 30, x + w, progressTop + i * 30 + 20});
        bar->SetPosition(i == 0 ? 40 : 100);
    }
    const int trackTop = progressTop + 70;
    auto* track = Place<TTrackBar>(form, parent, L"TrackBar", {x, trackTop, x + w, trackTop + 36});
    track->SetMax(20);
    track->SetPosition(7);
    track->SetFrequency(2);
    auto* standing =
        Place<TTrackBar>(form, parent, L"VertTrackBar", {x, trackTop + 50, x + 40, area.bottom});
    standing->SetOrientation(trVertical);
    standing->SetPosition(30);
    Place<TTrackBar>(form, parent, L"DisabledTrackBar",
                     {x + 60, trackTop + 50, x + w, trackTop + 86})
        ->SetEnabled(false);
}

void AddStatusBar(TForm& form, TWinControl& parent, const TRect& area) {
    auto* bar = Place<TStatusBar>(form, parent, L"StatusBar", area);
    bar->SetPanels({{L"就绪", 60}, {L"管材 108×4", 110}, {L"61.555 kg", 90}});
}

void AddMenus(TForm& form, const TGalleryActions& actions) {
    auto* menu = new TMainMenu(&form);
    menu->SetName(L"MainMenu");
    TMenuItem& file = *Item(form, *menu->Items(), L"文件(&F)");
    Item(form, file, L"重新载入皮肤(&R)", actions.reload)->SetDefault(true);
    Item(form, file, L"-");
    Item(form, file, L"退出(&X)", actions.close);
    TMenuItem& view = *Item(form, *menu->Items(), L"查看(&V)");
    Item(form, view, L"第二个窗口(&S)", actions.showSecondWindow);
    Item(form, view, L"选中的项")->SetChecked(true);
    Item(form, view, L"不可用的项")->SetEnabled(false);
    TMenuItem& sub = *Item(form, view, L"子菜单");
    Item(form, sub, L"圆棒");
    Item(form, sub, L"方棒");
    Item(form, sub, L"六角棒");
    TMenuItem& help = *Item(form, *menu->Items(), L"帮助(&H)");
    Item(form, help, L"消息框(&M)...", actions.showMessageBox);
    form.SetMenu(menu);

    auto* popup = new TPopupMenu(&form);
    popup->SetName(L"PopupMenu");
    Item(form, *popup->Items(), L"剪切");
    Item(form, *popup->Items(), L"复制")->SetChecked(true);
    Item(form, *popup->Items(), L"-");
    Item(form, *popup->Items(), L"不可用")->SetEnabled(false);
    TMenuItem& more = *Item(form, *popup->Items(), L"更多");
    Item(form, more, L"槽钢");
    Item(form, more, L"工字钢");
}
