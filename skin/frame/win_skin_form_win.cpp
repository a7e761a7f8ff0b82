#include "skin/frame/win_skin_form.h"

#include <algorithm>
#include <utility>

#include "forms/dc_scopes.h"
#include "forms/forms.h"
#include "forms/menus.h"
#include "forms/properties.h"
#include "skin/controls/classification.h"
#include "skin/controls/skin_control.h"
#include "skin/frame/form_skinner_registry.h"
#include "skin/skin_data.h"

namespace {
std::wstring ClassNameOf(HWND window) {
    wchar_t name[101] = {};
    GetClassNameW(window, name, 101);
    return name;
}
}  // namespace

PONDERIX_DEFINE_CLASS(TWinSkinForm, [](TClassBuilder<TWinSkinForm>&) {})

TWinSkinForm::TWinSkinForm(TComponent* owner, TFormSkinnerRegistry* manager)
    : TComponent(owner), manager(manager), doubleClickTime(GetDoubleClickTime()) {
    // The system's caption font, from the non-client metrics.
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0))
        captionFont.Reset(CreateFontIndirectW(&metrics.lfCaptionFont));
}

TWinSkinForm::~TWinSkinForm() {
    DetachMenuBar(false);
    FreeControlSkinners();
    FreeSysButtons();
    DetachFormProcedure();
    clientInstance.Detach();
    Unsubclass();
    if (manager) manager->RemoveFormSkinner(this);
}

void TWinSkinForm::AttachToForm(TSkinData* skinData, TCustomForm* target) {
    form = target;
    if (HasSkinControl(skinData->SkinControls(), xcMainMenu)) AttachFormProcedure();
    Attach(skinData);
    if (form && frameEnabled) SetMenuDrawing(MenuSkin(), *form, true);
}

void TWinSkinForm::RecolourForSkin() {
    if (!form) return;
    const TColor face = skin->Skin().ButtonFaceColour;
    form->SetColor(face);
    for (int i = 0; i < form->ComponentCount(); ++i) {
        TComponent* c = form->Components(i);
        if (auto* owned = dynamic_cast<TCustomForm*>(c)) owned->SetColor(face);
        const TPropInfo* fixed = c->ClassType().FindProperty("FixedColor");
        if (fixed && fixed->kind == TTypeKind::tkInteger && fixed->setOrdinal)
            fixed->setOrdinal(*c, face);
    }
}

void TWinSkinForm::ReadWindowState() {
    WINDOWPLACEMENT placement{};
    placement.length = sizeof(placement);
    if (GetWindowPlacement(handle, &placement))
        windowState = WindowStateFromShowCommand(static_cast<int>(placement.showCmd));
}

void TWinSkinForm::LoadWindowIcon() {
    iconBitmap.SetSize(0, 0);
    iconSize = GetSystemMetrics(SM_CXSMICON);
    icon = reinterpret_cast<HICON>(SendMessageW(handle, WM_GETICON, ICON_SMALL, 0));
    if (!icon) icon = reinterpret_cast<HICON>(SendMessageW(handle, WM_GETICON, ICON_BIG, 0));
    if (!icon) icon = reinterpret_cast<HICON>(GetClassLongPtrW(handle, GCLP_HICONSM));
    if (icon) {
        iconBitmap.SetPixelFormat(TPixelFormat::pf24bit);
        iconBitmap.SetSize(iconSize, iconSize);
        HDC dc = iconBitmap.Canvas()->Handle();
        FillSolidRect(dc, {0, 0, iconSize, iconSize}, ColorToRGB(skin->Skin().ButtonFaceColour));
        DrawWindowIcon(dc, 0, 0);
        iconBitmap.FreeContext();
    } else if (!skin->DefaultIcon()->Empty()) {
        iconBitmap.Assign(*skin->DefaultIcon());
    } else if (manager) {
        // Neither the window nor its skin has an icon: that of a main-window skin (the last one
        // registered with one wins).
        for (TSkinData* other : manager->Skins())
            if (other->SkinFormtype() == sfMainform && !other->DefaultIcon()->Empty())
                iconBitmap.Assign(*other->DefaultIcon());
    }
}

