// The calculator's main window and help window, built from the program's own form descriptions
// over a copy of the seed database, and driven with real messages: typed characters, clicked
// buttons and radio buttons, grid keys. Results and error boxes are read back.
#include <gtest/gtest.h>

#include <filesystem>
#include <optional>

#include "about_box.h"
#include "forms/application.h"
#include "main_form.h"
#include "skin/manager/skin_manager.h"
#include "support/program_folder.h"
#include "support/win_test_util.h"

namespace fs = std::filesystem;

namespace {

class MainWindow : public testing::Test {
protected:
    static void SetUpTestSuite() {
        InstallSkinManager();
        RegisterApplicationClasses();
    }

    void SetUp() override {
        // Each test works on its own copy of the database, in a folder of its own.
        folder.emplace("ponderix-test");
        Application->CreateForm(MainForm);
        Application->CreateForm(AboutBox);
        MainForm->Show();
        PumpMessages();
        Application->OnException = [this](TObject*, const std::exception& e) {
            const auto* error = dynamic_cast<const Exception*>(&e);
            errors.push_back(ErrorBoxText(error ? error->Message() : L"?"));
        };
    }
    void TearDown() override {
        Application->OnException = nullptr;
        delete AboutBox;
        delete MainForm;
        AboutBox = nullptr;
        MainForm = nullptr;
        folder.reset();
    }

    static void Type(HWND window, const std::wstring& text) {
        for (wchar_t c : text) SendMessageW(window, WM_CHAR, c, 0);
    }
    static void Type(TEdit* edit, const std::wstring& text) { Type(edit->Handle(), text); }
    static void Type(TComboBox* box, const std::wstring& text) { Type(box->EditHandle(), text); }
    static void Clear(TEdit* edit) { edit->SetTextValue(L""); }
    static void Click(TButtonControl* button) { SendMessageW(button->Handle(), BM_CLICK, 0, 0); }

    // Sets the unit weight of the current row of a table, as a user editing the grid would.
    static void SetUnitWeight(TADOTable* table, const wchar_t* column, const wchar_t* value) {
        table->Edit();
        table->FieldByName(column)->SetAsString(value);
        table->Post();
    }

    std::optional<TProgramFolder> folder;
    std::vector<std::wstring> errors;
};

}  // namespace

TEST_F(MainWindow, PipeWeights) {
    Type(MainForm->ComboBox1, L"108");
    Type(MainForm->ComboBox2, L"4");
    Type(MainForm->Edit1, L"6");
    EXPECT_EQ(MainForm->ComboBox1->Text(), L"108");
    Click(MainForm->Button3);
    EXPECT_EQ(MainForm->Edit3->Text(), L"         61.555");

    MainForm->ComboBox1->SetTextValue(L"");
    MainForm->ComboBox2->SetTextValue(L"");
    Clear(MainForm->Edit1);
    Type(MainForm->ComboBox1, L"529");
    Type(MainForm->ComboBox2, L"20");
    Type(MainForm->Edit1, L"100");
    Click(MainForm->Button3);
    EXPECT_EQ(MainForm->Edit3->Text(), L"      25105.469");
    EXPECT_TRUE(errors.empty());
}

TEST_F(MainWindow, BarWeightsForEachShapeAndTheirCaptions) {
    Type(MainForm->Edit13, L"20");
    Type(MainForm->Edit15, L"6");
    const struct {
        TRadioButton* shape;
        const wchar_t* group;
        const wchar_t* label;
        const wchar_t* weight;
    } cases[] = {
        {MainForm->RadioButton11, L"方棒", L"边长(mm)：", L"         18.840"},
        {MainForm->RadioButton12, L"六角棒", L"对边长(mm)：", L"         16.315"},
        {MainForm->RadioButton10, L"圆棒", L"直径(mm)：", L"         14.797"},
    };
    for (const auto& c : cases) {
        Click(c.shape);
        EXPECT_EQ(MainForm->GroupBox6->Caption(), c.group);
        EXPECT_EQ(MainForm->Label16->Caption(), c.label);
        Click(MainForm->Button7);
        EXPECT_EQ(MainForm->Edit16->Text(), c.weight);
    }
    // Switching the shape leaves the shown weight until the next calculation.
    Click(MainForm->RadioButton11);
    EXPECT_EQ(MainForm->Edit16->Text(), L"         14.797");
}

