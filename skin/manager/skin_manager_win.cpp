#include "skin/controls/skin_manager.h"

#include <algorithm>

#include "forms/callback_guard.h"
#include "forms/forms.h"

int32_t OsVersion = 0;

namespace {

TSkinManage* activeManager = nullptr;  // the instance the hook procedure reports to

std::wstring ClassNameOf(HWND window) {
    wchar_t name[101] = {};
    GetClassNameW(window, name, 101);
    return name;
}

std::wstring Lower(std::wstring text) {
    for (wchar_t& c : text) c = static_cast<wchar_t>(towlower(c));
    return text;
}

}  // namespace

TSkinManage::TSkinManage() {
    timer.SetEnabled(false);
    timer.SetInterval(250);
    timer.OnTimer = [this](TObject*) { RunPendingAction(); };
    activeManager = this;
}

TSkinManage::~TSkinManage() {
    if (hookHandle) UnhookWindowsHookEx(hookHandle);
    if (activeManager == this) activeManager = nullptr;
}

void TSkinManage::RegisterSkin(TSkinData* skin) { skins.push_back(skin); }

void TSkinManage::UnregisterSkin(TSkinData* skin) {
    skins.erase(std::remove(skins.begin(), skins.end(), skin), skins.end());
    if (pendingSkin == skin) pendingSkin = nullptr;
}

void TSkinManage::InstallHook() {
    if (hookHandle) return;
    hookHandle = SetWindowsHookExW(WH_CBT, HookProc, nullptr, GetCurrentThreadId());
    OsVersion = static_cast<int32_t>(GetVersion());
}

LRESULT CALLBACK TSkinManage::HookProc(int code, WPARAM wParam, LPARAM lParam) {
    TSkinManage* self = activeManager;
    if (code >= 0 && self && code == HCBT_ACTIVATE) {
        // Skinning a window can run the application's OnFormSkin: its errors are shown, and
        // the hook chain goes on either way.
        GuardCallback([&] {
            if (self->activationCount == 0) self->activationCount = 1;
            self->SkinWindow(reinterpret_cast<HWND>(wParam));
        });
    }
    return CallNextHookEx(self ? self->hookHandle : nullptr, code, wParam, lParam);
}

TCustomForm* TSkinManage::FindAppForm(HWND window) {
    for (int i = 0; i < Screen->FormCount(); ++i) {
        TCustomForm* form = Screen->Forms(i);
        if (form->HandleAllocated() && form->Handle() == window) return form;
    }
    return nullptr;
}

TSkinData* TSkinManage::ChooseSkin(HWND window, const std::wstring& className) const {
    for (auto it = skins.rbegin(); it != skins.rend(); ++it) {
        auto* owner = dynamic_cast<TWinControl*>((*it)->Owner());
        if ((*it)->SkinFormtype() == sfOnlyThisForm && owner && owner->HandleAllocated() &&
            owner->Handle() == window)
            return *it;
    }
    const std::wstring lower = Lower(className);
    if (lower == L"tmessageform" || lower == L"#32770") {
        for (auto it = skins.rbegin(); it != skins.rend(); ++it)
            if ((*it)->SkinFormtype() == sfDialog) return *it;
    }
    for (auto it = skins.rbegin(); it != skins.rend(); ++it)
        if ((*it)->SkinFormtype() == sfMainform) return *it;
    return skins.empty() ? nullptr : skins.front();
}

bool TSkinManage::FormSkinQuery(const std::wstring& className) const {
    for (TSkinData* skin : skins) {
        if (skin->SkinFormtype() != sfMainform) continue;
        bool doSkin = true;
        skin->CheckFormSkin(className, doSkin);
        return doSkin;
    }
    return true;
}

bool TSkinManage::SkinWindow(HWND window) {
    if (!enabled || !IsWindow(window)) return false;
    if (SendMessageW(window, CN_IsSkinned, 0, 0) == 1) return false;
    TCustomForm* form = FindAppForm(window);
    const std::wstring className = ClassNameOf(window);
    if (!forceAll && (GetWindowLongW(window, GWL_STYLE) & WS_CHILD) &&
        Lower(ClassNameOf(GetParent(window))) == L"mdiclient")
        return false;
    RECT r{};
    GetWindowRect(window, &r);
    if ((r.right - r.left) * (r.bottom - r.top) == 0) return false;
    if (form && form->Tag() == 99) return false;
    if (className == L"TApplication") return false;
    if (!FormSkinQuery(className)) return false;
    TSkinData* skin = ChooseSkin(window, className);
    if (!skin || skin->Empty()) return false;
    // FIXME: attach the frame skinner here and post CN_SkinActive (wParam 0, lParam 1000).
    return false;
}

void TSkinManage::SkinForm(TCustomForm* form) {
    if (!form->Visible() || !form->HandleAllocated()) return;
    if ((GetWindowLongW(form->Handle(), GWL_STYLE) & WS_CHILD) && form->FormStyle() != fsMDIChild)
        return;
    SkinWindow(form->Handle());
}

void TSkinManage::ScheduleAction(int action, int intervalMs) {
    pendingAction = action;
    timer.SetInterval(intervalMs);
    if (activationCount != 0) {
        timer.SetEnabled(true);
        return;
    }
    // Before any window has been activated an action only records whether skinning is on.
    if (action == 1) enabled = true;
    if (action == 2) enabled = false;
}

void TSkinManage::ClearFormCaches() {}

void TSkinManage::RunPendingAction() {
    if (!pendingSkin) return;
    timer.SetEnabled(false);
    TSkinData* skin = pendingSkin;
    const bool onlyThisForm = skin->SkinFormtype() == sfOnlyThisForm;
    switch (pendingAction) {
        case 1:
            enabled = true;
            forceAll = true;
            for (int i = Screen->FormCount() - 1; i >= 0; --i) {
                TCustomForm* form = Screen->Forms(i);
                if (onlyThisForm && skin->Owner() != form) continue;
                SkinForm(form);
                if (onlyThisForm) break;
            }
            forceAll = false;
            break;
        case 2: enabled = false; break;
        default: break;  // 3 and 6 work on frame skinners only
    }
    skin->DoSkinChanged();
    pendingSkin = nullptr;
}

void InstallSkinManager() {
    SetSkinManagerFactory([]() -> TSkinManagerLink* { return new TSkinManage(); });
}
