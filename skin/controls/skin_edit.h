#pragma once
// TSkinEdit: an edit (one line or several) keeps painting its text itself; the skinner draws
// over its sunken 3-D border a flat one of two lines, the outer in the skin's button shadow
// colour and the inner white. An edit without a border keeps its own look. When the edit is
// printed (WM_PRINT) the inner line takes the brush the printing code selected. A spin button
// that lives inside the edit is found on paint and gets an up-down skinner.

#include "skin/controls/skin_control.h"

class TSkinUpDown;

class TSkinEdit : public TSkinControl {
    PONDERIX_CLASS(TSkinEdit, TSkinControl)
public:
    using TSkinControl::TSkinControl;
    ~TSkinEdit() override;

    bool BeforeMessage(TMessage& message) override;
    void AfterMessage(TMessage& message) override;
    void DrawControl(HDC dc, const TRect& rect) override;
    // The frame drawn into a context the edit is printed into (0: the window's own context).
    void PrintFrame(HDC dc);

    // The skinner of the up-down found inside the edit; none until one is found.
    TSkinUpDown* UpDown() const { return upDown; }

protected:
    void Notification(TComponent* component, TOperation operation) override;

private:
    // Whether the skin's frame covers the whole of the edit's border: no scroll bars, and a
    // border as wide as the frame.
    bool FrameIsTheWholeBorder() const;
    void FindUpDown();
    void PrintFrameInto(HDC dc, int width, int height);

    TSkinUpDown* upDown = nullptr;
};
