#pragma once
// TSkinManage: the one process-wide skin manager. It keeps the registry of skin components,
// watches the GUI thread's windows through a WH_CBT hook, and runs skin activation,
// deactivation and skin changes as deferred actions on a 250 ms timer.
//
// What is here: registration, the hook and its bookkeeping (first activation), the choice of a
// skin for a window, the form-skin query, the qualification of a window in SkinWindow, and the
// scheduling and timer rules. FIXME: frame skinners and popup-menu skinners are not attached
// yet — SkinWindow answers false after a window qualifies, and the actions that would detach,
// reload or purge frame skinners have none to work on — until the frame skinner exists.

#include <vector>

#include "forms/forms.h"
#include "forms/timer.h"
#include "skin/skin_data.h"
#include "skin/skin_manager_link.h"

// Private window messages of the skin engine.
constexpr UINT CN_SkinActive = 0x3503;
constexpr UINT CN_IsSkinned = 0x3504;

// GetVersion taken when the hook is installed; negative on the Windows 95 family.
extern int32_t OsVersion;

class TSkinManage : public TSkinManagerLink {
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

    const std::vector<TSkinData*>& Skins() const { return skins; }
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

private:
    static LRESULT CALLBACK HookProc(int code, WPARAM wParam, LPARAM lParam);
    static TCustomForm* FindAppForm(HWND window);

    TTimer timer{nullptr};
    HHOOK hookHandle = nullptr;
    std::vector<TSkinData*> skins;
    bool enabled = false;
    bool forceAll = false;
    int activationCount = 0;
    int pendingAction = 0;
    TSkinData* pendingSkin = nullptr;
};

// Registers TSkinManage as the manager that skin components create on first demand.
void InstallSkinManager();
