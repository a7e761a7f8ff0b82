#include "tools/soak/soak_run.h"

#include <commctrl.h>

#include <algorithm>
#include <chrono>

#include <cwchar>

#include "forms/text.h"
#include "tools/soak/lit_button.h"
#include "tools/soak/typed_values.h"
#include "tools/soak/user_input.h"

namespace soak {

namespace {

constexpr const wchar_t* kCalculateCaption = L"计 算";
constexpr const wchar_t* kHelpCaption = L"帮  助";
constexpr const wchar_t* kCloseHelpCaption = L"关闭";
constexpr const wchar_t* kConversionTail = L"' 不是一个有效的浮点值.";

bool EndsWith(const std::wstring& text, const std::wstring& tail) {
    return text.size() >= tail.size() &&
           text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

LRESULT Ask(HWND window, UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) {
    DWORD_PTR result = 0;
    SendMessageTimeoutW(window, msg, wParam, lParam, SMTO_ABORTIFHUNG, 5000, &result);
    return static_cast<LRESULT>(result);
}

// One kind per calculator message, for the summary: conversion errors differ only by the text.
std::wstring MessageKind(const std::wstring& text) {
    return EndsWith(text, kConversionTail) ? std::wstring(L"'…") + kConversionTail : text;
}

std::string Quoted(const std::wstring& text) { return "'" + WideToUtf8(text) + "'"; }

}  // namespace

bool IsCalculatorMessage(const std::wstring& text) {
    return (text.size() > std::wcslen(kConversionTail) && text[0] == L'\'' &&
            EndsWith(text, kConversionTail)) ||
           text == L"浮点指针溢出." || text == L"不能进行变量转换: 类型 (Null) 到 类型 (String)";
}

TSoakRun::TSoakRun(TProgramUnderTest& program, TSectionModel& model, uint32_t seed)
    : program(program), model(model), random(seed) {}

// ---- the run ------------------------------------------------------------------------------

bool TSoakRun::Step() {
    struct TAction {
        int weight;
        bool (TSoakRun::*run)();
        const char* name;
    };
    static const TAction actions[] = {
        {18, &TSoakRun::TypeIntoEdit, "type into an edit box"},
        {7, &TSoakRun::TypeIntoCombo, "type into a combo box"},
        {4, &TSoakRun::DropDownCombo, "drop a combo box down"},
        {7, &TSoakRun::ClickRadioButton, "click a radio button"},
        {10, &TSoakRun::Calculate, "calculate"},
        {9, &TSoakRun::SwitchPage, "switch the page"},
        {2, &TSoakRun::PressTab, "press Tab"},
        {8, &TSoakRun::NavigateGrid, "move in a grid"},
        {10, &TSoakRun::EditGrid, "edit a grid"},
        {6, &TSoakRun::UseHelpWindow, "use the help window"},
        {5, &TSoakRun::UseTitleBar, "use a title bar"},
        {3, &TSoakRun::UseSystemMenu, "open a system menu"},
        {4, &TSoakRun::UseContextMenu, "open an edit box's context menu"},
        {4, &TSoakRun::HoverControls, "move over controls"},
    };
    int total = 0;
    for (const TAction& a : actions) total += a.weight;
    int pick = Below(total);
    const TAction* chosen = actions;
    while (pick >= chosen->weight) pick -= (chosen++)->weight;
    if (!AnswerBoxes()) return false;
    Note(std::to_string(++steps) + ": " + chosen->name);
    const auto start = std::chrono::steady_clock::now();
    const bool done = (this->*chosen->run)() && (program.Settle(), AnswerBoxes()) && CheckAlive();
    TActionTime& time = timeByAction[chosen->name];
    ++time.count;
    time.milliseconds +=
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    return done;
}

bool TSoakRun::WarmUp() {
    Note("warm-up: every page, the help window, a drop-down and the menus");
    const HWND main = program.MainWindow();
    if (!MakeForeground(main)) return false;
    const HWND pages = FindWindowExW(main, nullptr, L"TPageControl", nullptr);
    if (!pages) return Fail("no page control in the main window");
    const int count = static_cast<int>(Ask(pages, TCM_GETITEMCOUNT));
    for (int i = count - 1; i >= 0; --i) {
        RECT tab;
        if (!program.TabRect(pages, i, tab)) return Fail("cannot read the rectangle of a tab");
        Click({(tab.left + tab.right) / 2, (tab.top + tab.bottom) / 2});
        if (!WaitFor("the page to show", [&] { return Ask(pages, TCM_GETCURSEL) == i; }))
            return false;
    }
    // A system menu looks different opened from the keyboard and from the caption, and on the
    // main window and the help window: each way once.
    const auto bothSystemMenus = [this] {
        const HWND top = ActiveTop();
        return MakeForeground(top) && OpenSystemMenu(top, true) && MakeForeground(top) &&
               OpenSystemMenu(top, false);
    };
    return UseContextMenu() && bothSystemMenus() && DropDownCombo() && UseHelpWindow() &&
           bothSystemMenus() && Finish() && AnswerBoxes() && CheckAlive();
}

bool TSoakRun::Finish() {
    if (!AnswerBoxes()) return false;
    for (int i = 0; i < 3 && program.MenuOpen(); ++i) {
        PressKey(VK_ESCAPE);
        program.Settle();
    }
    if (program.MenuOpen()) return Fail("a menu stays open");
    if (HWND help = program.TopWindow(L"TAboutBox"); help && !CloseHelpWindow(help)) return false;
    const HWND main = program.MainWindow();
    const HWND pages = FindWindowExW(main, nullptr, L"TPageControl", nullptr);
    RECT tab;
    if (!MakeForeground(main) || !pages || !program.TabRect(pages, 0, tab))
        return Fail("no first tab");
    Click({(tab.left + tab.right) / 2, (tab.top + tab.bottom) / 2});
    MoveMouse(CenterOf(main));
    return WaitFor("the first page", [&] { return Ask(pages, TCM_GETCURSEL) == 0; });
}

// ---- boxes, liveness, failures ------------------------------------------------------------

bool TSoakRun::AnswerBoxes() {
    for (int i = 0; i < 10; ++i) {
        TMessageBoxText box;
        if (!program.FindMessageBox(box)) return true;
        if (box.title != L"Ponderix" || !IsCalculatorMessage(box.text))
            return Fail("a message box that is not the calculator's: title " + Quoted(box.title) +
                        ", text " + Quoted(box.text));
        ++boxesSeen[MessageKind(box.text)];
        if (!program.AnswerMessageBox(box.window, IDOK))
            return Fail("the message box " + Quoted(box.text) + " does not close");
        program.Settle();
    }
    return Fail("message boxes keep coming");
}

bool TSoakRun::CheckAlive() {
    std::string why;
    if (!program.Responsive(why)) return Fail(why);
    if (!IsWindowVisible(program.MainWindow())) return Fail("the main window is gone");
    return true;
}

bool TSoakRun::Fail(std::string why) {
    if (failure.empty()) failure = std::move(why);
    return false;
}

void TSoakRun::Note(std::string what) { journal.push_back(std::move(what)); }

bool TSoakRun::Eventually(const std::function<bool()>& done, int timeoutMs) {
    // Asked first: most conditions hold by the time the driver asks, and every question is a
    // round trip to the program. Input keeps its order, so what the driver does next still
    // comes after what the program has not taken yet.
    if (done()) return true;
    const DWORD start = GetTickCount();
    for (;;) {
        program.Settle();
        if (done()) return true;
        if (static_cast<int>(GetTickCount() - start) > timeoutMs) return false;
        Sleep(2);
    }
}

bool TSoakRun::WaitFor(const char* what, const std::function<bool()>& done, int timeoutMs) {
    return Eventually(done, timeoutMs) ||
           Fail(std::string("waited ") + std::to_string(timeoutMs) + " ms for " + what);
}

bool TSoakRun::WaitForFocus(HWND window) {
    return Eventually([&] { return program.FocusWindow() == window; }, 2000) ||
           Fail("the keyboard focus does not come to the " + WindowName(window) +
                " clicked; the mouse is captured by " + WindowName(program.CaptureWindow()) +
                "; the focus is on " + WindowName(program.FocusWindow()) + "; " +
                ScreenAt(CenterOf(window), GetAncestor(window, GA_ROOT)));
}

bool TSoakRun::ClickForFocus(HWND target, POINT at) {
    Click(at);
    return WaitForFocus(target);
}

bool TSoakRun::ClickUntil(POINT at, const char* what, const std::function<bool()>& done) {
    Click(at);
    return WaitFor(what, done);
}

std::string TSoakRun::WindowName(HWND window) const {
    if (!window) return "no window";
    return WideToUtf8(ClassOf(window)) + " '" + WideToUtf8(TextOf(window)) + "'";
}

std::string TSoakRun::ScreenAt(POINT at, HWND top) const {
    return "under the pointer at " + std::to_string(at.x) + "," + std::to_string(at.y) + " is " +
           WindowName(WindowFromPoint(at)) + ", the front window is " +
           WindowName(GetForegroundWindow()) + "; " + PlacementOf(top);
}

std::string TSoakRun::PlacementOf(HWND top) const {
    RECT r{};
    GetWindowRect(top, &r);
    std::string text = WindowName(top) + (IsWindowVisible(top) ? " shown" : " hidden") + " at " +
                       std::to_string(r.left) + "," + std::to_string(r.top) + " " +
                       std::to_string(r.right - r.left) + "x" + std::to_string(r.bottom - r.top);
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    RECT box{};
    if (GetWindowRgn(top, region) != ERROR && GetRgnBox(region, &box) != ERROR)
        text += ", region " + std::to_string(box.left) + "," + std::to_string(box.top) + " to " +
                std::to_string(box.right) + "," + std::to_string(box.bottom);
    DeleteObject(region);
    HWND above = GetWindow(top, GW_HWNDPREV);
    while (above && !IsWindowVisible(above)) above = GetWindow(above, GW_HWNDPREV);
    return text + ", below " + WindowName(above);
}

// ---- windows -------------------------------------------------------------------------------

bool TSoakRun::LiesBelow(HWND window, HWND other) {
    for (HWND above = GetWindow(window, GW_HWNDPREV); above; above = GetWindow(above, GW_HWNDPREV))
        if (above == other) return true;
    return false;
}

HWND TSoakRun::ActiveTop() const {
    const HWND help = program.TopWindow(L"TAboutBox");
    return help ? help : program.MainWindow();
}

bool TSoakRun::CloseHelpWindow(HWND help) {
    if (!MakeForeground(help)) return false;
    for (HWND button : Visible(help, L"TButton"))
        if (TextOf(button) == kCloseHelpCaption)
            return ClickUntil(CenterOf(button), "the help window to close",
                              [&] { return !IsWindowVisible(help); });
    return Fail("no close button in the help window");
}

bool TSoakRun::Reach(HWND target, POINT at) {
    const HWND under = WindowFromPoint(at);
    const HWND help = program.TopWindow(L"TAboutBox");
    if (!help || under == target || IsChild(target, under) ||
        (under != help && !IsChild(help, under)))
        return true;
    ++helpClosedToReach;
    Note("  the help window covers " + WindowName(target) + ": closed first");
    return CloseHelpWindow(help) && MakeForeground(program.MainWindow());
}

bool TSoakRun::MakeForeground(HWND top) {
    if (GetForegroundWindow() == top) return true;
    SetForegroundWindow(top);
    return WaitFor("a window to come to the front", [&] { return GetForegroundWindow() == top; });
}

std::vector<HWND> TSoakRun::Visible(HWND top, const wchar_t* className) const {
    std::vector<HWND> found;
    for (HWND window : VisibleDescendants(top))
        if (ClassOf(window) == className) found.push_back(window);
    return found;
}

POINT TSoakRun::CenterOf(HWND window) const {
    RECT r;
    GetWindowRect(window, &r);
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

bool TSoakRun::CaptionPoint(HWND top, POINT& where) const {
    // A point of the caption away from its ends (where the title-bar buttons sit), found by
    // asking the window itself.
    RECT r;
    GetWindowRect(top, &r);
    const int width = r.right - r.left;
    for (int y = r.top + 1; y < r.top + 40; y += 3) {
        for (int step = 1; step < width - 2; step += 2) {
            const int x = r.left + (width / 2 + step) % width;
            const LPARAM at = MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y));
            if (Ask(top, WM_NCHITTEST, 0, at) == HTCAPTION) {
                where = {x, y};
                return true;
            }
        }
    }
    return false;
}

bool TSoakRun::CloseBoxPoint(HWND top, POINT& close) {
    // Found once per window (none of the program's windows can be resized), kept relative to
    // its top right corner: the rightmost button that lights up under the pointer.
    RECT r;
    GetWindowRect(top, &r);
    auto found = closeBoxes.find(top);
    if (found == closeBoxes.end()) {
        POINT lit;
        if (!FindLitButton(
                top, true, [&] { program.Settle(); }, lit))
            return Fail("no title-bar button lights up under the pointer on " + WindowName(top));
        found = closeBoxes.emplace(top, POINT{lit.x - r.right, lit.y - r.top}).first;
    }
    close = {r.right + found->second.x, r.top + found->second.y};
    return true;
}

std::string TSoakRun::HitTestCodes(HWND top) const {
    RECT r;
    GetWindowRect(top, &r);
    std::string codes = WideToUtf8(ClassOf(top)) + " caption row:";
    LRESULT last = -100;
    for (int x = r.left; x < r.right; ++x) {
        const LRESULT code = Ask(top, WM_NCHITTEST, 0,
                                 MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(r.top + 10)));
        if (code != last) codes += " " + std::to_string(x - r.left) + ":" + std::to_string(code);
        last = code;
    }
    return codes;
}

