#pragma once
// What a frame skinner offers the control skinners of its window and the classification: the
// list of control skinners, the one canvas they all draw with, the hot control skinner, and the
// component that owns skinners of bare child windows. The frame skinner (skin/frame) implements
// it; this folder needs nothing else of it.

#include <vector>

class TCanvas;
class TComponent;
class TSkinControl;
class TSkinData;

class TControlSkinnerHost {
public:
    virtual ~TControlSkinnerHost() = default;

    // Appends unless listed; answers whether it was listed already.
    virtual bool AddControlSkinner(TSkinControl* skinner) = 0;
    // Removes its first entry, searching from the end; a hot skinner stops being hot.
    virtual void RemoveControlSkinner(TSkinControl* skinner) = 0;
    virtual const std::vector<TSkinControl*>& ControlSkinners() const = 0;
    // Frees, from last to first, every listed skinner whose window is destroyed.
    virtual void RemoveDestroyedSkinners() = 0;

    virtual TCanvas* ControlCanvas() = 0;
    virtual TSkinControl* HotControl() const = 0;
    virtual void SetHotControl(TSkinControl* skinner) = 0;
    // The owner of skinners made for bare child windows.
    virtual TComponent* SkinnerOwner() = 0;
};
