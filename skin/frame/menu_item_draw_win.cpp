// Skinned menu items: each item is composed in a bitmap of its own size (the popup window's
// background, the MenuItem cell, the glyph, the caption and the shortcut) and then put on the
// menu's context in one transfer.
#include "skin/frame/menu_item_draw.h"

#include <algorithm>
#include <memory>

#include "forms/dc_scopes.h"
#include "forms/forms.h"
#include "forms/graphics.h"
#include "forms/image_list.h"
#include "skin/bitmap_draw_win.h"
#include "skin/bitmap_slice_win.h"
#include "skin/frame/form_skinner_registry.h"
#include "skin/frame/menu_layout.h"
#include "skin/frame/win_skin_pop_menu.h"
#include "skin/skin_data.h"

namespace {

constexpr int kWithImagesMeasure = 10;  // MeasureMenuItem
constexpr int kWithImagesHandler = 12;  // the OnMeasureItem handler
constexpr WORD kObmCheck = 32760;       // OBM_CHECK
constexpr int kNativeTextLength = 80;
constexpr DWORD kMaskedBrushRop = 0x00B8074A;  // PSDPxax: the brush where the source is black

TDataSkinObject* MenuItemElement(TSkinData* skin) {
    if (!skin || skin->Empty()) return nullptr;
    TDataSkinObject* element = skin->Skin().MenuItem.get();
    return element && !element->Image.Empty() ? element : nullptr;
}

int LeftWidthOf(TSkinData* skin) {
    const TDataSkinObject* element = MenuItemElement(skin);
    return element ? element->LeftWidth : 0;
}

TImageList* ImagesOf(const TMenuItem& item) {
    const TMenu* menu = item.GetParentMenu();
    return menu ? menu->Images() : nullptr;
}

void UseMenuFont(TCanvas& canvas, bool bold) {
    canvas.SetFont(*Screen->MenuFont());
    const TFontStyles style = canvas.Font()->Style();
    canvas.Font()->SetStyle(bold ? style | (1u << fsBold) : style & ~(1u << fsBold));
}

// The system's check mark in one colour, keyed through its monochrome image.
void DrawCheckMark(HDC dc, const TRect& box, COLORREF colour) {
    const Owned<HBITMAP, &DeleteObject> mark(LoadBitmapW(nullptr, MAKEINTRESOURCEW(kObmCheck)));
    if (!mark) return;
    BITMAP info{};
    GetObjectW(mark.Get(), sizeof info, &info);
    const TMemoryDC markDc(dc, mark.Get());
    if (!markDc) return;
    const int x = box.left + (box.Width() - info.bmWidth) / 2 + 1;
    const int y = box.top + (box.Height() - info.bmHeight) / 2 + 1;
    const TSavedDC saved(dc);
    SelectObject(dc, GetStockObject(DC_BRUSH));
    SetDCBrushColor(dc, colour);
    SetTextColor(dc, RGB(0, 0, 0));
    SetBkColor(dc, RGB(255, 255, 255));
    BitBlt(dc, x, y, info.bmWidth, info.bmHeight, markDc.Dc(), 0, 0, kMaskedBrushRop);
}

// The box behind a checked item's image: a halftone of button face and button highlight.
void FillCheckedImageBox(HDC dc, const TRect& box) {
    static const WORD pattern[8] = {0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA};
    const Owned<HBITMAP, &DeleteObject> bits(CreateBitmap(8, 8, 1, 1, pattern));
    const Owned<HBRUSH, &DeleteObject> brush(CreatePatternBrush(bits.Get()));
    if (!brush) return;
    const TSavedDC saved(dc);
    SetTextColor(dc, GetSysColor(COLOR_BTNFACE));
    SetBkColor(dc, GetSysColor(COLOR_BTNHIGHLIGHT));
    const RECT r{box.left, box.top, box.right, box.bottom};
    FillRect(dc, &r, brush.Get());
}

struct TContentInput {
    TMenuItem& item;
    TRect rect;  // in the item bitmap
    TOwnerDrawState state;
    TSkinData* skin;
    bool rightToLeft;
};

// The glyph, caption and shortcut of an item over whatever the bitmap already holds.
void DrawItemContent(TCanvas& canvas, const TContentInput& in) {
    TMenuItem& item = in.item;
    const bool selected = (in.state & odSelected) != 0;
    const TSkinColours& colours = in.skin->Skin();
    TImageList* images = ImagesOf(item);
    const bool hasImage = images && item.ImageIndex() >= 0 && item.ImageIndex() < images->Count();
    const int glyphSize =
        ItemGlyphSize(images != nullptr, images ? images->Width() : 0, item.Checked());
    const TItemLayout layout =
        LayOutItem(in.rect, LeftWidthOf(in.skin), glyphSize, item.IsLine(), in.rightToLeft);

    UseMenuFont(canvas, item.Default());
    HDC dc = canvas.Handle();
    if (hasImage) {
        if (item.Checked()) {
            FillCheckedImageBox(dc, layout.glyph);
            RECT edge{layout.glyph.left, layout.glyph.top, layout.glyph.right, layout.glyph.bottom};
            DrawEdge(dc, &edge, BDR_SUNKENOUTER, BF_RECT);
        }
        images->Draw(canvas, layout.glyph.left, layout.glyph.top, item.ImageIndex(),
                     item.Enabled());
        dc = canvas.Handle();
    } else if (item.Checked() && !item.IsLine()) {
        DrawCheckMark(dc, layout.glyph, GetSysColor(COLOR_BTNTEXT));
    }

    const TSavedDC saved(dc);
    SelectObject(dc, canvas.Font()->Handle());
    SetBkMode(dc, TRANSPARENT);
    const TColor text = ItemTextColour(
        item.Enabled(), selected,
        {colours.MenuTextColour, colours.HilightTextColour, colours.ButtonShadowColour});
    SetTextColor(dc, ColorToRGB(text));
    const TRect& box = layout.caption;
    if (item.IsLine()) {
        RECT line{box.left, box.top + 4, box.right, box.bottom};
        DrawEdge(dc, &line, EDGE_ETCHED, BF_TOP);
        return;
    }
    std::wstring caption = item.Caption();
    if (caption.empty() || caption == L"&") caption += L' ';
    RECT measured{box.left, box.top, box.right, box.bottom};
    DrawTextW(dc, caption.c_str(), -1, &measured,
              DT_CALCRECT | DT_NOCLIP | DT_EXPANDTABS | DT_SINGLELINE);
    const int textWidth = measured.right - measured.left;
    const int textHeight = measured.bottom - measured.top;
    const int top = CentredTextTop(box, textHeight);
    const UINT align = in.rightToLeft ? DT_RIGHT | DT_RTLREADING : DT_LEFT;
    RECT place{box.left, top, box.right, top + textHeight};
    DrawTextW(dc, caption.c_str(), -1, &place, DT_EXPANDTABS | DT_SINGLELINE | align);
    if (const std::wstring keys = ShortCutToText(item.ShortCut()); !keys.empty()) {
        const int captionEnd = in.rightToLeft ? box.right - textWidth : box.left + textWidth;
        const TRect k = ShortcutBox(in.rect, layout, captionEnd);
        RECT keysBox{k.left, top, k.right, top + textHeight};
        DrawTextW(dc, keys.c_str(), -1, &keysBox,
                  DT_SINGLELINE | (in.rightToLeft ? DT_LEFT : DT_RIGHT));
    }
}

// The item's background: the popup window's skinned background behind the item, else the Menu
// colour.
void FillItemBackground(const TMenuSkin& menuSkin, HMENU shownIn, TCanvas& canvas,
                        const TRect& rect) {
    TWinSkinPopMenu* popup =
        menuSkin.registry && shownIn ? menuSkin.registry->PopupSkinnerForMenu(shownIn) : nullptr;
    if (popup && !popup->Background().Empty() && IsWindow(popup->Handle())) {
        // The item's rectangle is in the popup's client coordinates; the background covers the
        // whole window.
        RECT window{};
        GetWindowRect(popup->Handle(), &window);
        POINT origin{0, 0};
        ClientToScreen(popup->Handle(), &origin);
        BitBlt(canvas.Handle(), 0, 0, rect.Width(), rect.Height(),
               popup->Background().Canvas()->Handle(), rect.left + origin.x - window.left,
               rect.top + origin.y - window.top, SRCCOPY);
        return;
    }
    canvas.Brush()->SetColor(menuSkin.skin->Skin().MenuColour);
    canvas.FillRect({0, 0, rect.Width(), rect.Height()});
}

// A separator from the MenuItem image's second cell: its bottom rows when the image is taller
// than the item (else all of it), the end caps kept and the middle stretched, magenta keyed.
void DrawSkinSeparator(TDataSkinObject& element, TCanvas& canvas, const TRect& rect) {
    TBitmap& image = element.Image;
    const int cellWidth = image.Width() / kMenuItemCells;
    const int h = rect.Height(), w = rect.Width();
    if (cellWidth <= 0 || h <= 0 || w <= 0) return;
    const int sourceTop = image.Height() > h ? image.Height() - h : 0;
    const int sourceHeight = std::min(image.Height(), h);
    const int cellLeft = (kSeparatorCell - 1) * cellWidth;
    const int left = std::min(element.LeftWidth, cellWidth);
    const int right = std::min(element.RightWidth, cellWidth - left);
    TBitmap piece;
    piece.SetPixelFormat(TPixelFormat::pf24bit);
    piece.SetSize(w, h);
    HDC target = piece.Canvas()->Handle();
    HDC source = image.Canvas()->Handle();
    SetStretchBltMode(target, COLORONCOLOR);
    StretchPiece(target, {0, 0, left, h}, source,
                 {cellLeft, sourceTop, cellLeft + left, sourceTop + sourceHeight});
    StretchPiece(
        target, {left, 0, w - right, h}, source,
        {cellLeft + left, sourceTop, cellLeft + cellWidth - right, sourceTop + sourceHeight});
    StretchPiece(
        target, {w - right, 0, w, h}, source,
        {cellLeft + cellWidth - right, sourceTop, cellLeft + cellWidth, sourceTop + sourceHeight});
    DrawTransparent(canvas.Handle(), rect, piece, kSkinKeyColor);
}

bool IsRightToLeft(const TMenuItem& item) {
    const TMenu* menu = item.GetParentMenu();
    return menu && menu->IsRightToLeft();
}

// The item composed in a bitmap and put on canvas. skinCell: draw the MenuItem cell (and a
// separator from the image); otherwise the background is flat, Hilight when selected.
void DrawComposed(const TMenuSkin& menuSkin, TMenuItem& item, HMENU shownIn, TCanvas& canvas,
                  const TRect& rect, TOwnerDrawState state, bool skinCell, bool skinSeparator) {
    if (rect.Width() <= 0 || rect.Height() <= 0) return;
    TBitmap bitmap;
    bitmap.SetPixelFormat(TPixelFormat::pf24bit);
    bitmap.SetSize(rect.Width(), rect.Height());
    TCanvas& b = *bitmap.Canvas();
    const TRect local{0, 0, rect.Width(), rect.Height()};
    const bool selected = (state & odSelected) != 0;
    TDataSkinObject* element = MenuItemElement(menuSkin.skin);
    if (skinCell && element) {
        FillItemBackground(menuSkin, shownIn, b, rect);
        if (skinSeparator && item.IsLine()) {
            canvas.CopyRect(rect, b, local);
            DrawSkinSeparator(*element, canvas, rect);
            return;
        }
        DrawNineSlice(
            b.Handle(), local, element->Image,
            {element->LeftWidth, element->TopHeight, element->RightWidth, element->BottomHeight},
            ItemCell(selected), kMenuItemCells, element->Trans != 0, element->Tile == 1, false);
    } else {
        const TSkinColours& colours = menuSkin.skin->Skin();
        b.Brush()->SetColor(selected ? colours.HilightColour : colours.MenuColour);
        b.FillRect(local);
    }
    DrawItemContent(b, {item, local, state, menuSkin.skin, IsRightToLeft(item)});
    canvas.CopyRect(rect, b, local);
}

HMENU ParentMenuHandle(TMenuItem& item) {
    TMenuItem* parent = item.Parent();
    return parent ? parent->Handle() : nullptr;
}

// The skinned handlers, as named types so that SetMenuDrawing(off) knows its own measure
// handler from an application's.
struct TSkinDrawHandler {
    TMenuSkin menuSkin;
    void operator()(TObject* sender, TCanvas* canvas, const TRect& rect,
                    TOwnerDrawState state) const {
        if (auto* item = dynamic_cast<TMenuItem*>(sender); item && canvas)
            MenuItemDraw(menuSkin, *item, *canvas, rect, state);
    }
};
struct TSkinMeasureHandler {
    TMenuSkin menuSkin;
    int withImages;
    void operator()(TObject* sender, TCanvas*, int& width, int&) const {
        if (auto* item = dynamic_cast<TMenuItem*>(sender))
            width +=
                ItemWidthExtra(MenuItemElement(menuSkin.skin) != nullptr,
                               LeftWidthOf(menuSkin.skin), ImagesOf(*item) != nullptr, withImages);
    }
};

template <class F>
void ForEachItem(TMenuItem& item, const F& f) {
    f(item);
    for (int i = 0; i < item.Count(); ++i) ForEachItem(*item.Items(i), f);
}

}  // namespace

