#pragma once
// The control skinner families. The button skinners have their own files; each other family
// gets its own drawing and message handling with its family's work (scroll bars and indicators;
// edits and containers); until then a family behaves as the base TSkinControl does: it follows
// the control's state and draws nothing of its own.

#include "skin/controls/skin_bit_button.h"
#include "skin/controls/skin_button.h"
#include "skin/controls/skin_check_box.h"
#include "skin/controls/skin_control.h"
#include "skin/controls/skin_edit.h"
#include "skin/controls/skin_progress.h"
#include "skin/controls/skin_status_bar.h"
#include "skin/controls/skin_track_bar.h"
#include "skin/controls/skin_up_down.h"

#define PONDERIX_SKIN_CONTROL_CLASS(Self, Parent) \
    class Self : public Parent {                  \
        PONDERIX_CLASS(Self, Parent)              \
    public:                                       \
        using Parent::Parent;                     \
    };

PONDERIX_SKIN_CONTROL_CLASS(TSkinComBox, TSkinControl)
PONDERIX_SKIN_CONTROL_CLASS(TSkinBox, TSkinControl)
PONDERIX_SKIN_CONTROL_CLASS(TSkinGroupBox, TSkinControl)
PONDERIX_SKIN_CONTROL_CLASS(TSkinTab, TSkinControl)
PONDERIX_SKIN_CONTROL_CLASS(TSkinTab31, TSkinControl)
PONDERIX_SKIN_CONTROL_CLASS(TSkinSizer, TSkinControl)
PONDERIX_SKIN_CONTROL_CLASS(TSkinScControl, TSkinControl)
PONDERIX_SKIN_CONTROL_CLASS(TSkinHeader, TSkinControl)

#undef PONDERIX_SKIN_CONTROL_CLASS

// The scroll bar skinner attaches with its own operation, in one of two modes: mode 1 drags
// the thumb itself, mode 0 leaves the drag to the control.
class TSkinScrollbar : public TSkinControl {
    PONDERIX_CLASS(TSkinScrollbar, TSkinControl)
public:
    using TSkinControl::TSkinControl;
    virtual void HookScrollControl(TWinControl* target, TSkinData* skin, int mode,
                                   TControlSkinnerHost* frame, TCanvas* canvas);
    int Mode() const { return mode; }
    bool OwnThumbDrag() const { return mode == 1; }

private:
    int mode = -1;  // not attached this way
};

class TSkinListView : public TSkinScrollbar {
    PONDERIX_CLASS(TSkinListView, TSkinScrollbar)
public:
    using TSkinScrollbar::TSkinScrollbar;
};
