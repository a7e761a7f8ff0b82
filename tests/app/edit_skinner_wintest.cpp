// The edit skinner on the program's own edits and on a test form, read back from the screen: the
// flat two-line border (button shadow outside, white inside) on the input boxes and the
// read-only result boxes, through focus changes and typing; a borderless edit keeps its own
// look; an edit printed with WM_PRINT has its inner line in the brush the printing code chose;
// a spin button inside an edit is found on paint and skinned. Repaints leave the object counts
// flat.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <memory>
#include <vector>

#include "forms/edits.h"
#include "skin/controls/skin_control_tree.h"
#include "skin_pixels.h"
#include "skinned_form_fixture.h"
#include "support/gdi_objects.h"
#include "support/skinner_host_fixture.h"
#include "support/user_objects.h"

namespace {

TSkinDescription& Skin() { return MainForm->SkinData1->Skin(); }

// Pixels of the ring inset by inset pixels from the box's edge that are not of that colour.
int RingMismatches(TBitmap& shot, const TRect& box, int inset, COLORREF colour) {
    const TRect r{box.left + inset, box.top + inset, box.right - inset, box.bottom - inset};
    int wrong = 0;
    for (int x = r.left; x < r.right; ++x) {
        wrong += Pixel(shot, x, r.top) != static_cast<int>(colour);
        wrong += Pixel(shot, x, r.bottom - 1) != static_cast<int>(colour);
    }
    for (int y = r.top + 1; y < r.bottom - 1; ++y) {
        wrong += Pixel(shot, r.left, y) != static_cast<int>(colour);
        wrong += Pixel(shot, r.right - 1, y) != static_cast<int>(colour);
    }
    return wrong;
}

// The flat border on the screen: the outer line in the skin's button shadow, the inner white.
void ExpectFlatBorder(HWND window) {
    auto shot = WindowShot(window);
    const TRect box = WindowBox(window);
    EXPECT_EQ(RingMismatches(*shot, box, 0, ColorToRGB(Skin().ButtonShadowColour)), 0);
    EXPECT_EQ(RingMismatches(*shot, box, 1, RGB(255, 255, 255)), 0);
}

class EditSkinner : public TSkinnedFormTest {
protected:
    EditSkinner() : TSkinnedFormTest("ponderix-edits") {}

    // The program's edits on the page in view, the input boxes and the read-only result boxes.
    static std::vector<TCustomEdit*> ShownEdits() {
        std::vector<TCustomEdit*> edits;
        for (int i = 0; i < MainForm->ComponentCount(); ++i)
            if (auto* edit = dynamic_cast<TCustomEdit*>(MainForm->Components(i));
                edit && edit->HandleAllocated() && IsWindowVisible(edit->Handle()))
                edits.push_back(edit);
        return edits;
    }
};

}  // namespace

TEST_F(EditSkinner, TheProgramsEditsHaveTheFlatBorder) {
    const std::vector<TCustomEdit*> edits = ShownEdits();
    ASSERT_GE(edits.size(), 3u);
    bool readOnlySeen = false;
    for (TCustomEdit* edit : edits) {
        SCOPED_TRACE(testing::Message() << std::string(edit->Name().begin(), edit->Name().end()));
        readOnlySeen |= edit->ReadOnly();
        ExpectFlatBorder(edit->Handle());
    }
    EXPECT_TRUE(readOnlySeen);  // the result box is among them
    // Focus moving in and out repaints the edit's own frame; the flat border comes back with it.
    TCustomEdit* first = edits.front();
    first->SetFocus();
    PumpMessages();
    ExpectFlatBorder(first->Handle());
    for (const wchar_t c : std::wstring(L"12.5")) SendMessageW(first->Handle(), WM_CHAR, c, 0);
    PumpMessages();
    ExpectFlatBorder(first->Handle());
    edits.back()->SetFocus();
    PumpMessages();
    ExpectFlatBorder(first->Handle());
    ExpectFlatBorder(edits.back()->Handle());
    // A repaint of the frame alone, as a themed edit asks for when the mouse comes and goes.
    SendMessageW(first->Handle(), WM_NCPAINT, 1, 0);
    ExpectFlatBorder(first->Handle());
}

TEST_F(EditSkinner, AFrameRepaintBeforeAPendingPaintGetsTheBorderFromThatPaint) {
    TCustomEdit* edit = ShownEdits().front();
    // As in a resize of the window: frame and client invalid, the frame painted at once.
    RedrawWindow(edit->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME);
    SendMessageW(edit->Handle(), WM_NCPAINT, 1, 0);
    ASSERT_TRUE(GetUpdateRect(edit->Handle(), nullptr, FALSE));
    PumpMessages();
    EXPECT_FALSE(GetUpdateRect(edit->Handle(), nullptr, FALSE));
    ExpectFlatBorder(edit->Handle());
}

