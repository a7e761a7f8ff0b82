#pragma once
// Shows the skin reader's messages (the older-skin notice) in a Win32 message box.

// Installs a handler that shows each message in a message box with one OK button, owned by the
// active window and titled with the application's title (the program file's name). Call once at
// start-up, before the first skin is loaded.
void InstallSkinMessageBox();