void TWinSkinForm::DrawWindowIcon(HDC dc, int x, int y) {
    if (!icon) return;
    Owned<HICON, &DestroyIcon> copy(
        static_cast<HICON>(CopyImage(icon, IMAGE_ICON, iconSize, iconSize, LR_COPYFROMRESOURCE)));
    DrawIconEx(dc, x, y, copy ? copy.Get() : icon, iconSize, iconSize, 0, nullptr, DI_NORMAL);
}

void TWinSkinForm::Attach(TSkinData* skinData) {
    if (windowInstance.Attached() || !IsWindow(handle)) return;
    skin = skinData;
    if (form) {
        // The form's background is the skin's face colour while skinned.
        savedColor = form->Color();
        form->SetColor(skin->Skin().ButtonFaceColour);
    }
    hoverTimer = std::make_unique<TTimer>(nullptr);
    hoverTimer->SetEnabled(false);
    hoverTimer->SetInterval(250);
    hoverTimer->OnTimer = [this](TObject*) { OnHoverTimer(); };
    frameEnabled = HasSkinControl(skin->SkinControls(), xcMainMenu);
    style = static_cast<DWORD>(GetWindowLongW(handle, GWL_STYLE));
    rightToLeft = GetWindowLongW(handle, GWL_EXSTYLE) & WS_EX_LEFTSCROLLBAR;
    systemMenuHandle = GetSystemMenu(handle, FALSE);
    LoadWindowIcon();
    caption = SkinWindowText(handle);
    windowClass = ClassNameOf(handle);
    ownerWindow = GetWindow(handle, GW_OWNER);
    GetClientRect(handle, &clientRect);
    RECT outer{};
    GetWindowRect(handle, &outer);
    nativeFrame = {(outer.right - outer.left) - clientRect.right,
                   (outer.bottom - outer.top) - clientRect.bottom};
    capabilities = CapabilitiesOf(style, systemMenuHandle != nullptr);
    BuildSystemMenu();
    ReadWindowState();
    // The window kind: the first direct child of class "MDIClient" makes an MDI frame.
    for (HWND child = GetTopWindow(handle); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (ClassNameOf(child) == L"MDIClient") {
            kind = wkMdiFrame;
            mdiClient = child;
            if (manager) manager->SetMdiClient(child, form);
            break;
        }
    }
    if (GetWindowLongW(handle, GWL_EXSTYLE) & WS_EX_MDICHILD) kind = wkMdiChild;
    borderKind = BorderKindOf(style, windowClass == L"#32770");
    if (kind == wkMdiFrame) {
        savedMenuUpdate = skin->MenuUpdate();
        AttachMdiClient();
    }
    if (frameEnabled) {
        AttachMenuBar();
        if (!(kind == wkMdiChild && manager && manager->MdiMaximized()) &&
            windowState != fwMinimized)
            SetNativeCaption(false);
        LoadFrameMetrics();
    } else {
        // Without the frame the skinner is active at once: it only serves the control skinners.
        skinState = fsActive;
    }
    windowInstance.Attach(handle, [this](TMessage& message) { WindowMessage(message); });
    ClassifyControls();
    if (skinState == fsAttached)
        HoldPaintUntilActive();
    else
        InvalidateRect(handle, nullptr, TRUE);
}

void TWinSkinForm::HoldPaintUntilActive() {
    RedrawWindow(handle, nullptr, nullptr,
                 RDW_VALIDATE | RDW_NOFRAME | RDW_NOERASE | RDW_ALLCHILDREN);
    paintHeld = true;
}