void MeasureMenuItem(const TMenuSkin& menuSkin, TMenuItem& item, TCanvas& canvas, int& width,
                     int& height) {
    TMenuMeasureItemEvent own = std::move(item.OnMeasureItem);
    item.OnMeasureItem = nullptr;
    item.MeasureItem(canvas, width, height);
    item.OnMeasureItem = std::move(own);
    width += ItemWidthExtra(MenuItemElement(menuSkin.skin) != nullptr, LeftWidthOf(menuSkin.skin),
                            ImagesOf(item) != nullptr, kWithImagesMeasure);
}

void MenuItemMeasure(const TMenuSkin& menuSkin, TMenuItem& item, int& width) {
    int unused = 0;
    TSkinMeasureHandler{menuSkin, kWithImagesHandler}(&item, nullptr, width, unused);
}

void MenuItemDraw(const TMenuSkin& menuSkin, TMenuItem& item, TCanvas& canvas, const TRect& rect,
                  TOwnerDrawState state) {
    if (!menuSkin.skin || menuSkin.skin->Empty()) return;
    if (menuSkin.registry) menuSkin.registry->MarkPopupsFromMenuBar();
    try {
        const HMENU shownIn = ParentMenuHandle(item);
        if (!MenuItemElement(menuSkin.skin)) {
            DrawComposed(menuSkin, item, shownIn, canvas, rect, state, false, false);
            return;
        }
        TWinSkinPopMenu::LearnPendingMenu(shownIn);
        DrawComposed(menuSkin, item, shownIn, canvas, rect, state, true, true);
    } catch (const std::exception&) {
        // The item keeps what the menu showed; painting errors never reach the user.
    }
}

