#include "skin/controls/skin_control_tree.h"

#define PONDERIX_DEFINE_SKINNER(Self) PONDERIX_DEFINE_CLASS(Self, [](TClassBuilder<Self>&) {})
PONDERIX_DEFINE_SKINNER(TSkinComBox)
PONDERIX_DEFINE_SKINNER(TSkinBox)
PONDERIX_DEFINE_SKINNER(TSkinGroupBox)
PONDERIX_DEFINE_SKINNER(TSkinTab)
PONDERIX_DEFINE_SKINNER(TSkinTab31)
PONDERIX_DEFINE_SKINNER(TSkinSizer)
PONDERIX_DEFINE_SKINNER(TSkinScControl)
PONDERIX_DEFINE_SKINNER(TSkinHeader)
PONDERIX_DEFINE_SKINNER(TSkinScrollbar)
PONDERIX_DEFINE_SKINNER(TSkinListView)
#undef PONDERIX_DEFINE_SKINNER

void TSkinScrollbar::HookScrollControl(TWinControl* target, TSkinData* skinData, int scrollMode,
                                       TControlSkinnerHost* frame, TCanvas* sharedCanvas) {
    if (attached || !target) return;
    frameSkinner = frame;
    skin = skinData;
    canvas = sharedCanvas;
    control = target;
    handle = target->Handle();
    ReplaceControlWindowProc(target);
    ListWithFrameSkinner();
    mode = scrollMode;
    // The window recomputes and repaints its frame, where the skinned bars will go.
    SetWindowPos(
        handle, nullptr, 0, 0, 0, 0,
        SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOREDRAW | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    attached = true;
    state = ssAttached;
}
