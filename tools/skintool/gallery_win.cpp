#include "tools/skintool/gallery.h"

#include <system_error>
#include <utility>

#include "forms/buttons.h"
#include "forms/edits.h"
#include "forms/exception.h"
#include "forms/menus.h"
#include "forms/page_control.h"
#include "forms/stream.h"
#include "forms/text.h"
#include "skin/quick_ini.h"
#include "skin/skin_parse.h"
#include "skin/skin_reader.h"
#include "tools/skintool/gallery_controls.h"
#include "tools/skintool/skintool.h"
#include "tools/skintool/tool_files.h"

namespace {

constexpr int kWidth = 800, kHeight = 560, kGap = 8, kLeftColumn = 300;

std::filesystem::file_time_type WriteTime(const std::filesystem::path& path) {
    std::error_code error;
    const auto time = std::filesystem::last_write_time(path, error);
    return error ? std::filesystem::file_time_type{} : time;
}

// The page control with one page per group that needs room.
TPageControl& AddPages(TForm& form, const TRect& area, const TGalleryDatabase& database) {
    auto* pages = new TPageControl(&form);
    pages->SetName(L"Pages");
    pages->SetParent(&form);
    pages->SetBounds(area.left, area.top, area.Width(), area.Height());
    const struct {
        const wchar_t* name;
        const wchar_t* caption;
        std::function<void(TTabSheet&, const TRect&)> fill;
    } sheets[] = {
        {L"ContainerPage", L"容器",
         [&](TTabSheet& p, const TRect& r) { AddContainers(form, p, r); }},
        {L"MemoPage", L"多行文本", [&](TTabSheet& p, const TRect& r) { AddMemo(form, p, r); }},
        {L"GridPage", L"表格",
         [&](TTabSheet& p, const TRect& r) { AddGrid(form, p, r, database); }},
        {L"IndicatorPage", L"指示器",
         [&](TTabSheet& p, const TRect& r) { AddIndicators(form, p, r); }},
    };
    for (const auto& sheet : sheets) {
        auto* page = new TTabSheet(&form);
        page->SetName(sheet.name);
        page->SetText(sheet.caption);
        page->SetParent(pages);
        // The page's client area: the control's less its tab strip and border.
        const TRect inner{kGap, kGap, area.Width() - 3 * kGap, area.Height() - 5 * kGap - 24};
        sheet.fill(*page, inner);
    }
    return *pages;
}

}  // namespace

TGalleryStore LoadGalleryStore(const std::filesystem::path& path) {
    TSkinReader reader;
    TGalleryStore store;
    store.bytes = OpenStoreFile(path, reader);
    TMemoryStream description;
    std::string name;
    reader.FindEntry(".ini", description, name);
    if (name.empty())
        Fail("\"" + PathText(path) + "\" is not a skin: it holds no skin description (*.ini)");
    TQuickIni ini;
    ini.LoadFromStream(&description);
    // Parsed once here so that a broken image is reported before any window exists; the skin
    // component parses the same store again.
    TSkinDescription skin;
    try {
        ParseSkin(skin, ini, reader);
    } catch (const Exception& e) {
        Fail("\"" + PathText(path) + "\" is not a usable skin: " + e.what());
    }
    store.skinName = skin.SkinName;
    return store;
}

TSkinGallery::TSkinGallery(std::filesystem::path storePath, const TGalleryStore& store)
    : storePath(std::move(storePath)), writeTime(WriteTime(this->storePath)) {
    Build(store, 0);
    watch.SetInterval(kWatchIntervalMs);
    watch.OnTimer = [this](TObject*) { ReloadIfChanged(); };
}

TSkinGallery::~TSkinGallery() {
    watch.SetEnabled(false);
    TearDown();
}

