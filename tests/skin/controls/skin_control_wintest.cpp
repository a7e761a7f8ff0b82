// The control skinner base in real windows: messages pass through both kinds of replaced
// procedure (BeforeMessage may consume, AfterMessage runs after the original), detaching puts
// back exactly what was replaced and never cuts out a procedure installed after the skinner,
// and the base's state, colour, repaint and drawing rules.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "forms/application.h"
#include "forms/bitmap.h"
#include "forms/containers.h"
#include "forms/dc_scopes.h"
#include "forms/edits.h"
#include "forms/font.h"
#include "forms/image_list.h"
#include "skin/bitmap_draw_win.h"
#include "skin/controls/skin_control.h"
#include "skin/skin_data.h"
#include "support/skinner_host_fixture.h"
#include "support/win_test_util.h"

namespace {

constexpr TColor kFace = 0x3070B0;

// Records what reaches the skinner's handlers; consumes one message when asked.
class TProbeSkinner : public TSkinControl {
public:
    using TSkinControl::TSkinControl;
    UINT consumed = 0;
    std::vector<std::wstring> textsAfterSetText;  // the window's text when AfterMessage ran
    std::vector<HDC> drawnInto;
    int messagesSeen = 0;

    bool BeforeMessage(TMessage& message) override {
        ++messagesSeen;
        if (message.Msg == consumed) {
            message.Result = 77;
            return false;
        }
        return TSkinControl::BeforeMessage(message);
    }
    void AfterMessage(TMessage& message) override {
        if (message.Msg == WM_SETTEXT) textsAfterSetText.push_back(SkinWindowText(Handle()));
        TSkinControl::AfterMessage(message);
    }
    void DrawControl(HDC dc, const TRect&) override { drawnInto.push_back(dc); }

    using TSkinControl::DrawCellMasked;
    using TSkinControl::DrawCellStretched;
    using TSkinControl::DrawSkinLabel;
    using TSkinControl::DrawSkinObject;
    using TSkinControl::FillSkinColor;
};

enum class TAttach { Control, Window };

struct TSkinnedEdit {
    std::unique_ptr<TForm> form = std::make_unique<TForm>(nullptr);
    TEdit* edit = new TEdit(form.get());
    TSkinData skin{nullptr};
    TTestSkinnerHost host;

    TSkinnedEdit() {
        skin.Skin().ButtonFaceColour = kFace;
        form->SetBounds(100, 100, 300, 200);
        edit->SetParent(form.get());
        edit->SetBounds(10, 10, 150, 21);
        form->Show();
        PumpMessages();
    }
    TProbeSkinner* Attach(TAttach how, bool recolour = false) {
        auto* skinner = new TProbeSkinner(edit);
        if (how == TAttach::Control)
            skinner->HookControl(&host, &skin, recolour, host.ControlCanvas());
        else
            skinner->HookWindow(edit->Handle(), &skin, &host, host.ControlCanvas());
        return skinner;
    }
};

LONG_PTR ProcOf(HWND window) { return GetWindowLongPtrW(window, GWLP_WNDPROC); }

// A procedure put on top with SetWindowLongPtr after the skinner, counting WM_SETTEXT.
struct TForeignProc {
    static inline int seen = 0;
    static inline WNDPROC previous = nullptr;
    static LRESULT CALLBACK Proc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
        if (msg == WM_SETTEXT) ++seen;
        return CallWindowProcW(previous, window, msg, wParam, lParam);
    }
    static void Install(HWND window) {
        seen = 0;
        previous = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Proc)));
    }
};

class BothAttachKinds : public testing::TestWithParam<TAttach> {};

TEST_P(BothAttachKinds, BeforeMessageConsumesAndAfterMessageRunsAfterTheOriginal) {
    TSkinnedEdit sample;
    TProbeSkinner* skinner = sample.Attach(GetParam());
    ASSERT_EQ(skinner->State(), ssAttached);
    const HWND window = sample.edit->Handle();

    SetWindowTextW(window, L"钢");
    ASSERT_EQ(skinner->textsAfterSetText.size(), 1u);
    EXPECT_EQ(skinner->textsAfterSetText[0], L"钢");  // the edit had taken it already
    EXPECT_EQ(skinner->Text(), L"钢");

    skinner->consumed = WM_SETTEXT;
    EXPECT_EQ(SendMessageW(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"铝")), 77);
    EXPECT_EQ(SkinWindowText(window), L"钢");  // the edit never saw it
    EXPECT_EQ(skinner->textsAfterSetText.size(), 1u);
}

