#include "skin/manager/skin_manager.h"

#include <algorithm>
#include <utility>

#include "forms/callback_guard.h"
#include "forms/forms.h"
#include "skin/frame/min_animation.h"

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
    popupSkinners.clear();
    // The frame skinners switched the system's minimise animation off; the user's setting returns.
    RestoreMinAnimation();
    // Frame skinners of forms stay with their forms, which must not reach this manager any
    // more; those of bare windows belong to the manager.
    for (TWinSkinForm* skinner : std::exchange(formSkinners, {})) {
        skinner->ForgetManager();
        if (!skinner->Owner()) delete skinner;
    }
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
    if (code >= 0 && self) {
        const HWND window = reinterpret_cast<HWND>(wParam);
        // Skinning a window can run the application's OnFormSkin: its errors are shown, and
        // the hook chain goes on either way; the hook never vetoes anything.
        GuardCallback([&] {
            switch (code) {
                case HCBT_CREATEWND:
                    if (ClassNameOf(window) == L"#32768") self->SkinPopupMenu(window);
                    break;
                case HCBT_DESTROYWND: self->ReleasePopupMenu(window); break;
                case HCBT_ACTIVATE:
                    if (self->activationCount == 0) self->activationCount = 1;
                    self->SkinWindow(window);
                    break;
                default: break;
            }
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
    PurgeFormSkinners();
    if (FindFormSkinner(window)) return false;
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
    auto* skinner = new TWinSkinForm(form, this);
    skinner->SetHandle(window);
    if (form)
        skinner->AttachToForm(skin, form);
    else
        skinner->Attach(skin);
    formSkinners.push_back(skinner);
    PostMessageW(window, CN_SkinActive, 0, 1000);
    return true;
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

// A new parse has freed the skin's title-bar buttons: the frame skinners drop theirs at once, and
// take new ones (with the new frame metrics) when the skin change is applied.
void TSkinManage::ClearFormCaches() {
    for (TWinSkinForm* skinner : formSkinners) skinner->FreeSysButtons();
}

TWinSkinForm* TSkinManage::FindFormSkinner(HWND window) const {
    for (TWinSkinForm* skinner : formSkinners)
        if (skinner->Handle() == window) return skinner;
    return nullptr;
}

void TSkinManage::RemoveFormSkinner(TWinSkinForm* skinner) {
    const auto it = std::find(formSkinners.begin(), formSkinners.end(), skinner);
    if (it != formSkinners.end()) formSkinners.erase(it);
}

void TSkinManage::Free(TWinSkinForm* skinner) {
    RemoveFormSkinner(skinner);
    skinner->ForgetManager();
    delete skinner;
}

void TSkinManage::PurgeFormSkinners() {
    for (size_t i = formSkinners.size(); i-- > 0;)
        if (i < formSkinners.size() && formSkinners[i]->SkinState() == fsWindowDestroyed)
            Free(formSkinners[i]);
}

void TSkinManage::Unskin(TWinSkinForm* skinner) {
    const HWND window = skinner->Handle();
    skinner->Detach();
    if (IsWindow(window)) {
        InvalidateRect(window, nullptr, TRUE);
        UpdateWindow(window);
    }
    Free(skinner);
}

void TSkinManage::SkinPopupMenu(HWND window) {
    if (!enabled || SendMessageW(window, CN_IsSkinned, 0, 0) == 1 || FindPopupSkinner(window))
        return;
    TSkinData* skin = ChooseSkin(window, ClassNameOf(window));
    // The main-menu setting, not the popup-menu one, decides whether menus are skinned.
    if (!skin || skin->Empty() || !HasSkinControl(skin->SkinControls(), xcMainMenu)) return;
    auto skinner = std::make_unique<TWinSkinPopMenu>();
    skinner->Attach(window, skin, nullptr, this);
    if (menuBarTracking) skinner->MarkFromMenuBar();
    popupSkinners.push_back(std::move(skinner));
}

bool TSkinManage::ReleasePopupMenu(HWND window) {
    bool released = false;
    for (auto it = popupSkinners.begin(); it != popupSkinners.end(); ++it) {
        if ((*it)->Handle() != window) continue;
        popupSkinners.erase(it);  // detaches it
        released = true;
        break;
    }
    if (popupSkinners.empty()) menuBarTracking = false;
    return released;
}

TWinSkinPopMenu* TSkinManage::FindPopupSkinner(HWND window) const {
    for (const auto& skinner : popupSkinners)
        if (skinner->Handle() == window) return skinner.get();
    return nullptr;
}

void TSkinManage::MarkPopupsFromMenuBar() {
    for (const auto& skinner : popupSkinners) skinner->MarkFromMenuBar();
}

// The MDI children are shown maximised inside the MDI client with their native caption, or each
// with its skinned frame.
void TSkinManage::SetMdiMaximized(bool value) {
    if (value == mdiMaximized) return;
    mdiMaximized = value;
    const std::vector<TWinSkinForm*> list = formSkinners;
    for (TWinSkinForm* skinner : list)
        if (skinner->Kind() == wkMdiChild) skinner->SetMdiPresentation(value);
}

bool TSkinManage::SkinMdiChild(HWND child) {
    const bool saved = std::exchange(forceAll, true);
    const bool skinned = SkinWindow(child);
    forceAll = saved;
    return skinned;
}

TWinSkinPopMenu* TSkinManage::PopupSkinnerForMenu(HMENU menu) const {
    for (const auto& skinner : popupSkinners)
        if (skinner->Menu() == menu) return skinner.get();
    return nullptr;
}

int TSkinManage::MdiChildCount() const {
    return static_cast<int>(std::count_if(formSkinners.begin(), formSkinners.end(),
                                          [](TWinSkinForm* s) { return s->Kind() == wkMdiChild; }));
}

void TSkinManage::SetMdiClient(HWND client, TCustomForm* parent) {
    mdiClient = client;
    mdiParent = parent;
}

void TSkinManage::RunPendingAction() {
    if (!pendingSkin) return;
    timer.SetEnabled(false);
    TSkinData* skin = pendingSkin;
    const bool onlyThisForm = skin->SkinFormtype() == sfOnlyThisForm;
    const auto usesSkin = [skin](TWinSkinForm* s) { return s->Skin() == skin; };
    switch (pendingAction) {
        case 1:
            enabled = true;
            forceAll = true;
            if (!onlyThisForm) PurgeFormSkinners();
            for (int i = Screen->FormCount() - 1; i >= 0; --i) {
                TCustomForm* form = Screen->Forms(i);
                if (onlyThisForm && skin->Owner() != form) continue;
                SkinForm(form);
                if (onlyThisForm) break;
            }
            forceAll = false;
            break;
        case 2:
            enabled = false;
            PurgeFormSkinners();
            for (size_t i = formSkinners.size(); i-- > 0;) {
                if (i >= formSkinners.size()) continue;
                if (onlyThisForm && !usesSkin(formSkinners[i])) continue;
                Unskin(formSkinners[i]);
                if (onlyThisForm) break;
            }
            break;
        case 3: {
            PurgeFormSkinners();
            // Each frame skinner reloads its frame metrics, refits and refreshes its controls.
            const std::vector<TWinSkinForm*> list = formSkinners;
            for (TWinSkinForm* s : list) {
                if (!usesSkin(s)) continue;
                s->ApplySkinChange();
                if (onlyThisForm) break;
            }
            break;
        }
        case 6: PurgeFormSkinners(); break;
        default: break;
    }
    skin->DoSkinChanged();
    pendingSkin = nullptr;
}

void InstallSkinManager() {
    SetSkinManagerFactory([]() -> TSkinManagerLink* { return new TSkinManage(); });
}
