#pragma once
// The system's minimise/maximise animation, switched off for the program's own state commands
// (the skinned frame would be drawn natively during the animation). The user's setting is read
// before the first switch and put back by RestoreMinAnimation, which the skin manager calls when
// it is freed at program end; nothing is written to the user's profile.

void SwitchOffMinAnimation();
// Puts back the setting read before the first switch; nothing when none was switched.
void RestoreMinAnimation();
