#pragma once
// The fixture of skinner tests on a form of their own: the program's windows are open (so its
// skin is loaded and the skin manager runs), and a test form, on which a test places controls,
// is skinned by the manager as any window of the program is when it activates: the frame
// skinner attaches and the classification picks each control's skinner.

#include <chrono>
#include <memory>
#include <string>
#include <utility>

#include "forms/forms.h"
#include "main_form.h"
#include "skin/controls/skin_control.h"
#include "skin/manager/skin_manager.h"
#include "skin/skin_data.h"
#include "skinned_program_fixture.h"
#include "support/screen_probe.h"
#include "support/win_test_util.h"

class TSkinnedFormTest : public TSkinnedProgramTest {
protected:
    explicit TSkinnedFormTest(std::string prefix) : folderPrefix(std::move(prefix)) {}
    void SetUp() override {
        MoveCursorTo(POINT{1, 1});  // where no window of the test will be
        OpenProgramWindows(folderPrefix);
        form = std::make_unique<TForm>(nullptr);
        form->SetBounds(60, 60, 460, 340);
    }
    void TearDown() override {
        form.reset();
        TSkinnedProgramTest::TearDown();
    }
    template <class T>
    T* Place(int left, int top, int width, int height) {
        auto* c = new T(form.get());
        c->SetParent(form.get());
        c->SetBounds(left, top, width, height);
        return c;
    }
    // Shows the form, which the skin manager skins when it activates.
    void ShowForm() {
        form->Show();
        SetForegroundWindow(form->Handle());
        PumpUntil([&] { return Manager()->FindFormSkinner(form->Handle()) != nullptr; },
                  std::chrono::seconds(2));
        PumpMessages();
        ASSERT_NE(Manager()->FindFormSkinner(form->Handle()), nullptr);
    }
    TSkinControl* SkinnerOf(TComponent* component) {
        if (TWinSkinForm* frame = Manager()->FindFormSkinner(form->Handle()))
            for (TSkinControl* skinner : frame->ControlSkinners())
                if (skinner->Owner() == component) return skinner;
        return nullptr;
    }
    // The mouse leaves for a corner of the screen; a window is told when its tracking timer
    // next runs, which under Wine does not always come, and is then sent the notice it asked for.
    static void LeaveWindow(HWND window, TSkinControl* skinner) {
        MoveCursorTo(POINT{1, 1});
        if (!PumpUntil([&] { return !(skinner->MouseState() & msHot); },
                       std::chrono::milliseconds(500)))
            SendMessageW(window, WM_MOUSELEAVE, 0, 0);
        PumpMessages();
    }

    static TSkinManage* Manager() { return static_cast<TSkinManage*>(ExistingSkinManager()); }
    static TSkinDescription& Skin() { return MainForm->SkinData1->Skin(); }

    std::unique_ptr<TForm> form;

private:
    std::string folderPrefix;
};