void TSkinGallery::Build(const TGalleryStore& store, int pageIndex) {
    skinName = store.skinName;
    skin = std::make_unique<TSkinData>(nullptr);
    TMemoryStream stream;
    stream.WriteInt32(int32_t(store.bytes.size()));
    stream.WriteBuffer(store.bytes.data(), int64_t(store.bytes.size()));
    stream.SetPosition(0);
    skin->ReadStreamData(stream);
    skin->Loaded();  // registers with the skin manager and watches the windows
    skin->SetActive(true);

    TGalleryActions actions;
    actions.showMessageBox = [this] {
        MessageBoxW(mainWindow->Handle(), L"这是一个消息框。\n皮肤也画它的边框和按钮。",
                    L"消息框 Message box", MB_OK | MB_ICONINFORMATION);
    };
    actions.showSecondWindow = [this] { secondWindow->Show(); };
    actions.showPopupMenu = [this](TControl* below) {
        auto* popup = static_cast<TPopupMenu*>(mainWindow->FindComponent(L"PopupMenu"));
        auto* control = static_cast<TWinControl*>(below);
        RECT r{};
        GetWindowRect(control->Handle(), &r);
        popup->Popup(r.left, r.bottom);
    };
    // The windows cannot be rebuilt inside one of their own handlers: the watch does it at its
    // next tick, as for a changed file.
    actions.reload = [this] { writeTime = {}; };
    actions.close = [this] { mainWindow->Close(); };

    mainWindow = std::make_unique<TForm>(nullptr);
    TForm& main = *mainWindow;
    main.SetName(L"GalleryWindow");
    main.SetBounds(40, 40, kWidth, kHeight);
    main.OnClose = [this](TObject*, TCloseAction& action) {
        action = caHide;
        closed = true;
    };
    AddMenus(main, actions);
    const int column = kLeftColumn - 2 * kGap;
    AddButtons(main, main, {kGap, kGap, kGap + column, kGap + 150}, actions);
    AddChoices(main, main, {kGap, 166, kGap + column, 166 + 140});
    AddEdits(main, main, {kGap, 314, kGap + column, 314 + 112});
    TPageControl& pages =
        AddPages(main, {kLeftColumn, kGap, kWidth - 3 * kGap, kHeight - 80}, database);
    pages.SetTabIndex(pageIndex);
    AddStatusBar(main, main, {kGap, 436, kGap + column, 436 + 24});

    secondWindow = std::make_unique<TForm>(nullptr);
    TForm& second = *secondWindow;
    second.SetName(L"SecondWindow");
    second.SetCaption(L"第二个窗口 (非活动的外观)");
    second.SetBounds(kWidth + 60, 40, 320, 220);
    second.SetPosition(poDesigned);
    AddButtons(second, second, {kGap, kGap, 320 - 3 * kGap, 160}, actions);

    ShowCaption();
    second.Show();
    main.Show();
}

void TSkinGallery::TearDown() {
    secondWindow.reset();
    mainWindow.reset();
    skin.reset();
}

void TSkinGallery::ShowCaption() {
    std::wstring caption =
        L"皮肤样品 " + Utf8ToWide(skinName) + L" - " + Utf8ToWide(PathText(storePath));
    if (!problem.empty()) caption += L" (未载入新文件: " + Utf8ToWide(problem) + L")";
    mainWindow->SetCaption(caption);
}

int TSkinGallery::PageIndex() const {
    auto* pages = static_cast<TPageControl*>(mainWindow->FindComponent(L"Pages"));
    return pages ? pages->TabIndex() : 0;
}

bool TSkinGallery::ReloadIfChanged() {
    const auto now = WriteTime(storePath);
    if (now == writeTime || closed) return false;
    writeTime = now;
    TGalleryStore store;
    try {
        store = LoadGalleryStore(storePath);
    } catch (const Exception& e) {
        // Half-written files come by while an editor saves: keep the windows, say why, and
        // look again at the next change.
        problem = e.what();
        ShowCaption();
        return false;
    }
    problem.clear();
    const int page = PageIndex();
    TearDown();
    Build(store, page);
    ++reloads;
    return true;
}
