#include "skin/controls/combo_box_rules.h"

int ComboBoxCell(bool enabled, bool pressed, bool hot, bool focused) {
    if (pressed) return 2;
    if (focused || hot) return 4;
    return enabled ? 1 : 3;
}

TComboBoxLayout LayOutComboBox(const TRect& r, int w, bool buttonAtLeft) {
    if (buttonAtLeft)
        return {{r.left + w + 4, r.top + 2, r.right - 2, r.bottom - 2},
                {r.left, r.top, r.left + w + 2, r.bottom},
                {2, r.top, w + 2, r.bottom},
                true};
    return {{r.left + 2, r.top + 2, r.right - w - 4, r.bottom - 2},
            {r.right - w - 2, r.top, r.right, r.bottom},
            {r.right - w - 2, r.top, r.right - 2, r.bottom},
            false};
}

TRect CentredIn(const TRect& area, int width, int height) {
    const int left = area.left + (area.Width() - width) / 2;
    const int top = area.top + (area.Height() - height) / 2;
    return {left, top, left + width, top + height};
}

TRect SimpleComboButton(const TRect& r, int thumbWidth) {
    return {r.right - 2 - thumbWidth, r.top + 2, r.right - 2, r.bottom - 2};
}
