// Ponderix start-up: initialise the application, build the main window from its description
// (its section tables open as it is read), create the hidden help window, run the message
// loop. An error while the windows are built stops the program with the start-up failure box
// and exit code 1; no window is shown then.
#include <windows.h>

#include "app/about_box.h"
#include "app/main_form.h"
#include "forms/application.h"
#include "skin/manager/skin_manager.h"
#include "skin/shared_bitmaps_win.h"
#include "skin/skin_message_win.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    int exitCode = 0;
    try {
        Application->Initialize();
        InstallSkinManager();
        InstallSkinMessageBox();
        RegisterApplicationClasses();
        Application->CreateForm(MainForm);
        Application->CreateForm(AboutBox);
        exitCode = Application->Run();
    } catch (const std::exception& error) {
        ShowStartupFailure(error);
        exitCode = 1;
    }
    // The windows (and the skin component on the main one) go first; the skin manager is freed
    // last.
    Application->DestroyComponents();
    FreeSkinManager();
    FreeSkinShared();
    return exitCode;
}
