#include "forms/application.h"

#include <commctrl.h>

#include <cwchar>

#include "forms/buttons.h"
#include "forms/exception.h"
#include "forms/menus.h"
#include "forms/page_control.h"
#include "forms/text.h"

// The screen is defined before the application so that it is destroyed after it: the forms the
// application frees at exit still unregister from the screen.
static TScreen theScreen(nullptr);
TScreen* Screen = &theScreen;
static TApplication theApplication(nullptr);
TApplication* Application = &theApplication;

PONDERIX_DEFINE_CLASS(TApplication, [](TClassBuilder<TApplication>&) {})

namespace {

std::wstring ModulePath() {
    std::wstring path(MAX_PATH, L'\0');
    while (true) {
        const DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n < path.size()) {
            path.resize(n);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

std::wstring FileNameOf(const std::wstring& path) {
    const size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

std::wstring MessageOf(const std::exception& error) {
    if (auto* e = dynamic_cast<const Exception*>(&error)) return e->Message();
    return Utf8ToWide(error.what());
}

}  // namespace

std::wstring ApplicationTitleFromPath(const std::wstring& path) {
    std::wstring name = FileNameOf(path);
    name = name.substr(0, name.find(L'.'));
    for (size_t i = 1; i < name.size(); ++i) name[i] = static_cast<wchar_t>(towlower(name[i]));
    return name;
}

std::wstring ErrorBoxText(const std::wstring& message) {
    if (!message.empty() && message.back() > L'.') return message + L".";
    return message;
}

std::wstring StartupFailureText(const std::exception& error, const std::wstring& moduleName) {
    const auto* e = dynamic_cast<const Exception*>(&error);
    const std::wstring kind = Utf8ToWide(e ? e->ClassName() : "Exception");
    wchar_t address[32];
    swprintf(
        address, 32, L"%016llX",
        static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(e ? e->Address() : nullptr)));
    std::wstring message = MessageOf(error);
    if (message.empty() || message.back() != L'.') message += L".";
    return L"异常 " + kind + L" 发生在模块 " + moduleName + L" 中的 " + address + L" 位置.\n" +
           message;
}

void ShowStartupFailure(const std::exception& error) {
    const std::wstring text = StartupFailureText(error, FileNameOf(ModulePath()));
    MessageBoxW(nullptr, text.c_str(), L"应用程序错误", MB_OK | MB_ICONERROR | MB_TASKMODAL);
}

TApplication::TApplication(TComponent* owner)
    : TComponent(owner), title(ApplicationTitleFromPath(ModulePath())) {}

void TApplication::Initialize() {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES |
                                                       ICC_TAB_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    RegisterFormClasses();
}

int TApplication::Run() {
    if (mainForm) mainForm->Show();
    MSG msg;
    while (!terminated) {
        const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0 || got == -1) break;
        if (IsDialogKey(msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    terminated = true;
    return 0;
}

void TApplication::ProcessMessages() {
    MSG msg;
    while (!terminated && PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            terminated = true;
            break;
        }
        if (IsDialogKey(msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

namespace {

// The class-library control that a window belongs to: itself, or the nearest parent that is one
// (the edit part of a combo box belongs to the combo box).
TWinControl* OwningControl(HWND window) {
    for (; window; window = GetParent(window))
        if (TWinControl* control = TWinControl::FromHandle(window)) return control;
    return nullptr;
}

template <class T, class Pred>
T* FindControl(TWinControl* root, Pred pred) {
    for (int i = 0; i < root->ControlCount(); ++i) {
        TControl* c = root->Controls(i);
        if (auto* t = dynamic_cast<T*>(c); t && pred(t)) return t;
        if (auto* w = dynamic_cast<TWinControl*>(c))
            if (T* found = FindControl<T>(w, pred)) return found;
    }
    return nullptr;
}

TPageControl* PageControlFor(TWinControl* control, TCustomForm* form) {
    for (TWinControl* c = control; c; c = c->Parent())
        if (auto* pages = dynamic_cast<TPageControl*>(c)) return pages;
    return FindControl<TPageControl>(form, [](TPageControl*) { return true; });
}

bool Usable(TControl* c) { return c->Showing() && c->Enabled(); }

}  // namespace

// A key pressed with a modifier, or a function key, may be a main-menu item's shortcut.
bool IsMenuShortCut(const MSG& msg, TCustomForm* form) {
    auto* menu = dynamic_cast<TMainMenu*>(form->Menu());
    if (!menu) return false;
    TShiftState shift = 0;
    if (GetKeyState(VK_SHIFT) < 0) shift |= ssShift;
    if (GetKeyState(VK_CONTROL) < 0) shift |= ssCtrl;
    if (GetKeyState(VK_MENU) < 0) shift |= ssAlt;
    const TShortCut shortCut = ShortCut(static_cast<uint32_t>(msg.wParam), shift);
    return shortCut != scNone && menu->IsShortCut(shortCut);
}

bool TApplication::IsDialogKey(const MSG& msg) {
    if (msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN) {
        TCustomForm* form = nullptr;
        for (TWinControl* c = OwningControl(msg.hwnd); c && !form; c = c->Parent())
            form = dynamic_cast<TCustomForm*>(c);
        try {
            if (form && IsMenuShortCut(msg, form)) return true;
        } catch (const std::exception& e) {
            HandleException(e);
            return true;
        }
    }
    if (msg.message != WM_KEYDOWN) return false;
    if (msg.wParam != VK_TAB && msg.wParam != VK_RETURN && msg.wParam != VK_ESCAPE) return false;
    TWinControl* control = OwningControl(msg.hwnd);
    TCustomForm* form = nullptr;
    for (TWinControl* c = control; c && !form; c = c->Parent())
        form = dynamic_cast<TCustomForm*>(c);
    if (!form) return false;
    MSG copy = msg;
    const auto code = static_cast<UINT>(
        SendMessageW(msg.hwnd, WM_GETDLGCODE, msg.wParam, reinterpret_cast<LPARAM>(&copy)));
    const bool control_down = GetKeyState(VK_CONTROL) < 0;
    const bool shift_down = GetKeyState(VK_SHIFT) < 0;
    try {
        switch (msg.wParam) {
            case VK_TAB: {
                if (control_down) {
                    TPageControl* pages = PageControlFor(control, form);
                    if (!pages) return false;
                    pages->SelectNextPage(!shift_down);
                    return true;
                }
                if (code & (DLGC_WANTTAB | DLGC_WANTALLKEYS)) return false;
                HWND next = GetNextDlgTabItem(form->Handle(), GetFocus(), shift_down);
                if (next) SetFocus(next);
                return true;
            }
            case VK_RETURN: {
                if (code & DLGC_WANTALLKEYS) return false;
                TButton* button = dynamic_cast<TButton*>(control);
                if (!button)
                    button = FindControl<TButton>(
                        form, [](TButton* b) { return b->Default() && Usable(b); });
                if (!button) return false;
                button->Click();
                return true;
            }
            case VK_ESCAPE: {
                if (code & DLGC_WANTALLKEYS) return false;
                TButton* button =
                    FindControl<TButton>(form, [](TButton* b) { return b->Cancel() && Usable(b); });
                if (!button) return false;
                button->Click();
                return true;
            }
        }
    } catch (const std::exception& e) {
        HandleException(e);
        return true;
    }
    return false;
}

void TApplication::Terminate() {
    if (!terminated) PostQuitMessage(0);
}

void TApplication::HandleException(const std::exception& error) {
    if (OnException) {
        OnException(this, error);
        return;
    }
    ShowException(error);
}

void TApplication::ShowException(const std::exception& error) {
    const std::wstring text = ErrorBoxText(MessageOf(error));
    HWND owner = GetActiveWindow();
    MessageBoxW(owner, text.c_str(), title.c_str(), MB_OK | MB_ICONERROR);
}

void ApplicationHandleException(const std::exception& error) {
    try {
        Application->HandleException(error);
    } catch (...) {
        // An OnException handler that fails itself must not take the window procedure down.
    }
}
