#pragma once
// What a frame skinner needs of the skin manager, which sits above this folder: being taken off
// the manager's list when it is freed, and the MDI state all frame skinners share.

class TCustomForm;
class TWinSkinForm;
struct HWND__;

class TFormSkinnerRegistry {
public:
    virtual ~TFormSkinnerRegistry() = default;
    // Takes the frame skinner off the list, without freeing it.
    virtual void RemoveFormSkinner(TWinSkinForm* skinner) = 0;
    virtual bool MdiMaximized() const = 0;
    // Records the MDI client a frame skinner found on its window, and that window's form.
    virtual void SetMdiClient(HWND__* client, TCustomForm* parent) = 0;
};
