// Ponderix start-up: initialise the application, build the main window from its description,
// run the message loop. An error while the main window is built stops the program with the
// start-up failure box and exit code 1; no window is shown then.
#include <windows.h>

#include "app/main_form.h"
#include "forms/application.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    try {
        Application->Initialize();
        RegisterApplicationClasses();
        Application->CreateForm(MainForm);
    } catch (const std::exception& error) {
        ShowStartupFailure(error);
        return 1;
    }
    return Application->Run();
}
