#pragma once
// TSkinManage: the one process-wide skin manager. It keeps the registry of skin components,
// watches the GUI thread's windows through a WH_CBT hook, attaches a frame skinner to every
// top-level window that activates and a popup-menu skinner to every popup menu window that
// appears, and runs skin activation, deactivation and skin changes as deferred actions on a
// 250 ms timer. It also holds the MDI state that all frame skinners share.

#include <memory>
#include <vector>

#include "forms/forms.h"
#include "forms/timer.h"
#include "skin/frame/form_skinner_registry.h"
#include "skin/frame/win_skin_form.h"
#include "skin/frame/win_skin_pop_menu.h"
#include "skin/skin_data.h"
#include "skin/skin_manager_link.h"

// Private window messages of the skin engine.
constexpr UINT CN_SkinActive = 0x3503;
constexpr UINT CN_IsSkinned = 0x3504;

// GetVersion taken when the hook is installed; negative on the Windows 95 family.
extern int32_t OsVersion;

class TSkinManage : public TSkinManagerLink, public TFormSkinnerRegistry {
public:
    TSkinManage();
    ~TSkinManage() override;

    void RegisterSkin(TSkinData* skin) override;
    void UnregisterSkin(TSkinData* skin) override;
    void InstallHook() override;
    bool SkinWindow(HWND window) override;
    void ScheduleAction(int action, int intervalMs) override;
    void ClearFormCaches() override;
    TSkinData* PendingSkin() const override { return pendingSkin; }
    void SetPendingSkin(TSkinData* skin) override { pendingSkin = skin; }
    bool Enabled() const override { return enabled; }
    void SetEnabled(bool value) override { enabled = value; }
    int ActivationCount() const override { return activationCount; }
    void SetActivationCount(int value) override { activationCount = value; }

    const std::vector<TSkinData*>& Skins() const override { return skins; }
    HHOOK HookHandle() const { return hookHandle; }
    int PendingAction() const { return pendingAction; }
    bool TimerEnabled() const { return timer.Enabled(); }
    int TimerInterval() const { return timer.Interval(); }
    bool ForceAll() const { return forceAll; }

    // The skin a window of this class (and handle) would use, or null.
    TSkinData* ChooseSkin(HWND window, const std::wstring& className) const;
    // Whether a window of this class is to be skinned: the first main-form skin decides.
    bool FormSkinQuery(const std::wstring& className) const;
    // SkinWindow for a visible form (and an MDI child only as such).
    void SkinForm(TCustomForm* form);
    // Runs the pending action now, as the timer's tick does.
    void RunPendingAction();
    // The form of the application's screen whose window this is, or null.
    static TCustomForm* FindAppForm(HWND window);

    // Frame skinners, one per skinned top-level window, in the order attached.
    const std::vector<TWinSkinForm*>& FormSkinners() const { return formSkinners; }
    TWinSkinForm* FindFormSkinner(HWND window) const;
    void RemoveFormSkinner(TWinSkinForm* skinner) override;
    // Frees, from last to first, every frame skinner whose window is destroyed.
    void PurgeFormSkinners();

    // Popup-menu skinners, one per skinned popup menu window; owned.
    void SkinPopupMenu(HWND window);
    bool ReleasePopupMenu(HWND window);
    TWinSkinPopMenu* FindPopupSkinner(HWND window) const;
    size_t PopupSkinnerCount() const { return popupSkinners.size(); }
    void MarkPopupsFromMenuBar() override;
    TWinSkinPopMenu* PopupSkinnerForMenu(HMENU menu) const override;
    bool MenuBarTracking() const { return menuBarTracking; }
    void SetMenuBarTracking(bool value) override { menuBarTracking = value; }

    bool MdiMaximized() const override { return mdiMaximized; }
    void SetMdiMaximized(bool value) override;
    int MdiChildCount() const override;
    HWND MdiClient() const { return mdiClient; }
    TCustomForm* MdiParent() const override { return mdiParent; }
    void SetMdiClient(HWND client, TCustomForm* parent) override;
    // SkinWindow for an MDI child, which the hook and SkinWindow otherwise leave alone.
    bool SkinMdiChild(HWND child) override;

private:
    static LRESULT CALLBACK HookProc(int code, WPARAM wParam, LPARAM lParam);
    // Detaches a frame skinner, repaints its window natively and frees it (action 2).
    void Unskin(TWinSkinForm* skinner);
    void Free(TWinSkinForm* skinner);

    TTimer timer{nullptr};
    HHOOK hookHandle = nullptr;
    std::vector<TWinSkinForm*> formSkinners;
    std::vector<std::unique_ptr<TWinSkinPopMenu>> popupSkinners;
    std::vector<TSkinData*> skins;
    bool enabled = false;
    bool forceAll = false;
    int activationCount = 0;
    bool menuBarTracking = false;
    bool mdiMaximized = false;
    HWND mdiClient = nullptr;
    TCustomForm* mdiParent = nullptr;
    int pendingAction = 0;
    TSkinData* pendingSkin = nullptr;
};

// Registers TSkinManage as the manager that skin components create on first demand.
void InstallSkinManager();
