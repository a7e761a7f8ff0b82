// Timings of the section grid under Wine (or Windows): opening a table and painting the grid's
// first screen, and moving down a page (the move and the repaint), for 1,000 and 100,000 rows,
// first as the bare grid and then with the scroll bar skinner of the default skin on it, as the
// program runs it.
//   tools/wine-session tools/wine-run build/win64/bench/grid_win_bench.exe
// Each figure is the median of several runs, in milliseconds. Goal on the project machine under
// Wine: under 20 ms to open and paint, under 5 ms per page, whatever the table's size. A page
// move repaints the native vertical scroll bar; the last line shows what that alone costs here
// (Wine 8's default "light" theme spends about 5 ms on it, its classic look under 0.1 ms).
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "bench/win_bench_timing.h"
#include "data/ado_table.h"
#include "data/data_source.h"
#include "data/db_grid.h"
#include "data/sqlite_db.h"
#include "forms/application.h"
#include "forms/text.h"
#include "skin/controls/skin_scrollbar.h"
#include "skin/skin_data.h"

namespace fs = std::filesystem;

namespace {

// A channel-like table of `rows` rows in its own database file.
void MakeTable(const fs::path& file, int rows) {
    fs::remove(file);
    TSqliteDatabase db(file.string(), TOpenMode::Create);
    db.Exec(
        "CREATE TABLE \"槽钢\" (\"型号\" TEXT, \"h\" REAL, \"b\" REAL, \"d\" REAL, \"单重(kg/m)\" "
        "REAL)");
    TSqliteTransaction transaction(db);
    TSqliteStatement insert = db.Prepare("INSERT INTO \"槽钢\" VALUES (?, ?, ?, ?, ?)");
    for (int i = 0; i < rows; ++i) {
        insert.BindText(1, std::to_string(5 + i % 400) + (i % 3 ? "a" : "b"));
        insert.BindReal(2, 50 + i % 350);
        insert.BindReal(3, 37 + i % 70);
        insert.BindReal(4, 4.5 + i % 9);
        insert.BindReal(5, 5.438 + (i % 1000) / 7.0);
        insert.Step();
        insert.Reset();
    }
    transaction.Commit();
}

// Paints the whole grid now, as the screen would.
void Paint(TDBGrid& grid) {
    RedrawWindow(grid.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void Measure(int rows, const fs::path& folder, TSkinData* skin) {
    const fs::path file = folder / ("grid-" + std::to_string(rows) + ".db");
    MakeTable(file, rows);
    TForm form(nullptr);
    form.SetBounds(0, 0, 420, 400);
    auto* table = new TADOTable(&form);
    table->SetName(L"ADOTable1");
    table->SetConnectionString(L"Provider=SQLite;Data Source=" + file.wstring());
    table->SetTableName(L"槽钢");
    auto* source = new TDataSource(&form);
    source->SetDataSet(table);
    auto* grid = new TDBGrid(&form);
    grid->SetParent(&form);
    grid->SetBounds(8, 8, 380, 340);
    grid->SetDataSource(source);
    form.Show();
    if (skin) (new TSkinScrollbar(grid))->HookScrollControl(grid, skin, 1, nullptr, nullptr);

    const double open = Median(
        9,
        [&] {
            table->Open();
            Paint(*grid);
        },
        [&] { table->Close(); });
    table->First();
    Paint(*grid);
    const double page = Median(
        21,
        [&] {
            SendMessageW(grid->Handle(), WM_KEYDOWN, VK_NEXT, 0);
            Paint(*grid);
        },
        [&] {
            if (table->RecNo() > rows - 100) table->First();
        });
    std::printf("%7d rows%s: open and paint the first screen %7.2f ms, page down %6.2f ms\n", rows,
                skin ? ", skinned" : "         ", open, page);
}

// One repaint of a native scroll bar: what a page move costs the platform itself, since the
// thumb moves with every page. Under Wine's default theme this is most of a page move.
void MeasureScrollBar() {
    TForm form(nullptr);
    form.SetBounds(0, 0, 200, 300);
    form.Show();
    HWND bar = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | WS_VSCROLL, 0, 0, 100,
                               200, form.Handle(), nullptr, nullptr, nullptr);
    int position = 0;
    const double repaint = Median(21, [&] {
        SCROLLINFO info{sizeof info, SIF_ALL, 0, 999, 17, (position += 17) % 1000, 0};
        SetScrollInfo(bar, SB_VERT, &info, TRUE);
    });
    DestroyWindow(bar);
    std::printf("(a native scroll bar repaints in %.2f ms on this platform)\n", repaint);
}

}  // namespace

int main() {
    Application->Initialize();
    const fs::path folder = fs::temp_directory_path() / "ponderix-grid-bench";
    fs::create_directories(folder);
    std::printf("Section grid under this platform (median of several runs):\n");
    for (int rows : {1000, 100000}) Measure(rows, folder, nullptr);
    // The default skin, packed by the build beside the program's resources.
    TSkinData skin(nullptr);
    skin.SetSkinFile(Utf8ToWide(PONDERIX_DEFAULT_SKIN));
    if (skin.Empty())
        std::printf("(the default skin %s cannot be read)\n", PONDERIX_DEFAULT_SKIN);
    else
        for (int rows : {1000, 100000}) Measure(rows, folder, &skin);
    MeasureScrollBar();
    std::error_code ignored;
    fs::remove_all(folder, ignored);
    return 0;
}