// ---- actions on boxes ----------------------------------------------------------------------

HWND TSoakRun::PickOnMainWindow(const wchar_t* className) {
    const HWND main = program.MainWindow();
    const auto controls = Visible(main, className);
    if (controls.empty() || !MakeForeground(main)) return nullptr;
    return Pick(controls);
}

bool TSoakRun::TypeIntoEdit() {
    const HWND edit = PickOnMainWindow(L"TEdit");
    if (!edit) return failure.empty();
    if (!Reach(edit, CenterOf(edit)) || !ClickForFocus(edit, CenterOf(edit))) return false;
    const bool readOnly = GetWindowLongW(edit, GWL_STYLE) & ES_READONLY;
    const bool replace = Chance(0.3);
    PressKey(VK_END);
    if (replace) {
        PressKey(VK_HOME);
        PressKey(VK_END, false, true);
    }
    program.Settle();
    const std::wstring before = TextOf(edit);
    const std::wstring typed = KeyStrokes(random);
    TypeText(typed);
    program.Settle();  // a box that must not change is read once it has had the keys
    const std::wstring expected = readOnly ? before : FilteredText(before, typed, replace);
    Note("  " + Quoted(typed) + " into a box holding " + Quoted(before));
    if (!Eventually([&] { return TextOf(edit) == expected; }, 1000))
        return Fail("typing " + Quoted(typed) + " into a box holding " + Quoted(before) +
                    " shows " + Quoted(TextOf(edit)) + ", expected " + Quoted(expected));
    return true;
}

