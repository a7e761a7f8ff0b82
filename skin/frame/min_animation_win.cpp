#include "skin/frame/min_animation.h"

#include <windows.h>

namespace {
bool saved = false;
int savedMinAnimate = 0;

bool SetMinAnimate(int value) {
    ANIMATIONINFO info{sizeof(info), value};
    return SystemParametersInfoW(SPI_SETANIMATION, sizeof(info), &info, 0);
}
}  // namespace

void SwitchOffMinAnimation() {
    if (!saved) {
        ANIMATIONINFO info{sizeof(info), 0};
        if (!SystemParametersInfoW(SPI_GETANIMATION, sizeof(info), &info, 0)) return;
        savedMinAnimate = info.iMinAnimate;
        saved = true;
    }
    SetMinAnimate(0);
}

void RestoreMinAnimation() {
    if (!saved) return;
    SetMinAnimate(savedMinAnimate);
    saved = false;
}