void TWinSkinForm::ReleaseHeldPaint(bool repainted) {
    if (!std::exchange(paintHeld, false) || repainted || !IsWindow(handle)) return;
    RedrawWindow(handle, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

void TWinSkinForm::ClassifyControls() {
    // Classifying can make windows and so ask for another round; it runs after this one.
    if (classifying) {
        classifyAgain = true;
        return;
    }
    TControlClassifier classifier(*this, *skin);
    classifying = true;
    struct TRoundsEnd {
        bool& flag;
        ~TRoundsEnd() { flag = false; }
    } roundsEnd{classifying};
    do {
        classifyAgain = false;
        if (form)
            classifier.SkinComponents(form);
        else
            classifier.SkinChildWindows(handle);
    } while (classifyAgain);
}

void TWinSkinForm::Unsubclass() { windowInstance.Detach(); }

void TWinSkinForm::Detach() {
    systemMenu.reset();
    if (hoverTimer) hoverTimer->SetEnabled(false);
    if (!windowInstance.Attached()) return;
    ReleaseHeldPaint(false);
    Unsubclass();
    FreeControlSkinners();
    // After the control skinners, which may sit in the form's procedure after this one.
    DetachFormProcedure();
    clientInstance.Detach();
    if (form) SetMenuDrawing(MenuSkin(), *form, false);
    if (frameEnabled) {
        SetNativeCaption(true);
        DetachMenuBar(true);
        captionBitmap.SetSize(0, 0);
        if (skinState != fsDestroying && (kind == wkMdiChild || !(style & WS_CHILD))) {
            // The native frame around the same client area, at the same place.
            RECT outer{}, client{};
            GetWindowRect(handle, &outer);
            GetClientRect(handle, &client);
            POINT origin{outer.left, outer.top};
            if (kind == wkMdiChild) ScreenToClient(GetParent(handle), &origin);
            const int width =
                (outer.right - outer.left) + nativeFrame.cx - frame.left - frame.right;
            const int height = (outer.bottom - outer.top) + nativeFrame.cy - frame.caption -
                               menuBarHeight - frame.bottom;
            // Around the same centre, as FitToFrame placed it.
            origin.x -= (width - (outer.right - outer.left)) / 2;
            origin.y -= (height - (outer.bottom - outer.top)) / 2;
            SetWindowPos(handle, nullptr, origin.x, origin.y, width, height,
                         SWP_FRAMECHANGED | SWP_NOACTIVATE | SWP_NOZORDER);
        }
        menuBarHeight = 0;
        SetWindowRgn(handle, nullptr, TRUE);
        regionSet = false;
        regionSize = {};
    }
    if (form && skinState != fsDestroying) form->SetColor(savedColor);
    if (form && skinState != fsDestroying)
        for (int i = 0; i < form->ComponentCount(); ++i)
            if (auto* control = dynamic_cast<TControl*>(form->Components(i))) control->Invalidate();
}

void TWinSkinForm::ReleaseWindow() {
    systemMenu.reset();
    if (hoverTimer) hoverTimer->SetEnabled(false);
    if (!windowInstance.Attached()) return;
    ReleaseHeldPaint(false);
    Unsubclass();
    FreeControlSkinners();
    DetachFormProcedure();
    clientInstance.Detach();
    // A bare window's menu goes back on it, so that its destruction frees the menu as it would
    // have; a form's main menu owns its native menu and took it off the window already.
    DetachMenuBar(!form);
    captionBitmap.SetSize(0, 0);
}

void TWinSkinForm::ApplySkinChange() {
    const int previous = skinState;
    RecolourForSkin();
    skinState = fsSkinChange;
    for (TSkinControl* skinner : controlSkinners) skinner->SkinChanged();
    if (frameEnabled) {
        if (form) SetMenuDrawing(MenuSkin(), *form, true);
        // What was drawn from the old skin goes: the icon on its face colour and the caption
        // strip, whose keyed pixels the region reads.
        LoadWindowIcon();
        captionBitmap.SetSize(0, 0);
        // A window still waiting for its skinned painting to start takes the new frame sizes
        // and title-bar buttons too; it is fitted to them when the painting starts.
        LoadFrameMetrics();
        if (previous != fsAttached) {
            FitToFrame(true);
            UpdateRegion();
        }
    }
    skinState = previous == fsAttached ? fsAttached : fsActive;
    if (frameEnabled && skinState == fsActive) PaintFrame(nullptr);
}

void TWinSkinForm::SetNativeCaption(bool restore) {
    if (kind == wkMdiChild && manager && manager->MdiMaximized() && !restore) return;
    LONG current = GetWindowLongW(handle, GWL_STYLE);
    if (restore) {
        if (capabilities & capSystemMenu) current |= WS_SYSMENU;
        if (capabilities & capMinimize) current |= WS_MINIMIZEBOX;
        if (capabilities & capMaximize) current |= WS_MAXIMIZEBOX;
        if (capabilities & capCaptionRemoved) current |= WS_CAPTION;
    } else if (ownerWindow || kind == wkMdiChild) {
        current &= ~(WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX);
    } else {
        // Only a window whose caption is whole has one to give back.
        if ((current & WS_CAPTION) == WS_CAPTION) capabilities |= capCaptionRemoved;
        current &= ~WS_CAPTION;
    }
    SetWindowLongW(handle, GWL_STYLE, current);
    style = static_cast<DWORD>(current);
}

void TWinSkinForm::LoadFrameMetrics() {
    if (skin->Empty()) return;
    TSkinDescription& d = skin->Skin();
    if (Captionless()) {
        frame = {};
        menuBarHeight = 0;
    } else {
        frame = FrameSizesFromPieces(
            {d.FrameLeft.Image.Width(), d.FrameLeft.Image.Height(), d.FrameLeft.FrameCount},
            {d.FrameTop.Image.Width(), d.FrameTop.Image.Height(), d.FrameTop.FrameCount},
            {d.FrameRight.Image.Width(), d.FrameRight.Image.Height(), d.FrameRight.FrameCount},
            {d.FrameBottom.Image.Width(), d.FrameBottom.Image.Height(), d.FrameBottom.FrameCount});
    }
    FreeSysButtons();
    for (const auto& skinButton : d.SysButtons) {
        if (skinButton->Action == 3 || skinButton->Action == 11) {
            // The window-icon buttons show the window's icon, one cell.
            if (skinButton->Image.Empty()) skinButton->Image.Assign(iconBitmap);
            if (skin->DefaultIcon()->Empty()) skin->DefaultIcon()->Assign(iconBitmap);
            skinButton->FrameCount = 1;
        }
        sysButtons.push_back(std::make_unique<TWinSysButton>(*this, *skinButton));
    }
}

void TWinSkinForm::FreeSysButtons() {
    hotObject = nullptr;
    sysButtons.clear();
}

bool TWinSkinForm::FitToFrame(bool refresh, bool regionFirst) {
    if (windowState == fwMaximized) {
        SetWindowPos(handle, nullptr, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
        if (regionFirst) UpdateRegion();  // the size stays: the region comes after, as ever
        return false;
    }
    // The client area kept is the one measured at attach, inside the native frame, so that the
    // window's contents keep the size they were laid out for whatever its border style was. A
    // skin change keeps the client area the window has now, which the user may have resized.
    if (refresh) GetClientRect(handle, &clientRect);
    int width = clientRect.right - clientRect.left + frame.left + frame.right;
    const int height =
        clientRect.bottom - clientRect.top + frame.caption + frame.bottom + menuBarHeight;
    if (!refresh && (windowClass == L"TMessageForm" || windowClass == L"#32770")) {
        int spaceWidth = 0;
        {
            TWindowDC dc(handle, TWindowDC::WholeWindow);
            TSavedDC saved(dc.Dc());
            if (captionFont) SelectObject(dc.Dc(), captionFont.Get());
            SIZE size{};
            GetTextExtentPoint32W(dc.Dc(), L" ", 1, &size);
            spaceWidth = size.cx;
        }
        caption = SkinWindowText(handle);
        const TDataSkinTitle& title = skin->Skin().Title;
        const int needed = MessageBoxNeededWidth(static_cast<int>(caption.size()), spaceWidth,
                                                 frame, title.LeftWidth, title.RightWidth,
                                                 title.TXTBackleft, title.TXTBackRight);
        if (width < needed) {
            const int shift = (needed - width) / 2;
            for (HWND child = GetTopWindow(handle); child; child = GetWindow(child, GW_HWNDNEXT)) {
                RECT r{};
                GetWindowRect(child, &r);
                POINT p{r.left, r.top};
                ScreenToClient(handle, &p);
                SetWindowPos(child, nullptr, p.x + shift, p.y, 0, 0,
                             SWP_NOSIZE | SWP_NOZORDER | SWP_NOOWNERZORDER | SWP_NOSENDCHANGING |
                                 SWP_NOACTIVATE);
            }
            width = needed;
        }
    }
    // The window keeps its centre, so that a centred window (the main window, a message box over
    // its owner) stays centred around its new frame.
    RECT outer{};
    GetWindowRect(handle, &outer);
    POINT origin{outer.left - (width - (outer.right - outer.left)) / 2,
                 outer.top - (height - (outer.bottom - outer.top)) / 2};
    if (HWND parent = GetParent(handle); parent && (style & WS_CHILD))
        ScreenToClient(parent, &origin);
    if (regionFirst) {
        SetRegionFor({width, height}, false);
        // What the controls drew before they were skinned goes: the whole window is painted
        // again, with the next paint rather than at once. Invalidated before the resize, so
        // that the frames the resize repaints see the client paint coming and leave the skin's
        // drawing to it, and so that no pixel the resize keeps is taken for a valid one.
        RedrawWindow(handle, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    }
    SetWindowPos(handle, nullptr, origin.x, origin.y, width, height,
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    if (!regionFirst) return false;
    // A size the system did not grant (a minimum or maximum track size) needs its own region.
    RECT granted{};
    GetWindowRect(handle, &granted);
    if (granted.right - granted.left != width || granted.bottom - granted.top != height)
        UpdateRegion();
    return true;
}

bool TWinSkinForm::AddControlSkinner(TSkinControl* skinner) {
    if (std::find(controlSkinners.begin(), controlSkinners.end(), skinner) != controlSkinners.end())
        return true;
    controlSkinners.push_back(skinner);
    return false;
}

void TWinSkinForm::RemoveControlSkinner(TSkinControl* skinner) {
    const auto it = std::find(controlSkinners.rbegin(), controlSkinners.rend(), skinner);
    if (it != controlSkinners.rend()) controlSkinners.erase(std::next(it).base());
    if (hotControl == skinner) hotControl = nullptr;
}

void TWinSkinForm::RemoveDestroyedSkinners() {
    for (size_t i = controlSkinners.size(); i-- > 0;) {
        TSkinControl* skinner = controlSkinners[i];
        if (skinner->State() != ssWindowDestroyed) continue;
        controlSkinners.erase(controlSkinners.begin() + static_cast<std::ptrdiff_t>(i));
        if (hotControl == skinner) hotControl = nullptr;
        delete skinner;
    }
}

void TWinSkinForm::FreeControlSkinners() {
    while (!controlSkinners.empty()) {
        TSkinControl* skinner = controlSkinners.front();
        controlSkinners.erase(controlSkinners.begin());
        if (hotControl == skinner) hotControl = nullptr;
        if (skinner->State() != ssWindowDestroyed) skinner->RestoreColor();
        delete skinner;
    }
}