bool TSoakRun::TypeIntoCombo() {
    const HWND combo = PickOnMainWindow(L"TComboBox");
    if (!combo) return failure.empty();
    RECT r;
    GetWindowRect(combo, &r);
    const POINT at{r.left + 8, (r.top + r.bottom) / 2};
    if (!Reach(combo, at)) return false;
    Click(at);
    const std::wstring typed = ComboStrokes(random);
    Note("  " + Quoted(typed));
    TypeText(typed);
    return true;
}

bool TSoakRun::DropDownCombo() {
    const HWND combo = PickOnMainWindow(L"TComboBox");
    if (!combo) return failure.empty();
    RECT r;
    GetWindowRect(combo, &r);
    HWND list = nullptr;
    const POINT button{r.right - 8, (r.top + r.bottom) / 2};
    if (!Reach(combo, button)) return false;
    const auto dropped = [&] { return (list = program.TopWindow(L"ComboLBox")) != nullptr; };
    Click(button);
    if (!Eventually(dropped, 2000)) {
        // Seen a few times in some thousands of drop-downs under Wine, after the same box's list
        // was closed by a click on an item: the click is taken and no list drops. A user clicks
        // again; the run counts how often that was needed and fails when once more is not enough.
        const std::string what = "a click on the button of the " + WindowName(combo) +
                                 " drops no list down; " + ComboState(combo, button);
        Note("  " + what + "; clicked again");
        ++dropDownsClickedTwice;
        Click(button);
        if (!Eventually(dropped, 2000)) return Fail(what + "; a second click drops none either");
    }
    Note("  " + WindowName(combo));
    switch (Below(3)) {
        case 0:
            Note("  closed with Escape");
            PressKey(VK_ESCAPE);
            break;
        case 1:
            Note("  closed with Down and Enter");
            PressKey(VK_DOWN);
            PressKey(VK_RETURN);
            break;
        default: {
            RECT items;
            GetWindowRect(list, &items);
            const POINT item{
                (items.left + items.right) / 2,
                items.top + 2 + Below(std::max(1, static_cast<int>(items.bottom - items.top) - 4))};
            Note("  closed with a click on the list at " + std::to_string(item.x) + "," +
                 std::to_string(item.y));
            Click(item);
        }
    }
    return WaitFor("the drop-down list to close", [&] { return !program.TopWindow(L"ComboLBox"); });
}

