// The frame skinner's MDI behaviour on a bare Win32 MDI frame made here (an "MDICLIENT" child
// and children created with WM_MDICREATE), which the skin manager skins through its bare-window
// path with the program's own skin: the frame and its client, the children skinned after their
// creation, the children's two presentations, and everything given back when skinning stops.
#include <gtest/gtest.h>

#include "skinned_program_fixture.h"

namespace {

TSkinManage* Manager() { return static_cast<TSkinManage*>(ExistingSkinManager()); }

HWND mdiClient = nullptr;

LRESULT CALLBACK FrameProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    return DefFrameProcW(window, mdiClient, msg, wParam, lParam);
}

constexpr const wchar_t* kFrameClass = L"PonderixTestMdiFrame";
constexpr const wchar_t* kChildClass = L"PonderixTestMdiChild";

void RegisterClasses() {
    WNDCLASSW frame{};
    frame.lpfnWndProc = FrameProc;
    frame.hInstance = GetModuleHandleW(nullptr);
    frame.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    frame.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1);
    frame.lpszClassName = kFrameClass;
    RegisterClassW(&frame);
    WNDCLASSW child = frame;
    child.lpfnWndProc = DefMDIChildProcW;
    child.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    child.lpszClassName = kChildClass;
    RegisterClassW(&child);
}

bool HasRegion(HWND window) {
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    const bool has = GetWindowRgn(window, region) != ERROR;
    DeleteObject(region);
    return has;
}

LONG StyleOf(HWND window) { return GetWindowLongW(window, GWL_STYLE); }

class MdiFrame : public TSkinnedProgramTest {
protected:
    void SetUp() override {
        OpenProgramWindows("ponderix-mdi");
        RegisterClasses();
        frameWindow =
            CreateWindowExW(0, kFrameClass, L"MDI", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 80, 80,
                            640, 420, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        CLIENTCREATESTRUCT create{nullptr, 1000};
        mdiClient =
            CreateWindowExW(0, L"MDICLIENT", nullptr,
                            WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_VSCROLL | WS_HSCROLL, 0, 0,
                            0, 0, frameWindow, nullptr, GetModuleHandleW(nullptr), &create);
        ShowWindow(frameWindow, SW_SHOW);
        SetForegroundWindow(frameWindow);
        frame = ActiveFrameSkinner(frameWindow);
    }
    void TearDown() override {
        DestroyWindow(frameWindow);
        mdiClient = nullptr;
        TSkinnedProgramTest::TearDown();
    }
    // A child created through the MDI client as an application does, then the menu refresh
    // that follows it.
    HWND CreateChild(const wchar_t* title) {
        MDICREATESTRUCTW create{};
        create.szClass = kChildClass;
        create.szTitle = title;
        create.hOwner = GetModuleHandleW(nullptr);
        create.x = create.y = 10;
        create.cx = 300;
        create.cy = 200;
        create.style = WS_OVERLAPPEDWINDOW;
        return reinterpret_cast<HWND>(
            SendMessageW(mdiClient, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&create)));
    }
    TWinSkinForm* SkinnedChild(HWND child) {
        SendMessageW(mdiClient, WM_MDIREFRESHMENU, 0, 0);
        return ActiveFrameSkinner(child);
    }

    HWND frameWindow = nullptr;
    TWinSkinForm* frame = nullptr;
};

TEST_F(MdiFrame, TheFrameIsSkinnedAsAnMdiFrameAndItsClientFollowed) {
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->Kind(), wkMdiFrame);
    EXPECT_EQ(frame->Form(), nullptr);
    EXPECT_EQ(frame->MdiClient(), mdiClient);
    EXPECT_EQ(Manager()->MdiClient(), mdiClient);
    EXPECT_TRUE(frame->MdiClientSubclassed());
    EXPECT_EQ(StyleOf(frameWindow) & WS_CAPTION, 0);
    EXPECT_TRUE(HasRegion(frameWindow));
    // The client shows no native scroll bars under the skinned frame.
    SetWindowPos(mdiClient, nullptr, 0, 0, 500, 300, SWP_NOZORDER | SWP_FRAMECHANGED);
    EXPECT_EQ(StyleOf(mdiClient) & (WS_HSCROLL | WS_VSCROLL), 0);
}