TEST_F(MainWindow, OrdinaryPlateAndTheStartingPlateState) {
    EXPECT_FALSE(MainForm->DBGrid4->Visible());
    EXPECT_TRUE(MainForm->Edit21->Visible());
    EXPECT_TRUE(MainForm->Label26->Visible());
    Type(MainForm->Edit17, L"2000");
    Type(MainForm->Edit20, L"1000");
    Type(MainForm->Edit21, L"10");
    Click(MainForm->Button8);
    EXPECT_EQ(MainForm->Edit19->Text(), L"        157.000");
}

TEST_F(MainWindow, SectionWeightFromTheCurrentRow) {
    SetUnitWeight(MainForm->ADOTable1, L"单重(kg/m)", L"10");
    Type(MainForm->Edit4, L"6");
    Click(MainForm->Button4);
    EXPECT_EQ(MainForm->Edit6->Text(), L"         60.000");
    Clear(MainForm->Edit5);
    Type(MainForm->Edit5, L"7.9");
    Click(MainForm->Button4);
    EXPECT_EQ(MainForm->Edit6->Text(), L"         60.382");
}

TEST_F(MainWindow, CheckeredPlateShowsItsGridAndReadsItsTable) {
    Click(MainForm->RadioButton14);
    EXPECT_TRUE(MainForm->DBGrid4->Visible());
    EXPECT_FALSE(MainForm->Edit21->Visible());
    EXPECT_FALSE(MainForm->Label26->Visible());
    EXPECT_EQ(MainForm->GroupBox7->Caption(), L"扁豆型花纹钢板");
    EXPECT_EQ(MainForm->ADOTable4->TableName(), L"扁豆钢板");
    EXPECT_TRUE(MainForm->ADOTable4->Active());

    SetUnitWeight(MainForm->ADOTable4, L"单重(kg/m-2)", L"10");
    Type(MainForm->Edit17, L"2000");
    Type(MainForm->Edit20, L"1000");
    Clear(MainForm->Edit18);
    Type(MainForm->Edit18, L"2.7");
    Click(MainForm->Button8);
    EXPECT_EQ(MainForm->Edit19->Text(), L"          6.879");

    Click(MainForm->RadioButton9);
    EXPECT_FALSE(MainForm->DBGrid4->Visible());
    EXPECT_TRUE(MainForm->Edit21->Visible());
    EXPECT_EQ(MainForm->GroupBox7->Caption(), L"普通钢板");
    EXPECT_TRUE(MainForm->ADOTable4->Active());  // left open on the last checkered table
}

TEST_F(MainWindow, SwitchingTablesAndClickingTheCheckedKindAgain) {
    Click(MainForm->RadioButton2);
    EXPECT_EQ(MainForm->GroupBox3->Caption(), L"热轧工字钢");
    EXPECT_EQ(MainForm->ADOTable1->TableName(), L"工字钢");
    EXPECT_EQ(MainForm->ADOTable1->RecNo(), 1);
    MainForm->ADOTable1->MoveBy(3);
    Click(MainForm->RadioButton2);  // already checked: the table is not reopened
    EXPECT_EQ(MainForm->ADOTable1->RecNo(), 4);
    Click(MainForm->RadioButton5);
    EXPECT_EQ(MainForm->GroupBox4->Caption(), L"国标HN型钢");
    EXPECT_EQ(MainForm->ADOTable2->TableName(), L"H型钢国标HN");
    Click(MainForm->RadioButton8);
    EXPECT_EQ(MainForm->GroupBox5->Caption(), L"热轧不等边角钢");
    EXPECT_EQ(MainForm->ADOTable3->TableName(), L"热轧不等边角钢");
}

