#pragma once
// One soak run: random user actions on the running program, from a seed, each followed by the
// checks that the program is alive and answering and that every message box it showed is one
// of the calculator's own. Rows posted through the grids are applied to the section model, so
// that the database can be compared with it at the end.

#include <cstdint>
#include <functional>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "tools/soak/program_under_test.h"
#include "tools/soak/section_model.h"

namespace soak {

class TSoakRun {
public:
    TSoakRun(TProgramUnderTest& program, TSectionModel& model, uint32_t seed);

    // Shows every page and the help window once, so that the windows the program makes when a
    // page is first shown exist before the object counts are taken.
    bool WarmUp();
    // One random action and the checks after it; false on a failure (Failure() says what).
    bool Step();
    // Leaves the program as it started: help window closed, first page shown, no menu open.
    bool Finish();

    const std::string& Failure() const { return failure; }
    const std::vector<std::string>& Journal() const { return journal; }
    const std::map<std::wstring, int>& BoxesSeen() const { return boxesSeen; }
    const std::vector<std::string>& RowsPosted() const { return rowsPosted; }
    // How many times each kind of action ran and how long it took in all, checks included.
    struct TActionTime {
        int count = 0;
        double milliseconds = 0;
    };
    const std::map<std::string, TActionTime>& TimeByAction() const { return timeByAction; }
    // How often the help window was closed to reach a control of the main window under it.
    int HelpClosedToReach() const { return helpClosedToReach; }
    // How often a combo box's button needed a second click to drop its list down.
    int DropDownsClickedTwice() const { return dropDownsClickedTwice; }

private:
    // --- actions -------------------------------------------------------------------------
    bool TypeIntoEdit();
    bool TypeIntoCombo();
    bool DropDownCombo();
    bool ClickRadioButton();
    bool Calculate();
    bool SwitchPage();
    bool PressTab();
    bool NavigateGrid();
    bool EditGrid();
    bool UseHelpWindow();
    bool UseTitleBar();
    bool UseSystemMenu();
    // Opens the system menu of top, a window in front, from its caption or with Alt+Space,
    // moves in it and closes it with Escape.
    bool OpenSystemMenu(HWND top, bool fromCaption);
    bool UseContextMenu();
    bool HoverControls();

    // --- grid editing, each from the first row of the grid's table -----------------------
    bool EditCell(HWND grid, TTableModel& table, const std::string& name);
    bool AppendRow(HWND grid, TTableModel& table, const std::string& name);
    bool InsertRow(HWND grid, TTableModel& table, const std::string& name);
    bool DeleteRow(HWND grid, TTableModel& table, const std::string& name);
    bool CancelCellEdit(HWND grid, TTableModel& table);
    bool StartAtFirstRow(HWND grid);
    // Types value into the current cell (or, for an empty value, clears it with F2 and
    // Backspace), checks that the cell editor shows it, presses Enter and answers whether the
    // grid took it (false with a conversion error box answered and the edit cancelled).
    bool PostCellValue(HWND grid, const std::wstring& value, bool& taken);
    HWND CellEditor(HWND grid) const;
    // The grid of the current page and the name of the table it shows, or null.
    HWND CurrentGrid(std::string& table) const;

    // --- helpers -------------------------------------------------------------------------
    HWND ActiveTop() const;  // the help window when it is shown, else the main window
    bool CloseHelpWindow(HWND help);
    // What a combo box says of its state, for a report: dropped state, button state, capture,
    // focus and what lies under its button.
    std::string ComboState(HWND combo, POINT button) const;
    // The help window stays above the main window, which owns it: a point of the main window
    // under it is reached, as a user would, by closing the help window first.
    bool Reach(HWND target, POINT at);
    bool MakeForeground(HWND top);
    std::vector<HWND> Visible(HWND top, const wchar_t* className) const;
    // One of the main window's visible controls of that class, picked at random once the main
    // window is in front; null when it shows none or cannot be brought to the front.
    HWND PickOnMainWindow(const wchar_t* className);
    template <class T>
    const T& Pick(const std::vector<T>& items) {
        return items[std::uniform_int_distribution<size_t>(0, items.size() - 1)(random)];
    }
    int Below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); }
    bool Chance(double p) { return std::bernoulli_distribution(p)(random); }
    bool Eventually(const std::function<bool()>& done, int timeoutMs);
    bool WaitFor(const char* what, const std::function<bool()>& done, int timeoutMs = 2000);
    bool WaitForFocus(HWND window);
    // Clicks at and waits until target has the focus (or done holds).
    bool ClickForFocus(HWND target, POINT at);
    bool ClickUntil(POINT at, const char* what, const std::function<bool()>& done);
    // Answers every message box the program shows: a calculator's message is counted and
    // closed, anything else is a failure.
    bool AnswerBoxes();
    bool CheckAlive();
    bool Fail(std::string why);
    void Note(std::string what);
    // A screen point of a window's caption, by its hit test.
    bool CaptionPoint(HWND top, POINT& where) const;
    // Where a window's close box is: found by where its caption lights up under the pointer.
    bool CloseBoxPoint(HWND top, POINT& close);
    // The hit-test codes along the caption, for a failure's message.
    std::string HitTestCodes(HWND top) const;
    POINT CenterOf(HWND window) const;
    std::string WindowName(HWND window) const;
    // Where a top-level window is, its region and the first shown window above it.
    std::string PlacementOf(HWND top) const;
    // What a click at that point met: the window under it, the front window and where top is.
    std::string ScreenAt(POINT at, HWND top) const;
    // Whether other lies above window in the window order.
    static bool LiesBelow(HWND window, HWND other);

    TProgramUnderTest& program;
    TSectionModel& model;
    std::mt19937 random;
    std::string failure;
    std::vector<std::string> journal;
    std::map<std::wstring, int> boxesSeen;
    std::vector<std::string> rowsPosted;
    int steps = 0;
    std::map<std::string, TActionTime> timeByAction;
    int helpClosedToReach = 0;
    int dropDownsClickedTwice = 0;
    std::map<HWND, POINT> closeBoxes;
    DWORD lastCaptionMenu = 0;
};

// Whether a message box text is one the calculator itself shows for bad input.
bool IsCalculatorMessage(const std::wstring& text);

}  // namespace soak
