// The running program's skin engine fed 1,000 hostile skin files through SkinFile while its
// main window is skinned: each is either applied or refused with the previous look kept (the
// same skin objects, the same pixels after a full repaint); nothing crashes or hangs; the only
// message box is the older-skin notice; the GDI and USER object counts end where they began.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <algorithm>
#include <climits>
#include <map>

#include "forms/dc_scopes.h"
#include "forms/owned.h"
#include "hostile_skin_maker.h"
#include "main_form.h"
#include "skin/manager/skin_manager.h"
#include "skin/skin_message_win.h"
#include "skin/skin_reader.h"
#include "skinned_program_fixture.h"
#include "support/gdi_objects.h"
#include "support/user_objects.h"

namespace fs = std::filesystem;

namespace {

constexpr int kHostileSkins = 1000;
constexpr int kWarmUpSkins = 50;
constexpr uint32_t kSeed = 0x5EED2026;
constexpr int kObjectSlack = 5;

TSkinManage* Manager() { return static_cast<TSkinManage*>(ExistingSkinManager()); }

// Every message box this thread shows, read and closed as soon as it is activated, so that no
// test ever waits on one.
class TMessageBoxCatcher {
public:
    TMessageBoxCatcher() {
        current = this;
        hook = SetWindowsHookExW(WH_CBT, &Hook, nullptr, GetCurrentThreadId());
    }
    ~TMessageBoxCatcher() {
        UnhookWindowsHookEx(hook);
        current = nullptr;
    }
    std::map<std::wstring, int> texts;

private:
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam) {
        const auto window = reinterpret_cast<HWND>(wParam);
        wchar_t name[16] = {};
        if (code == HCBT_ACTIVATE && GetClassNameW(window, name, 16) &&
            name == std::wstring(L"#32770")) {
            wchar_t text[512] = {};
            GetWindowTextW(GetDlgItem(window, 0xFFFF), text, 512);
            ++current->texts[text];
            PostMessageW(window, WM_COMMAND, IDOK, 0);
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }
    static inline TMessageBoxCatcher* current = nullptr;
    HHOOK hook = nullptr;
};

// The window as the screen shows it, frame included.
std::vector<uint32_t> WindowPixels(HWND window) {
    RECT r;
    GetWindowRect(window, &r);
    const int width = r.right - r.left, height = r.bottom - r.top;
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    const TWindowDC screen(window, TWindowDC::WholeWindow);
    const Owned<HBITMAP, &DeleteObject> image(
        CreateDIBSection(screen.Dc(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    {
        const TMemoryDC memory(screen.Dc(), image.Get());
        BitBlt(memory.Dc(), 0, 0, width, height, screen.Dc(), 0, 0, SRCCOPY);
    }
    GdiFlush();
    const auto* pixels = static_cast<const uint32_t*>(bits);
    return std::vector<uint32_t>(pixels, pixels + size_t(width) * size_t(height));
}

// Where two pictures of the window differ: the number of pixels and their bounding box.
std::string Difference(const std::vector<uint32_t>& a, const std::vector<uint32_t>& b,
                       HWND window) {
    if (a.size() != b.size()) return "the window changed its size";
    RECT r;
    GetWindowRect(window, &r);
    const int width = r.right - r.left;
    int count = 0, left = INT_MAX, top = INT_MAX, right = -1, bottom = -1;
    for (size_t i = 0; i < a.size(); ++i) {
        if (a[i] == b[i]) continue;
        const int x = int(i) % width, y = int(i) / width;
        ++count, left = std::min(left, x), top = std::min(top, y);
        right = std::max(right, x), bottom = std::max(bottom, y);
    }
    if (!count) return "";
    return std::to_string(count) + " pixels differ within (" + std::to_string(left) + ", " +
           std::to_string(top) + ") - (" + std::to_string(right) + ", " + std::to_string(bottom) +
           ")";
}

class HostileSkins : public TSkinnedProgramTest {
protected:
    void SetUp() override {
        InstallSkinMessageBox();
        OpenProgramWindows("ponderix-hostile-skins");
        folder = fs::temp_directory_path() /
                 ("ponderix-hostile-" + std::to_string(GetCurrentProcessId()));
        fs::create_directories(folder);
        SetCursorPos(0, 0);  // no hover
    }
    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(folder, ignored);
        TSkinnedProgramTest::TearDown();
    }
    std::wstring Write(const std::vector<uint8_t>& bytes) {
        const fs::path file = folder / "hostile.skn";
        std::ofstream(file, std::ios::binary | std::ios::trunc)
            .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
        return file.wstring();
    }
    // Runs what the skin change scheduled and repaints the window completely.
    // A message box shown meanwhile took the activation and the focus; the window gets both
    // back first, the focus on the page control, where no caret blinks.
    static void Repaint() {
        SetForegroundWindow(MainForm->Handle());
        SetActiveWindow(MainForm->Handle());
        SetFocus(FindWindowExW(MainForm->Handle(), nullptr, L"TPageControl", nullptr));
        PumpMessages();
        if (Manager()->TimerEnabled()) Manager()->RunPendingAction();
        RedrawWindow(MainForm->Handle(), nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
        PumpMessages();
    }
    fs::path folder;
};

std::vector<TSkinEntry> EntriesOf(const TMemoryStream& store) {
    TMemoryStream copy(store.Bytes());
    TSkinReader reader;
    EXPECT_TRUE(reader.Open(copy)) << reader.Error();
    std::vector<TSkinEntry> entries;
    for (const std::string& name : reader.Names()) {
        TMemoryStream entry;
        reader.GetEntry(name, entry);
        entries.push_back({name, entry.Bytes()});
    }
    return entries;
}

}  // namespace

TEST_F(HostileSkins, EachIsAppliedOrRefusedWithThePreviousLookKeptAndNothingLeaks) {
    TSkinData& skin = *MainForm->SkinData1;
    const HWND window = MainForm->Handle();
    const std::vector<uint8_t> goodStore = skin.Store().Bytes();
    THostileSkinMaker maker(EntriesOf(skin.Store()), kSeed);
    TMessageBoxCatcher boxes;

    // A first round over some of them, so that what the platform makes once on first use (the
    // native look of controls a skin leaves without images) is not counted as a leak.
    for (int i = 0; i < kWarmUpSkins; ++i) {
        try {
            skin.SetSkinFile(Write(maker.Make(i).store));
        } catch (const Exception&) {
        }
        Repaint();
    }
    // Then the good skin from a file: what every count and look is measured from.
    skin.SetSkinFile(Write(goodStore));
    ASSERT_FALSE(skin.Empty());
    Repaint();
    const int gdiBefore = GdiObjectCount(), userBefore = UserObjectCount();

    std::map<std::string, std::pair<int, int>> outcome;  // kind: applied, refused
    std::vector<uint32_t> look = WindowPixels(window);
    for (int i = 0; i < kHostileSkins; ++i) {
        const THostileSkin hostile = maker.Make(i);
        SCOPED_TRACE("hostile skin " + std::to_string(i) + ": " + hostile.kind);
        const TSkinDescription* before = &skin.Skin();
        bool raised = false;
        try {
            skin.SetSkinFile(Write(hostile.store));
        } catch (const Exception&) {
            raised = true;  // a clear error to the code that set SkinFile; nothing else changes
        }
        const bool applied = !raised && !skin.Empty();
        Repaint();
        ASSERT_TRUE(IsWindowVisible(window));
        if (applied) {
            ++outcome[hostile.kind].first;
            look = WindowPixels(window);
            continue;
        }
        ++outcome[hostile.kind].second;
        ASSERT_EQ(&skin.Skin(), before) << "a refused skin replaced the skin objects";
        ASSERT_EQ(Difference(WindowPixels(window), look, window), "")
            << "a refused skin changed the look";
    }

    for (const auto& [kind, counts] : outcome)
        std::printf("  %-32s applied %3d, refused %3d\n", kind.c_str(), counts.first,
                    counts.second);
    for (const auto& [text, count] : boxes.texts) {
        EXPECT_EQ(text, L"This is Older Skin File\rPlease update to new version !")
            << count << " times";
    }
    // Every kind is refused at least sometimes, and a good part is applied: the test reaches
    // both roads.
    int applied = 0;
    for (const auto& [kind, counts] : outcome) applied += counts.first;
    EXPECT_GT(applied, kHostileSkins / 10);
    EXPECT_LT(applied, kHostileSkins - kHostileSkins / 10);

    // Back to the good skin: the objects the hostile ones made are all gone again.
    skin.SetSkinFile(Write(goodStore));
    ASSERT_FALSE(skin.Empty());
    Repaint();
    EXPECT_NEAR(GdiObjectCount(), gdiBefore, kObjectSlack);
    EXPECT_NEAR(UserObjectCount(), userBefore, kObjectSlack);
}
