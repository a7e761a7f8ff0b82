#include "skin/frame/win_skin_form.h"

#include <algorithm>

#include "forms/forms.h"
#include "skin/controls/classification.h"
#include "skin/controls/skin_control.h"
#include "skin/frame/form_skinner_registry.h"
#include "skin/skin_data.h"

// The engine's private messages the frame's window procedure answers.
namespace {
constexpr UINT kSkinActive = 0x3503;  // CN_SkinActive
constexpr UINT kIsSkinned = 0x3504;   // CN_IsSkinned

std::wstring ClassNameOf(HWND window) {
    wchar_t name[101] = {};
    GetClassNameW(window, name, 101);
    return name;
}
}  // namespace

PONDERIX_DEFINE_CLASS(TWinSkinForm, [](TClassBuilder<TWinSkinForm>&) {})

TWinSkinForm::TWinSkinForm(TComponent* owner, TFormSkinnerRegistry* manager)
    : TComponent(owner), manager(manager) {}

TWinSkinForm::~TWinSkinForm() {
    FreeControlSkinners();
    Unsubclass();
    if (manager) manager->RemoveFormSkinner(this);
}

void TWinSkinForm::AttachToForm(TSkinData* skinData, TCustomForm* target) {
    form = target;
    Attach(skinData);
}

void TWinSkinForm::Attach(TSkinData* skinData) {
    if (windowInstance.Attached() || !IsWindow(handle)) return;
    skin = skinData;
    frameEnabled = HasSkinControl(skin->SkinControls(), xcMainMenu);
    style = static_cast<DWORD>(GetWindowLongW(handle, GWL_STYLE));
    caption = SkinWindowText(handle);
    windowClass = ClassNameOf(handle);
    ownerWindow = GetWindow(handle, GW_OWNER);
    GetClientRect(handle, &clientRect);
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
    // Without the frame the skinner is active at once: it only serves the control skinners.
    if (!frameEnabled) skinState = fsActive;
    windowInstance.Attach(handle, [this](TMessage& message) { WindowMessage(message); });
    TControlClassifier classifier(*this, *skin);
    if (form)
        classifier.SkinComponents(form);
    else
        classifier.SkinChildWindows(handle);
    InvalidateRect(handle, nullptr, TRUE);
}

void TWinSkinForm::WindowMessage(TMessage& message) {
    switch (message.Msg) {
        case kIsSkinned: message.Result = 1; return;
        case kSkinActive:
            activated = true;
            if (skinState == fsAttached) skinState = fsActive;
            return;
        case WM_NCDESTROY: {
            skinState = fsDestroying;
            const WNDPROC old = windowInstance.OldProc();
            const HWND window = handle;
            ReleaseWindow();
            message.Result =
                CallWindowProcW(old, window, message.Msg, message.WParam, message.LParam);
            skinState = fsWindowDestroyed;
            return;
        }
        default: break;
    }
    message.Result = windowInstance.CallOld(message.Msg, message.WParam, message.LParam);
}

void TWinSkinForm::Unsubclass() { windowInstance.Detach(); }

void TWinSkinForm::Detach() {
    if (!windowInstance.Attached()) return;
    Unsubclass();
    FreeControlSkinners();
    if (form && skinState != fsDestroying)
        for (int i = 0; i < form->ComponentCount(); ++i)
            if (auto* control = dynamic_cast<TControl*>(form->Components(i))) control->Invalidate();
}

void TWinSkinForm::ReleaseWindow() {
    if (!windowInstance.Attached()) return;
    Unsubclass();
    FreeControlSkinners();
}

void TWinSkinForm::ApplySkinChange() {
    const int previous = skinState;
    skinState = fsSkinChange;
    for (TSkinControl* skinner : controlSkinners) skinner->SkinChanged();
    skinState = previous == fsAttached ? fsAttached : fsActive;
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
