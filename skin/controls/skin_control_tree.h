#pragma once
// The control skinner families, each in its own files: everything the classification may
// attach.

#include "skin/controls/skin_bit_button.h"
#include "skin/controls/skin_box.h"
#include "skin/controls/skin_button.h"
#include "skin/controls/skin_check_box.h"
#include "skin/controls/skin_com_box.h"
#include "skin/controls/skin_control.h"
#include "skin/controls/skin_edit.h"
#include "skin/controls/skin_group_box.h"
#include "skin/controls/skin_header.h"
#include "skin/controls/skin_progress.h"
#include "skin/controls/skin_sc_control.h"
#include "skin/controls/skin_scrollbar.h"
#include "skin/controls/skin_sizer.h"
#include "skin/controls/skin_status_bar.h"
#include "skin/controls/skin_tab.h"
#include "skin/controls/skin_tab31.h"
#include "skin/controls/skin_track_bar.h"
#include "skin/controls/skin_up_down.h"
