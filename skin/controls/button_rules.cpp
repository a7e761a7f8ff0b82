#include "skin/controls/button_rules.h"

int PushButtonCell(const TButtonFaceState& state) {
    int cell = 1;
    if (state.focused) cell = 4;
    if (state.isDefault) cell = 5;
    if (state.pressed)
        cell = 2;
    else if (state.hot)
        cell = 4;
    if (!state.enabled) cell = 3;
    return cell;
}

int BitButtonCell(const TButtonFaceState& state) {
    int cell = 1;
    if (state.pressed)
        cell = 2;
    else if (state.focused || state.hot)
        cell = 4;
    else if (state.isDefault)
        cell = 5;
    if (!state.enabled) cell = 3;
    return cell;
}

int SpeedButtonCell(const TButtonFaceState& state, bool down) {
    return down ? 2 : BitButtonCell(state);
}

namespace {

// The 12-cell check strip and the 8-cell radio strip keep the same marks in other places.
int Remapped(int cell) {
    switch (cell) {
        case 2: return 5;
        case 3: return 4;
        case 4: return 8;
        default: return cell;
    }
}

}  // namespace

int CheckBoxCell(bool checked, bool indeterminate, bool disabled, int frameCount) {
    const int checkedCell = checked ? 2 : 1;
    if (indeterminate) {
        if (frameCount == 12) return disabled ? 12 : 9;
        return 4;
    }
    const int cell = disabled ? checkedCell + 2 : checkedCell;
    return frameCount == 12 ? Remapped(cell) : cell;
}

int RadioButtonCell(bool checked, bool disabled, int frameCount) {
    const int checkedCell = checked ? 2 : 1;
    const int cell = disabled ? checkedCell + 2 : checkedCell;
    return frameCount == 8 ? Remapped(cell) : cell;
}

TButtonStep ButtonTransition(TButtonMouse now, TButtonEvent event, bool enabled) {
    TButtonStep step{now, false};
    switch (event) {
        case TButtonEvent::Press: step.next.pressed = step.next.pressedByMouse = true; break;
        case TButtonEvent::Release:
            step.click = now.pressed && now.pressedByMouse;
            step.next.pressed = step.next.pressedByMouse = false;
            break;
        case TButtonEvent::Move: step.next.hot = true; break;
        case TButtonEvent::Enter:
            if (enabled) step.next.hot = true;
            break;
        case TButtonEvent::Leave:
            if (enabled) step.next = {};
            break;
        case TButtonEvent::SpaceDown: step.next.pressed = true; break;
        case TButtonEvent::SpaceUp: step.next.pressed = step.next.pressedByMouse = false; break;
    }
    return step;
}

TColor ButtonTextColor(int cell, bool classLibraryControl, TColor fontColor,
                       const TButtonTextColours& colours) {
    if (cell == 3) return classLibraryControl ? clBtnShadow : TColor(0x808080);
    TColor color = classLibraryControl ? fontColor : colours.buttonText;
    const bool any = !classLibraryControl;
    if (cell == 1 && (any || colours.hasNormal)) color = colours.normal;
    if (cell == 4 && (any || colours.hasMouseOver)) color = colours.mouseOver;
    if (cell == 2 && (any || colours.hasPressed)) color = colours.pressed;
    return color;
}

TRect PlaceButtonCaption(const TRect& target, const TRect& measured, bool centred) {
    const int dy = (target.Height() - measured.Height()) / 2 - 1;
    if (centred) return measured.Offset((target.Width() - measured.Width()) / 2, dy);
    return {target.left, measured.top + dy, target.right, measured.bottom + dy};
}

TMarkPlacement PlaceButtonMark(const TRect& rect, int cellWidth, int cellHeight, int boxWidth,
                               bool leftText, bool checkBox) {
    TMarkPlacement placement;
    const int top = rect.top + (rect.Height() - cellHeight) / 2;
    const int inset = cellWidth > 14 ? 0 : (14 - cellWidth) / 2;
    if (leftText) {
        const int right = cellWidth > 14 ? rect.right - 1 : rect.right - inset;
        placement.mark = {right - cellWidth, top, right, top + cellHeight};
        placement.strip = {rect.right - boxWidth - 3, rect.top, rect.right, rect.bottom};
    } else {
        const int left = rect.left + inset + (checkBox ? 2 : 0);
        placement.mark = {left, top, left + cellWidth, top + cellHeight};
        placement.strip = {rect.left, rect.top, rect.left + boxWidth + 3, rect.bottom};
    }
    return placement;
}
