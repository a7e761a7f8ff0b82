#pragma once
// TSkinUpDown: an up-down's pair of arrow buttons painted entirely from the skin's UpDownVert
// (up and down) or UpDownHorz (left and right) element, or as plain bevelled buttons with a
// small arrow when the skin has no such element. It serves up-down controls, the spin buttons
// that live inside edits (InEdit: one pixel is left free all round for the edit's border) and
// the scroll arrows of tab strips (Kind 1: always the horizontal layout).
//
// The control keeps its own logic (capture, repeat, notifications): the skinner passes the
// button messages on and only tracks what the face needs, pressed and mouse over. Which button
// shows them is read from the cursor at every paint.

#include "forms/bitmap.h"
#include "skin/controls/skin_control.h"

class TDataSkinBorder;

class TSkinUpDown : public TSkinControl {
    PONDERIX_CLASS(TSkinUpDown, TSkinControl)
public:
    using TSkinControl::TSkinControl;

    bool BeforeMessage(TMessage& message) override;
    void DrawControl(HDC dc, const TRect& rect) override;

    bool InEdit() const { return inEdit; }
    void SetInEdit(bool value) { inEdit = value; }
    // 1 forces the horizontal layout (a tab strip's scroll arrows); 0 follows UDS_HORZ.
    int Kind() const { return kind; }
    void SetKind(int value) { kind = value; }

private:
    bool Horizontal() const;
    // Which button the cursor is over: 0 none, 1 the first (up or left), 2 the second.
    int ButtonUnderCursor() const;
    void TrackMouse(bool inside);
    void DrawButton(HDC dc, const TRect& button, int state, bool second, bool horizontal,
                    TDataSkinBorder* element);
    void DrawPlainButton(HDC dc, const TRect& button, int state, bool second, bool horizontal);

    bool inEdit = false;
    int kind = 0;
    int lastUnder = 0;  // the button under the cursor at the last mouse move
    TBitmap buffer;
};
