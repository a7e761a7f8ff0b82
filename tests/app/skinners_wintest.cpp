// The real skin manager attaches to the program's real MainForm and AboutBox, built from their
// form descriptions. A page not yet shown keeps its controls without windows and skinners until
// it is shown; once every page has been shown, what the classification gave each component is
// compared with tests/golden/skinners.txt. Then 100 rounds of showing and hiding the help window
// and 100 rounds of switching the skin component off and on leave the GDI and USER object counts
// flat, and no skinner outlives its window.
#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <fstream>
#include <sstream>

#include "about_box.h"
#include "forms/application.h"
#include "main_form.h"
#include "skinned_program_fixture.h"
#include "skin/controls/skin_control_tree.h"
#include "skin/manager/skin_manager.h"
#include "support/gdi_objects.h"
#include "support/user_objects.h"
#include "support/win_test_util.h"

namespace fs = std::filesystem;

namespace {

TSkinManage* Manager() { return static_cast<TSkinManage*>(ExistingSkinManager()); }

std::string Narrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }

std::string AttachOf(const TSkinControl& skinner) {
    if (skinner.GraphicControl()) return "graphic";
    if (auto* scroll = dynamic_cast<const TSkinScrollbar*>(&skinner); scroll && scroll->Mode() >= 0)
        return "HookScrollControl mode " + std::to_string(scroll->Mode());
    if (skinner.HookedBySubclass()) return "HookWindow";
    // A box attaches with HookControl but leaves the control's WindowProc alone.
    if (skinner.HookedThroughWindowProc() ||
        (skinner.Attached() && dynamic_cast<const TSkinBox*>(&skinner)))
        return skinner.Recolour() ? "HookControl recolour" : "HookControl";
    return "unattached";
}

// One line per component of the form, in component order; the frame skinner, which is not
// part of the form's description, is left out.
std::string SkinnerLines(TCustomForm& form) {
    TWinSkinForm* frame = Manager()->FindFormSkinner(form.Handle());
    std::ostringstream out;
    for (int i = 0; i < form.ComponentCount(); ++i) {
        TComponent* c = form.Components(i);
        if (dynamic_cast<TWinSkinForm*>(c)) continue;
        out << Narrow(form.Name()) << '.' << Narrow(c->Name()) << ": " << c->ClassName() << " -> ";
        const TSkinControl* found = nullptr;
        if (frame)
            for (const TSkinControl* skinner : frame->ControlSkinners())
                if (skinner->Owner() == c) found = skinner;
        if (found)
            out << found->ClassName() << " via " << AttachOf(*found) << '\n';
        else
            out << "none\n";
    }
    return out.str();
}

// The control skinners that exist on the form's components, listed or not.
int SkinnersOn(TCustomForm& form) {
    int count = 0;
    for (int i = 0; i < form.ComponentCount(); ++i) {
        TComponent* c = form.Components(i);
        for (int j = 0; j < c->ComponentCount(); ++j)
            count += dynamic_cast<TSkinControl*>(c->Components(j)) != nullptr;
    }
    return count;
}

// Every listed skinner's window still exists.
void ExpectNoSkinnerOutlivesItsWindow() {
    for (TWinSkinForm* frame : Manager()->FormSkinners()) {
        EXPECT_TRUE(IsWindow(frame->Handle()));
        for (const TSkinControl* skinner : frame->ControlSkinners())
            EXPECT_TRUE(skinner->GraphicControl() || IsWindow(skinner->Handle()));
    }
}

class Skinners : public TSkinnedProgramTest {
protected:
    void SetUp() override {
        OpenProgramWindows("ponderix-skinners");
        AboutBox->Show();
        PumpMessages();
        AboutBox->Hide();
        MainForm->Show();
        PumpMessages();
    }
    static void RunScheduledAction() {
        ASSERT_TRUE(Manager()->TimerEnabled());
        Manager()->RunPendingAction();
        PumpMessages();
    }
};

}  // namespace

TEST_F(Skinners, TheClassificationOfTheProgramsFormsMatchesTheGoldenFile) {
    ASSERT_NE(Manager()->FindFormSkinner(MainForm->Handle()), nullptr);
    ASSERT_NE(Manager()->FindFormSkinner(AboutBox->Handle()), nullptr);
    // Skinning the first page made no window of the second.
    EXPECT_FALSE(MainForm->Edit4->HandleAllocated());
    EXPECT_EQ(MainForm->Edit4->ComponentCount(), 0);
    for (int i = 0; i < MainForm->PageControl1->PageCount(); ++i) {
        MainForm->PageControl1->SetActivePage(MainForm->PageControl1->Pages(i));
        PumpMessages();
    }
    ASSERT_TRUE(MainForm->Edit4->HandleAllocated());
    const std::string actual = SkinnerLines(*MainForm) + SkinnerLines(*AboutBox);
    std::ifstream file(fs::path(PONDERIX_SOURCE_DIR) / "tests" / "golden" / "skinners.txt",
                       std::ios::binary);
    ASSERT_TRUE(file) << "tests/golden/skinners.txt is missing";
    const std::string expected((std::istreambuf_iterator<char>(file)), {});
    // What was attached, for a look (or to update the file) when it differs.
    std::ofstream(fs::path(PathFromTestFolder(L"skinners.actual.txt")), std::ios::binary) << actual;
    EXPECT_EQ(actual, expected);
}

TEST_F(Skinners, ShowingAndHidingTheHelpWindowAndSwitchingSkinningLeaveNothingBehind) {
    const int gdiBefore = GdiObjectCount();
    const int userBefore = UserObjectCount();
    const size_t framesBefore = Manager()->FormSkinners().size();
    const size_t mainSkinners =
        Manager()->FindFormSkinner(MainForm->Handle())->ControlSkinners().size();
    for (int round = 0; round < 100; ++round) {
        AboutBox->Show();
        PumpMessages();
        AboutBox->Hide();
        PumpMessages();
    }
    EXPECT_EQ(Manager()->FormSkinners().size(), framesBefore);
    ExpectNoSkinnerOutlivesItsWindow();
    EXPECT_EQ(GdiObjectCount(), gdiBefore);
    EXPECT_EQ(UserObjectCount(), userBefore);

    // Switching skinning off and on makes new skinners, whose paint buffers are made as their
    // controls are painted again: the counts are compared between rounds that end alike, with
    // the help window shown and hidden once.
    TSkinData* skin = MainForm->SkinData1;
    int gdiSwitching = 0, userSwitching = 0;
    for (int round = 0; round < 100; ++round) {
        skin->SetActive(false);
        RunScheduledAction();
        ASSERT_TRUE(Manager()->FormSkinners().empty());
        ASSERT_EQ(SkinnersOn(*MainForm), 0);
        skin->SetActive(true);
        RunScheduledAction();
        ASSERT_NE(Manager()->FindFormSkinner(MainForm->Handle()), nullptr);
        ExpectNoSkinnerOutlivesItsWindow();
        AboutBox->Show();
        PumpMessages();
        AboutBox->Hide();
        PumpMessages();
        if (round == 0) {
            gdiSwitching = GdiObjectCount();
            userSwitching = UserObjectCount();
        }
    }
    EXPECT_EQ(Manager()->FindFormSkinner(MainForm->Handle())->ControlSkinners().size(),
              mainSkinners);
    EXPECT_EQ(SkinnersOn(*MainForm), static_cast<int>(mainSkinners));
    EXPECT_EQ(GdiObjectCount(), gdiSwitching);
    EXPECT_EQ(UserObjectCount(), userSwitching);
    EXPECT_EQ(UserObjectCount(), userBefore);
}
