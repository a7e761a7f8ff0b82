#pragma once
// skintool gallery STORE: two windows showing every control the skin engine skins, built from
// the class library's controls and skinned with the skin in STORE, for a skin author to look
// at. The store file is watched: when its write time changes and the new file loads, the
// windows are built again with it (the page shown is kept), so each edit shows at once; a file
// that does not load leaves the windows as they were and says why in the main window's caption.
//
// A store that is not a skin (it does not open, holds no description, or an image in it is not
// a BMP) is refused before any window exists, with ESkinToolError naming the reason. A skin
// that leaves sections or images out is shown as it is: what it lacks keeps the native look.

#include <windows.h>

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "forms/forms.h"
#include "forms/timer.h"
#include "skin/skin_data.h"
#include "tools/skintool/gallery_database.h"

// A skin store read from a file and checked: it opens, it holds a skin description, and the
// description parses with every image it names.
struct TGalleryStore {
    std::vector<uint8_t> bytes;
    std::string skinName;
};
TGalleryStore LoadGalleryStore(const std::filesystem::path& path);

class TSkinGallery {
public:
    // How often the store file's write time is compared.
    static constexpr int kWatchIntervalMs = 500;

    // Builds and shows the two windows, skinned with store (read from storePath).
    TSkinGallery(std::filesystem::path storePath, const TGalleryStore& store);
    ~TSkinGallery();
    TSkinGallery(const TSkinGallery&) = delete;
    TSkinGallery& operator=(const TSkinGallery&) = delete;

    TForm* MainWindow() const { return mainWindow.get(); }
    // The second window, shown beside the main one: while the main window is active it shows
    // the inactive look.
    TForm* SecondWindow() const { return secondWindow.get(); }
    TSkinData* Skin() const { return skin.get(); }

    // Compares the store file's write time with the one last loaded; when it changed, loads the
    // file and rebuilds the windows with it. Answers true when the windows were rebuilt.
    bool ReloadIfChanged();
    int Reloads() const { return reloads; }
    // Why the last changed file was not taken; empty once a file loads.
    const std::string& Problem() const { return problem; }

    // True once the user closed the main window; the message loop then ends.
    bool Closed() const { return closed; }

private:
    void Build(const TGalleryStore& store, int pageIndex);
    void TearDown();
    void ShowCaption();
    int PageIndex() const;

    std::filesystem::path storePath;
    std::filesystem::file_time_type writeTime{};
    std::string skinName;
    TGalleryDatabase database;
    // The windows go before the skin component whose skin their frame skinners draw.
    std::unique_ptr<TSkinData> skin;
    std::unique_ptr<TForm> mainWindow;
    std::unique_ptr<TForm> secondWindow;
    TTimer watch{nullptr};
    int reloads = 0;
    std::string problem;
    bool closed = false;
};
