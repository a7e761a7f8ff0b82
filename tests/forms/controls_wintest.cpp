// The standard controls on a form read from its description, driven with real messages: combo
// box completion, the key filter through OnKeyPress, radio groups, the default button, Ctrl+Tab
// between pages and a memo taking Enter.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include "forms/application.h"
#include "forms/buttons.h"
#include "forms/combo_box.h"
#include "forms/containers.h"
#include "forms/edits.h"
#include "forms/form_reader.h"
#include "forms/label.h"
#include "forms/page_control.h"
#include "support/win_test_util.h"

namespace {

class TControlsForm : public TForm {
    PONDERIX_CLASS(TControlsForm, TForm)
public:
    using TForm::TForm;
    TPageControl* PageControl1 = nullptr;
    TTabSheet* TabSheet1 = nullptr;
    TTabSheet* TabSheet2 = nullptr;
    TComboBox* ComboBox1 = nullptr;
    TComboBox* ComboBox2 = nullptr;
    TComboBox* ComboBox3 = nullptr;
    TEdit* Edit1 = nullptr;
    TButton* Button3 = nullptr;
    TRadioButton* RadioButton10 = nullptr;
    TRadioButton* RadioButton11 = nullptr;
    TRadioButton* RadioButton12 = nullptr;
    TMemo* Memo1 = nullptr;
    TLabel* Label1 = nullptr;

    std::vector<std::wstring> changes;
    std::vector<std::wstring> radioClicks;
    int calculations = 0;

    void ComboChange(TObject* sender) {
        changes.push_back(static_cast<TComponent*>(sender)->Name());
    }
    void RadioClick(TObject* sender) {
        radioClicks.push_back(static_cast<TComponent*>(sender)->Name());
    }
    void Button3Click(TObject*) { ++calculations; }
    // The calculator's key filter: digits, the point and backspace pass.
    void Edit1KeyPress(TObject*, wchar_t& key) {
        if (!((key >= L'0' && key <= L'9') || key == L'.' || key == 8)) key = 0;
    }
};

PONDERIX_DEFINE_CLASS(TControlsForm, [](TClassBuilder<TControlsForm>& b) {
    b.Field("PageControl1", &TControlsForm::PageControl1);
    b.Field("TabSheet1", &TControlsForm::TabSheet1);
    b.Field("TabSheet2", &TControlsForm::TabSheet2);
    b.Field("ComboBox1", &TControlsForm::ComboBox1);
    b.Field("ComboBox2", &TControlsForm::ComboBox2);
    b.Field("ComboBox3", &TControlsForm::ComboBox3);
    b.Field("Edit1", &TControlsForm::Edit1);
    b.Field("Button3", &TControlsForm::Button3);
    b.Field("RadioButton10", &TControlsForm::RadioButton10);
    b.Field("RadioButton11", &TControlsForm::RadioButton11);
    b.Field("RadioButton12", &TControlsForm::RadioButton12);
    b.Field("Memo1", &TControlsForm::Memo1);
    b.Field("Label1", &TControlsForm::Label1);
    b.Method("ComboChange", &TControlsForm::ComboChange);
    b.Method("RadioClick", &TControlsForm::RadioClick);
    b.Method("Button3Click", &TControlsForm::Button3Click);
    b.Method("Edit1KeyPress", &TControlsForm::Edit1KeyPress);
})

class Controls : public testing::Test {
protected:
    void SetUp() override {
        form = new TControlsForm(Application);
        ASSERT_TRUE(ReadFormResource(*form));
        form->Show();
        PumpMessages();
    }
    void TearDown() override { delete form; }

    // Types text into a window as the keyboard would: one WM_CHAR per character.
    static void Type(HWND window, const std::wstring& text) {
        for (wchar_t c : text) SendMessageW(window, WM_CHAR, c, 0);
    }
    static void TypeInto(TComboBox* box, const std::wstring& text) {
        ASSERT_NE(box->EditHandle(), nullptr);
        Type(box->EditHandle(), text);
    }
    // Presses a key through the application's own message handling.
    void Press(HWND window, UINT key) {
        MSG msg{window, WM_KEYDOWN, key, 0, 0, {}};
        if (!Application->IsDialogKey(msg)) {
            SendMessageW(window, WM_KEYDOWN, key, 0);
            if (key == VK_RETURN) SendMessageW(window, WM_CHAR, L'\r', 0);
        }
    }

