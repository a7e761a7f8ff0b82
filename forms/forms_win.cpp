#include "forms/forms.h"

#include <algorithm>

#include "forms/application.h"
#include "forms/bit_btn.h"
#include "forms/buttons.h"
#include "forms/callback_guard.h"
#include "forms/combo_box.h"
#include "forms/common_controls.h"
#include "forms/containers.h"
#include "forms/edits.h"
#include "forms/image.h"
#include "forms/label.h"
#include "forms/list_view.h"
#include "forms/menus.h"
#include "forms/page_control.h"
#include "forms/scroll_bar.h"
#include "forms/tab_set.h"
#include "forms/speed_button.h"
#include "forms/exception.h"
#include "forms/form_reader.h"
#include "forms/text.h"

const TEnumInfo PositionType{
    "TPosition",
    {"poDesigned", "poDefault", "poDefaultPosOnly", "poDefaultSizeOnly", "poScreenCenter",
     "poDesktopCenter", "poMainFormCenter", "poOwnerFormCenter"}};
const TEnumInfo FormBorderStyleType{
    "TFormBorderStyle",
    {"bsNone", "bsSingle", "bsSizeable", "bsDialog", "bsToolWindow", "bsSizeToolWin"}};
const TEnumInfo BorderIconType{"TBorderIcon",
                               {"biSystemMenu", "biMinimize", "biMaximize", "biHelp"}};
const TEnumInfo FormStyleType{"TFormStyle", {"fsNormal", "fsMDIChild", "fsMDIForm", "fsStayOnTop"}};

PONDERIX_DEFINE_CLASS(TCustomForm, [](TClassBuilder<TCustomForm>& b) {
    b.String("Caption", &TCustomForm::Caption, &TCustomForm::SetCaption);
    b.Enum("Position", PositionType, &TCustomForm::Position, &TCustomForm::SetPosition);
    b.Enum("BorderStyle", FormBorderStyleType, &TCustomForm::BorderStyle,
           &TCustomForm::SetBorderStyle);
    b.Set("BorderIcons", BorderIconType, &TCustomForm::BorderIcons, &TCustomForm::SetBorderIcons);
    b.Enum("FormStyle", FormStyleType, &TCustomForm::FormStyle, &TCustomForm::SetFormStyle);
    b.Integer("ClientWidth", &TCustomForm::ClientWidth, &TCustomForm::SetClientWidth);
    b.Integer("ClientHeight", &TCustomForm::ClientHeight, &TCustomForm::SetClientHeight);
    b.Object<TMainMenu>("Menu", &TCustomForm::Menu, &TCustomForm::SetMenu);
    b.Event("OnCreate", &TCustomForm::OnCreate);
    b.Event("OnDestroy", &TCustomForm::OnDestroy);
    b.Event("OnShow", &TCustomForm::OnShow);
    b.Event("OnClose", &TCustomForm::OnClose);
})
PONDERIX_DEFINE_CLASS(TForm, [](TClassBuilder<TForm>&) {})

TCustomForm::TCustomForm(TComponent* owner) : TWinControl(owner) {
    visible = false;
    SetColor(clBtnFace);
    Screen->forms.push_back(this);
}

TCustomForm::~TCustomForm() {
    // The window goes after this body: it must not take the menu's native menu with it.
    if (auto* mainMenu = dynamic_cast<TMainMenu*>(menu)) {
        if (HandleAllocated() && mainMenu->WindowHandle() == Handle())
            mainMenu->SetWindowHandle(nullptr);
        menu->RemoveFreeNotification(this);
    }
    if (OnDestroy) GuardCallback([this] { OnDestroy(this); });
    auto& list = Screen->forms;
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
    if (Application->MainForm() == this) Application->ForgetMainForm();
}

void TCustomForm::DoCreate() {
    if (OnCreate) OnCreate(this);
}

void TCustomForm::SetBorderStyle(TFormBorderStyle value) {
    borderStyle = value;
    ApplyFrameStyle();
}

void TCustomForm::SetBorderIcons(TBorderIcons value) {
    borderIcons = value;
    ApplyFrameStyle();
}

