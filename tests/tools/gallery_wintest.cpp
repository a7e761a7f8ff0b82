// skintool gallery with real windows: on the default skin and on the slate skin both windows
// get frame skinners and regions and every control a skinner (the pages' controls once their
// page is shown); with the slate skin the region has the holes of its shaped edges, the
// title-bar buttons sit where the skin puts them and the active-only one goes with the
// activation; a changed store file rebuilds the windows, a broken one leaves them; a store that
// is not a skin ends the command with a message and status 1 before any window exists, and a
// skin that leaves nearly everything out still runs.
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "forms/application.h"
#include "forms/buttons.h"
#include "forms/page_control.h"
#include "skin/controls/skin_control.h"
#include "skin/lzh_encoder.h"
#include "skin/manager/skin_manager.h"
#include "skin/skin_reader.h"
#include "tests/skin/skin_store_builder.h"
#include "support/test_files.h"
#include "support/win_test_util.h"
#include "tools/skintool/gallery.h"
#include "tools/skintool/skintool.h"

namespace fs = std::filesystem;
using namespace std::chrono_literals;

namespace {

class Gallery : public testing::Test {
protected:
    static void SetUpTestSuite() { Application->Initialize(); }
    void SetUp() override { InstallSkinManager(); }
    void TearDown() override {
        gallery.reset();
        FreeSkinManager();
        fs::remove_all(root);
    }

    int Tool(const std::vector<std::string>& args) {
        std::ostringstream o, e;
        const int status = RunSkinTool(args, {o, e});
        out = o.str();
        err = e.str();
        return status;
    }
    // Packs a folder of skins/ (or any folder) into a store in the temporary folder.
    fs::path Pack(const fs::path& folder, const char* name) {
        const fs::path store = root / name;
        EXPECT_EQ(Tool({"pack", folder.string(), store.string()}), 0) << err;
        return store;
    }
    fs::path PackSkin(const char* skin) {
        return Pack(testfiles::SourcePath(std::string("skins/") + skin),
                    (std::string(skin) + ".skn").c_str());
    }
    void Open(const fs::path& store) {
        gallery = std::make_unique<TSkinGallery>(store, LoadGalleryStore(store));
        ASSERT_TRUE(PumpUntil([&] { return Frame(Main()) && Frame(Main())->RegionSet(); }, 5s));
    }
    TForm& Main() const { return *gallery->MainWindow(); }
    TForm& Second() const { return *gallery->SecondWindow(); }
    static TSkinManage& Manager() { return *static_cast<TSkinManage*>(SkinManager()); }
    static TWinSkinForm* Frame(TForm& form) { return Manager().FindFormSkinner(form.Handle()); }
    // The class of the skinner of the named control of form, or "" when it has none (or form
    // has no such control).
    static std::string SkinnerOf(TForm& form, const wchar_t* name) {
        TWinSkinForm* frame = Frame(form);
        const auto* control = dynamic_cast<TControl*>(form.FindComponent(name));
        if (!frame || !control) return "";
        for (TSkinControl* s : frame->ControlSkinners())
            if (s->Owner() == control) return s->ClassName();
        return "";
    }
    void ShowPage(int index) {
        static_cast<TPageControl*>(Main().FindComponent(L"Pages"))->SetTabIndex(index);
        PumpMessages();
    }
    // Whether window point (x, y) lies in the window's region.
    static bool InRegion(HWND window, int x, int y) {
        HRGN region = CreateRectRgn(0, 0, 0, 0);
        const bool in = GetWindowRgn(window, region) != ERROR && PtInRegion(region, x, y);
        DeleteObject(region);
        return in;
    }

    const fs::path root = testfiles::NewTempFolder("gallery");
    std::unique_ptr<TSkinGallery> gallery;
    std::string out, err;
};

}  // namespace

