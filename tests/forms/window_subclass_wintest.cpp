// Subclassing: ours and a foreign procedure installed with GWLP_WNDPROC (as the skin engine does)
// both see the messages, and taking ours away never cuts the foreign one out; ours keeps nothing
// on the window (a property costs a server round trip per message under Wine). The combo box's
// edit part keeps completing under a foreign subclass.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "forms/application.h"
#include "forms/combo_box.h"
#include "forms/window_subclass.h"
#include "support/win_test_util.h"

namespace {

// A procedure put in front of a window with SetWindowLongPtr, counting one kind of message.
struct TForeignSubclass {
    static inline int seen = 0;
    static inline UINT counted = WM_SETTEXT;
    static inline WNDPROC previous = nullptr;
    static LRESULT CALLBACK Proc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
        if (msg == counted) ++seen;
        return CallWindowProcW(previous, window, msg, wParam, lParam);
    }
    static void Install(HWND window, UINT message = WM_SETTEXT) {
        seen = 0;
        counted = message;
        previous = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Proc)));
    }
    static void Remove(HWND window) {
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
    }
};

std::wstring TextOf(HWND window) {
    wchar_t text[64] = {};
    GetWindowTextW(window, text, 64);
    return text;
}

class WindowSubclass : public testing::Test {
protected:
    void SetUp() override {
        window = CreateWindowExW(0, L"EDIT", L"", WS_POPUP, 0, 0, 100, 20, nullptr, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
        ASSERT_TRUE(window);
    }
    void TearDown() override {
        if (IsWindow(window)) DestroyWindow(window);
    }
    void AttachOurs() {
        ASSERT_TRUE(ours.Attach(window, [this](UINT msg, WPARAM wParam, LPARAM lParam) {
            if (msg == WM_SETTEXT) ++oursSeen;
            return ours.Next(msg, wParam, lParam);
        }));
    }

    HWND window = nullptr;
    TWindowSubclass ours;
    int oursSeen = 0;
};

TEST_F(WindowSubclass, TakingOursAwayUnderAForeignSubclassKeepsTheForeignOne) {
    AttachOurs();
    TForeignSubclass::Install(window);
    SetWindowTextW(window, L"one");
    EXPECT_EQ(oursSeen, 1);
    EXPECT_EQ(TForeignSubclass::seen, 1);
    EXPECT_EQ(TextOf(window), L"one");

    ours.Detach();
    SetWindowTextW(window, L"two");
    EXPECT_EQ(oursSeen, 1);
    EXPECT_EQ(TForeignSubclass::seen, 2);
    EXPECT_EQ(TextOf(window), L"two");  // the window's own procedure is still reached
    EXPECT_EQ(GetWindowLongPtrW(window, GWLP_WNDPROC),
              reinterpret_cast<LONG_PTR>(&TForeignSubclass::Proc));
    TForeignSubclass::Remove(window);
    SetWindowTextW(window, L"three");
    EXPECT_EQ(TextOf(window), L"three");
}

TEST_F(WindowSubclass, OursOverAForeignSubclassComesOffCleanly) {
    TForeignSubclass::Install(window);
    AttachOurs();
    SetWindowTextW(window, L"one");
    EXPECT_EQ(oursSeen, 1);
    EXPECT_EQ(TForeignSubclass::seen, 1);
    ours.Detach();
    SetWindowTextW(window, L"two");
    EXPECT_EQ(oursSeen, 1);
    EXPECT_EQ(TForeignSubclass::seen, 2);
    EXPECT_EQ(TextOf(window), L"two");
    TForeignSubclass::Remove(window);
}

TEST_F(WindowSubclass, KeepsNoPropertyOnTheWindow) {
    const auto properties = [this] {
        int count = 0;
        EnumPropsExW(
            window,
            [](HWND, LPWSTR, HANDLE, ULONG_PTR n) -> BOOL {
                ++*reinterpret_cast<int*>(n);
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&count));
        return count;
    };
    const int before = properties();  // the control's own (its theme's, say)
    AttachOurs();
    EXPECT_EQ(properties(), before);
    SetWindowTextW(window, L"one");
    EXPECT_EQ(oursSeen, 1);
}

TEST_F(WindowSubclass, LetsGoOfTheHandleWhenTheWindowIsDestroyed) {
    AttachOurs();
    bool destroyed = false;
    ours.OnDestroyed = [&] { destroyed = true; };
    DestroyWindow(window);
    EXPECT_TRUE(destroyed);
    EXPECT_EQ(ours.Handle(), nullptr);
    ours.Detach();  // nothing left to do, and nothing touched
}

TEST(ComboBoxEditSubclass, CompletionWorksUnderAForeignSubclassAndAfterItIsRemoved) {
    auto form = std::make_unique<TForm>(nullptr);
    form->SetBounds(100, 100, 300, 200);
    auto* combo = new TComboBox(form.get());
    combo->SetParent(form.get());
    combo->SetBounds(10, 10, 150, 21);
    combo->Items()->Add(L"不锈钢");
    combo->Items()->Add(L"铝");
    form->Show();
    PumpMessages();
    const HWND edit = combo->EditHandle();
    ASSERT_TRUE(edit);

    TForeignSubclass::Install(edit, WM_CHAR);
    SendMessageW(edit, WM_CHAR, L'不', 0);
    EXPECT_EQ(TForeignSubclass::seen, 1);
    EXPECT_EQ(combo->Text(), L"不锈钢");  // and ours, behind it, completed
    TForeignSubclass::Remove(edit);

    SetWindowTextW(edit, L"");
    SendMessageW(edit, WM_CHAR, L'铝', 0);
    EXPECT_EQ(combo->Text(), L"铝");
}

}  // namespace
