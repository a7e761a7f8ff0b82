#include "skin/controls/skin_box.h"

#include "skin/skin_data.h"

PONDERIX_DEFINE_CLASS(TSkinBox, [](TClassBuilder<TSkinBox>&) {})

void TSkinBox::HookControl(TControlSkinnerHost* frame, TSkinData* skinData, bool recolourOn,
                           TCanvas* sharedCanvas) {
    if (attached) return;
    auto* target = dynamic_cast<TControl*>(Owner());
    if (!target) return;
    recolour = recolourOn;
    skin = skinData;
    canvas = sharedCanvas;
    control = target;
    auto* windowed = dynamic_cast<TWinControl*>(target);
    handle = windowed ? windowed->Handle() : nullptr;
    frameSkinner = frame;
    ListWithFrameSkinner();
    if (recolour) {
        savedColor = target->Color();
        // Taking a colour ends following the parent's; it is given back with the colour.
        savedParentColor = target->ParentColor();
        target->SetColor(skin->Skin().ButtonFaceColour);
    }
    attached = true;
    state = ssAttached;
}

void TSkinBox::RestoreColor() {
    if (state == ssColourRestored) return;
    if (recolour && control) {
        control->SetColor(savedColor);
        if (savedParentColor) control->SetParentColor(true);
    }
    state = ssColourRestored;
}