// The unequal angle's two legs are columns of their own, titled as the table names them, and
// the page weighs its rows from the unit-weight column.
TEST_F(MainWindow, UnequalAnglePageShowsBothLegsAndWeighsTheCurrentRow) {
    Click(MainForm->RadioButton8);
    TDataSet* shown = MainForm->DBGrid3->DataSet();
    ASSERT_EQ(shown, MainForm->ADOTable3);
    ASSERT_GE(shown->FieldCount(), 3);
    EXPECT_EQ(shown->Fields(0)->FieldName(), L"型号");
    EXPECT_EQ(shown->Fields(1)->FieldName(), L"B(长边)");
    EXPECT_EQ(shown->Fields(2)->FieldName(), L"b(短边)");
    EXPECT_EQ(shown->FieldByName(L"型号")->AsString(), L"2.5/1.6－3");
    EXPECT_EQ(shown->FieldByName(L"B(长边)")->AsString(), L"25");
    EXPECT_EQ(shown->FieldByName(L"b(短边)")->AsString(), L"16");
    Type(MainForm->Edit10, L"2");
    Click(MainForm->Button6);
    EXPECT_EQ(MainForm->Edit12->Text(), L"          1.824");  // 0.912 kg/m over 2 m
    EXPECT_TRUE(errors.empty());
}

TEST_F(MainWindow, KeyFilterAndConversionErrorsLeaveTheResultUnchanged) {
    Type(MainForm->ComboBox1, L"108");
    Type(MainForm->ComboBox2, L"4");
    Type(MainForm->Edit1, L"6");
    Click(MainForm->Button3);
    const std::wstring shown = MainForm->Edit3->Text();

    Clear(MainForm->Edit1);
    Type(MainForm->Edit1, L"a-, ");
    EXPECT_EQ(MainForm->Edit1->Text(), L"");
    Click(MainForm->Button3);  // empty length
    Type(MainForm->Edit1, L"1.2.3");
    EXPECT_EQ(MainForm->Edit1->Text(), L"1.2.3");
    Click(MainForm->Button3);
    Clear(MainForm->Edit1);
    Type(MainForm->Edit1, std::wstring(40, L'9'));
    Click(MainForm->Button3);
    EXPECT_EQ(errors,
              (std::vector<std::wstring>{L"'' 不是一个有效的浮点值.",
                                         L"'1.2.3' 不是一个有效的浮点值.", L"浮点指针溢出."}));
    EXPECT_EQ(MainForm->Edit3->Text(), shown);
}

TEST_F(MainWindow, TheErrorBoxItselfShowsTheMessageWithItsPeriod) {
    Application->OnException = nullptr;
    TMessageBoxWatcher watcher;
    Click(MainForm->Button3);  // every box empty: the outer diameter fails first
    const TMessageBoxSeen seen = watcher.Wait();
    ASSERT_TRUE(seen.seen);
    EXPECT_EQ(seen.text, L"'' 不是一个有效的浮点值.");
    EXPECT_EQ(MainForm->Edit3->Text(), L"");
}

TEST_F(MainWindow, MaterialPicksSetTheDensity) {
    MainForm->ComboBox3->SetTextValue(L"");
    Type(MainForm->ComboBox3, L"铝");
    EXPECT_EQ(MainForm->Edit2->Text(), L"2.7");
    MainForm->ComboBox4->SetTextValue(L"");
    Type(MainForm->ComboBox4, L"黄");
    EXPECT_EQ(MainForm->ComboBox4->Text(), L"黄铜");
    EXPECT_EQ(MainForm->Edit14->Text(), L"8.5");
    MainForm->ComboBox5->SetTextValue(L"");
    Type(MainForm->ComboBox5, L"不");
    EXPECT_EQ(MainForm->ComboBox5->Text(), L"不锈钢");
    EXPECT_EQ(MainForm->Edit18->Text(), L"7.9");
    MainForm->ComboBox5->SetTextValue(L"");
    Type(MainForm->ComboBox5, L"x");
    EXPECT_EQ(MainForm->Edit18->Text(), L"7.9");
}