TEST_F(Gallery, BothSkinsSkinBothWindowsAndEveryControl) {
    for (const char* skin : {"default", "slate"}) {
        SCOPED_TRACE(skin);
        ASSERT_NO_FATAL_FAILURE(Open(PackSkin(skin)));
        ASSERT_TRUE(PumpUntil([&] { return Frame(Second()) != nullptr; }, 5s));
        EXPECT_TRUE(Frame(Second())->RegionSet());
        EXPECT_FALSE(Frame(Main())->ControlSkinners().empty());
        const struct {
            int page;  // -1: not on a page
            const wchar_t* name;
        } controls[] = {
            {-1, L"PushButton"},
            {-1, L"DefaultButton"},
            {-1, L"DisabledButton"},
            {-1, L"BitmapButton"},
            {-1, L"UncheckedBox"},
            {-1, L"CheckedBox"},
            {-1, L"IndeterminateBox"},
            {-1, L"RadioOne"},
            {-1, L"PlainEdit"},
            {-1, L"ReadOnlyEdit"},
            {-1, L"DropDownCombo"},
            {-1, L"DropDownListCombo"},
            {-1, L"ButtonGroup"},
            {-1, L"Pages"},
            {0, L"GroupBox"},
            {0, L"Panel"},
            {0, L"PanelButton"},
            {1, L"Memo"},
            {2, L"Grid"},
            {3, L"UpDown"},
            {3, L"HorzUpDown"},
            {3, L"ProgressBar"},
            {3, L"TrackBar"},
            {3, L"VertTrackBar"},
            {-1, L"StatusBar"},
        };
        for (const auto& c : controls) {
            if (c.page >= 0) ShowPage(c.page);
            EXPECT_NE(SkinnerOf(Main(), c.name), "")
                << std::string(c.name, c.name + wcslen(c.name)) << " has no skinner";
        }
        EXPECT_NE(SkinnerOf(Second(), L"PushButton"), "");
        // The indeterminate box really is in the third state.
        const HWND third =
            static_cast<TWinControl*>(Main().FindComponent(L"IndeterminateBox"))->Handle();
        EXPECT_EQ(SendMessageW(third, BM_GETCHECK, 0, 0), BST_INDETERMINATE);
        gallery.reset();
        PumpMessages();
        EXPECT_TRUE(Manager().FormSkinners().empty());
    }
}

