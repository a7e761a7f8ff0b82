// The tool-button drawing handler: a tool bar's buttons get their face from the skin's button
// image, in the cell of their custom-draw state, and their text colour from the skin.
#include "forms/graphics.h"
#include "skin/bitmap_slice_win.h"
#include "skin/frame/win_skin_form.h"
#include "skin/skin_data.h"

bool TWinSkinForm::ToolButtonDraw(TCanvas& canvas, const TRect& bounds,
                                  const TToolButtonState& state) {
    if (!skin || skinState != fsActive) return false;
    TDataSkinButton& buttons = skin->Skin().Buttons;
    if (buttons.Image.Empty()) return false;
    const int cell = ToolButtonCell(state);
    if (cell == 0) return false;
    if (cell == 1 && buttons.HasNormalColour2) canvas.Font()->SetColor(buttons.NormalColour2);
    if (cell == 4 && buttons.HasMouseOverColour2) canvas.Font()->SetColor(buttons.MouseOverColour2);
    if (cell == 2 && buttons.HasPressedColour2) canvas.Font()->SetColor(buttons.PressedColour2);
    const TRect face{bounds.left + 1, bounds.top + 1, bounds.right - 1, bounds.bottom - 1};
    if (face.Width() <= 0 || face.Height() <= 0) return false;
    DrawNineSlice(canvas.Handle(), face, buttons.Image,
                  {buttons.LeftWidth, buttons.TopHeight, buttons.RightWidth, buttons.BottomHeight},
                  cell, 5, buttons.Trans != 0, false, false);
    return true;
}
