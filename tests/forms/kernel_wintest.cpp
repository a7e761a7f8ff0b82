// The Win32 side of the class library's kernel, with real windows and real messages: window
// classes named after classes, the replaceable window procedure, reflected notifications, mouse
// enter and leave, forms from resources, timers and the application's error boxes.
#include <gtest/gtest.h>

#include <windowsx.h>

#include <memory>

#include "forms/application.h"
#include "forms/exception.h"
#include "forms/form_reader.h"
#include "forms/timer.h"
#include "support/win_test_util.h"

namespace {

// A push button superclassing the standard BUTTON, recording what reaches its window procedure.
class TProbeButton : public TWinControl {
    PONDERIX_CLASS(TProbeButton, TWinControl)
public:
    using TWinControl::TWinControl;
    std::vector<UINT> seen;

protected:
    void CreateParams(TCreateParams& params) override {
        TWinControl::CreateParams(params);
        params.SuperClassName = L"BUTTON";
        params.Style |= BS_PUSHBUTTON;
    }
    void WndProc(TMessage& message) override {
        seen.push_back(message.Msg);
        TWinControl::WndProc(message);
    }
};
PONDERIX_DEFINE_CLASS(TProbeButton, [](TClassBuilder<TProbeButton>&) {})

// Stands in for a skinner: sits in a control's WindowProc and passes everything on.
class TInterceptor : public TObject {
public:
    TControl* control = nullptr;
    TWndMethod saved;
    std::vector<UINT> seen;
    bool swallowPaint = false;

    void Attach(TControl* c) {
        control = c;
        saved = c->WindowProc;
        c->WindowProc = TWndMethod::Of<TInterceptor, &TInterceptor::WndProc>(this);
    }
    void Detach() { control->WindowProc = saved; }
    void WndProc(TMessage& message) {
        seen.push_back(message.Msg);
        if (swallowPaint && message.Msg == WM_SETTEXT) {
            message.Result = TRUE;
            return;
        }
        saved(message);
    }
};

class TTestKernelForm : public TForm {
    PONDERIX_CLASS(TTestKernelForm, TForm)
public:
    using TForm::TForm;
    TProbeButton* Probe = nullptr;
    int created = 0;
    void FormCreate(TObject*) { ++created; }
};
PONDERIX_DEFINE_CLASS(TTestKernelForm, [](TClassBuilder<TTestKernelForm>& b) {
    b.Field("Probe", &TTestKernelForm::Probe);
    b.Method("FormCreate", &TTestKernelForm::FormCreate);
})

class TBrokenForm : public TForm {
    PONDERIX_CLASS(TBrokenForm, TForm)
public:
    using TForm::TForm;
};
PONDERIX_DEFINE_CLASS(TBrokenForm, [](TClassBuilder<TBrokenForm>&) {})

class KernelWindows : public testing::Test {
protected:
    static void SetUpTestSuite() { RegisterComponentClass(TProbeButton::StaticClass()); }
};

std::wstring ClassNameOf(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

}  // namespace

TEST_F(KernelWindows, FormFromResourceHasWindowClassesNamedAfterClasses) {
    auto* form = new TTestKernelForm(Application);
    ASSERT_TRUE(ReadFormResource(*form));  // TTESTKERNELFORM in kernel_wintest.rc
    form->DoCreate();
    EXPECT_EQ(form->created, 1);
    ASSERT_NE(form->Probe, nullptr);
    form->Show();
    EXPECT_EQ(ClassNameOf(form->Handle()), L"TTestKernelForm");
    EXPECT_EQ(ClassNameOf(form->Probe->Handle()), L"TProbeButton");
    EXPECT_EQ(WindowText(form->Handle()), L"核心 测试");
    EXPECT_EQ(form->ClientWidth(), 300);
    EXPECT_EQ(form->ClientHeight(), 200);
    EXPECT_EQ(GetParent(form->Probe->Handle()), form->Handle());
    EXPECT_EQ(TWinControl::FromHandle(form->Probe->Handle()), form->Probe);
    // The superclassed button still behaves as a button: BM_SETSTATE is the standard control's.
    SendMessageW(form->Probe->Handle(), BM_SETSTATE, TRUE, 0);
    EXPECT_TRUE(SendMessageW(form->Probe->Handle(), BM_GETSTATE, 0, 0) & BST_PUSHED);
    delete form;
}

TEST_F(KernelWindows, AWindowLeadsToItsControlOnlyWhileItLives) {
    auto form = std::make_unique<TForm>(nullptr);
    auto* first = new TProbeButton(form.get());
    first->SetParent(form.get());
    auto* second = new TProbeButton(form.get());
    second->SetParent(form.get());
    const HWND formWindow = form->Handle();
    const HWND firstWindow = first->Handle();
    const HWND secondWindow = second->Handle();
    EXPECT_EQ(TWinControl::FromHandle(formWindow), form.get());
    EXPECT_EQ(TWinControl::FromHandle(firstWindow), first);
    EXPECT_EQ(TWinControl::FromHandle(secondWindow), second);
    HWND foreign = CreateWindowExW(0, L"BUTTON", L"", WS_CHILD, 0, 0, 10, 10, formWindow, nullptr,
                                   nullptr, nullptr);
    EXPECT_EQ(TWinControl::FromHandle(foreign), nullptr);
    EXPECT_EQ(TWinControl::FromHandle(nullptr), nullptr);

    // Destroyed behind the control's back: the window's last message lets go of it.
    DestroyWindow(firstWindow);
    EXPECT_FALSE(first->HandleAllocated());
    EXPECT_EQ(TWinControl::FromHandle(firstWindow), nullptr);
    // Made again: the new window leads to the same control.
    const HWND remade = first->Handle();
    EXPECT_EQ(TWinControl::FromHandle(remade), first);

    // Destroyed with its parent, and the objects freed after.
    DestroyWindow(formWindow);
    for (HWND gone : {formWindow, remade, secondWindow, foreign})
        EXPECT_EQ(TWinControl::FromHandle(gone), nullptr);
    form.reset();
}

TEST_F(KernelWindows, WindowProcCanBeReplacedAndPutBackExactly) {
    TForm form(nullptr);
    auto* button = new TProbeButton(&form);
    button->SetParent(&form);
    button->SetBounds(10, 10, 80, 24);
    HWND window = button->Handle();
    const TWndMethod original = button->WindowProc;

    TInterceptor skinner;
    skinner.Attach(button);
    EXPECT_FALSE(button->WindowProc == original);
    SendMessageW(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"计 算"));
    EXPECT_NE(std::find(skinner.seen.begin(), skinner.seen.end(), UINT{WM_SETTEXT}),
              skinner.seen.end());
    // Passed on: the control's own procedure and then the platform saw it too.
    EXPECT_NE(std::find(button->seen.begin(), button->seen.end(), UINT{WM_SETTEXT}),
              button->seen.end());
    EXPECT_EQ(WindowText(window), L"计 算");

