// Ponderix start-up: initialise the application, build the main window from its description
// (its section tables open as it is read), create the hidden help window, run the message
// loop. An error while the windows are built stops the program with the start-up failure box
// and exit code 1; no window is shown then.
#include <windows.h>

#include "app/about_box.h"
#include "app/main_form.h"
#include "forms/application.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    try {
        Application->Initialize();
        RegisterApplicationClasses();
        Application->CreateForm(MainForm);
        Application->CreateForm(AboutBox);
    } catch (const std::exception& error) {
        ShowStartupFailure(error);
        return 1;
    }
    return Application->Run();
}