TEST_F(MainWindow, HelpWindowShowsOnceHidesAndKeepsItsMemo) {
    EXPECT_FALSE(IsWindowVisible(AboutBox->Handle()));
    Click(MainForm->Button1);
    Click(MainForm->Button1);
    EXPECT_TRUE(IsWindowVisible(AboutBox->Handle()));
    EXPECT_EQ(Screen->FormCount(), 2);
    EXPECT_EQ(WindowText(AboutBox->Handle()), L"帮助");
    EXPECT_EQ(AboutBox->ClientWidth(), 361);
    EXPECT_EQ(AboutBox->ClientHeight(), 216);
    ASSERT_EQ(AboutBox->Memo1->Lines()->Count(), 8);
    EXPECT_EQ(AboutBox->Memo1->Lines()->Get(6), L"H型钢的型号含义为尺寸“H×B”。");
    EXPECT_EQ(AboutBox->ProductName->Caption(), L"Ponderix  1.0");
    ASSERT_NE(AboutBox->ProgramIcon, nullptr);
    EXPECT_EQ(AboutBox->ProgramIcon->Picture()->Width(), 32);  // program_icon.bmp

    // Enter in the memo starts a new line and does not close the window.
    AboutBox->Memo1->SetFocus();
    SendMessageW(AboutBox->Memo1->Handle(), EM_SETSEL, 0, 0);
    MSG enter{AboutBox->Memo1->Handle(), WM_KEYDOWN, VK_RETURN, 0, 0, {}};
    EXPECT_FALSE(Application->IsDialogKey(enter));
    Type(AboutBox->Memo1->Handle(), L"\r");
    EXPECT_EQ(AboutBox->Memo1->Lines()->Count(), 9);
    EXPECT_TRUE(IsWindowVisible(AboutBox->Handle()));

    Click(AboutBox->OKButton);
    EXPECT_FALSE(IsWindowVisible(AboutBox->Handle()));
    Click(MainForm->Button1);
    EXPECT_EQ(AboutBox->Memo1->Lines()->Count(), 9);  // the same window, with the user's edit
}

