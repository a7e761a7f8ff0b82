#include "skin/skin_message_win.h"

#include <windows.h>

#include <string>

#include "forms/application.h"
#include "skin/skin_reader.h"

void InstallSkinMessageBox() {
    SetSkinMessageHandler([](const std::wstring& text) {
        // Titled like the application's own boxes: the program file's name.
        wchar_t path[MAX_PATH];
        const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
        const std::wstring title =
            ApplicationTitleFromPath(std::wstring(path, length < MAX_PATH ? length : 0));
        MessageBoxW(GetActiveWindow(), text.c_str(), title.c_str(), MB_OK);
    });
}