std::string TSoakRun::ComboState(HWND combo, POINT button) const {
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    const bool known = Ask(combo, CB_GETCOMBOBOXINFO, 0, reinterpret_cast<LPARAM>(&info)) != 0;
    return "the box answers dropped state " + std::to_string(Ask(combo, CB_GETDROPPEDSTATE)) +
           (known ? ", button state " + std::to_string(info.stateButton) : std::string()) +
           ", the mouse is captured by " + WindowName(program.CaptureWindow()) +
           ", the focus is on " + WindowName(program.FocusWindow()) + "; " +
           ScreenAt(button, GetAncestor(combo, GA_ROOT));
}

bool TSoakRun::ClickRadioButton() {
    const HWND radio = PickOnMainWindow(L"TRadioButton");
    if (!radio) return failure.empty();
    Note("  " + Quoted(TextOf(radio)));
    if (!Reach(radio, CenterOf(radio))) return false;
    Click(CenterOf(radio));
    return WaitFor("the radio button to be checked",
                   [&] { return Ask(radio, BM_GETCHECK) == BST_CHECKED; });
}

bool TSoakRun::Calculate() {
    const HWND main = program.MainWindow();
    if (!MakeForeground(main)) return false;
    for (HWND button : Visible(main, L"TButton"))
        if (TextOf(button) == kCalculateCaption) {
            if (!Reach(button, CenterOf(button))) return false;
            Click(CenterOf(button));
            // The click's box, if any, is up once the program has taken the click: the skinned
            // button runs the calculation as it handles the release.
            TMessageBoxText box;
            for (int i = 0; i < 2 && !program.FindMessageBox(box); ++i) program.Settle();
            return true;
        }
    return true;
}

