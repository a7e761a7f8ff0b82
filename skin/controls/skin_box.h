#pragma once
// TSkinBox: panels, tool bars, navigators and forms placed inside forms take the skin's face
// colour while skinned and get their own colour back when skinning stops. The skinner does not
// sit in the control's window procedure: the control keeps painting itself, only its colour
// changes (and follows a new skin).

#include "skin/controls/skin_control.h"

// State of a box whose colour has been given back.
inline constexpr int ssColourRestored = 2;

class TSkinBox : public TSkinControl {
    PONDERIX_CLASS(TSkinBox, TSkinControl)
public:
    using TSkinControl::TSkinControl;

    void HookControl(TControlSkinnerHost* frame, TSkinData* skin, bool recolour,
                     TCanvas* canvas) override;
    void RestoreColor() override;
    void AfterMessage(TMessage&) override {}

private:
    bool savedParentColor = false;
};
