// A form gives the keyboard focus back to the control that had it when the form is activated
// again: after the application's error box, and after the user was in another window.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "forms/application.h"
#include "forms/buttons.h"
#include "forms/edits.h"
#include "forms/exception.h"
#include "support/win_test_util.h"

namespace {

using namespace std::chrono_literals;

class FormFocus : public testing::Test {
protected:
    void SetUp() override {
        form = MakeForm(100);
        first = AddEdit(*form, 10);
        second = AddEdit(*form, 40);
        other = MakeForm(420);
        AddEdit(*other, 10);
        form->Show();
        ASSERT_TRUE(PumpUntil([&] { return GetForegroundWindow() == form->Handle(); }, 2s));
    }

    static std::unique_ptr<TForm> MakeForm(int left) {
        auto made = std::make_unique<TForm>(nullptr);
        made->SetBounds(left, 100, 300, 200);
        return made;
    }
    static TEdit* AddEdit(TForm& parent, int top) {
        auto* edit = new TEdit(&parent);
        edit->SetParent(&parent);
        edit->SetBounds(10, top, 120, 22);
        return edit;
    }

    std::unique_ptr<TForm> form, other;
    TEdit* first = nullptr;
    TEdit* second = nullptr;
};

struct TFocusCase {
    const char* name;
    // Takes the form's activation away and gives it back, as a user would see it happen.
    std::function<void(TForm& form, TForm& other)> awayAndBack;
};

TEST_F(FormFocus, TheControlThatHadTheFocusGetsItBack) {
    const TFocusCase cases[] = {
        {"the error box shown by a handler",
         [](TForm&, TForm&) {
             TMessageBoxWatcher watcher;
             Application->ShowException(Exception(L"'x' 不是一个有效的浮点值"));
             EXPECT_TRUE(watcher.Wait().seen);
         }},
        {"another window of the program brought to the front, then the form again",
         [](TForm& form, TForm& other) {
             other.Show();
             EXPECT_TRUE(PumpUntil([&] { return GetForegroundWindow() == other.Handle(); }, 2s));
             SetForegroundWindow(form.Handle());
         }},
    };
    for (const TFocusCase& c : cases) {
        SCOPED_TRACE(c.name);
        second->SetFocus();
        ASSERT_EQ(GetFocus(), second->Handle());
        c.awayAndBack(*form, *other);
        EXPECT_TRUE(PumpUntil([&] { return GetActiveWindow() == form->Handle(); }, 2s));
        PumpMessages();
        EXPECT_EQ(GetFocus(), second->Handle());
    }
}

TEST_F(FormFocus, AControlHiddenMeanwhileLeavesTheFocusToTheForm) {
    second->SetFocus();
    {
        TMessageBoxWatcher watcher;
        second->SetVisible(false);
        Application->ShowException(Exception(L"浮点指针溢出"));
        EXPECT_TRUE(watcher.Wait().seen);
    }
    PumpMessages();
    EXPECT_EQ(GetFocus(), form->Handle());
}

}  // namespace
