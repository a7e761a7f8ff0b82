#pragma once
// TWinSkinForm: the frame skinner of one top-level window. It subclasses the window, keeps the
// list of the window's control skinners (with their shared canvas and the hot one), runs the
// control classification when it attaches, and gives the window back when detached.
//
// The skinned frame: the native caption style is taken away, the non-client area is sized to
// the skin's border pieces and caption, and the frame is painted from them (with the title and
// the title-bar buttons) and cut to a window region from their magenta pixels. Title-bar buttons
// follow the mouse through non-client messages and a hover timer. Detach gives the window its
// native frame, styles, size and region back. A window with a menu bar gets a skinned one
// (TWinSkinMenu) under the caption, and its menus' items are drawn from the skin.

#include <windows.h>

#include <string>
#include <vector>

#include <memory>

#include "forms/bitmap.h"
#include "forms/component.h"
#include "forms/graphics.h"
#include "forms/owned.h"
#include "forms/timer.h"
#include "skin/controls/control_skinner_host.h"
#include "forms/replaced_window_proc.h"
#include "skin/frame/frame_layout.h"
#include "skin/frame/menu_item_draw.h"
#include "skin/frame/win_skin_menu.h"
#include "skin/frame/nc_object.h"

class TCustomForm;
class TFormSkinnerRegistry;
class TDataSkinBorder;
class TMenuItem;
class TPopupMenu;
class TSkinData;

// Window kind.
constexpr int wkNormal = 0;
constexpr int wkMdiFrame = 1;
constexpr int wkMdiChild = 2;

// Skin state of a frame skinner.
constexpr int fsAttached = 0;    // waiting for CN_SkinActive
constexpr int fsActive = 1;      // the frame is painted
constexpr int fsSkinChange = 3;  // a skin change is being applied
constexpr int fsDestroying = 4;  // detaching at WM_NCDESTROY
constexpr int fsActivating = 5;  // the window is being refitted
constexpr int fsWindowDestroyed = 6;

// The frame skinner's private messages.
constexpr UINT CN_RepaintFrame = 0x3502;  // repaint the whole frame
constexpr UINT CN_ReapplySkin = 0x3401;   // run ApplySkinChange
constexpr UINT CN_ButtonAction = 0x3514;  // a title-bar button without a built-in action, wParam

struct TFrameSkinnerProcTag {};
struct TMdiClientProcTag {};

class TWinSkinForm : public TComponent, public TControlSkinnerHost {
    PONDERIX_CLASS(TWinSkinForm, TComponent)
public:
    // owner: the form, or null for a bare window (the manager then frees it).
    TWinSkinForm(TComponent* owner, TFormSkinnerRegistry* manager);
    ~TWinSkinForm() override;

    void SetHandle(HWND window) { handle = window; }
    HWND Handle() const { return handle; }
    TCustomForm* Form() const { return form; }
    TSkinData* Skin() const { return skin; }
    int SkinState() const { return skinState; }
    int Kind() const { return kind; }
    bool Activated() const { return activated; }
    bool FrameEnabled() const { return frameEnabled; }
    bool Subclassed() const { return windowInstance.Attached(); }
    const std::wstring& Caption() const { return caption; }
    const std::wstring& WindowClass() const { return windowClass; }

    void AttachToForm(TSkinData* skinData, TCustomForm* target);
    // Attaches to the window in Handle; nothing when it is subclassed already.
    void Attach(TSkinData* skinData);
    // Gives the window back as it was before Attach.
    void Detach();
    // At WM_NCDESTROY: lets go of the window without restoring it.
    void ReleaseWindow();
    // Refreshes every control skinner after a skin change and refits the frame.
    void ApplySkinChange();
    // Takes the native caption style away (false) or gives it back (true).
    void SetNativeCaption(bool restore);
    // Frame sizes and title-bar buttons from the skin (nothing for an empty skin).
    void LoadFrameMetrics();
    void FreeSysButtons();
    // Resizes the window around its client area for the skinned frame. With regionFirst the
    // region for the new size is set before, without a redraw, so that the window is repainted
    // once, by the resize, rather than by the resize and again by the region; true when the
    // whole window, controls and frames included, was so invalidated.
    bool FitToFrame(bool refresh, bool regionFirst = false);
    // Between the attach and CN_SkinActive: the window and its controls are painted whole, and
    // skinned, once CN_SkinActive has come (by the fit's repaint, or else by ReleaseHeldPaint),
    // so what they would paint before, at the window's first showing, is dropped.
    void HoldPaintUntilActive();
    // Ends the hold; the whole window is repainted unless it has just been (repainted).
    void ReleaseHeldPaint(bool repainted);
    // For an MDI frame: whether its active MDI child is maximised.
    bool IsMdiChildMaximized() const;
    // For an MDI child: the maximised presentation (native caption inside the MDI client, no
    // region) or the skinned frame.
    void SetMdiPresentation(bool maximised);
    HWND MdiClient() const { return mdiClient; }
    // Draws a tool bar button's face from the skin's button image into bounds (inset by 1) on
    // the tool bar's canvas and sets the canvas's font colour for its text; the tool bar draws
    // the glyph and text over it. False when nothing was drawn (no button image, skinned
    // painting not running, or a state without a cell).
    bool ToolButtonDraw(TCanvas& canvas, const TRect& bounds, const TToolButtonState& state);
    // The MDI client is subclassed while the frame skinner is attached to an MDI frame.
    bool MdiClientSubclassed() const { return clientInstance.Attached(); }