void TCustomForm::SetMenu(TComponent* value) {
    if (value == menu) return;
    auto* mainMenu = dynamic_cast<TMainMenu*>(value);
    if (value && !mainMenu)
        throw EInvalidOperation(L"窗体菜单必须是 TMainMenu, 而不是 " +
                                Utf8ToWide(value->ClassName()));
    for (TCustomForm* other : Screen->forms)
        if (other != this && value && other->menu == value)
            throw EInvalidOperation(L"菜单 " + value->Name() + L" 已被另一窗体使用");
    if (auto* old = dynamic_cast<TMainMenu*>(menu)) {
        if (HandleAllocated() && old->WindowHandle() == Handle()) old->SetWindowHandle(nullptr);
        old->RemoveFreeNotification(this);
    }
    menu = value;
    if (mainMenu) {
        mainMenu->FreeNotification(this);
        if (HandleAllocated()) mainMenu->SetWindowHandle(Handle());
    }
}

void TCustomForm::AfterCreateHandle() {
    TWinControl::AfterCreateHandle();
    if (auto* mainMenu = dynamic_cast<TMainMenu*>(menu)) mainMenu->SetWindowHandle(Handle());
}

void TCustomForm::Notification(TComponent* component, TOperation operation) {
    TWinControl::Notification(component, operation);
    // The menu took itself off the window as it went.
    if (operation == TOperation::opRemove && component == menu) menu = nullptr;
}

bool TCustomForm::MenuMessage(TMessage& message) {
    auto* mainMenu = dynamic_cast<TMainMenu*>(menu);
    if (!mainMenu) return false;
    switch (message.Msg) {
        case WM_COMMAND:
            // From a menu: notification code 0 and no control window.
            if (HIWORD(message.WParam) != 0 || message.LParam != 0) return false;
            return mainMenu->DispatchCommand(LOWORD(message.WParam));
        case WM_MEASUREITEM: {
            auto& measure = *reinterpret_cast<MEASUREITEMSTRUCT*>(message.LParam);
            TMenuItem* item = measure.CtlType == ODT_MENU
                                  ? mainMenu->FindItem(measure.itemID, fkCommand)
                                  : nullptr;
            if (!item) return false;
            MeasureMenuItemMessage(*item, Handle(), measure);
            message.Result = TRUE;
            return true;
        }
        case WM_DRAWITEM: {
            const auto& draw = *reinterpret_cast<const DRAWITEMSTRUCT*>(message.LParam);
            TMenuItem* item =
                draw.CtlType == ODT_MENU ? mainMenu->FindItem(draw.itemID, fkCommand) : nullptr;
            if (!item) return false;
            DrawMenuItemMessage(*item, draw);
            message.Result = TRUE;
            return true;
        }
        case WM_INITMENUPOPUP:
            // A drop-down about to open runs its item's OnClick, which may still change the
            // sub-items; the system shows them afterwards.
            if (HIWORD(message.LParam) == 0) {
                if (TMenuItem* item = mainMenu->FindItem(message.WParam, fkHandle)) item->Click();
            }
            return false;
        case WM_MENUCHAR: {
            const auto native = reinterpret_cast<HMENU>(message.LParam);
            if (mainMenu->Handle() != native &&
                !mainMenu->FindItem(reinterpret_cast<UINT_PTR>(native), fkHandle))
                return false;
            message.Result =
                MenuCharMessage(*mainMenu, static_cast<wchar_t>(LOWORD(message.WParam)), native);
            return true;
        }
        case CM_MENUCHANGED:
            // Setting the menu again makes the frame take the bar's new items and height; a
            // skinned frame that took the bar away takes it again from here.
            if (mainMenu->WindowHandle() == Handle()) {
                ::SetMenu(Handle(), mainMenu->Handle());
                DrawMenuBar(Handle());
            }
            return true;
        case WM_DESTROY:
            // DestroyWindow would destroy the native menu that the main menu owns.
            if (mainMenu->WindowHandle() == Handle()) mainMenu->SetWindowHandle(nullptr);
            return false;
    }
    return false;
}