TEST_F(MainWindow, GridEditsAppendsAndDeletesAreWrittenToTheFile) {
    TDBGrid* grid = MainForm->DBGrid1;
    TADOTable* table = MainForm->ADOTable1;
    MainForm->PageControl1->SetActivePage(MainForm->TabSheet2);
    grid->SetFocus();
    const int rows = table->RecordCount();

    // Type into the first cell of the current row, Enter posts.
    SendMessageW(grid->Handle(), WM_CHAR, L'X', 0);
    ASSERT_TRUE(grid->Editing());
    MSG enter{GetFocus(), WM_KEYDOWN, VK_RETURN, 0, 0, {}};
    EXPECT_FALSE(Application->IsDialogKey(enter));
    SendMessageW(GetFocus(), WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_FALSE(grid->Editing());
    EXPECT_EQ(table->Fields(0)->AsString(), L"X");

    // Down on the last row appends one; typing a unit weight and Enter posts it.
    SendMessageW(grid->Handle(), WM_KEYDOWN, VK_CONTROL, 0);
    table->Last();
    SendMessageW(grid->Handle(), WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_EQ(table->State(), TDataSetState::dsInsert);
    SendMessageW(grid->Handle(), WM_KEYDOWN, VK_END, 0);
    SendMessageW(grid->Handle(), WM_CHAR, L'7', 0);
    SendMessageW(GetFocus(), WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_EQ(table->RecordCount(), rows + 1);

    // A value that is not a number is refused and the edit stays in the grid.
    SendMessageW(grid->Handle(), WM_CHAR, L'q', 0);
    SendMessageW(GetFocus(), WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_EQ(errors.size(), 1u);
    EXPECT_TRUE(grid->Editing());
    SendMessageW(GetFocus(), WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_FALSE(grid->Editing());

    // Reopen the table: the changes are in the file.
    table->Close();
    table->Open();
    EXPECT_EQ(table->RecordCount(), rows + 1);
    EXPECT_EQ(table->Fields(0)->AsString(), L"X");
    table->Last();
    EXPECT_EQ(table->FieldByName(L"单重(kg/m)")->AsString(), L"7");

    // Ctrl+Delete asks first; OK deletes the current row.
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_CONTROL] = 0x80;
    SetKeyboardState(keys);
    TMessageBoxWatcher watcher;
    SendMessageW(grid->Handle(), WM_KEYDOWN, VK_DELETE, 0);
    keys[VK_CONTROL] = 0;
    SetKeyboardState(keys);
    const TMessageBoxSeen seen = watcher.Wait();
    ASSERT_TRUE(seen.seen);
    EXPECT_EQ(seen.text, L"删除当前记录吗?");
    table->Close();
    table->Open();
    EXPECT_EQ(table->RecordCount(), rows);
}

TEST_F(MainWindow, GridScrollBarsFollowTheRowsShownAndTheTableSize) {
    TDBGrid* grid = MainForm->DBGrid1;
    TADOTable* table = MainForm->ADOTable1;
    MainForm->PageControl1->SetActivePage(MainForm->TabSheet2);
    grid->SetFocus();
    auto bar = [&](int which) {
        SCROLLINFO info{sizeof info, SIF_ALL, 0, 0, 0, 0, 0};
        EXPECT_TRUE(GetScrollInfo(grid->Handle(), which, &info));
        return info;
    };
    const SCROLLINFO top = bar(SB_VERT);
    EXPECT_EQ(top.nPos, 0);
    EXPECT_EQ(top.nMax, table->RecordCount() - 1);
    ASSERT_GT(table->RecordCount(), int(top.nPage) * 2);
    const SCROLLINFO columns = bar(SB_HORZ);

    SendMessageW(grid->Handle(), WM_KEYDOWN, VK_NEXT, 0);
    SendMessageW(grid->Handle(), WM_KEYDOWN, VK_NEXT, 0);
    EXPECT_GT(bar(SB_VERT).nPos, 0);
    EXPECT_LE(bar(SB_VERT).nPos, table->RecNo() - 1);
    EXPECT_EQ(bar(SB_HORZ).nPos, columns.nPos);
    EXPECT_EQ(bar(SB_HORZ).nMax, columns.nMax);

    table->Last();
    EXPECT_EQ(bar(SB_VERT).nPos + int(top.nPage), table->RecordCount());
    table->Append();
    table->FieldByName(L"单重(kg/m)")->SetAsString(L"1");
    table->Post();
    EXPECT_EQ(bar(SB_VERT).nMax, table->RecordCount() - 1);
    table->First();
    EXPECT_EQ(bar(SB_VERT).nPos, 0);
}

TEST_F(MainWindow, CarriesTheDefaultSkinInItsOwnResource) {
    TSkinData* skin = MainForm->SkinData1;
    ASSERT_NE(skin, nullptr);
    EXPECT_GT(skin->Store().Bytes().size(), 1000u);  // the packed default skin, read from the form
    EXPECT_FALSE(skin->Empty());
    EXPECT_TRUE(skin->Active());
    EXPECT_EQ(skin->DisableTag(), 99);
    EXPECT_EQ(skin->SkinControls(), 0x3FFFFu);
    EXPECT_EQ(skin->Skin3rd()->Count(), 96);
    EXPECT_TRUE(skin->MenuUpdate());
    EXPECT_EQ(skin->MenuGlyphs()->Count(), 4);
    EXPECT_FALSE(skin->Skin().FrameTop.Image.Empty());
    auto* manager = static_cast<TSkinManage*>(ExistingSkinManager());
    ASSERT_NE(manager, nullptr);
    EXPECT_EQ(manager->Skins(), std::vector<TSkinData*>{skin});
    EXPECT_NE(manager->HookHandle(), nullptr);
    EXPECT_TRUE(manager->Enabled());
}