TEST_F(Gallery, TheSlateFrameHasItsShapedEdgesAndButtonsWhereTheSkinPutsThem) {
    ASSERT_NO_FATAL_FAILURE(Open(PackSkin("slate")));
    TWinSkinForm& frame = *Frame(Main());
    EXPECT_EQ(frame.FrameSizes(), (TFrameSizes{8, 30, 8, 8}));
    RECT r;
    GetWindowRect(Main().Handle(), &r);
    const int w = r.right - r.left, h = r.bottom - r.top;
    const HWND window = Main().Handle();
    const struct {
        int x, y;
        bool in;
    } points[] = {
        {0, 0, false},         {3, 0, false},          {0, 3, false},  // the cut top-left corner
        {w - 1, 0, false},     {w - 1, 3, false},                      // and the top-right one
        {8 + 6, 0, false},     {8 + 17, 4, false},                     // the notch at the left end
        {w - 8 - 7, 0, false}, {w - 8 - 18, 4, false},                 // and at the right end
        {0, h - 1, false},     {w - 1, h - 1, false},                  // the rounded bottom corners
        {8 + 6, 5, true},      {w / 2, 0, true},       {w / 2, 15, true}, {0, h / 2, true},
        {w - 1, h / 2, true},  {w / 2, h - 1, true},   {7, h - 1, true},  {w / 2, h / 2, true},
    };
    for (const auto& p : points)
        EXPECT_EQ(InRegion(window, p.x, p.y), p.in) << "(" << p.x << ", " << p.y << ")";

    // Buttons at the left edge (Align 0), beside the title (Align 2 and 3).
    const TRect title = frame.TitleRect();
    EXPECT_GT(title.left, 8);
    int checked = 0;
    TWinSysButton* activeOnly = nullptr;
    for (const auto& button : frame.SysButtons()) {
        const TDataSkinSysButton& skin = button->SkinButton();
        if (!button->Visible) continue;
        SCOPED_TRACE(skin.Name);
        switch (skin.Align) {
            case 0:
                EXPECT_EQ(button->Rect, (TRect{skin.Xcoord, 5, skin.Xcoord + 20, 25}));
                ++checked;
                break;
            case 2:
                EXPECT_EQ(button->Rect.right, title.left - skin.Xcoord);
                ++checked;
                break;
            case 3:
                EXPECT_EQ(button->Rect.left, title.right + skin.Xcoord);
                ++checked;
                break;
        }
        if (skin.Visibility == 3) activeOnly = button.get();
    }
    EXPECT_EQ(checked, 5);  // close, minimise, maximise, system menu, pin (restore is hidden)
    ASSERT_NE(activeOnly, nullptr);
    EXPECT_EQ(activeOnly->SkinButton().Align, 2);

    // Another window activated: the active-only button goes, the others stay.
    Second().Show();
    ASSERT_TRUE(PumpUntil([&] { return !frame.Active(); }, 3s));
    SendMessageW(window, WM_NCPAINT, 1, 0);
    PumpMessages();
    EXPECT_FALSE(activeOnly->Visible);
    Main().Show();
    ASSERT_TRUE(PumpUntil([&] { return frame.Active(); }, 3s));
    SendMessageW(window, WM_NCPAINT, 1, 0);
    PumpMessages();
    EXPECT_TRUE(activeOnly->Visible);
}

TEST_F(Gallery, ItsButtonShowsAMessageBox) {
    ASSERT_NO_FATAL_FAILURE(Open(PackSkin("slate")));
    TMessageBoxWatcher watcher;  // presses the box's button from its own thread
    static_cast<TButton*>(Main().FindComponent(L"MessageBoxButton"))->Click();
    const TMessageBoxSeen seen = watcher.Wait();
    ASSERT_TRUE(seen.seen);
    EXPECT_EQ(seen.title, L"消息框 Message box");
    EXPECT_NE(seen.text.find(L"消息框"), std::wstring::npos);
}

TEST_F(Gallery, AChangedStoreRebuildsTheWindowsAndABrokenOneLeavesThem) {
    const fs::path store = PackSkin("default");
    ASSERT_NO_FATAL_FAILURE(Open(store));
    ShowPage(1);
    EXPECT_EQ(gallery->Skin()->Skin().SkinName, "Ponderix");

    // A skin author saves the other skin over the file.
    testfiles::WriteBytes(store, testfiles::ReadBytes(PackSkin("slate")));
    fs::last_write_time(store, fs::last_write_time(store) + 2s);
    ASSERT_TRUE(PumpUntil([&] { return gallery->Reloads() == 1; }, 5s));
    EXPECT_EQ(gallery->Skin()->Skin().SkinName, "Slate");
    EXPECT_TRUE(gallery->Problem().empty());
    ASSERT_TRUE(PumpUntil([&] { return Frame(Main()) && Frame(Main())->RegionSet(); }, 5s));
    EXPECT_EQ(Frame(Main())->FrameSizes(), (TFrameSizes{8, 30, 8, 8}));
    EXPECT_EQ(static_cast<TPageControl*>(Main().FindComponent(L"Pages"))->TabIndex(), 1);

    // Half a file: refused, the windows stay as they are and the caption says why.
    testfiles::WriteBytes(store, {0x10, 0x00, 0x00, 0x00, 0xFF});
    fs::last_write_time(store, fs::last_write_time(store) + 4s);
    ASSERT_TRUE(PumpUntil([&] { return !gallery->Problem().empty(); }, 5s));
    EXPECT_EQ(gallery->Reloads(), 1);
    EXPECT_EQ(gallery->Skin()->Skin().SkinName, "Slate");
    EXPECT_NE(WindowText(Main().Handle()).find(L"未载入新文件"), std::wstring::npos);
}

