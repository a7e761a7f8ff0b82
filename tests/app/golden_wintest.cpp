// Golden images of every window of the program with the default skin, captured through the
// windows themselves: the six pages of the main window, the help window, the error box of a
// calculation and the system menu opened from the caption (tests/golden/*.bmp; the tolerance is
// support/golden_image.h's).
#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "about_box.h"
#include "golden_windows.h"
#include "skinned_program_fixture.h"

using namespace std::chrono_literals;

namespace {

class Golden : public TSkinnedProgramTest {
protected:
    void SetUp() override {
        OpenProgramWindows("ponderix-golden");
        ParkCursor();
        SetForegroundWindow(MainForm->Handle());
        ASSERT_TRUE(PumpUntil([] { return FramePainted(MainForm->Handle()); }, 5s));
    }
};

TEST_F(Golden, TheSixPagesOfTheMainWindow) {
    for (int page = 0; page < 6; ++page) {
        SCOPED_TRACE(page);
        std::unique_ptr<TBitmap> shot = CaptureMainPage(page);
        EXPECT_TRUE(MatchesGolden(*shot, "main-page-" + std::to_string(page + 1)));
    }
}

TEST_F(Golden, TheHelpWindow) {
    AboutBox->Show();
    ASSERT_TRUE(PumpUntil([] { return FramePainted(AboutBox->Handle()); }, 5s));
    PumpMessages();
    EXPECT_TRUE(MatchesGolden(*CaptureWindow(AboutBox->Handle()), "help-window"));
}

TEST_F(Golden, TheErrorBox) {
    std::unique_ptr<TBitmap> shot = CaptureErrorBox();
    ASSERT_TRUE(shot) << "the error box did not show";
    EXPECT_TRUE(MatchesGolden(*shot, "error-box"));
}

TEST_F(Golden, TheSystemMenuOpened) {
    std::unique_ptr<TBitmap> shot = CaptureSystemMenu();
    ASSERT_TRUE(shot) << "the system menu did not open";
    EXPECT_TRUE(MatchesGolden(*shot, "system-menu"));
}

}  // namespace
