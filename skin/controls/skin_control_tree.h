#pragma once
// The control skinner families. Most have their own files, included here; the combo box and
// container families still behave as the base TSkinControl does: they follow the control's state
// and draw nothing of their own.

#include "skin/controls/skin_bit_button.h"
#include "skin/controls/skin_button.h"
#include "skin/controls/skin_check_box.h"
#include "skin/controls/skin_control.h"
#include "skin/controls/skin_edit.h"
#include "skin/controls/skin_header.h"
#include "skin/controls/skin_progress.h"
#include "skin/controls/skin_sc_control.h"
#include "skin/controls/skin_scrollbar.h"
#include "skin/controls/skin_sizer.h"
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

#undef PONDERIX_SKIN_CONTROL_CLASS