    // A replacement may consume a message: the control then never sees it.
    skinner.swallowPaint = true;
    button->seen.clear();
    SendMessageW(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"x"));
    EXPECT_EQ(WindowText(window), L"计 算");
    EXPECT_TRUE(button->seen.empty() || std::find(button->seen.begin(), button->seen.end(),
                                                  UINT{WM_SETTEXT}) == button->seen.end());

    skinner.Detach();
    EXPECT_TRUE(button->WindowProc == original);
    skinner.seen.clear();
    SendMessageW(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"y"));
    EXPECT_TRUE(skinner.seen.empty());
    EXPECT_EQ(WindowText(window), L"y");
    // Perform goes through the same procedure as real messages.
    skinner.Attach(button);
    button->Perform(CM_MOUSEENTER);
    EXPECT_EQ(skinner.seen.back(), CM_MOUSEENTER);
    skinner.Detach();
}

TEST_F(KernelWindows, ParentReflectsCommandToTheChildAsCnCommand) {
    TForm form(nullptr);
    auto* button = new TProbeButton(&form);
    button->SetParent(&form);
    button->SetBounds(0, 0, 50, 20);
    form.Show();
    button->seen.clear();
    SendMessageW(button->Handle(), BM_CLICK, 0, 0);
    EXPECT_NE(std::find(button->seen.begin(), button->seen.end(), CN_COMMAND), button->seen.end());
}