void DrawNativeMenuItem(const TMenuSkin& menuSkin, const DRAWITEMSTRUCT& draw) {
    if (!menuSkin.skin || menuSkin.skin->Empty()) return;
    const auto menu = reinterpret_cast<HMENU>(draw.hwndItem);
    wchar_t text[kNativeTextLength + 1] = {};
    GetMenuStringW(menu, draw.itemID, text, kNativeTextLength, MF_BYCOMMAND);
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_STATE;
    GetMenuItemInfoW(menu, draw.itemID, FALSE, &info);
    TMenuItem temporary(nullptr);
    temporary.SetCaption(text[0] ? std::wstring(text) : std::wstring(L"-"));
    temporary.SetEnabled(!(info.fState & (MFS_GRAYED | MFS_DISABLED)));
    temporary.SetChecked(info.fState & MFS_CHECKED);
    TCanvas canvas;  // puts the context back as found when it goes
    canvas.SetHandle(draw.hDC);
    const RECT& r = draw.rcItem;
    try {
        DrawComposed(menuSkin, temporary, menu, canvas, {r.left, r.top, r.right, r.bottom},
                     draw.itemState & 0x3FF, true, false);
    } catch (const std::exception&) {
        // As above: the item keeps its look.
    }
}

void MeasureNativeMenuItem(const TMenuSkin& menuSkin, HWND window, HMENU menu,
                           MEASUREITEMSTRUCT& measure, bool win95Family) {
    wchar_t text[kNativeTextLength + 1] = {};
    if (menu) GetMenuStringW(menu, measure.itemID, text, kNativeTextLength, MF_BYCOMMAND);
    TWindowDC dc(window);
    TCanvas canvas;
    canvas.SetHandle(dc.Dc());
    UseMenuFont(canvas, false);
    const int textWidth = text[0] ? canvas.TextWidth(StripHotkey(text)) : 0;
    const TItemSize size = NativeItemMeasure(
        textWidth, static_cast<int>(measure.itemHeight), text[0] == 0,
        MenuItemElement(menuSkin.skin) != nullptr, LeftWidthOf(menuSkin.skin), win95Family);
    measure.itemWidth = static_cast<UINT>(std::max(size.width, 0));
    measure.itemHeight = static_cast<UINT>(std::max(size.height, 0));
}