    // Painting and the window region. A null dc paints on a window DC of its own.
    void PaintFrame(HDC dc);
    void DrawSysButton(TWinSysButton& button, int state);
    void UpdateRegion();
    void DropRegion();

    TNCObject* HotObject() const { return hotObject; }
    void SetHotObject(TNCObject* object) { hotObject = object; }
    const std::vector<std::unique_ptr<TWinSysButton>>& SysButtons() const { return sysButtons; }
    const TFrameSizes& FrameSizes() const { return frame; }
    int BorderKind() const { return borderKind; }
    uint8_t Capabilities() const { return capabilities; }
    int WindowState() const { return windowState; }
    bool Active() const { return active; }
    bool RegionSet() const { return regionSet; }
    const TRect& TitleRect() const { return titleRect; }
    // The own system menu (Tag 33333), shown from the caption and the window-icon button.
    TPopupMenu* SystemMenu() const { return systemMenu.get(); }
    bool HoverTimerEnabled() const { return hoverTimer && hoverTimer->Enabled(); }

    // The skinned menu bar (null without one), and whether one of its drop-downs is open.
    TWinSkinMenu* MenuBar() const { return menuBar.get(); }
    int MenuBarHeight() const { return menuBarHeight; }
    bool MenuTracking() const { return menuTracking; }
    HMENU TrackedMenu() const { return trackedMenu; }
    // What the skinned menus of this window draw with.
    TMenuSkin MenuSkin() const;

    void FreeControlSkinners();
    // The manager frees this skinner itself, or is going: no need to be taken off its list.
    void ForgetManager() { manager = nullptr; }

    // TControlSkinnerHost
    bool AddControlSkinner(TSkinControl* skinner) override;
    void RemoveControlSkinner(TSkinControl* skinner) override;
    const std::vector<TSkinControl*>& ControlSkinners() const override { return controlSkinners; }
    void RemoveDestroyedSkinners() override;
    TCanvas* ControlCanvas() override { return &controlCanvas; }
    TSkinControl* HotControl() const override { return hotControl; }
    void SetHotControl(TSkinControl* skinner) override { hotControl = skinner; }
    TComponent* SkinnerOwner() override { return this; }

private:
    class TFormProcedure;

    friend class TWinSkinMenu;
    friend void menu_bar_hook::FilterMessage(MSG& message);
    void WindowMessage(TMessage& message);
    // The form procedure, in the form's replaceable window procedure (form_procedure_win.cpp).
    void AttachFormProcedure();
    void DetachFormProcedure();
    // The form, the forms it owns and its grids' fixed cells take the skin's face colour.
    void RecolourForSkin();
    void FormMessage(TMessage& message);
    void PassOnToForm(TMessage& message);
    void OnDialogChar(TMessage& message);
    // The MDI client procedure (mdi_client_win.cpp).
    void AttachMdiClient();
    void ClientMessage(TMessage& message);
    bool FrameMessage(TMessage& message);
    void FrameStageMessage(TMessage& message);
    void PassOn(TMessage& message);
    void Unsubclass();
    bool Captionless() const { return borderKind == bkCaptionless; }
    bool MdiChildNotNormal() const { return kind == wkMdiChild && windowState != fwNormal; }
    void ReadWindowState();
    // Gives the window's controls their skinners; again whenever a hidden page makes its
    // controls' windows (CM_CHILDHANDLESCREATED), so that they are skinned before they show.
    void ClassifyControls();
    void LoadWindowIcon();
    void DrawWindowIcon(HDC dc, int x, int y);
    TSysButtonContext ButtonContext() const;

