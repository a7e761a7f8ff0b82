#pragma once
// What a frame skinner needs of the skin manager, which sits above this folder: being taken off
// the manager's list when it is freed, the registered skins, the MDI state all frame skinners
// share, and the popup-menu skinners the menus draw their items over.

#include <vector>

class TCustomForm;
class TSkinData;
class TWinSkinForm;
class TWinSkinPopMenu;
struct HWND__;
struct HMENU__;

class TFormSkinnerRegistry {
public:
    virtual ~TFormSkinnerRegistry() = default;
    // Takes the frame skinner off the list, without freeing it.
    virtual void RemoveFormSkinner(TWinSkinForm* skinner) = 0;
    // The registered skin components, in registration order.
    virtual const std::vector<TSkinData*>& Skins() const = 0;
    virtual bool MdiMaximized() const = 0;
    // Sets the shared flag; every MDI child's frame skinner switches its presentation.
    virtual void SetMdiMaximized(bool value) = 0;
    // Number of frame skinners of MDI children.
    virtual int MdiChildCount() const = 0;
    // Records the MDI client a frame skinner found on its window, and that window's form.
    virtual void SetMdiClient(HWND__* client, TCustomForm* parent) = 0;
    // The form of the MDI frame, or null (a bare MDI frame).
    virtual TCustomForm* MdiParent() const = 0;
    // Skins an MDI child just created through its MDI client; true when it was attached.
    virtual bool SkinMdiChild(HWND__* child) = 0;

    // Whether windows and menus are being skinned at all.
    virtual bool Enabled() const = 0;

    // Marks every current popup-menu skinner as opened from a skinned menu bar.
    virtual void MarkPopupsFromMenuBar() = 0;
    // The first popup-menu skinner showing this menu, or null.
    virtual TWinSkinPopMenu* PopupSkinnerForMenu(HMENU__* menu) const = 0;
    // Set while a drop-down of a skinned menu bar is open.
    virtual void SetMenuBarTracking(bool value) = 0;
};
