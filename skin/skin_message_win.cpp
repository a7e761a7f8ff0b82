#include "skin/skin_message_win.h"

#include <windows.h>

#include <string>

#include "skin/skin_reader.h"

namespace {

// The program file's name without folder and extension, as the application's own boxes use.
std::wstring ProgramTitle() {
    wchar_t path[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring title(path, length < MAX_PATH ? length : 0);
    title.erase(0, title.find_last_of(L"\\/") + 1);  // npos + 1 == 0 keeps a bare name
    if (const size_t dot = title.rfind(L'.'); dot != std::wstring::npos) title.erase(dot);
    return title;
}

}  // namespace

void InstallSkinMessageBox() {
    SetSkinMessageHandler([](const std::wstring& text) {
        MessageBoxW(GetActiveWindow(), text.c_str(), ProgramTitle().c_str(), MB_OK);
    });
}
