// Run-time skin changes of the program's own windows through the skin component's SkinFile:
// switching from the default skin to slate and back, 50 times, the frame follows each skin
// (frame sizes, the same client area, the region's keyed corners), the GDI and USER object
// counts stay flat, and afterwards the main window and the error box show exactly what they
// showed before, and every page of the main window, the system menu and the help window match
// their golden images. A skin change with the skin objects unchanged redraws the frame as it
// was, title-bar buttons included; a window whose skinned painting has not started yet keeps
// its title-bar buttons through a skin change; a store file that gives no skin changes nothing.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>

#include "about_box.h"
#include "forms/application.h"
#include "golden_windows.h"
#include "skin/bitmap_draw_win.h"
#include "skin/lzh_encoder.h"
#include "skin/skin_data.h"
#include "skinned_program_fixture.h"
#include "support/gdi_objects.h"
#include "support/user_objects.h"

using namespace std::chrono_literals;

namespace {

struct TSkinCase {
    const wchar_t* store;  // in bin\skins beside the program
    TFrameSizes sizes;     // the skin's own frame: borders and caption
};
const TSkinCase kDefault{L"default", {4, 26, 4, 4}};
const TSkinCase kSlate{L"slate", {8, 30, 8, 8}};

// Whether the corner pixel of a side piece's first cell is keyed out (a hole in the region).
bool CornerKeyed(TDataSkinBorder& piece, bool rightEdge, bool bottom) {
    if (piece.Trans != 1 || piece.Image.Empty() || piece.FrameCount <= 0) return false;
    const int cell = piece.Image.Width() / piece.FrameCount;
    const int x = rightEdge ? cell - 1 : 0, y = bottom ? piece.Image.Height() - 1 : 0;
    return piece.Image.Canvas()->Pixel(x, y) == kSkinKeyColor;
}

bool InRegion(HWND window, int x, int y) {
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    const bool in = GetWindowRgn(window, region) != ERROR && PtInRegion(region, x, y);
    DeleteObject(region);
    return in;
}

class SkinSwitch : public TSkinnedProgramTest {
protected:
    void SetUp() override {
        OpenProgramWindows("ponderix-skin-switch");
        ParkCursor();
        main = MainForm->Handle();
        SetForegroundWindow(main);
        ASSERT_TRUE(PumpUntil([&] { return FramePainted(main); }, 5s));
        frame = GoldenManager()->FindFormSkinner(main);
        GetClientRect(main, &client);
    }

    // The skin component takes the store file and the skin change runs at once (instead of at
    // the manager's next timer tick).
    static void Switch(const TSkinCase& to) {
        MainForm->SkinData1->SetSkinFile(PathFromTestFolder(L"..\\bin\\skins\\") + to.store +
                                         L".skn");
        ASSERT_FALSE(MainForm->SkinData1->Empty()) << "the store did not load";
        ASSERT_TRUE(GoldenManager()->TimerEnabled());
        GoldenManager()->RunPendingAction();
        PumpMessages();
    }

    // The main window's frame as the skin gives it.
    void ExpectFrameOf(const TSkinCase& skin) {
        SCOPED_TRACE(skin.store);
        EXPECT_EQ(frame->FrameSizes(), skin.sizes);
        RECT now{}, outer{};
        GetClientRect(main, &now);
        GetWindowRect(main, &outer);
        EXPECT_EQ(now.right, client.right);
        EXPECT_EQ(now.bottom, client.bottom);
        const int w = outer.right - outer.left, h = outer.bottom - outer.top;
        EXPECT_EQ(w, client.right + skin.sizes.left + skin.sizes.right);
        EXPECT_EQ(h, client.bottom + skin.sizes.caption + skin.sizes.bottom);
        TSkinDescription& d = MainForm->SkinData1->Skin();
        EXPECT_EQ(InRegion(main, 0, h - 1), !CornerKeyed(d.FrameLeft, false, true));
        EXPECT_EQ(InRegion(main, w - 1, h - 1), !CornerKeyed(d.FrameRight, true, true));
        EXPECT_EQ(InRegion(main, 0, 0), !CornerKeyed(d.FrameLeft, false, false));
        EXPECT_TRUE(InRegion(main, w / 2, h / 2));
    }