TEST_P(BothAttachKinds, DetachingPutsBackExactlyWhatWasReplaced) {
    TSkinnedEdit sample;
    const HWND window = sample.edit->Handle();
    const TWndMethod methodBefore = sample.edit->WindowProc;
    const LONG_PTR procBefore = ProcOf(window);
    TProbeSkinner* skinner = sample.Attach(GetParam());
    if (GetParam() == TAttach::Control) {
        EXPECT_TRUE(skinner->HookedThroughWindowProc());
        EXPECT_FALSE(sample.edit->WindowProc == methodBefore);
        EXPECT_EQ(ProcOf(window), procBefore);
    } else {
        EXPECT_TRUE(skinner->HookedBySubclass());
        EXPECT_NE(ProcOf(window), procBefore);
        EXPECT_TRUE(sample.edit->WindowProc == methodBefore);
    }
    ASSERT_EQ(sample.host.ControlSkinners().size(), 1u);
    delete skinner;
    EXPECT_TRUE(sample.edit->WindowProc == methodBefore);
    EXPECT_EQ(ProcOf(window), procBefore);
    EXPECT_FALSE(TControlSkinnerProc::HasRecord(window));
    EXPECT_TRUE(sample.host.ControlSkinners().empty());
    SetWindowTextW(window, L"仍然可用");
    EXPECT_EQ(SkinWindowText(window), L"仍然可用");
}

TEST_P(BothAttachKinds, TheSkinnerDiesWithItsControlAndLeavesTheList) {
    TSkinnedEdit sample;
    const HWND window = sample.edit->Handle();
    sample.Attach(GetParam());
    ASSERT_EQ(sample.host.ControlSkinners().size(), 1u);
    delete sample.edit;
    EXPECT_TRUE(sample.host.ControlSkinners().empty());
    EXPECT_FALSE(TControlSkinnerProc::HasRecord(window));
}

INSTANTIATE_TEST_SUITE_P(SkinControl, BothAttachKinds,
                         testing::Values(TAttach::Control, TAttach::Window));

TEST(SkinControl, AForeignSubclassOnTopKeepsTheSkinnersEntryAsAPassThrough) {
    TSkinnedEdit sample;
    const HWND window = sample.edit->Handle();
    TProbeSkinner* skinner = sample.Attach(TAttach::Window);
    TForeignProc::Install(window);
    delete skinner;
    // Putting the old procedure back would have cut the foreign one out.
    EXPECT_EQ(ProcOf(window), reinterpret_cast<LONG_PTR>(&TForeignProc::Proc));
    SetWindowTextW(window, L"穿过");
    EXPECT_EQ(TForeignProc::seen, 1);
    EXPECT_EQ(SkinWindowText(window), L"穿过");

    // A new skinner takes the pass-through over instead of stacking another entry.
    TProbeSkinner* again = sample.Attach(TAttach::Window);
    ASSERT_TRUE(again->HookedBySubclass());
    SetWindowTextW(window, L"再来");
    EXPECT_EQ(TForeignProc::seen, 2);
    EXPECT_EQ(again->Text(), L"再来");
    delete again;
    EXPECT_TRUE(TControlSkinnerProc::HasRecord(window));
    sample.edit->DestroyHandle();  // the pass-through goes with the window
    EXPECT_FALSE(IsWindow(window));
    EXPECT_FALSE(TControlSkinnerProc::HasRecord(window));
}

TEST(SkinControl, AForeignWindowProcOnTopOfTheSkinnerStaysInTheChain) {
    TSkinnedEdit sample;
    TProbeSkinner* skinner = sample.Attach(TAttach::Control);
    struct TCounter : TObject {
        TWndMethod previous;
        int seen = 0;
        void Proc(TMessage& message) {
            if (message.Msg == WM_SETTEXT) ++seen;
            previous(message);
        }
    } foreign;
    foreign.previous = sample.edit->WindowProc;
    const TWndMethod foreignEntry = TWndMethod::Of<TCounter, &TCounter::Proc>(&foreign);
    sample.edit->WindowProc = foreignEntry;
    delete skinner;
    EXPECT_TRUE(sample.edit->WindowProc == foreignEntry);
    sample.edit->SetText(L"链");
    EXPECT_EQ(foreign.seen, 1);
    EXPECT_EQ(SkinWindowText(sample.edit->Handle()), L"链");
}

TEST(SkinControl, ADisabledWindowIsEnabledThroughHookWindowAndDisabledThroughHookControl) {
    for (TAttach how : {TAttach::Window, TAttach::Control}) {
        TSkinnedEdit sample;
        sample.edit->SetEnabled(false);
        TProbeSkinner* skinner = sample.Attach(how);
        EXPECT_EQ(skinner->Enabled(), how == TAttach::Window);
    }
}

