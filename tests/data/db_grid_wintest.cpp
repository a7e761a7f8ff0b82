// The section grid when things go wrong under it: a table dropped by another connection makes
// every paint fail, a thousand times, without a GDI object left behind, and the grid paints again
// once the table is back; a grid whose form window goes first, with its in-place editor open,
// destroys nothing twice. A page move repaints the platform's vertical bar at once at the new
// position; with a painter of the bars in the grid's WindowProc chain the grid sets its bars
// without that repaint and tells the painter instead, once per change, with its paint pending.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "data/ado_table.h"
#include "data/data_source.h"
#include "data/db_grid.h"
#include "data/sqlite_db.h"
#include "forms/application.h"
#include "forms/scroll_bar_messages.h"
#include "support/gdi_objects.h"
#include "support/screen_probe.h"
#include "support/win_test_util.h"

namespace fs = std::filesystem;

namespace {

constexpr int kRows = 1000;

void FillTable(TSqliteDatabase& db) {
    db.Exec("CREATE TABLE \"槽钢\" (\"型号\" TEXT, \"单重(kg/m)\" REAL)");
    TSqliteTransaction transaction(db);
    TSqliteStatement insert = db.Prepare("INSERT INTO \"槽钢\" VALUES (?, ?)");
    for (int i = 0; i < kRows; ++i) {
        insert.BindText(1, std::to_string(5 + i));
        insert.BindReal(2, 5.438 + i);
        insert.Step();
        insert.Reset();
    }
    transaction.Commit();
}

class GridUnderFailure : public testing::Test {
protected:
    void SetUp() override {
        file = fs::temp_directory_path() /
               ("ponderix-grid-" + std::to_string(GetCurrentProcessId()) + ".db");
        fs::remove(file);
        {
            TSqliteDatabase db(file.string(), TOpenMode::Create);
            FillTable(db);
        }
        form = std::make_unique<TForm>(nullptr);
        form->SetBounds(100, 100, 420, 300);
        table = new TADOTable(form.get());
        table->SetName(L"ADOTable1");
        table->SetConnectionString(L"Provider=SQLite;Data Source=" + file.wstring());
        table->SetTableName(L"槽钢");
        auto* source = new TDataSource(form.get());
        source->SetDataSet(table);
        grid = new TDBGrid(form.get());
        grid->SetParent(form.get());
        grid->SetBounds(8, 8, 380, 240);
        grid->SetDataSource(source);
        table->Open();
        form->Show();
        PumpMessages();
    }
    void TearDown() override {
        Application->OnException = nullptr;
        form.reset();
        fs::remove(file);
    }
    void Paint() { RedrawWindow(grid->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW); }
    // Shows the top or the bottom of the table and paints it.
    void ScrollAndPaint(int bar) {
        SendMessageW(grid->Handle(), WM_VSCROLL, bar, 0);
        Paint();
    }