    HWND main = nullptr;
    TWinSkinForm* frame = nullptr;
    RECT client{};
};

TEST_F(SkinSwitch, FiftyRoundTripsToSlateGiveTheDefaultImagesAgain) {
    ASSERT_NE(frame, nullptr);
    // The help window is skinned too (it was shown once), and changes skin while hidden.
    AboutBox->Show();
    ASSERT_TRUE(PumpUntil([] { return FramePainted(AboutBox->Handle()); }, 5s));
    AboutBox->Hide();
    // The error box is titled with the program file's name, this test program's: it is
    // compared with itself before the switching.
    std::unique_ptr<TBitmap> boxBefore = CaptureErrorBox();
    ASSERT_TRUE(boxBefore) << "the error box did not show";
    std::unique_ptr<TBitmap> before = CaptureMainPage(0);
    ASSERT_TRUE(MatchesGolden(*before, "main-page-1"));
    ASSERT_NO_FATAL_FAILURE(ExpectFrameOf(kDefault));

    // One round trip first: what a skin change makes once and keeps (the slate store's bytes,
    // the system's own caches) is not a leak.
    ASSERT_NO_FATAL_FAILURE(Switch(kSlate));
    ASSERT_NO_FATAL_FAILURE(Switch(kDefault));
    const int gdi = GdiObjectCount(), user = UserObjectCount();
    for (int round = 0; round < 50; ++round) {
        SCOPED_TRACE(round);
        ASSERT_NO_FATAL_FAILURE(Switch(kSlate));
        ASSERT_NO_FATAL_FAILURE(ExpectFrameOf(kSlate));
        ASSERT_NO_FATAL_FAILURE(Switch(kDefault));
        ASSERT_NO_FATAL_FAILURE(ExpectFrameOf(kDefault));
    }
    EXPECT_EQ(GdiObjectCount(), gdi);
    EXPECT_EQ(UserObjectCount(), user);

    std::unique_ptr<TBitmap> after = CaptureMainPage(0);
    EXPECT_EQ(DifferingPixels(*after, *before), 0);
    for (int page = 0; page < 6; ++page) {
        SCOPED_TRACE(page);
        EXPECT_TRUE(MatchesGolden(*CaptureMainPage(page), "main-page-" + std::to_string(page + 1)));
    }
    std::unique_ptr<TBitmap> menu = CaptureSystemMenu();
    ASSERT_TRUE(menu) << "the system menu did not open";
    EXPECT_TRUE(MatchesGolden(*menu, "system-menu"));
    std::unique_ptr<TBitmap> box = CaptureErrorBox();
    ASSERT_TRUE(box) << "the error box did not show";
    EXPECT_EQ(DifferingPixels(*box, *boxBefore), 0);
    AboutBox->Show();
    ASSERT_TRUE(PumpUntil([] { return FramePainted(AboutBox->Handle()); }, 5s));
    PumpMessages();
    EXPECT_TRUE(MatchesGolden(*CaptureWindow(AboutBox->Handle()), "help-window"));
}

TEST_F(SkinSwitch, ASkinChangeWithTheSameSkinObjectsRedrawsTheFrameAsItWas) {
    ASSERT_NE(frame, nullptr);
    std::unique_ptr<TBitmap> before = CaptureMainPage(0);
    // The title-bar buttons are dropped at once, and made again when the change runs.
    MainForm->SkinData1->ApplySkin();
    EXPECT_TRUE(frame->SysButtons().empty());
    // The window paints meanwhile, and the change runs at the manager's own timer tick.
    RedrawWindow(main, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    ASSERT_TRUE(PumpUntil([] { return !GoldenManager()->TimerEnabled(); }, 5s));
    PumpMessages();
    EXPECT_FALSE(frame->SysButtons().empty());
    std::unique_ptr<TBitmap> after = CaptureMainPage(0);
    EXPECT_EQ(DifferingPixels(*after, *before), 0);
}

TEST_F(SkinSwitch, AWindowWhoseSkinnedPaintingHasNotStartedKeepsItsTitleBarButtons) {
    // The help window activates inside Show: its frame skinner is attached, and its skinned
    // painting starts only with the message posted to it. The skin change comes first.
    AboutBox->Show();
    TWinSkinForm* help = GoldenManager()->FindFormSkinner(AboutBox->Handle());
    ASSERT_NE(help, nullptr);
    ASSERT_EQ(help->SkinState(), fsAttached);
    MainForm->SkinData1->ApplySkin();
    GoldenManager()->RunPendingAction();
    ASSERT_TRUE(PumpUntil([] { return FramePainted(AboutBox->Handle()); }, 5s));
    PumpMessages();
    EXPECT_FALSE(help->SysButtons().empty());
    EXPECT_TRUE(MatchesGolden(*CaptureWindow(AboutBox->Handle()), "help-window"));
}

TEST_F(SkinSwitch, AStoreFileThatGivesNoSkinChangesNothing) {
    ASSERT_NE(frame, nullptr);
    std::unique_ptr<TBitmap> before = CaptureMainPage(0);
    // An archive with the wrong version mark (this test program shows no message for it).
    const std::filesystem::path file = std::filesystem::current_path() / "older.skn";
    const std::vector<uint8_t> bytes = PackSkinStore(std::vector<uint8_t>(16, 0));
    std::ofstream(file, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    MainForm->SkinData1->SetSkinFile(file.wstring());
    EXPECT_FALSE(GoldenManager()->TimerEnabled()) << "no skin change is scheduled";
    EXPECT_FALSE(frame->SysButtons().empty());
    EXPECT_EQ(DifferingPixels(*CaptureMainPage(0), *before), 0);
    // The store kept is the one that gave the skin: a good file after it loads as usual.
    ASSERT_NO_FATAL_FAILURE(Switch(kSlate));
    ASSERT_NO_FATAL_FAILURE(ExpectFrameOf(kSlate));
}

}  // namespace