void AssignMenuHandlers(const TMenuSkin& menuSkin, TMenuItem& item) {
    ForEachItem(item, [&](TMenuItem& each) {
        each.OnAdvancedDrawItem = TSkinDrawHandler{menuSkin};
        each.OnMeasureItem = TSkinMeasureHandler{menuSkin, kWithImagesMeasure};
    });
}

void AssignPopupMenuHandlers(const TMenuSkin& menuSkin, TMenuItem& item) {
    item.OnAdvancedDrawItem = TSkinDrawHandler{menuSkin};
    item.OnMeasureItem = TSkinMeasureHandler{menuSkin, kWithImagesHandler};
}

void SetMenuDrawing(const TMenuSkin& menuSkin, TCustomForm& form, bool on) {
    if (!menuSkin.skin || !HasSkinControl(menuSkin.skin->SkinControls(), xcPopupMenu)) return;
    for (int i = 0; i < form.ComponentCount(); ++i) {
        auto* menu = dynamic_cast<TPopupMenu*>(form.Components(i));
        if (!menu || menu->Tag() % 100 == menuSkin.skin->DisableTag()) continue;
        menu->SetOwnerDraw(on);
        ForEachItem(*menu->Items(), [&](TMenuItem& item) {
            const bool ours = item.OnAdvancedDrawItem.target<TSkinDrawHandler>() != nullptr;
            if (on) {
                if (!item.OnAdvancedDrawItem || ours) AssignPopupMenuHandlers(menuSkin, item);
            } else if (ours) {
                item.OnAdvancedDrawItem = nullptr;
                // The measure handler reads the skin: it does not outlive the drawing one.
                if (item.OnMeasureItem.target<TSkinMeasureHandler>()) item.OnMeasureItem = nullptr;
            }
        });
    }
}