bool TSoakRun::SwitchPage() {
    const HWND main = program.MainWindow();
    const HWND pages = FindWindowExW(main, nullptr, L"TPageControl", nullptr);
    if (!pages || !MakeForeground(main)) return Fail("no page control");
    const int count = static_cast<int>(Ask(pages, TCM_GETITEMCOUNT));
    const int current = static_cast<int>(Ask(pages, TCM_GETCURSEL));
    int wanted = Below(count);
    auto shown = [&] { return Ask(pages, TCM_GETCURSEL) == wanted; };
    if (Chance(0.4) && IsChild(main, program.FocusWindow())) {
        const bool back = Chance(0.3);
        wanted = (current + (back ? count - 1 : 1)) % count;
        PressKey(VK_TAB, true, back);
        Note(std::string("  Ctrl+") + (back ? "Shift+" : "") + "Tab");
        return WaitFor("Ctrl+Tab to switch the page", shown);
    }
    RECT tab;
    if (!program.TabRect(pages, wanted, tab)) return Fail("cannot read a tab's rectangle");
    Note("  click tab " + std::to_string(wanted + 1));
    const POINT at{tab.left + 3 + Below(std::max(1, static_cast<int>(tab.right - tab.left) - 6)),
                   (tab.top + tab.bottom) / 2};
    return Reach(pages, at) && ClickUntil(at, "the page to switch", shown);
}

