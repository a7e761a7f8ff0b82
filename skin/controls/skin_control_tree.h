#pragma once
// The control skinner families. The button skinners have their own files; each other family
// gets its own drawing and message handling with its family's work (scroll bars and indicators;
// edits and containers); until then a family behaves as the base TSkinControl does: it follows
// the control's state and draws nothing of its own.

#include "skin/controls/skin_bit_button.h"
#include "skin/controls/skin_button.h"
#include "skin/controls/skin_check_box.h"
#include "skin/controls/skin_control.h"
#include "skin/controls/skin_header.h"
#include "skin/controls/skin_sc_control.h"
#include "skin/controls/skin_scrollbar.h"
#include "skin/controls/skin_sizer.h"

#define PONDERIX_SKIN_CONTROL_CLASS(Self, Parent) \
    class Self : public Parent {                  \
        PONDERIX_CLASS(Self, Parent)              \
    public:                                       \
        using Parent::Parent;                     \
    };

PONDERIX_SKIN_CONTROL_CLASS(TSkinComBox, TSkinControl)
PONDERIX_SKIN_CONTROL_CLASS(TSkinEdit, TSkinControl)
PONDERIX_SKIN_CONTROL_CLASS(TSkinStatusBar, TSkinControl)
PONDERIX_SKIN_CONTROL_CLASS(TSkinBox, TSkinControl)
PONDERIX_SKIN_CONTROL_CLASS(TSkinGroupBox, TSkinControl)
PONDERIX_SKIN_CONTROL_CLASS(TSkinUpDown, TSkinControl)
PONDERIX_SKIN_CONTROL_CLASS(TSkinTab, TSkinControl)
PONDERIX_SKIN_CONTROL_CLASS(TSkinTab31, TSkinControl)
PONDERIX_SKIN_CONTROL_CLASS(TSkinProgress, TSkinControl)
PONDERIX_SKIN_CONTROL_CLASS(TSkinTrackBar, TSkinControl)

#undef PONDERIX_SKIN_CONTROL_CLASS