    fs::path file;
    std::unique_ptr<TForm> form;
    TADOTable* table = nullptr;
    TDBGrid* grid = nullptr;
};

TEST_F(GridUnderFailure, AThousandFailedPaintsLeaveNoGdiObjectBehind) {
    int errors = 0;
    Application->OnException = [&](TObject*, const std::exception&) { ++errors; };
    // The scroll bar's first moves make the platform's own lasting objects; rows 0 to 99 are
    // read once and kept.
    ScrollAndPaint(SB_PAGEDOWN);
    ScrollAndPaint(SB_TOP);
    ASSERT_EQ(errors, 0);
    const auto before = GdiObjectsByType();

    TSqliteDatabase other(file.string(), TOpenMode::ReadWrite);
    other.Exec("DROP TABLE \"槽钢\"");
    // The bottom rows were never read: each paint tries to read them, and fails.
    for (int i = 0; i < 1000; ++i) ScrollAndPaint(SB_BOTTOM);
    EXPECT_EQ(errors, 1000);  // each failed paint reported once, none asked for again
    RECT pending;
    EXPECT_FALSE(GetUpdateRect(grid->Handle(), &pending, FALSE));
    EXPECT_EQ(GdiObjectsByType(), before);

    // The table is back: the grid paints its rows again.
    FillTable(other);
    errors = 0;
    ScrollAndPaint(SB_BOTTOM);
    EXPECT_EQ(errors, 0);
    EXPECT_EQ(GdiObjectsByType(), before);
}

TEST_F(GridUnderFailure, AFormWindowGoingFirstTakesTheOpenEditorWithIt) {
    grid->SetFocus();
    SendMessageW(grid->Handle(), WM_KEYDOWN, VK_F2, 0);
    ASSERT_TRUE(grid->Editing());
    DestroyWindow(form->Handle());
    EXPECT_FALSE(grid->HandleAllocated());
    EXPECT_FALSE(grid->Editing());

    std::vector<HWND> sentinels;
    for (int i = 0; i < 32; ++i)
        sentinels.push_back(CreateWindowExW(0, L"EDIT", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                            GetModuleHandleW(nullptr), nullptr));
    SetLastError(0);
    delete grid;
    EXPECT_NE(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
    for (HWND sentinel : sentinels) {
        EXPECT_TRUE(IsWindow(sentinel));
        DestroyWindow(sentinel);
    }
}

// The pixels of the grid's vertical bar as the screen shows them, top to bottom.
std::vector<COLORREF> VerticalBarPixels(HWND window) {
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    RECT w{}, client{};
    GetWindowRect(window, &w);
    GetClientRect(window, &client);
    const int left = origin.x - w.left + client.right;
    const int top = origin.y - w.top;
    auto shot = WindowShot(window);
    const HDC dc = shot->Canvas()->Handle();
    std::vector<COLORREF> pixels;
    for (int y = top; y < top + client.bottom; ++y)
        for (int x = left; x < left + GetSystemMetrics(SM_CXVSCROLL); ++x)
            pixels.push_back(GetPixel(dc, x, y));
    return pixels;
}

int VerticalPosition(HWND window) {
    SCROLLINFO info{sizeof info, SIF_POS, 0, 0, 0, 0, 0};
    GetScrollInfo(window, SB_VERT, &info);
    return info.nPos;
}

using GridScrollBars = GridUnderFailure;

TEST_F(GridScrollBars, APageMoveRepaintsThePlatformsBarAtTheNewPosition) {
    const HWND window = grid->Handle();
    // The first page down only brings the current row to the last line: the view moves by one.
    SendMessageW(window, WM_KEYDOWN, VK_NEXT, 0);
    Paint();
    const int position = VerticalPosition(window);
    const std::vector<COLORREF> before = VerticalBarPixels(window);
    SendMessageW(window, WM_KEYDOWN, VK_NEXT, 0);
    EXPECT_GT(VerticalPosition(window), position + 1);
    // Read before any paint message has run: the bar was repainted by the move itself, and the
    // way a full repaint of the frame draws it now.
    const std::vector<COLORREF> moved = VerticalBarPixels(window);
    EXPECT_NE(moved, before);
    RedrawWindow(window, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_EQ(VerticalBarPixels(window), moved);
}

// Stands in the grid's WindowProc for whatever paints its bars: answers CM_SCROLLBARSPAINTED
// and notes, at each CM_SCROLLBARSCHANGED, the vertical position and whether a paint is pending.
class TBarPainter : public TObject {
public:
    explicit TBarPainter(TWinControl& target) : control(target), saved(target.WindowProc) {
        target.WindowProc = TWndMethod::Of<TBarPainter, &TBarPainter::Message>(this);
    }
    ~TBarPainter() { control.WindowProc = saved; }
    TBarPainter(const TBarPainter&) = delete;
    TBarPainter& operator=(const TBarPainter&) = delete;
    std::vector<int> changes;
    std::vector<bool> paintPending;

private:
    void Message(TMessage& message) {
        if (message.Msg == CM_SCROLLBARSPAINTED) {
            message.Result = 1;
            return;
        }
        if (message.Msg == CM_SCROLLBARSCHANGED) {
            changes.push_back(VerticalPosition(control.Handle()));
            paintPending.push_back(GetUpdateRect(control.Handle(), nullptr, FALSE) != FALSE);
            return;
        }
        saved(message);
    }
    TWinControl& control;
    TWndMethod saved;
};

TEST_F(GridScrollBars, WithThePaintingDoneElsewhereTheGridOnlySaysWhenItsBarsChanged) {
    const HWND window = grid->Handle();
    ASSERT_EQ(VerticalPosition(window), 0);
    struct TCase {
        const char* name;
        WORD key;
        bool control;
        size_t changes;
    };
    const TCase cases[] = {
        {"page down from the top", VK_NEXT, false, 1},
        {"page down again", VK_NEXT, false, 1},
        {"to the last row", VK_END, true, 1},
        {"to the last row again: nothing moves", VK_END, true, 0},
        {"one column right: the bars stay", VK_RIGHT, false, 0},
    };
    TBarPainter painter(*grid);
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.name);
        painter.changes.clear();
        painter.paintPending.clear();
        const int position = VerticalPosition(window);
        const std::vector<COLORREF> before = VerticalBarPixels(window);
        BYTE keys[256]{};
        GetKeyboardState(keys);
        keys[VK_CONTROL] = c.control ? 0x80 : 0;
        SetKeyboardState(keys);
        SendMessageW(window, WM_KEYDOWN, c.key, 0);
        keys[VK_CONTROL] = 0;
        SetKeyboardState(keys);
        ASSERT_EQ(painter.changes.size(), c.changes);
        if (c.changes == 0) {
            EXPECT_EQ(VerticalPosition(window), position);
            continue;
        }
        EXPECT_GT(VerticalPosition(window), position);
        EXPECT_EQ(painter.changes.front(), VerticalPosition(window));  // told after setting it
        EXPECT_TRUE(painter.paintPending.front());     // so the bars can be drawn with that paint
        EXPECT_EQ(VerticalBarPixels(window), before);  // the platform did not repaint its bar
    }
}

}  // namespace