namespace {

DWORD FrameStyle(TFormBorderStyle border, TBorderIcons icons) {
    DWORD style = WS_CLIPCHILDREN;
    switch (border) {
        case bsNone: style |= WS_POPUP; break;
        case bsSingle:
        case bsToolWindow: style |= WS_CAPTION | WS_BORDER; break;
        case bsSizeable:
        case bsSizeToolWin: style |= WS_CAPTION | WS_THICKFRAME; break;
        case bsDialog: style |= WS_POPUP | WS_CAPTION | DS_MODALFRAME; break;
    }
    if (border != bsNone && (icons & (1u << biSystemMenu))) {
        style |= WS_SYSMENU;
        if (border != bsDialog && border != bsToolWindow && border != bsSizeToolWin) {
            if (icons & (1u << biMinimize)) style |= WS_MINIMIZEBOX;
            if (icons & (1u << biMaximize)) style |= WS_MAXIMIZEBOX;
        }
    }
    return style;
}

DWORD FrameExStyle(TFormBorderStyle border) {
    switch (border) {
        case bsDialog: return WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE;
        case bsToolWindow:
        case bsSizeToolWin: return WS_EX_TOOLWINDOW;
        default: return 0;
    }
}

}  // namespace

void TCustomForm::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.Style = FrameStyle(borderStyle, borderIcons);
    params.ExStyle = FrameExStyle(borderStyle);
    if (formStyle == fsStayOnTop) params.ExStyle |= WS_EX_TOPMOST;
    params.WndParent = nullptr;
    if (TCustomForm* main = Application->MainForm(); main && main != this)
        params.WndParent = main->Handle();  // secondary windows stay above the main one
    if (clientWidth >= 0 || clientHeight >= 0) {
        RECT r{0, 0, clientWidth >= 0 ? clientWidth : Width(),
               clientHeight >= 0 ? clientHeight : Height()};
        // The client size is kept with a menu bar too.
        auto* mainMenu = dynamic_cast<TMainMenu*>(menu);
        AdjustWindowRectEx(&r, params.Style, mainMenu && mainMenu->Items()->Count() > 0,
                           params.ExStyle);
        params.Width = r.right - r.left;
        params.Height = r.bottom - r.top;
    }
    PlaceOnScreen(params);
}

void TCustomForm::PlaceOnScreen(TCreateParams& params) const {
    if (position == poScreenCenter || position == poDesktopCenter || position == poMainFormCenter ||
        position == poOwnerFormCenter) {
        RECT work;
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
        params.X = work.left + (work.right - work.left - params.Width) / 2;
        params.Y = work.top + (work.bottom - work.top - params.Height) / 2;
    } else if (position == poDefault || position == poDefaultPosOnly) {
        params.X = params.Y = CW_USEDEFAULT;
    }
}

void TCustomForm::ApplyFrameStyle() {
    if (!HandleAllocated()) return;
    const int wantWidth = ClientWidth(), wantHeight = ClientHeight();
    const LONG keep = GetWindowLongW(Handle(), GWL_STYLE) & (WS_VISIBLE | WS_DISABLED);
    SetWindowLongW(Handle(), GWL_STYLE,
                   static_cast<LONG>(FrameStyle(borderStyle, borderIcons) | keep));
    SetWindowLongW(Handle(), GWL_EXSTYLE, static_cast<LONG>(FrameExStyle(borderStyle)));
    SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    SetClientWidth(wantWidth);
    SetClientHeight(wantHeight);
}

int TCustomForm::ClientWidth() {
    if (!HandleAllocated()) return clientWidth >= 0 ? clientWidth : Width();
    RECT r;
    GetClientRect(Handle(), &r);
    return r.right;
}

int TCustomForm::ClientHeight() {
    if (!HandleAllocated()) return clientHeight >= 0 ? clientHeight : Height();
    RECT r;
    GetClientRect(Handle(), &r);
    return r.bottom;
}

void TCustomForm::SetClientWidth(int value) {
    if (!HandleAllocated()) {
        clientWidth = value;
        return;
    }
    RECT client, window;
    GetClientRect(Handle(), &client);
    GetWindowRect(Handle(), &window);
    SetBounds(Left(), Top(), window.right - window.left - client.right + value, Height());
}

void TCustomForm::SetClientHeight(int value) {
    if (!HandleAllocated()) {
        clientHeight = value;
        return;
    }
    RECT client, window;
    GetClientRect(Handle(), &client);
    GetWindowRect(Handle(), &window);
    SetBounds(Left(), Top(), Width(), window.bottom - window.top - client.bottom + value);
}

void TCustomForm::SetVisible(bool value) {
    if (value == visible) return;
    visible = value;
    if (value) {
        ShowWindow(Handle(), SW_SHOW);
        if (OnShow) OnShow(this);
    } else if (HandleAllocated()) {
        ShowWindow(Handle(), SW_HIDE);
    }
    Perform(CM_VISIBLECHANGED, value);
}

