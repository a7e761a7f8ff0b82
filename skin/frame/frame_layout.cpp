#include "skin/frame/frame_layout.h"

#include <algorithm>

namespace {
constexpr int kHitNowhere = 0;
constexpr int kHitCaption = 2;
constexpr int kHitMenu = 5;

int CellSize(int length, int frameCount) { return frameCount > 0 ? length / frameCount : 0; }

bool VisibilityHolds(int value, bool first, int action, const TSysButtonContext& c) {
    const bool maximise = c.capabilities & capMaximize;
    const bool minimise = c.capabilities & capMinimize;
    const bool sysMenu = c.capabilities & capSystemMenu;
    switch (value) {
        case 0: return !first || action != 0 || sysMenu;
        case 1: return c.windowState == fwMaximized;
        case 2: return c.windowState != fwMaximized;
        case 3: return c.active;
        case 4: return !c.active;
        case 5: return false;
        case 6: return first ? maximise && sysMenu : maximise;
        case 7: return !maximise;
        case 8: return first ? minimise && sysMenu : minimise;
        case 9: return !minimise;
        case 100: return c.mdiChildMaximized && c.menuBarHeight > 0;
        default: return value >= 200 && value <= 2000;
    }
}
}  // namespace

TFrameSizes FrameSizesFromPieces(const TPieceStrip& left, const TPieceStrip& top,
                                 const TPieceStrip& right, const TPieceStrip& bottom) {
    return {CellSize(left.width, left.frameCount), CellSize(top.height, top.frameCount),
            CellSize(right.width, right.frameCount), CellSize(bottom.height, bottom.frameCount)};
}

int BorderKindOf(uint32_t style, bool dialogClass) {
    if (dialogClass) return bkDialog;
    if ((style & kStylePopup) && (style & kStyleCaption) != kStyleCaption) return bkCaptionless;
    if (style & kStyleThickFrame) return bkSizable;
    if (style & kStyleModalFrame) return bkDialog;
    return bkFixed;
}

uint8_t CapabilitiesOf(uint32_t style, bool hasSystemMenu) {
    uint8_t caps = 0;
    if ((style & kStyleSysMenu) || hasSystemMenu) caps |= capSystemMenu;
    if (style & kStyleMinimizeBox) caps |= capMinimize;
    if (style & kStyleMaximizeBox) caps |= capMaximize;
    return caps;
}

int WindowStateFromShowCommand(int showCommand) {
    if (showCommand == 3) return fwMaximized;
    if (showCommand == 2 || showCommand == 6 || showCommand == 7) return fwMinimized;
    return fwNormal;
}

int BorderPieceCell(bool active, int frameCount) { return active || frameCount == 1 ? 1 : 2; }

int SysButtonCaptionCell(bool active, int frameCount) { return active || frameCount < 4 ? 1 : 4; }

int SysButtonStateCell(int state, int visibility) {
    return visibility == 100 && state == 3 ? 4 : state;
}

bool IsSysButtonVisible(int visibility, int visibility1, int action, const TSysButtonContext& c) {
    const bool a = VisibilityHolds(visibility, true, action, c);
    // Visibility1 100 follows Visibility's own answer.
    const bool b = visibility1 == 100 ? a : VisibilityHolds(visibility1, false, action, c);
    if (!(a && b)) return false;
    if (action == 1 && !(c.capabilities & capMaximize)) return false;
    if (action == 2 && !(c.capabilities & capMinimize)) return false;
    if ((action == 3 || action == 11 || action == 12) && c.borderKind == bkDialog) return false;
    return true;
}

TRect PlaceSysButton(int align, int xcoord, int ycoord, int w, int h,
                     const TSysButtonPlacement& p) {
    const TRect r{0, 0, w, h};
    switch (align) {
        case 0: return r.Offset(xcoord, ycoord);
        case 1: return r.Offset(p.windowWidth - xcoord, ycoord);
        case 2:
        case 8: return r.Offset(p.titleRect.left - w - xcoord, ycoord);
        case 3:
        case 9: return r.Offset(p.titleRect.right + xcoord, ycoord);
        case 100: {
            const int y = p.captionHeight + (p.menuBarHeight - h) / 2;
            const int x = p.rightToLeft
                              ? p.borderLeft + xcoord + p.menuBarLeftWidth
                              : p.windowWidth - xcoord - p.borderRight - p.menuBarLeftWidth;
            return r.Offset(x, y);
        }
        default: return r;
    }
}

TTitlePlacement PlaceTitle(const TTitleInput& in) {
    const TRect& s = in.strip;
    TRect t{s.left, s.top, s.left + in.textWidth + in.backLeft + in.backRight,
            s.top + in.textHeight};
    int dx = 0;
    if (in.rightToLeft)
        dx = s.Width() - in.textRightClip - t.Width();
    else if (in.alignment == 0)
        dx = in.textShift;
    else if (in.alignment == 1)
        dx = (s.Width() - t.Width()) / 2;
    else if (in.alignment == 2)
        dx = s.Width() - in.textRightClip - t.Width();
    const int dy = (s.Height() - t.Height()) / 2 + in.textShiftVert / 2;
    t = t.Offset(dx, dy);
    if (!in.popup)
        t.right = std::min(t.right, s.right - in.textRightClip);
    else
        t.right = std::max(t.right, in.rightButtonsLeft - 5);
    TTitlePlacement placed{t, t};
    if (in.dialog && in.alignment == 0) placed.textRect.left -= 16;
    placed.textRect.left += in.backLeft;
    placed.textRect.right -= in.backRight;
    return placed;
}

int FrameHitTest(int previousAnswer, int y, int captionHeight) {
    if (previousAnswer != kHitNowhere && previousAnswer != kHitCaption) return previousAnswer;
    int answer = previousAnswer;
    if (y >= 3) answer = kHitCaption;
    if (y >= captionHeight) answer = kHitMenu;
    return answer;
}

int MessageBoxNeededWidth(int captionLength, int spaceWidth, const TFrameSizes& frame,
                          int textShift, int textRightClip, int backLeft, int backRight) {
    return (captionLength + 7) * spaceWidth + frame.left + frame.right + textShift + textRightClip +
           backLeft + backRight;
}

int ToolButtonCell(const TToolButtonState& state) {
    if (state.selected) return 2;
    if (state.focused || state.hot) return 4;
    if (state.grayed || state.disabled) return 0;
    return state.isDefault ? 1 : 0;
}
