// The section grid when things go wrong under it: a table dropped by another connection makes
// every paint fail, a thousand times, without a GDI object left behind, and the grid paints again
// once the table is back; a grid whose form window goes first, with its in-place editor open,
// destroys nothing twice.
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
#include "support/gdi_objects.h"
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

}  // namespace