bool TSoakRun::PressTab() {
    if (!MakeForeground(program.MainWindow())) return false;
    PressKey(VK_TAB, false, Chance(0.3));
    return true;
}

bool TSoakRun::HoverControls() {
    const HWND top = ActiveTop();
    const auto windows = VisibleDescendants(top);
    if (windows.empty() || !MakeForeground(top)) return failure.empty();
    for (int i = 0, n = 1 + Below(4); i < n; ++i) {
        RECT r;
        GetWindowRect(Pick(windows), &r);
        MoveMouse({r.left + Below(std::max(1, static_cast<int>(r.right - r.left))),
                   r.top + Below(std::max(1, static_cast<int>(r.bottom - r.top)))});
        program.Settle();
    }
    return true;
}

// ---- windows and menus ---------------------------------------------------------------------

bool TSoakRun::UseHelpWindow() {
    const HWND main = program.MainWindow();
    HWND help = program.TopWindow(L"TAboutBox");
    // Under Wine the main window's activation can put the help window, which it owns, below
    // it; a user brings it back with the help button, which raises it.
    if (!help || Chance(0.15) || LiesBelow(help, main)) {
        if (!MakeForeground(main)) return false;
        HWND helpButton = nullptr;
        for (HWND button : Visible(main, L"TButton"))
            if (TextOf(button) == kHelpCaption) helpButton = button;
        if (!helpButton) return Fail("no help button");
        if (!Reach(helpButton, CenterOf(helpButton))) return false;
        if (!ClickUntil(CenterOf(helpButton), "the help window",
                        [&] { return (help = program.TopWindow(L"TAboutBox")) != nullptr; }))
            return false;
        int shown = 0;
        EnumWindows(
            [](HWND window, LPARAM n) -> BOOL {
                if (ClassOf(window) == L"TAboutBox" && IsWindowVisible(window))
                    ++*reinterpret_cast<int*>(n);
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&shown));
        return shown == 1 || Fail(std::to_string(shown) + " help windows shown");
    }
    if (!MakeForeground(help)) return false;
    switch (Below(3)) {
        case 0: {
            const auto memos = Visible(help, L"TMemo");
            if (memos.empty()) return Fail("no memo in the help window");
            if (!ClickForFocus(memos[0], CenterOf(memos[0]))) return false;
            PressKey(VK_END, true);
            program.Settle();
            const std::wstring before = TextOf(memos[0]);
            const std::wstring typed = MemoStrokes(random);
            TypeText(typed);
            program.Settle();
            const std::wstring expected = MemoText(before, typed);
            Note("  " + Quoted(typed) + " into the memo");
            if (!Eventually([&] { return TextOf(memos[0]) == expected; }, 1000))
                return Fail("typing " + Quoted(typed) + " at the end of the memo shows " +
                            Quoted(TextOf(memos[0])) + ", expected " + Quoted(expected));
            return true;
        }
        case 1: Note("  its close button"); return CloseHelpWindow(help);
        default:
            Note("  its close box");
            POINT close;
            if (!CloseBoxPoint(help, close)) return false;
            Click(close);
            return Eventually([&] { return !IsWindowVisible(help); }, 2000) ||
                   Fail("a click on its close box leaves the help window open; hit-test " +
                        std::to_string(Ask(help, WM_NCHITTEST, 0, MAKELPARAM(close.x, close.y))) +
                        "; " + ScreenAt(close, help));
    }
}