TEST(SkinControl, AttachReadsFocusOnlyThroughHookControlAndASecondHookControlDoesNothing) {
    TSkinnedEdit sample;
    sample.edit->SetFocus();
    TProbeSkinner* control = sample.Attach(TAttach::Control);
    EXPECT_TRUE(control->Focused());
    const TWndMethod entry = control->ControlEntry();
    control->HookControl(&sample.host, &sample.skin, true, sample.host.ControlCanvas());
    EXPECT_FALSE(control->Recolour());
    EXPECT_TRUE(sample.edit->WindowProc == entry);
    EXPECT_EQ(sample.host.ControlSkinners().size(), 1u);
    delete control;
    TProbeSkinner* window = sample.Attach(TAttach::Window);
    EXPECT_FALSE(window->Focused());
}

TEST(SkinControl, APaintWithAContextInWParamIsDrawnIntoThatContext) {
    for (TAttach how : {TAttach::Window, TAttach::Control}) {
        TSkinnedEdit sample;
        TProbeSkinner* skinner = sample.Attach(how);
        TBitmap target;
        target.SetSize(200, 40);
        const HDC given = target.Canvas()->Handle();
        SendMessageW(sample.edit->Handle(), WM_PAINT, reinterpret_cast<WPARAM>(given), 0);
        ASSERT_FALSE(skinner->drawnInto.empty());
        EXPECT_EQ(skinner->drawnInto.back(), given);
        InvalidateRect(sample.edit->Handle(), nullptr, TRUE);
        UpdateWindow(sample.edit->Handle());
        EXPECT_NE(skinner->drawnInto.back(), given);
        EXPECT_NE(skinner->drawnInto.back(), nullptr);
    }
}

TEST(SkinControl, ARecolouredControlHasItsColourBackAtWmNcDestroy) {
    TSkinnedEdit sample;
    auto* panel = new TPanel(sample.form.get());
    panel->SetParent(sample.form.get());
    panel->SetBounds(10, 50, 100, 60);
    panel->SetColor(clWhite);
    auto* skinner = new TProbeSkinner(panel);
    skinner->HookControl(&sample.host, &sample.skin, true, sample.host.ControlCanvas());
    EXPECT_EQ(panel->Color(), kFace);
    EXPECT_EQ(skinner->SavedColor(), clWhite);

    sample.skin.Skin().ButtonFaceColour = clSilver;
    skinner->SkinChanged();
    EXPECT_EQ(panel->Color(), clSilver);

    panel->DestroyHandle();
    EXPECT_EQ(skinner->State(), ssWindowDestroyed);
    EXPECT_EQ(panel->Color(), clWhite);  // at once, before the skinner is freed
    ASSERT_EQ(sample.host.ControlSkinners().size(), 1u);
    sample.host.RemoveDestroyedSkinners();
    EXPECT_TRUE(sample.host.ControlSkinners().empty());
}

TEST(SkinControl, RepaintRedrawsAChildWindowButNeverATopLevelOne) {
    TSkinnedEdit sample;
    TProbeSkinner* child = sample.Attach(TAttach::Window);
    PumpMessages();
    child->drawnInto.clear();
    child->Repaint();
    EXPECT_EQ(child->drawnInto.size(), 1u);

    const HWND popup = CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 0, 0, 80, 40,
                                       nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_TRUE(popup);
    auto* top = new TProbeSkinner(&sample.host);
    top->HookWindow(popup, &sample.skin, &sample.host, sample.host.ControlCanvas());
    PumpMessages();
    top->drawnInto.clear();
    top->Repaint();
    RECT update{};
    EXPECT_FALSE(GetUpdateRect(popup, &update, FALSE));
    EXPECT_TRUE(top->drawnInto.empty());
    DestroyWindow(popup);
    EXPECT_EQ(top->State(), ssWindowDestroyed);
    EXPECT_FALSE(top->HookedBySubclass());
}

TEST(SkinControl, SendMouseLeaveReachesTheControl) {
    TSkinnedEdit sample;
    TProbeSkinner* skinner = sample.Attach(TAttach::Window);
    skinner->consumed = CM_MOUSELEAVE;
    const int before = skinner->messagesSeen;
    skinner->SendMouseLeave();
    EXPECT_EQ(skinner->messagesSeen, before + 1);
}

// Drawing helpers, read back from a bitmap.
struct TStrip {
    TBitmap bitmap;
    // Cells of 4 x 4 pixels side by side, one colour each.
    explicit TStrip(std::initializer_list<COLORREF> colours) {
        bitmap.SetSize(static_cast<int>(4 * colours.size()), 4);
        int x = 0;
        for (COLORREF c : colours) {
            FillSolidRect(bitmap.Canvas()->Handle(), {x, 0, x + 4, 4}, c);
            x += 4;
        }
    }
};