void TCustomForm::Show() {
    SetVisible(true);
    SetForegroundWindow(Handle());
    BringWindowToTop(Handle());
}

void TCustomForm::Close() {
    TCloseAction action = Application->MainForm() == this ? caFree : caHide;
    if (OnClose) OnClose(this, action);
    if (action == caNone) return;
    if (Application->MainForm() == this) {
        Application->Terminate();
    } else if (action == caHide) {
        Hide();
    } else if (action == caMinimize) {
        ShowWindow(Handle(), SW_MINIMIZE);
    } else {
        Release();
    }
}

void TCustomForm::Release() { PostMessageW(Handle(), CM_RELEASE, 0, 0); }

void TCustomForm::WndProc(TMessage& message) {
    if (MenuMessage(message)) return;
    switch (message.Msg) {
        case WM_CLOSE: Close(); return;
        case CM_RELEASE: FreeAfterDispatch(); return;
        case WM_SHOWWINDOW:
            if (message.LParam == 0) visible = message.WParam != 0;
            break;
        case WM_ACTIVATE:
            if (KeepFocusOnActivation(message)) {
                message.Result = 0;
                return;
            }
            break;
    }
    TWinControl::WndProc(message);
}

bool TCustomForm::KeepFocusOnActivation(const TMessage& message) {
    // The system's default handling gives the focus to the window itself, so after a message
    // box, or a visit to another window, the user could not go on typing where they were.
    const HWND window = Handle();
    if (LOWORD(message.WParam) == WA_INACTIVE) {
        const HWND focus = GetFocus();
        if (focus && IsChild(window, focus)) focusedChild = focus;
        return false;
    }
    const HWND child = focusedChild;
    if (HIWORD(message.WParam) != 0 || !child || !IsChild(window, child) ||
        !IsWindowVisible(child) || !IsWindowEnabled(child))
        return false;
    ::SetFocus(child);
    return true;
}

// ---- TScreen --------------------------------------------------------------------------------

PONDERIX_DEFINE_CLASS(TScreen, [](TClassBuilder<TScreen>&) {})

TScreen::TScreen(TComponent* owner) : TComponent(owner) {}

TFont* TScreen::MenuFont() {
    if (!menuFontRead) {
        NONCLIENTMETRICSW metrics{};
        metrics.cbSize = sizeof metrics;
        if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
            const LOGFONTW& lf = metrics.lfMenuFont;
            menuFont.SetName(lf.lfFaceName);
            menuFont.SetHeight(lf.lfHeight);
            menuFont.SetCharset(lf.lfCharSet);
            menuFont.SetStyle((lf.lfWeight >= FW_BOLD ? 1u << fsBold : 0) |
                              (lf.lfItalic ? 1u << fsItalic : 0));
        }
        menuFontRead = true;
    }
    return &menuFont;
}

// ---- form resources -------------------------------------------------------------------------

bool ReadFormResource(TComponent& root) {
    std::wstring name = Utf8ToWide(root.ClassName());
    for (wchar_t& c : name) c = static_cast<wchar_t>(towupper(c));
    HMODULE module = GetModuleHandleW(nullptr);
    HRSRC resource = FindResourceW(module, name.c_str(), MAKEINTRESOURCEW(10) /* RT_RCDATA */);
    if (!resource) return false;
    HGLOBAL loaded = LoadResource(module, resource);
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    if (!bytes) throw EReadError(L"无法读取窗体资源 " + name);
    const std::string_view text(static_cast<const char*>(bytes), SizeofResource(module, resource));
    ReadComponentFromText(root, text, name);
    return true;
}

void RegisterFormClasses() {
    RegisterControlClasses();
    RegisterButtonClasses();
    RegisterComboBoxClasses();
    RegisterContainerClasses();
    RegisterEditClasses();
    RegisterLabelClasses();
    RegisterPageControlClasses();
    RegisterTabSetClasses();
    RegisterMenuClasses();
    RegisterImageClasses();
    RegisterBitBtnClasses();
    RegisterSpeedButtonClasses();
    RegisterScrollBarClasses();
    RegisterListViewClasses();
    RegisterCommonControlClasses();
    RegisterComponentClass(TForm::StaticClass());
}
