#pragma once
// TWinSkinForm: the frame skinner of one top-level window. It subclasses the window, keeps the
// list of the window's control skinners (with their shared canvas and the hot one), runs the
// control classification when it attaches, and gives the window back when detached.
//
// What is here: construction, the control skinner list, attaching to a form or a bare window
// with the window kind and the classification, the replaced window procedure's answers to the
// skin engine's own messages, and Detach/ReleaseWindow for all of that. The skinned frame itself
// (caption styles, frame metrics, title-bar buttons, painting, region, menu bar) is added to
// this class with the frame's work; until then the window keeps its native frame.

#include <windows.h>

#include <string>
#include <vector>

#include "forms/component.h"
#include "forms/graphics.h"
#include "skin/controls/control_skinner_host.h"
#include "skin/controls/replaced_window_proc.h"

class TCustomForm;
class TFormSkinnerRegistry;
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

struct TFrameSkinnerProcTag {
    static constexpr const wchar_t* PropertyName = L"PonderixFrameSkinner";
};

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
    // Refreshes every control skinner after a skin change.
    void ApplySkinChange();

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
    void WindowMessage(TMessage& message);
    void Unsubclass();

    TFormSkinnerRegistry* manager;
    TReplacedWindowProc<TFrameSkinnerProcTag> windowInstance;
    bool activated = false;
    std::wstring caption;
    std::wstring windowClass;
    bool frameEnabled = false;
    RECT clientRect{};
    HWND ownerWindow = nullptr;
    DWORD style = 0;
    HWND mdiClient = nullptr;
    TCanvas controlCanvas;
    TCustomForm* form = nullptr;
    HWND handle = nullptr;
    TSkinData* skin = nullptr;
    std::vector<TSkinControl*> controlSkinners;
    TSkinControl* hotControl = nullptr;
    int kind = wkNormal;
    int skinState = fsAttached;
};