TEST_F(EditSkinner, ABorderlessEditKeepsItsOwnLook) {
    ShowForm();
    HWND edit = CreateWindowExW(0, L"EDIT", L"无边框", WS_CHILD | WS_VISIBLE, 20, 20, 120, 22,
                                form->Handle(), nullptr, nullptr, nullptr);
    ASSERT_NE(edit, nullptr);
    PumpMessages();
    auto before = WindowShot(edit);
    TTestSkinnerHost host;
    auto* skinner = new TSkinEdit(&host);
    skinner->HookWindow(edit, MainForm->SkinData1, &host, host.ControlCanvas());
    RedrawWindow(edit, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
    PumpMessages();
    auto after = WindowShot(edit);
    EXPECT_EQ(Mismatches(*after, *before, WindowBox(edit)), 0);
    DestroyWindow(edit);
}

TEST_F(EditSkinner, APrintedEditHasItsInnerLineInThePrintersBrush) {
    HWND edit = ShownEdits().front()->Handle();
    const TRect box = WindowBox(edit);
    TBitmap printed;
    printed.SetPixelFormat(TPixelFormat::pf24bit);
    printed.SetSize(box.right, box.bottom);
    HDC dc = printed.Canvas()->Handle();
    constexpr COLORREF kPrinterBrush = RGB(10, 200, 30);
    Owned<HBRUSH, &DeleteObject> brush(CreateSolidBrush(kPrinterBrush));
    {
        TSavedDC saved(dc);
        SelectObject(dc, brush.Get());
        SendMessageW(edit, WM_PRINT, reinterpret_cast<WPARAM>(dc),
                     PRF_NONCLIENT | PRF_CLIENT | PRF_ERASEBKGND);
    }
    EXPECT_EQ(RingMismatches(printed, box, 0, ColorToRGB(Skin().ButtonShadowColour)), 0);
    EXPECT_EQ(RingMismatches(printed, box, 1, kPrinterBrush), 0);
}

TEST_F(EditSkinner, ASpinButtonInsideAnEditIsFoundAndSkinned) {
    auto* edit = Place<TEdit>(20, 120, 120, 24);
    ShowForm();
    auto* skinner = dynamic_cast<TSkinEdit*>(SkinnerOf(edit));
    ASSERT_NE(skinner, nullptr);
    EXPECT_EQ(skinner->UpDown(), nullptr);
    RECT client{};
    GetClientRect(edit->Handle(), &client);
    HWND spin = CreateWindowExW(0, UPDOWN_CLASSW, L"", WS_CHILD | WS_VISIBLE, client.right - 18, 0,
                                18, client.bottom, edit->Handle(), nullptr, nullptr, nullptr);
    ASSERT_NE(spin, nullptr);
    // Found at the edit's next paint, owned where the edit's skinner is.
    InvalidateRect(edit->Handle(), nullptr, TRUE);
    PumpMessages();
    ASSERT_NE(skinner->UpDown(), nullptr);
    EXPECT_TRUE(skinner->UpDown()->InEdit());
    EXPECT_EQ(skinner->UpDown()->Handle(), spin);
    EXPECT_EQ(skinner->UpDown()->Owner(), skinner->Owner());
    PumpMessages();
    // One pixel kept free all round for the edit's border.
    ExpectUpDown(Skin(), spin, false, true, udNormal, udNormal);
    ExpectFlatBorder(edit->Handle());
    // When the spin button goes, a new one is found again.
    DestroyWindow(spin);
    HWND again = CreateWindowExW(0, UPDOWN_CLASSW, L"", WS_CHILD | WS_VISIBLE, client.right - 18, 0,
                                 18, client.bottom, edit->Handle(), nullptr, nullptr, nullptr);
    InvalidateRect(edit->Handle(), nullptr, TRUE);
    PumpMessages();
    ASSERT_NE(skinner->UpDown(), nullptr);
    EXPECT_EQ(skinner->UpDown()->Handle(), again);
}

TEST_F(EditSkinner, RepaintingTheEditsLeavesTheObjectCountsFlat) {
    const std::vector<TCustomEdit*> edits = ShownEdits();
    ASSERT_FALSE(edits.empty());
    auto round = [&](size_t i) {
        edits[i % edits.size()]->SetFocus();
        RedrawWindow(MainForm->Handle(), nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    };
    round(0);
    const int gdiBefore = GdiObjectCount();
    const int userBefore = UserObjectCount();
    for (size_t i = 1; i <= 200; ++i) round(i);
    EXPECT_EQ(GdiObjectCount(), gdiBefore);
    EXPECT_EQ(UserObjectCount(), userBefore);
}
