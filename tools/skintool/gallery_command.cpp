// skintool gallery STORE [--close-after MS]
//
// Opens the skin gallery (tools/skintool/gallery.h) on the skin store STORE and runs until its
// main window is closed. --close-after closes it by itself after MS milliseconds, for scripts
// that only want to see it start, draw and end. The windows are Win32, so the command exists
// only in the Windows build.

#include "tools/skintool/skintool.h"
#include "tools/skintool/tool_files.h"

#ifdef _WIN32

#include <windows.h>

#include <string>

#include "forms/application.h"
#include "forms/timer.h"
#include "skin/manager/skin_manager.h"
#include "skin/shared_bitmaps_win.h"
#include "skin/skin_message_win.h"
#include "tools/skintool/gallery.h"

namespace {

int ParseMilliseconds(const std::string& text) {
    size_t used = 0;
    int value = -1;
    try {
        value = std::stoi(text, &used);
    } catch (const std::exception&) {
        used = 0;
    }
    if (used != text.size() || value < 0) throw ESkinToolUsage(L"--close-after takes milliseconds");
    return value;
}

// Runs the messages of the thread until the gallery's main window is closed.
void RunGallery(TSkinGallery& gallery) {
    MSG msg;
    while (!gallery.Closed()) {
        const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0 || got == -1) break;
        if (Application->IsDialogKey(msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

}  // namespace

void GalleryCommand(TSkinToolArgs args, TSkinToolIO io) {
    if (args.size() != 1 && !(args.size() == 3 && args[1] == "--close-after"))
        throw ESkinToolUsage(L"expects a store file (and --close-after MS)");
    const int closeAfter = args.size() == 3 ? ParseMilliseconds(args[2]) : -1;
    // Refused before any window exists: a store that is not a skin ends the command here.
    const TGalleryStore store = LoadGalleryStore(args[0]);

    Application->Initialize();
    InstallSkinManager();
    InstallSkinMessageBox();
    {
        TSkinGallery gallery(args[0], store);
        io.out << "gallery of \"" << args[0] << "\" (" << store.skinName
               << "): close the window to end; the store is reloaded when it changes\n";
        io.out.flush();
        TTimer closer(nullptr);
        closer.SetEnabled(closeAfter >= 0);
        closer.SetInterval(closeAfter > 0 ? closeAfter : 1);
        closer.OnTimer = [&](TObject*) {
            closer.SetEnabled(false);
            gallery.MainWindow()->Close();
        };
        RunGallery(gallery);
        if (gallery.Reloads() > 0) io.out << "reloaded " << gallery.Reloads() << " times\n";
    }
    FreeSkinManager();
    FreeSkinShared();
}

#else

void GalleryCommand(TSkinToolArgs, TSkinToolIO) {
    Fail("gallery shows Win32 windows: use the Windows build of skintool");
}

#endif