    TControlsForm* form = nullptr;
};

struct Selection {
    std::wstring text;
    int start, length;
};
Selection SelectionOf(TComboBox* box) { return {box->Text(), box->SelStart(), box->SelLength()}; }

}  // namespace

TEST_F(Controls, ComboCompletesFromTheFirstItemBeginningWithTheCandidate) {
    TypeInto(form->ComboBox1, L"5");
    Selection s = SelectionOf(form->ComboBox1);
    EXPECT_EQ(s.text, L"57");
    EXPECT_EQ(s.start, 1);
    EXPECT_EQ(s.length, 1);
    EXPECT_EQ(form->ComboBox1->ItemIndex(), 17);

    form->ComboBox1->SetTextValue(L"");
    form->ComboBox1->SetItemIndex(-1);
    TypeInto(form->ComboBox1, L"33");
    s = SelectionOf(form->ComboBox1);
    EXPECT_EQ(s.text, L"33.5");
    EXPECT_EQ(s.start, 2);
    EXPECT_EQ(s.length, 2);

    TypeInto(form->ComboBox2, L"2");  // "2" comes before "2.5" and "20"
    s = SelectionOf(form->ComboBox2);
    EXPECT_EQ(s.text, L"2");
    EXPECT_EQ(s.length, 0);
    EXPECT_EQ(form->ComboBox2->ItemIndex(), 2);
}

TEST_F(Controls, ComboKeepsTextThatBeginsNoItemAndReportsChanges) {
    form->changes.clear();
    TypeInto(form->ComboBox1, L"5.5");
    EXPECT_EQ(form->ComboBox1->Text(), L"5.5");
    EXPECT_EQ(form->ComboBox1->ItemIndex(), -1);
    // "5" picked item 57 (a change), "." and "5" were typed as usual (a change each).
    EXPECT_EQ(form->changes, (std::vector<std::wstring>(3, L"ComboBox1")));

    form->changes.clear();
    TypeInto(form->ComboBox1, L"\b");
    EXPECT_EQ(form->ComboBox1->Text(), L"5.");
    EXPECT_EQ(form->ComboBox1->ItemIndex(), -1);
    EXPECT_EQ(form->changes, std::vector<std::wstring>{L"ComboBox1"});
}

TEST_F(Controls, BackspaceDeletesTheHighlightedRestAndDeselects) {
    TypeInto(form->ComboBox1, L"5");  // "57", "7" highlighted, item selected
    form->changes.clear();
    TypeInto(form->ComboBox1, L"\b");
    EXPECT_EQ(form->ComboBox1->Text(), L"5");
    EXPECT_EQ(form->ComboBox1->ItemIndex(), -1);
    EXPECT_EQ(form->changes.size(), 1u);
}

TEST_F(Controls, ComboCompletesChineseItemsAndReportsAPickOnlyWhenTheItemChanges) {
    form->ComboBox3->SetTextValue(L"");
    form->changes.clear();
    TypeInto(form->ComboBox3, L"不");
    EXPECT_EQ(form->ComboBox3->Text(), L"不锈钢");
    EXPECT_EQ(form->ComboBox3->ItemIndex(), 1);
    EXPECT_EQ(form->changes.size(), 1u);
    // Typing over the highlighted rest with the item's own next character picks the same item
    // again: no change is reported, and the rest after it stays highlighted.
    form->changes.clear();
    TypeInto(form->ComboBox3, L"锈");
    EXPECT_EQ(form->ComboBox3->Text(), L"不锈钢");
    EXPECT_EQ(form->ComboBox3->SelStart(), 2);
    EXPECT_EQ(form->ComboBox3->SelLength(), 1);
    EXPECT_TRUE(form->changes.empty());
}

