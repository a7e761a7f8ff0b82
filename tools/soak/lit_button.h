#pragma once
// Finds a title-bar button of a skinned frame as a user does: by where the caption lights up
// when the pointer comes over it. The skinned frame answers HTCAPTION over its own buttons and
// tracks them itself, so the hit test does not say where they are.

#include <windows.h>

#include <functional>

namespace soak {

// Moves the pointer along the caption of top from its right end (or its left end) and answers
// the middle of the first part of the caption that is drawn differently while the pointer is
// over it. settle waits until the program has painted what the move made it paint.
bool FindLitButton(HWND top, bool fromRight, const std::function<void()>& settle, POINT& found);

}  // namespace soak
