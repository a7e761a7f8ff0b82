#pragma once
// The scroll bars in a control's frame, when something in the control's WindowProc chain paints
// them instead of the platform. Before setting its bars a control asks with
// CM_SCROLLBARSPAINTED; an answer of 1 means they are painted for it, so it sets them without
// the platform's repaint (which would only be painted over) and then sends CM_SCROLLBARSCHANGED,
// on which the bars are painted: at once, or with the control's paint when one is pending, so a
// control that invalidates itself before setting its bars has them drawn once. Nothing answers
// for a control with the platform's bars.

#include "forms/messages.h"

constexpr UINT CM_SCROLLBARSPAINTED = CM_BASE + 61;  // 0xB03D
constexpr UINT CM_SCROLLBARSCHANGED = CM_BASE + 62;  // 0xB03E