TEST_F(Gallery, AStoreThatIsNotASkinEndsTheCommandWithAMessage) {
    const struct {
        const char* name;
        std::vector<uint8_t> bytes;
        const char* message;
    } cases[] = {
        {"text.skn", {'h', 'e', 'l', 'l', 'o', ' ', 's', 'k', 'i', 'n'}, "not a usable skin store"},
        {"empty.skn", {}, "not a usable skin store"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        testfiles::WriteBytes(root / c.name, c.bytes);
        EXPECT_EQ(Tool({"gallery", (root / c.name).string()}), 1);
        EXPECT_NE(err.find(c.message), std::string::npos) << err;
        EXPECT_TRUE(Manager().FormSkinners().empty());
    }
    // A store without a description, and one whose image is not a BMP.
    const std::vector<TSkinEntry> images = {{"left.bmp", skintest::MarkedBmp(8, 40, 1)}};
    testfiles::WriteBytes(root / "noini.skn", PackSkinStore(BuildSkinArchive(images)));
    EXPECT_EQ(Tool({"gallery", (root / "noini.skn").string()}), 1);
    EXPECT_NE(err.find("holds no skin description"), std::string::npos) << err;
    fs::create_directories(root / "badimage");
    std::ofstream(root / "badimage" / "skin.ini") << "[Personality]\nLeft=left.bmp\n";
    std::ofstream(root / "badimage" / "left.bmp") << "BM but not a bitmap";
    EXPECT_EQ(Tool({"gallery", Pack(root / "badimage", "bad.skn").string()}), 1);
    EXPECT_NE(err.find("is not a usable skin"), std::string::npos) << err;
    EXPECT_EQ(Tool({"gallery", (root / "missing.skn").string()}), 1);
    EXPECT_EQ(Tool({"gallery"}), 2);
}

TEST_F(Gallery, ASkinThatLeavesNearlyEverythingOutRunsWithTheNativeLook) {
    fs::create_directories(root / "bare");
    testfiles::WriteBytes(root / "bare" / "left.bmp",
                          testfiles::ReadBytes(testfiles::SourcePath("skins/default/left.bmp")));
    // Images named but not in the store, and most sections missing.
    std::ofstream(root / "bare" / "skin.ini")
        << "[TitlebarSkin]\nSkinName=Bare\n[Personality]\nLeft=left.bmp\nLeftFrame=2\n"
           "Top=top.bmp\n[Buttons]\nBitmap=button.bmp\n";
    const fs::path store = Pack(root / "bare", "bare.skn");
    gallery = std::make_unique<TSkinGallery>(store, LoadGalleryStore(store));
    ASSERT_TRUE(PumpUntil([&] { return Frame(Main()) != nullptr; }, 5s));
    EXPECT_TRUE(gallery->Skin()->Skin().Buttons.Image.Empty());
    EXPECT_TRUE(gallery->Skin()->Skin().FrameTop.Image.Empty());
    ShowPage(2);
    ShowPage(0);
    EXPECT_TRUE(IsWindowVisible(Main().Handle()));
}

TEST_F(Gallery, TheCommandRunsUntilItsWindowClosesAndEndsCleanly) {
    const fs::path store = PackSkin("slate");
    EXPECT_EQ(Tool({"gallery", store.string(), "--close-after", "800"}), 0) << err;
    EXPECT_NE(out.find("gallery of"), std::string::npos) << out;
    EXPECT_NE(out.find("(Slate)"), std::string::npos) << out;
    EXPECT_EQ(Tool({"gallery", store.string(), "--close-after", "soon"}), 2);
}