TEST_F(KernelWindows, MouseEnterAndLeaveReachControls) {
    TForm form(nullptr);
    auto* button = new TProbeButton(&form);
    button->SetParent(&form);
    button->SetBounds(0, 0, 50, 20);
    form.Show();
    button->seen.clear();
    SendMessageW(button->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    EXPECT_TRUE(button->MouseInControl());
    SendMessageW(button->Handle(), WM_MOUSELEAVE, 0, 0);
    EXPECT_FALSE(button->MouseInControl());
    const auto& s = button->seen;
    auto enter = std::find(s.begin(), s.end(), CM_MOUSEENTER);
    auto leave = std::find(s.begin(), s.end(), CM_MOUSELEAVE);
    ASSERT_NE(enter, s.end());
    ASSERT_NE(leave, s.end());
    EXPECT_LT(enter, leave);
}

TEST_F(KernelWindows, SecondaryFormHidesOnCloseAndStaysAlive) {
    TForm main(nullptr);
    auto* second = new TForm(&main);
    second->Show();
    ASSERT_TRUE(IsWindowVisible(second->Handle()));
    SendMessageW(second->Handle(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindowVisible(second->Handle()));
    EXPECT_FALSE(second->Visible());
    EXPECT_EQ(main.ComponentCount(), 1);
}

TEST_F(KernelWindows, MalformedResourceFailsWithResourceNameAndLine) {
    TBrokenForm form(nullptr);
    try {
        ReadFormResource(form);
        FAIL() << "expected EReadError";
    } catch (const EReadError& e) {
        EXPECT_EQ(e.Message().rfind(L"窗体描述 TBROKENFORM 第 3 行: ", 0), 0u) << e.what();
    }
}

TEST_F(KernelWindows, TimerFiresOnTheGuiThread) {
    TTimer timer(nullptr);
    int ticks = 0;
    timer.SetInterval(20);
    timer.OnTimer = [&](TObject*) { ++ticks; };
    EXPECT_TRUE(PumpUntil([&] { return ticks >= 2; }, std::chrono::seconds(5)));
    timer.SetEnabled(false);
    const int stopped = ticks;
    PumpUntil([] { return false; }, std::chrono::milliseconds(100));
    EXPECT_EQ(ticks, stopped);
}

// Timers run side by side, each at its own pace; one freed while its tick waits in the queue
// does not tick again.
TEST_F(KernelWindows, TimersRunApartAndAFreedOneTicksNoMore) {
    int fastTicks = 0, slowTicks = 0;
    auto fast = std::make_unique<TTimer>(nullptr);
    TTimer slow(nullptr);
    fast->SetInterval(10);
    slow.SetInterval(200);
    fast->OnTimer = [&](TObject*) { ++fastTicks; };
    slow.OnTimer = [&](TObject*) { ++slowTicks; };
    EXPECT_TRUE(PumpUntil([&] { return fastTicks >= 5; }, std::chrono::seconds(5)));
    EXPECT_LT(slowTicks, fastTicks);
    Sleep(50);  // the fast timer's tick is due, not yet dispatched
    const int beforeFree = fastTicks;
    fast.reset();
    EXPECT_TRUE(PumpUntil([&] { return slowTicks >= 1; }, std::chrono::seconds(5)));
    EXPECT_EQ(fastTicks, beforeFree);
}

TEST(ErrorBox, PeriodIsAppendedOnlyAfterCharactersThatSortAfterAPoint) {
    const struct {
        const wchar_t* message;
        const wchar_t* shown;
    } cases[] = {
        {L"浮点指针溢出", L"浮点指针溢出."},  // Chinese character
        {L"'1.2.3' 不是一个有效的浮点值", L"'1.2.3' 不是一个有效的浮点值."},
        {L"Error", L"Error."},         // letter
        {L"code 42", L"code 42."},     // digit
        {L"done.", L"done."},          // point
        {L"'abc'", L"'abc'"},          // quote
        {L"(see log)", L"(see log)"},  // parenthesis
        {L"", L""},
    };
    for (const auto& c : cases) EXPECT_EQ(ErrorBoxText(c.message), c.shown);
}

TEST(ErrorBox, TitleIsTheProgramNameCutAtItsFirstPointWithTheRestLowerCase) {
    EXPECT_EQ(ApplicationTitleFromPath(L"C:\\Tools\\Ponderix.exe"), L"Ponderix");
    EXPECT_EQ(ApplicationTitleFromPath(L"Z:\\build\\PONDERIX.EXE"), L"Ponderix");
    EXPECT_EQ(ApplicationTitleFromPath(L"/opt/my.App.v2.exe"), L"my");  // the first stays as is
    EXPECT_EQ(ApplicationTitleFromPath(L"KERNEL_WINTEST.EXE"), L"Kernel_wintest");
}

TEST(ErrorBox, ShownWithTitleTextAndPeriodWhenAHandlerFails) {
    TForm form(nullptr);
    form.Show();
    form.OnClose = [](TObject*, TCloseAction&) { throw EConvertError(L"'' 不是一个有效的浮点值"); };
    TMessageBoxWatcher watcher;
    SendMessageW(form.Handle(), WM_CLOSE, 0, 0);  // the exception is caught at the window procedure
    const TMessageBoxSeen seen = watcher.Wait();
    ASSERT_TRUE(seen.seen);
    EXPECT_EQ(seen.title, L"kernel_wintest");
    EXPECT_EQ(seen.text, L"'' 不是一个有效的浮点值.");
    EXPECT_TRUE(IsWindow(form.Handle()));  // the window stays
}

TEST(StartupFailure, BoxNamesKindModuleAddressAndMessage) {
    const EReadError error(L"数据库文件 weight.db 不存在");
    const std::wstring text = StartupFailureText(error, L"Ponderix.exe");
    EXPECT_EQ(text.rfind(L"异常 EReadError 发生在模块 Ponderix.exe 中的 ", 0), 0u);
    EXPECT_NE(text.find(L" 位置.\n数据库文件 weight.db 不存在."), std::wstring::npos);
    EXPECT_EQ(StartupFailureText(EReadError(L"ends."), L"P.exe").find(L"ends.."),
              std::wstring::npos);

    TMessageBoxWatcher watcher;
    ShowStartupFailure(error);
    const TMessageBoxSeen seen = watcher.Wait();
    ASSERT_TRUE(seen.seen);
    EXPECT_EQ(seen.title, L"应用程序错误");
    EXPECT_NE(seen.text.find(L"数据库文件 weight.db 不存在."), std::wstring::npos);
}
