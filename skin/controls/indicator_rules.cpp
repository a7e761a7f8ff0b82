#include "skin/controls/indicator_rules.h"

#include <algorithm>

TUpDownButtons UpDownLayout(const TRect& client, bool horizontal, bool inEdit) {
    TRect r = client;
    if (inEdit) r = {r.left + 1, r.top + 1, r.right - 1, r.bottom - 1};
    if (horizontal) {
        const int half = (r.right - r.left) / 2;
        return {{r.left, r.top, r.left + half, r.bottom},
                {r.left + half, r.top, r.right, r.bottom}};
    }
    const int half = (r.bottom - r.top) / 2;
    return {{r.left, r.top, r.right, r.top + half}, {r.left, r.top + half, r.right, r.bottom}};
}

int UpDownButtonState(bool enabled, bool underCursor, bool pressed, bool hot) {
    if (!enabled) return udDisabled;
    if (!underCursor) return udNormal;
    if (pressed) return udPressed;
    if (hot) return udHot;
    return udNormal;
}

int ProgressFillWidth(int64_t position, int64_t low, int64_t high, int width) {
    if (high <= 0 || position <= low || high <= low || width <= 0) return 0;
    // 64 bits: a 32-bit range times a window width does not fit in 32.
    const int64_t filled = (position - low) * width / (high - low);
    return static_cast<int>(std::min<int64_t>(filled, width));
}

int StatusBevelCell(bool raised, bool noBorder) {
    if (raised) return 2;
    if (noBorder) return 3;
    return 1;
}

TStatusText StatusPanelText(const std::wstring& stored, bool rightToLeft) {
    size_t tabs = 0;
    while (tabs < 2 && tabs < stored.size() && stored[tabs] == L'\t') ++tabs;
    TStatusText result{stored.substr(tabs), static_cast<int>(tabs)};
    if (rightToLeft && result.alignment != 1) result.alignment = 2 - result.alignment;
    if (result.text.empty()) result.text = L" ";
    return result;
}