    // Handlers of the frame's messages.
    void OnSize(TMessage& message);
    void OnGetMinMaxInfo(TMessage& message);
    void OnSkinActive();
    void OnNcCalcSize(TMessage& message);
    void OnNcHitTest(TMessage& message);
    void OnNcPaint(TMessage& message);
    void OnNcActivate(TMessage& message);
    void OnNcMouseMove(TMessage& message);
    void OnNcLButtonDown(TMessage& message);
    void OnNcLButtonUp(TMessage& message);
    void OnNcLButtonDblClk(TMessage& message);
    void OnNcRButtonDown(TMessage& message);
    void OnSysCommand(TMessage& message);
    void OnHoverTimer();
    // The hot control skinner is told the mouse left, and is hot no more.
    void LeaveHotControl();
    void SetHoverTimer(bool enabled);
    POINT ToFrameCoords(POINT screen) const;
    TWinSysButton* SysButtonAt(POINT point) const;
    void PerformAction(POINT screen);
    void ToggleMaximize();
    void ToggleMinimize();
    void RestoreWindow();
    void SendToMdiChild(WPARAM command);
    void ShowSystemMenu(POINT screen);
    // Opens the system menu at a screen point: the own one, or the window's native one.
    void PopupSystemMenu(POINT screen);
    // Alt+Space on a window whose native system menu style was taken away with its caption
    // buttons: the system would open nothing, so the frame opens its own menu; true when it did.
    bool OpenSystemMenuForKey();
    void BuildSystemMenu();
    void EnableSystemMenuItems();
    void SystemMenuClick(TMenuItem& item);
    void PostCommand(WPARAM command);

    // Menus (frame_menus_win.cpp).
    void AttachMenuBar();
    void DetachMenuBar(bool giveMenuBack);
    TNCObject* NcObjectAt(POINT point) const;
    void OnMeasureItem(TMessage& message);
    void OnDrawItem(TMessage& message);
    void OnMenuChanged(TMessage& message);
    void OnMenuSelect(TMessage& message);
    bool OpenMenuBarKey(wchar_t key);

    // Painting (frame_paint_win.cpp).
    void DrawBorderPiece(TDataSkinBorder& piece, const TRect& rect, HDC dc);
    void PaintCaption(HDC dc);
    void DrawTitle(TCanvas& canvas, const TRect& strip);
    void LayoutSysButtons();
    bool IsSysButtonVisible(TWinSysButton& button);
    void DrawSysButtons(HDC dc);
    void ReleaseRegion();
    // The region of a window of that size (kept when it has it already), redrawn or not.
    void SetRegionFor(SIZE size, bool redraw);

    TFormSkinnerRegistry* manager;
    TReplacedWindowProc<TFrameSkinnerProcTag> windowInstance;
    TReplacedWindowProc<TMdiClientProcTag> clientInstance;
    TFormProcedure* formProcedure = nullptr;
    TColor savedColor = 0;
    HWND pendingMdiChild = nullptr;
    bool savedMenuUpdate = false;
    bool activated = false;
    bool paintHeld = false;  // HoldPaintUntilActive's, until ReleaseHeldPaint
    bool classifying = false;
    bool classifyAgain = false;
    std::wstring caption;
    std::wstring windowClass;
    bool frameEnabled = false;
    RECT clientRect{};
    HWND ownerWindow = nullptr;
    DWORD style = 0;
    HWND mdiClient = nullptr;
    Owned<HFONT, &DeleteObject> captionFont;
    std::unique_ptr<TTimer> hoverTimer;
    std::unique_ptr<TPopupMenu> systemMenu;
    std::wstring titlePrefix = L"  ";
    DWORD lastSysMenuClick = 0;
    UINT doubleClickTime = 0;
    HICON icon = nullptr;
    int iconSize = 16;
    TFrameSizes frame;
    TRect windowRect;
    TRect titleRect;
    SIZE nativeFrame{};
    int menuBarHeight = 0;
    std::unique_ptr<TWinSkinMenu> menuBar;
    HMENU nativeMenu = nullptr;
    HMENU trackedMenu = nullptr;
    bool menuTracking = false;
    bool rightToLeft = false;
    HMENU systemMenuHandle = nullptr;
    int rightButtonsLeft = 0;
    TNCObject* hotObject = nullptr;
    bool regionSet = false;
    SIZE regionSize{};
    std::vector<std::unique_ptr<TWinSysButton>> sysButtons;
    TBitmap iconBitmap;
    TBitmap captionBitmap;
    bool active = true;
    int borderKind = bkSizable;
    uint8_t capabilities = 0;
    int windowState = fwNormal;
    TCanvas controlCanvas;
    TCustomForm* form = nullptr;
    HWND handle = nullptr;
    TSkinData* skin = nullptr;
    std::vector<TSkinControl*> controlSkinners;
    TSkinControl* hotControl = nullptr;
    int kind = wkNormal;
    int skinState = fsAttached;
};
