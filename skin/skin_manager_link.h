#pragma once
// How the skin component reaches the one skin manager without depending on it: the manager (in
// skin/controls) registers a factory; the first component that needs the manager creates it
// through that factory, and the program frees it at its end.

class TSkinData;
struct HWND__;

class TSkinManagerLink {
public:
    virtual ~TSkinManagerLink() = default;

    virtual void RegisterSkin(TSkinData* skin) = 0;
    virtual void UnregisterSkin(TSkinData* skin) = 0;
    // Begins finding the application's windows as they are created and activated.
    virtual void InstallHook() = 0;
    // Skins one window now; answers whether a frame skinner was attached.
    virtual bool SkinWindow(HWND__* window) = 0;
    // Runs action 1 (skin), 2 (unskin), 3 (skin changed) or 6 (purge) after the interval.
    virtual void ScheduleAction(int action, int intervalMs) = 0;
    virtual void ClearFormCaches() = 0;
    virtual TSkinData* PendingSkin() const = 0;
    virtual void SetPendingSkin(TSkinData* skin) = 0;
    virtual bool Enabled() const = 0;
    virtual void SetEnabled(bool value) = 0;
    virtual int ActivationCount() const = 0;
    virtual void SetActivationCount(int value) = 0;
};

using TSkinManagerFactory = TSkinManagerLink* (*)();
void SetSkinManagerFactory(TSkinManagerFactory factory);
// The manager, or null when none exists yet.
TSkinManagerLink* ExistingSkinManager();
// The manager, created on first demand (null only when no factory was registered).
TSkinManagerLink* SkinManager();
// Frees the manager; components that outlive it simply find none.
void FreeSkinManager();
