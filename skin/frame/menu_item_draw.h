#pragma once
// Skinned drawing of menu items: measuring and drawing class-library items from the skin's
// MenuItem element and menu colours, over the background of the popup menu window that shows
// them, and the handlers that make a form's popup menus (and the frame skinner's own system
// menu) draw that way. Items known only by their native menu (a menu the program does not own)
// are drawn through a temporary class-library item.

#include <windows.h>

#include "forms/geometry.h"
#include "forms/menus.h"

class TCanvas;
class TCustomForm;
class TFormSkinnerRegistry;
class TSkinData;

// What the drawing reads: the skin, and the manager's popup skinners (registry may be null).
struct TMenuSkin {
    TSkinData* skin = nullptr;
    TFormSkinnerRegistry* registry = nullptr;
};

// The class library's measure of the item without its own OnMeasureItem, widened for the skin:
// the MenuItem element's LeftWidth, and 10 with an image list, 35 without.
void MeasureMenuItem(const TMenuSkin& menuSkin, TMenuItem& item, TCanvas& canvas, int& width,
                     int& height);
// The OnMeasureItem handler of popup-menu and system-menu items: width grows by the MenuItem
// element's LeftWidth, and 12 with an image list, 35 without.
void MenuItemMeasure(const TMenuSkin& menuSkin, TMenuItem& item, int& width);
// Draws the item into rect of canvas from the MenuItem element (a separator from its second
// cell), or flat in the Menu and Hilight colours when the skin has no MenuItem element.
void MenuItemDraw(const TMenuSkin& menuSkin, TMenuItem& item, TCanvas& canvas, const TRect& rect,
                  TOwnerDrawState state);
// WM_DRAWITEM for an item of a native menu that no class-library item stands for.
void DrawNativeMenuItem(const TMenuSkin& menuSkin, const DRAWITEMSTRUCT& draw);
// WM_MEASUREITEM for such an item: its text (up to 80 characters) in the menu font.
void MeasureNativeMenuItem(const TMenuSkin& menuSkin, HWND window, HMENU menu,
                           MEASUREITEMSTRUCT& measure, bool win95Family);

// Makes the form's popup menus owner-drawn with the skinned handlers (on) or plain again (off);
// only with xcPopupMenu, and not for menus whose Tag mod 100 is the skin's DisableTag. An item
// with an OnAdvancedDrawItem of its own keeps its handlers.
void SetMenuDrawing(const TMenuSkin& menuSkin, TCustomForm& form, bool on);
// Gives the item and all its sub-items the skinned drawing and measuring handlers.
void AssignMenuHandlers(const TMenuSkin& menuSkin, TMenuItem& item);
// The skinned handlers for one item whatever it had (the frame skinner's own system menu).
void AssignPopupMenuHandlers(const TMenuSkin& menuSkin, TMenuItem& item);