bool TSoakRun::UseTitleBar() {
    const HWND top = Chance(0.5) ? ActiveTop() : program.MainWindow();
    if (!MakeForeground(top)) return false;
    POINT close, caption;
    if (!CloseBoxPoint(top, close)) return false;
    if (!CaptionPoint(top, caption))
        return Fail("a window without a caption: " + HitTestCodes(top));
    const POINT away = CenterOf(top);
    switch (Below(3)) {
        case 0:  // over the close box and off again
            Note("  over the close box");
            MoveMouse(caption);
            program.Settle();
            MoveMouse(close);
            program.Settle();
            MoveMouse(away);
            break;
        case 1:  // pressed, then released elsewhere: no close
            Note("  close box pressed and released off it");
            PressLeft(close);
            program.Settle();
            MoveMouse(caption);
            program.Settle();
            MoveMouse(away);
            ReleaseLeft();
            program.Settle();
            if (!IsWindowVisible(top)) return Fail("a close box released off it closed its window");
            if (HWND captured = program.CaptureWindow())
                return Fail("after a close box was pressed and released off it, " +
                            WindowName(captured) + " keeps the mouse captured");
            break;
        default:  // a press on the caption
            Note("  caption clicked");
            Click(caption);
    }
    return true;
}

bool TSoakRun::UseSystemMenu() {
    const HWND top = ActiveTop();
    return MakeForeground(top) && OpenSystemMenu(top, Chance(0.5));
}

bool TSoakRun::OpenSystemMenu(HWND top, bool fromCaption) {
    POINT at;
    if (fromCaption && CaptionPoint(top, at)) {
        Note("  right click on the caption");
        // Two caption clicks within the double-click time count as a double click, which opens
        // no menu: a user's second menu comes later than that.
        const DWORD since = GetTickCount() - lastCaptionMenu;
        if (since < GetDoubleClickTime() + 50) Sleep(GetDoubleClickTime() + 50 - since);
        Click(at, true);
        lastCaptionMenu = GetTickCount();
    } else {
        Note("  Alt+Space");
        PressKey(VK_SPACE, false, false, true);
    }
    if (!Eventually([&] { return program.MenuOpen(); }, 2000))
        return Fail("no system menu opens on " + WindowName(top) + ", the focus is on " +
                    WindowName(program.FocusWindow()) + ", the front window is " +
                    WindowName(GetForegroundWindow()));
    for (int i = 0, n = Below(3); i < n; ++i) PressKey(VK_DOWN);
    for (int i = 0; i < 3 && program.MenuOpen(); ++i) {
        PressKey(VK_ESCAPE);
        program.Settle();
    }
    return !program.MenuOpen() || Fail("a system menu stays open after Escape");
}

bool TSoakRun::UseContextMenu() {
    const HWND edit = PickOnMainWindow(L"TEdit");
    if (!edit) return failure.empty();
    if (!Reach(edit, CenterOf(edit))) return false;
    Click(CenterOf(edit), true);
    if (!Eventually([&] { return program.MenuOpen(); }, 2000))
        return Fail("no context menu opens on the " + WindowName(edit) +
                    " right-clicked, under the pointer is " +
                    WindowName(WindowFromPoint(CenterOf(edit))) + ", the focus is on " +
                    WindowName(program.FocusWindow()) + ", the front window is " +
                    WindowName(GetForegroundWindow()));
    for (int i = 0, n = Below(3); i < n; ++i) PressKey(VK_DOWN);
    for (int i = 0; i < 3 && program.MenuOpen(); ++i) {
        PressKey(VK_ESCAPE);
        program.Settle();
    }
    return !program.MenuOpen() || Fail("a context menu stays open after Escape");
}

}  // namespace soak
