// Errors thrown inside window messages: the application shows each once, the message is completed
// as the platform expects (a failed paint is not asked for again), and the window goes on working.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "forms/application.h"
#include "forms/buttons.h"
#include "forms/exception.h"
#include "support/win_test_util.h"

namespace {

// A control whose paint throws while `failing` is set, counting its paints.
class TFailingPaintControl : public TWinControl {
public:
    using TWinControl::TWinControl;
    bool failing = false;
    int paints = 0;

protected:
    void PaintWindow(HDC) override {
        ++paints;
        if (failing) throw Exception(L"画不出来");
    }
};

// Whether a message box of this process shows up within a while, messages pumped meanwhile.
bool AnyMessageBoxWithin(std::chrono::milliseconds wait) {
    return PumpUntil(
        [] { return FindProcessWindow(GetCurrentProcessId(), L"#32770", true) != nullptr; }, wait);
}

class CallbackGuard : public testing::Test {
protected:
    void SetUp() override {
        form = std::make_unique<TForm>(nullptr);
        form->SetBounds(100, 100, 300, 200);
        button = new TButton(form.get());
        button->SetParent(form.get());
        button->SetBounds(10, 10, 100, 30);
        control = new TFailingPaintControl(form.get());
        control->SetParent(form.get());
        control->SetBounds(10, 60, 200, 80);
        form->Show();
        PumpMessages();
    }
    void TearDown() override {
        Application->OnException = nullptr;
        form.reset();
    }
    // Counts the errors the application is handed instead of showing them.
    void CountErrors() {
        Application->OnException = [this](TObject*, const std::exception& e) {
            ++errors;
            lastError = e.what();
        };
    }

    std::unique_ptr<TForm> form;
    TButton* button = nullptr;
    TFailingPaintControl* control = nullptr;
    int errors = 0;
    std::string lastError;
};

TEST_F(CallbackGuard, AThrowingClickShowsOneErrorBoxAndTheWindowGoesOn) {
    int clicks = 0;
    button->OnClick = [&](TObject*) {
        ++clicks;
        throw Exception(L"长度不对");
    };
    TMessageBoxWatcher watcher;
    SendMessageW(button->Handle(), BM_CLICK, 0, 0);
    const TMessageBoxSeen seen = watcher.Wait();
    ASSERT_TRUE(seen.seen);
    EXPECT_EQ(seen.text, L"长度不对.");
    EXPECT_EQ(seen.title, Application->Title());
    EXPECT_EQ(clicks, 1);
    // No second box follows, and the button still works.
    EXPECT_FALSE(AnyMessageBoxWithin(std::chrono::milliseconds(300)));
    button->OnClick = [&](TObject*) { ++clicks; };
    SendMessageW(button->Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(clicks, 2);
    EXPECT_TRUE(IsWindow(form->Handle()));
}

TEST_F(CallbackGuard, AThrowingPaintIsValidatedAndNotAskedForAgain) {
    CountErrors();
    control->paints = 0;
    control->failing = true;
    InvalidateRect(control->Handle(), nullptr, TRUE);
    UpdateWindow(control->Handle());
    EXPECT_EQ(control->paints, 1);
    EXPECT_EQ(errors, 1);
    EXPECT_EQ(lastError, "画不出来");
    RECT pending;
    EXPECT_FALSE(GetUpdateRect(control->Handle(), &pending, FALSE));
    PumpUntil([] { return false; }, std::chrono::milliseconds(200));
    EXPECT_EQ(control->paints, 1);
    EXPECT_EQ(errors, 1);
    // Once the cause is gone the control paints again.
    control->failing = false;
    InvalidateRect(control->Handle(), nullptr, TRUE);
    UpdateWindow(control->Handle());
    EXPECT_EQ(control->paints, 2);
    EXPECT_EQ(errors, 1);
}

TEST_F(CallbackGuard, AThrowingPaintShowsItsBoxOnce) {
    control->paints = 0;
    control->failing = true;
    TMessageBoxWatcher watcher;
    InvalidateRect(control->Handle(), nullptr, TRUE);
    UpdateWindow(control->Handle());
    const TMessageBoxSeen seen = watcher.Wait();
    ASSERT_TRUE(seen.seen);
    EXPECT_EQ(seen.text, L"画不出来.");
    EXPECT_FALSE(AnyMessageBoxWithin(std::chrono::milliseconds(300)));
    EXPECT_EQ(control->paints, 1);
}

TEST_F(CallbackGuard, AnErrorOfAnyTypeIsShownWithAGeneralMessage) {
    CountErrors();
    button->OnClick = [](TObject*) { throw 42; };
    SendMessageW(button->Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(errors, 1);
    EXPECT_EQ(lastError, "发生了未知错误");
}

TEST_F(CallbackGuard, AFailingErrorHandlerDoesNotTakeTheWindowDown) {
    Application->OnException = [](TObject*, const std::exception&) { throw Exception(L"又错了"); };
    button->OnClick = [](TObject*) { throw Exception(L"错"); };
    SendMessageW(button->Handle(), BM_CLICK, 0, 0);
    EXPECT_TRUE(IsWindow(button->Handle()));
}

}  // namespace