TEST(SkinControl, DrawingHelpersDrawTheCellAskedForAndKeyOutMagenta) {
    TSkinnedEdit sample;
    auto* skinner = new TProbeSkinner(&sample.host);
    skinner->HookWindow(sample.edit->Handle(), &sample.skin, &sample.host, nullptr);
    constexpr COLORREF red = RGB(255, 0, 0), green = RGB(0, 255, 0), key = RGB(255, 0, 255);
    constexpr COLORREF backdrop = RGB(1, 2, 3);
    TStrip strip{red, green, key};
    TDataSkinObject object;
    object.Image.Assign(strip.bitmap);
    object.FrameCount = 3;

    struct TCase {
        const char* name;
        int frame;
        bool transparent;
        COLORREF expected;
    };
    for (const TCase& c :
         {TCase{"cell 2 opaque", 2, false, green}, TCase{"cell 1 opaque", 1, false, red},
          TCase{"magenta cell transparent", 3, true, backdrop},
          TCase{"magenta cell opaque", 3, false, key}}) {
        SCOPED_TRACE(c.name);
        object.Trans = c.transparent ? 1 : 0;
        TBitmap target;
        target.SetSize(20, 20);
        const HDC dc = target.Canvas()->Handle();
        FillSolidRect(dc, {0, 0, 20, 20}, backdrop);
        skinner->DrawSkinObject(dc, {2, 2, 14, 14}, 3, c.frame, object);
        EXPECT_EQ(GetPixel(dc, 8, 8), c.expected);
        EXPECT_EQ(GetPixel(dc, 16, 16), backdrop);  // outside the rectangle
    }

    TBitmap target;
    target.SetSize(20, 20);
    const HDC dc = target.Canvas()->Handle();
    FillSolidRect(dc, {0, 0, 20, 20}, backdrop);
    skinner->DrawCellStretched(dc, {0, 0, 10, 10}, 3, 2, strip.bitmap);
    EXPECT_EQ(GetPixel(dc, 9, 9), green);
    skinner->DrawCellMasked(dc, {0, 0, 10, 10}, 3, 3, strip.bitmap);
    EXPECT_EQ(GetPixel(dc, 5, 5), green);  // magenta leaves what was there
    skinner->DrawCellMasked(dc, {10, 10, 20, 20}, 3, 1, strip.bitmap);
    EXPECT_EQ(GetPixel(dc, 15, 15), red);
    skinner->DrawSkinObject(dc, {5, 5, 3, 3}, 3, 1, object);  // inside out: nothing
    EXPECT_EQ(GetPixel(dc, 4, 4), green);
    skinner->FillSkinColor(dc, {0, 0, 4, 4});
    EXPECT_EQ(GetPixel(dc, 1, 1), ColorToRGB(kFace));
}

// The leftmost column of the bitmap with a pixel other than white, or -1.
int FirstInkColumn(TBitmap& bitmap) {
    const HDC dc = bitmap.Canvas()->Handle();
    for (int x = 0; x < bitmap.Width(); ++x)
        for (int y = 0; y < bitmap.Height(); ++y)
            if (GetPixel(dc, x, y) != RGB(255, 255, 255)) return x;
    return -1;
}

TEST(SkinControl, LabelsAreAlignedAndAnEmptyTextDrawsNothingNotEvenTheIcon) {
    TSkinnedEdit sample;
    auto* skinner = new TProbeSkinner(&sample.host);
    skinner->HookWindow(sample.edit->Handle(), &sample.skin, &sample.host, nullptr);
    TImageList images(nullptr);
    TBitmap glyph;
    glyph.SetSize(16, 16);
    FillSolidRect(glyph.Canvas()->Handle(), {0, 0, 16, 16}, RGB(0, 0, 0));
    images.Add(glyph, nullptr);
    const auto draw = [&](int alignment, const std::wstring& text, int image) {
        auto bitmap = std::make_unique<TBitmap>();
        bitmap->SetSize(200, 24);
        FillSolidRect(bitmap->Canvas()->Handle(), {0, 0, 200, 24}, RGB(255, 255, 255));
        skinner->DrawSkinLabel(*bitmap->Canvas(), {0, 0, 200, 24}, alignment, text, image, &images);
        return FirstInkColumn(*bitmap);
    };
    EXPECT_EQ(draw(0, L"", 0), -1);
    const int left = draw(0, L"钢材", -1);
    const int centre = draw(1, L"钢材", -1);
    const int right = draw(2, L"钢材", -1);
    EXPECT_GE(left, 2);
    EXPECT_LT(left, 10);
    EXPECT_GT(centre, left + 50);
    EXPECT_GT(right, centre + 50);
    EXPECT_EQ(draw(0, L"钢材", 0), 2);  // the icon first, at the left offset
}

}  // namespace