TEST_F(MdiFrame, AChildCreatedThroughTheClientIsSkinnedWhenTheMenuIsRefreshed) {
    ASSERT_NE(frame, nullptr);
    HWND child = CreateChild(L"子窗口");
    ASSERT_NE(child, nullptr);
    // Neither the hook nor SkinWindow skins an MDI child by itself.
    EXPECT_FALSE(Manager()->SkinWindow(child));
    EXPECT_EQ(Manager()->FindFormSkinner(child), nullptr);
    TWinSkinForm* skinner = SkinnedChild(child);
    ASSERT_NE(skinner, nullptr);
    EXPECT_EQ(skinner->Kind(), wkMdiChild);
    EXPECT_EQ(Manager()->MdiChildCount(), 1);
    // A child keeps its caption style; its boxes and system menu are the skin's.
    EXPECT_EQ(StyleOf(child) & WS_CAPTION, WS_CAPTION);
    EXPECT_EQ(StyleOf(child) & (WS_SYSMENU | WS_MAXIMIZEBOX | WS_MINIMIZEBOX), 0);
    EXPECT_TRUE(HasRegion(child));
    RECT client{};
    GetClientRect(child, &client);
    RECT outer{};
    GetWindowRect(child, &outer);
    const TFrameSizes s = skinner->FrameSizes();
    EXPECT_EQ(outer.right - outer.left, client.right + s.left + s.right);
    EXPECT_EQ(outer.bottom - outer.top, client.bottom + s.caption + s.bottom);
}

TEST_F(MdiFrame, TheSharedMaximisedStateSwitchesTheChildrensPresentation) {
    ASSERT_NE(frame, nullptr);
    HWND first = CreateChild(L"一");
    TWinSkinForm* a = SkinnedChild(first);
    HWND second = CreateChild(L"二");
    TWinSkinForm* b = SkinnedChild(second);
    ASSERT_NE(a, nullptr);
    ASSERT_NE(b, nullptr);
    Manager()->SetMdiMaximized(true);
    for (HWND child : {first, second}) {
        // Drawn by the system inside the client: native caption and boxes, no region.
        EXPECT_FALSE(HasRegion(child));
        EXPECT_EQ(StyleOf(child) & (WS_SYSMENU | WS_MAXIMIZEBOX | WS_MINIMIZEBOX),
                  WS_SYSMENU | WS_MAXIMIZEBOX | WS_MINIMIZEBOX);
    }
    Manager()->SetMdiMaximized(false);
    for (HWND child : {first, second}) {
        EXPECT_TRUE(HasRegion(child));
        EXPECT_EQ(StyleOf(child) & (WS_SYSMENU | WS_MAXIMIZEBOX | WS_MINIMIZEBOX), 0);
    }
    // Cascading clears the maximised state; destroying the last maximised child too.
    Manager()->SetMdiMaximized(true);
    SendMessageW(mdiClient, WM_MDICASCADE, 0, 0);
    EXPECT_FALSE(Manager()->MdiMaximized());
    EXPECT_TRUE(HasRegion(first));
    SendMessageW(mdiClient, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(second), 0);
    PumpMessages();
    EXPECT_TRUE(frame->IsMdiChildMaximized());
    Manager()->SetMdiMaximized(true);
    SendMessageW(mdiClient, WM_MDIDESTROY, reinterpret_cast<WPARAM>(second), 0);
    SendMessageW(mdiClient, WM_MDIRESTORE, reinterpret_cast<WPARAM>(first), 0);
    SendMessageW(mdiClient, WM_MDIDESTROY, reinterpret_cast<WPARAM>(first), 0);
    EXPECT_FALSE(frame->IsMdiChildMaximized());
    EXPECT_FALSE(Manager()->MdiMaximized());
}

TEST_F(MdiFrame, SwitchingSkinningOffGivesTheFrameTheClientAndTheChildrenBack) {
    ASSERT_NE(frame, nullptr);
    const WNDPROC clientProc =
        reinterpret_cast<WNDPROC>(GetWindowLongPtrW(mdiClient, GWLP_WNDPROC));
    HWND child = CreateChild(L"子窗口");
    ASSERT_NE(SkinnedChild(child), nullptr);
    MainForm->SkinData1->SetActive(false);
    ASSERT_TRUE(Manager()->TimerEnabled());
    Manager()->RunPendingAction();
    PumpMessages();
    EXPECT_EQ(Manager()->FindFormSkinner(frameWindow), nullptr);
    EXPECT_EQ(Manager()->FindFormSkinner(child), nullptr);
    EXPECT_NE(reinterpret_cast<WNDPROC>(GetWindowLongPtrW(mdiClient, GWLP_WNDPROC)), clientProc);
    EXPECT_EQ(StyleOf(frameWindow) & WS_CAPTION, WS_CAPTION);
    EXPECT_EQ(StyleOf(child) & (WS_SYSMENU | WS_MAXIMIZEBOX | WS_MINIMIZEBOX),
              WS_SYSMENU | WS_MAXIMIZEBOX | WS_MINIMIZEBOX);
    EXPECT_FALSE(HasRegion(frameWindow));
    EXPECT_FALSE(HasRegion(child));
}

}  // namespace
