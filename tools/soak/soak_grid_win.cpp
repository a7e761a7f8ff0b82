// The soak run's grid editing: each edit starts from the first row of the grid's table, so
// that the driver knows which row it changes, and each posted value is applied to the model.
#include <algorithm>

#include "forms/text.h"
#include "tools/soak/soak_run.h"
#include "tools/soak/typed_values.h"
#include "tools/soak/user_input.h"

namespace soak {

namespace {

std::string Quoted(const std::wstring& text) { return "'" + WideToUtf8(text) + "'"; }

void PressKeys(WORD key, int times) {
    for (int i = 0; i < times; ++i) PressKey(key);
}

TRow EmptyRow(const TTableModel& table) { return TRow(table.columns.size()); }

}  // namespace

HWND TSoakRun::CurrentGrid(std::string& table) const {
    const HWND main = program.MainWindow();
    const auto grids = Visible(main, L"TDBGrid");
    if (grids.empty()) return nullptr;
    static const std::map<std::wstring, std::string> tables = [] {
        std::map<std::wstring, std::string> m = {
            {L"热轧槽钢", "槽钢"},
            {L"热轧工字钢", "工字钢"},
            {L"宽翼缘型HW", "H型钢国标HW"},
            {L"中翼缘型HM", "H型钢国标HM"},
            {L"窄翼缘型HN", "H型钢国标HN"},
            {L"H型钢柱HP", "H型钢国标HP"},
            {L"热轧等边角钢", "热轧等边角钢"},
            {L"热轧不等边角钢", "热轧不等边角钢"},
            {L"菱型花纹钢板", "菱型钢板"},
            {L"扁豆花纹钢板", "扁豆钢板"},
            {L"圆豆花纹钢板", "圆豆钢板"},
        };
        return m;
    }();
    for (HWND radio : Visible(main, L"TRadioButton")) {
        DWORD_PTR checked = 0;
        SendMessageTimeoutW(radio, BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, 5000, &checked);
        const auto found = tables.find(TextOf(radio));
        if (checked == BST_CHECKED && found != tables.end()) {
            table = found->second;
            return grids[0];
        }
    }
    return nullptr;
}

HWND TSoakRun::CellEditor(HWND grid) const {
    return FindWindowExW(grid, nullptr, L"Edit", nullptr);
}

bool TSoakRun::NavigateGrid() {
    std::string name;
    const HWND grid = CurrentGrid(name);
    if (!grid || !MakeForeground(program.MainWindow())) return failure.empty();
    RECT r;
    GetWindowRect(grid, &r);
    if (Chance(0.4)) {
        // Anywhere on the grid: cells, titles, the indicator column, the scroll bars.
        const POINT at{r.left + Below(static_cast<int>(r.right - r.left)),
                       r.top + Below(static_cast<int>(r.bottom - r.top))};
        if (!Reach(grid, at)) return false;
        Click(at);
        Note("  click");
        return true;
    }
    if (!StartAtFirstRow(grid)) return false;
    static const WORD keys[] = {VK_UP,  VK_DOWN, VK_PRIOR, VK_NEXT, VK_HOME,
                                VK_END, VK_LEFT, VK_RIGHT, VK_HOME, VK_END};
    for (int i = 0, n = 1 + Below(6); i < n; ++i) {
        const int k = Below(10);
        PressKey(keys[k], k >= 8);
    }
    return true;
}

bool TSoakRun::StartAtFirstRow(HWND grid) {
    if (!MakeForeground(program.MainWindow())) return false;
    // The grid's top left corner cell takes the focus without moving the current row.
    POINT corner{3, 3};
    ClientToScreen(grid, &corner);
    if (!Reach(grid, corner) || !ClickForFocus(grid, corner)) return false;
    PressKey(VK_ESCAPE);
    PressKey(VK_HOME, true);
    PressKey(VK_HOME);
    return WaitFor("the cell editor to close", [&] {
        const HWND editor = CellEditor(grid);
        return !editor || !IsWindowVisible(editor);
    });
}

bool TSoakRun::PostCellValue(HWND grid, const std::wstring& value, bool& taken) {
    if (value.empty()) {
        PressKey(VK_F2);
        PressKey(VK_BACK);
    } else {
        if (Chance(0.3)) PressKey(VK_F2);  // the editor opens with the old text selected
        TypeText(value);
    }
    HWND editor = nullptr;
    if (!Eventually(
            [&] {
                editor = CellEditor(grid);
                return editor && IsWindowVisible(editor) && TextOf(editor) == value;
            },
            2000))
        return Fail("the cell editor does not show the typed " + Quoted(value) +
                    (editor ? ": it shows " + Quoted(TextOf(editor)) : std::string()));
    PressKey(VK_RETURN);
    TMessageBoxText box;
    if (!WaitFor("the post",
                 [&] { return program.FindMessageBox(box) || !IsWindowVisible(editor); }))
        return false;
    taken = !program.FindMessageBox(box);
    if (taken) return true;
    if (!IsCalculatorMessage(box.text))
        return Fail("posting " + Quoted(value) + " shows the box " + Quoted(box.text));
    ++boxesSeen[L"(grid cell) '…' 不是一个有效的浮点值."];
    if (!program.AnswerMessageBox(box.window, IDOK)) return Fail("the error box does not close");
    // Closed, the box gives the focus back to the cell editor, where the user goes on.
    if (!WaitForFocus(editor)) return false;
    PressKey(VK_ESCAPE);
    return WaitFor("the refused edit to be cancelled", [&] { return !IsWindowVisible(editor); });
}

bool TSoakRun::EditGrid() {
    std::string name;
    const HWND grid = CurrentGrid(name);
    if (!grid) return failure.empty();
    if (!model.HasTable(name)) return Fail("the grid shows a table the database lacks: " + name);
    TTableModel& table = model.Table(name);
    Note("  table " + name);
    const int choice = Below(10);
    if (choice < 4 && !table.rows.empty()) return EditCell(grid, table, name);
    if (choice < 6) return AppendRow(grid, table, name);
    if (choice < 7) return InsertRow(grid, table, name);
    if (choice < 8 && table.rows.size() > 1) return DeleteRow(grid, table, name);
    if (!table.rows.empty()) return CancelCellEdit(grid, table);
    return true;
}

bool TSoakRun::EditCell(HWND grid, TTableModel& table, const std::string& name) {
    const int rows = static_cast<int>(table.rows.size());
    const bool fromEnd = Chance(0.3);
    const int steps = Below(std::min(rows, 25));
    const int row = fromEnd ? rows - 1 - steps : steps;
    const int column = Below(static_cast<int>(table.columns.size()));
    const TCellValue value =
        table.numeric[size_t(column)] ? NumberValue(random) : TextValue(random);
    if (!StartAtFirstRow(grid)) return false;
    if (fromEnd) PressKey(VK_END, true);
    PressKeys(fromEnd ? VK_UP : VK_DOWN, steps);
    PressKeys(VK_RIGHT, column);
    bool taken = false;
    if (!PostCellValue(grid, value.text, taken)) return false;
    const std::string what = name + " row " + std::to_string(row + 1) + " " +
                             table.columns[size_t(column)] + " := " + Quoted(value.text);
    Note("  " + what + (taken ? "" : " (refused)"));
    if (taken != value.valid)
        return Fail(what + (taken ? " was taken, but it is no number" : " was refused"));
    if (taken) {
        table.rows[size_t(row)][size_t(column)] = value.cell;
        rowsPosted.push_back(what);
    }
    return true;
}

bool TSoakRun::AppendRow(HWND grid, TTableModel& table, const std::string& name) {
    if (!StartAtFirstRow(grid)) return false;
    PressKey(VK_END, true);
    PressKey(VK_DOWN);  // on the last row: a new row after it
    const TCellValue first = TextValue(random);
    bool taken = false;
    if (!PostCellValue(grid, first.text, taken)) return false;
    if (!taken) return Fail("a new row's designation " + Quoted(first.text) + " was refused");
    table.rows.push_back(EmptyRow(table));
    table.rows.back()[0] = first.cell;
    // More cells of the new row, which is now the last one.
    for (int i = 0, n = Below(3); i < n; ++i) {
        const int column = 1 + Below(static_cast<int>(table.columns.size()) - 1);
        const TCellValue value =
            table.numeric[size_t(column)] ? NumberValue(random) : TextValue(random);
        PressKey(VK_END, true);
        PressKey(VK_HOME);
        PressKeys(VK_RIGHT, column);
        if (!PostCellValue(grid, value.text, taken)) return false;
        if (taken != value.valid)
            return Fail("the new row's " + table.columns[size_t(column)] +
                        " := " + Quoted(value.text) + (taken ? " was taken" : " was refused"));
        if (taken) table.rows.back()[size_t(column)] = value.cell;
    }
    const std::string what = name + " appended " + Describe(table.rows.back());
    Note("  " + what);
    rowsPosted.push_back(what);
    return true;
}

bool TSoakRun::InsertRow(HWND grid, TTableModel& table, const std::string& name) {
    const int steps = Below(std::max(1, std::min(static_cast<int>(table.rows.size()), 25)));
    if (!StartAtFirstRow(grid)) return false;
    PressKeys(VK_DOWN, std::min(steps, std::max(0, static_cast<int>(table.rows.size()) - 1)));
    PressKey(VK_INSERT);
    const TCellValue first = TextValue(random);
    bool taken = false;
    if (!PostCellValue(grid, first.text, taken)) return false;
    if (!taken) return Fail("an inserted row's designation " + Quoted(first.text) + " was refused");
    // Posted, a new row takes its place in the table's order: the end.
    table.rows.push_back(EmptyRow(table));
    table.rows.back()[0] = first.cell;
    const std::string what = name + " inserted " + Describe(table.rows.back());
    Note("  " + what);
    rowsPosted.push_back(what);
    return true;
}

bool TSoakRun::DeleteRow(HWND grid, TTableModel& table, const std::string& name) {
    const int row = Below(std::min(static_cast<int>(table.rows.size()), 25));
    if (!StartAtFirstRow(grid)) return false;
    PressKeys(VK_DOWN, row);
    PressKey(VK_DELETE, true);
    TMessageBoxText box;
    if (!WaitFor("the delete question", [&] { return program.FindMessageBox(box); })) return false;
    if (box.text != L"删除当前记录吗?") return Fail("Ctrl+Delete asks " + Quoted(box.text));
    const bool yes = Chance(0.7);
    if (!program.AnswerMessageBox(box.window, yes ? IDOK : IDCANCEL))
        return Fail("the delete question does not close");
    const std::string what = name + " row " + std::to_string(row + 1) + " " +
                             Describe(table.rows[size_t(row)]) + (yes ? " deleted" : " kept");
    Note("  " + what);
    if (yes) {
        table.rows.erase(table.rows.begin() + row);
        rowsPosted.push_back(what);
    }
    return true;
}

bool TSoakRun::CancelCellEdit(HWND grid, TTableModel& table) {
    const int row = Below(std::min(static_cast<int>(table.rows.size()), 25));
    const int column = Below(static_cast<int>(table.columns.size()));
    if (!StartAtFirstRow(grid)) return false;
    PressKeys(VK_DOWN, row);
    PressKeys(VK_RIGHT, column);
    const TCellValue value =
        table.numeric[size_t(column)] ? NumberValue(random) : TextValue(random);
    const std::wstring typed = value.text.empty() ? L"9" : value.text;
    TypeText(typed);
    HWND editor = nullptr;
    if (!WaitFor("the cell editor", [&] {
            editor = CellEditor(grid);
            return editor && IsWindowVisible(editor) && TextOf(editor) == typed;
        }))
        return false;
    Note("  " + Quoted(typed) + " typed, then Escape");
    PressKey(VK_ESCAPE);
    return WaitFor("the cancelled edit to close", [&] { return !IsWindowVisible(editor); });
}

}  // namespace soak