TEST_F(Controls, KeyPressHandlerDropsCharactersBeforeTheEditSeesThem) {
    Type(form->Edit1->Handle(), L"a-, 1.5x");
    EXPECT_EQ(form->Edit1->Text(), L"1.5");
    Type(form->Edit1->Handle(), L"\b");
    EXPECT_EQ(form->Edit1->Text(), L"1.");
}

TEST_F(Controls, RadioButtonsSharingAParentExcludeEachOther) {
    EXPECT_TRUE(form->RadioButton10->Checked());  // initial check, no click while reading
    EXPECT_TRUE(form->radioClicks.empty());
    form->PageControl1->SetActivePage(form->TabSheet2);
    SendMessageW(form->RadioButton11->Handle(), BM_CLICK, 0, 0);
    EXPECT_TRUE(form->RadioButton11->Checked());
    EXPECT_FALSE(form->RadioButton10->Checked());
    EXPECT_EQ(SendMessageW(form->RadioButton10->Handle(), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(form->radioClicks, std::vector<std::wstring>{L"RadioButton11"});
    // Clicking the checked one fires nothing.
    SendMessageW(form->RadioButton11->Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(form->radioClicks.size(), 1u);
    EXPECT_TRUE(form->RadioButton11->Checked());
}

TEST_F(Controls, EnterPressesTheDefaultButtonButStartsALineInAMemo) {
    form->Edit1->SetFocus();
    Press(form->Edit1->Handle(), VK_RETURN);
    EXPECT_EQ(form->calculations, 1);

    form->PageControl1->SetActivePage(form->TabSheet2);
    form->Memo1->SetFocus();
    SendMessageW(form->Memo1->Handle(), EM_SETSEL, 0, -1);
    Type(form->Memo1->Handle(), L"a");
    Press(form->Memo1->Handle(), VK_RETURN);
    Type(form->Memo1->Handle(), L"b");
    EXPECT_EQ(form->calculations, 1);
    EXPECT_EQ(form->Memo1->Lines()->ToVector(), (std::vector<std::wstring>{L"a", L"b"}));
}

TEST_F(Controls, PagesInOrderAndCtrlTabSwitches) {
    ASSERT_EQ(form->PageControl1->PageCount(), 2);
    EXPECT_EQ(form->PageControl1->Pages(0), form->TabSheet1);
    EXPECT_EQ(form->PageControl1->ActivePage(), form->TabSheet1);
    EXPECT_TRUE(IsWindowVisible(form->TabSheet1->Handle()));
    EXPECT_FALSE(IsWindowVisible(form->TabSheet2->Handle()));
    form->Edit1->SetFocus();
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_CONTROL] = 0x80;
    SetKeyboardState(keys);
    Press(form->Edit1->Handle(), VK_TAB);
    keys[VK_CONTROL] = 0;
    SetKeyboardState(keys);
    EXPECT_EQ(form->PageControl1->ActivePage(), form->TabSheet2);
    EXPECT_EQ(SendMessageW(form->PageControl1->Handle(), TCM_GETCURSEL, 0, 0), 1);
    EXPECT_TRUE(IsWindowVisible(form->TabSheet2->Handle()));
}

TEST_F(Controls, LabelsSizeThemselvesToTheirText) {
    EXPECT_GT(form->Label1->Width(), 30);
    EXPECT_GT(form->Label1->Height(), 8);
    const int before = form->Label1->Width();
    form->Label1->SetCaption(L"外径");
    EXPECT_LT(form->Label1->Width(), before);
}

TEST_F(Controls, AReadLabelHasTheSizeOfItsTextInTheFontReadAfterIt) {
    TForm probe(nullptr);
    ReadComponentFromText(probe, R"(object Probe: TForm
  object Label1: TLabel
    Caption = '外径(mm)：'
    Font.Height = -24
    Font.Name = '宋体'
  end
end
)",
                          L"PROBE");
    ASSERT_EQ(probe.ComponentCount(), 1);
    auto* label = dynamic_cast<TLabel*>(probe.Components(0));
    ASSERT_NE(label, nullptr);
    SIZE text{};
    {
        HDC screen = GetDC(nullptr);
        HGDIOBJ old = SelectObject(screen, label->Font()->Handle());
        GetTextExtentPoint32W(screen, L"外径(mm)：", 7, &text);
        SelectObject(screen, old);
        ReleaseDC(nullptr, screen);
    }
    EXPECT_EQ(label->Width(), text.cx);
    EXPECT_EQ(label->Height(), text.cy);
    EXPECT_GE(label->Height(), 24);
}

// A page that is not shown makes its own window and its controls' windows only when it is shown
// or one of them is asked for its handle; then all of them at once, in tab order, with the states
// read from the description.
TEST_F(Controls, HiddenPageMakesItsWindowsWhenShownOrAskedFor) {
    const struct {
        const char* how;
        void (*trigger)(TControlsForm*);
    } cases[] = {
        {"shown", [](TControlsForm* f) { f->PageControl1->SetActivePage(f->TabSheet2); }},
        {"asked", [](TControlsForm* f) { f->RadioButton11->HandleNeeded(); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.how);
        delete form;
        form = new TControlsForm(Application);
        ASSERT_TRUE(ReadFormResource(*form));
        form->Show();
        PumpMessages();
        ASSERT_TRUE(form->PageControl1->HandleAllocated());
        EXPECT_FALSE(form->TabSheet2->HandleAllocated());
        EXPECT_FALSE(form->RadioButton10->HandleAllocated());
        EXPECT_FALSE(form->Memo1->HandleAllocated());

        c.trigger(form);
        ASSERT_TRUE(form->TabSheet2->HandleAllocated());
        EXPECT_EQ(GetParent(form->TabSheet2->Handle()), form->PageControl1->Handle());
        ASSERT_TRUE(form->RadioButton10->HandleAllocated());
        ASSERT_TRUE(form->Memo1->HandleAllocated());
        std::vector<HWND> order;
        for (HWND w = GetWindow(form->TabSheet2->Handle(), GW_CHILD); w;
             w = GetWindow(w, GW_HWNDNEXT))
            order.push_back(w);
        ASSERT_EQ(order.size(), 5u);  // the three radio buttons, the memo, the panel
        EXPECT_EQ(std::vector<HWND>(order.begin(), order.begin() + 4),
                  (std::vector<HWND>{form->RadioButton10->Handle(), form->RadioButton11->Handle(),
                                     form->RadioButton12->Handle(), form->Memo1->Handle()}));
        EXPECT_EQ(SendMessageW(form->RadioButton10->Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);
        EXPECT_EQ(WindowText(form->RadioButton12->Handle()), L"六角棒");
        EXPECT_EQ(form->Memo1->Lines()->Get(0), L"本程序用于计算常用材料的重量。");
    }
    // Shown after being asked: nothing is made twice, and the page shows its controls.
    form->PageControl1->SetActivePage(form->TabSheet2);
    PumpMessages();
    EXPECT_TRUE(IsWindowVisible(form->Memo1->Handle()));
    EXPECT_TRUE(IsWindowVisible(form->RadioButton10->Handle()));
}

// The text a combo box is given before its window exists is the text the window shows, whether
// an item had been picked before or not.
TEST_F(Controls, ComboTextGivenBeforeItsWindowIsTheTextShown) {
    const struct {
        int pick;             // -1: none
        const wchar_t* text;  // null: none set
        const wchar_t* shown;
    } cases[] = {
        {1, nullptr, L"b"},
        {1, L"", L""},
        {0, L"typed", L"typed"},
        {-1, L"typed", L"typed"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.pick << " " << (c.text ? c.text : L"(none)"));
        auto* box = new TComboBox(form);
        box->Items()->Add(L"a");
        box->Items()->Add(L"b");
        if (c.pick >= 0) box->SetItemIndex(c.pick);
        if (c.text) box->SetTextValue(c.text);
        box->SetParent(form->TabSheet1);  // makes the window now
        ASSERT_TRUE(box->HandleAllocated());
        EXPECT_EQ(WindowText(box->Handle()), c.shown);
        EXPECT_EQ(box->Text(), c.shown);
        delete box;
    }
}
