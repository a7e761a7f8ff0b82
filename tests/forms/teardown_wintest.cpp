// Windows going before their objects: a parent window destroyed first takes its children's
// windows with it, and the child objects, freed later, destroy nothing twice; the state only a
// window holds is saved at its WM_NCDESTROY, so a new window comes back alike. A form released
// from inside its own messages is freed only once they have all returned.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "forms/application.h"
#include "forms/buttons.h"
#include "forms/combo_box.h"
#include "forms/containers.h"
#include "forms/edits.h"
#include "support/win_test_util.h"

namespace {

// Tells when the component it watches is freed.
class TFreeWatcher : public TComponent {
public:
    using TComponent::TComponent;
    bool freed = false;

protected:
    void Notification(TComponent* component, TOperation operation) override {
        TComponent::Notification(component, operation);
        if (operation == TOperation::opRemove && component != this) freed = true;
    }
};

struct TSampleForm {
    std::unique_ptr<TForm> form = std::make_unique<TForm>(nullptr);
    TComboBox* combo = new TComboBox(form.get());
    TEdit* edit = new TEdit(form.get());
    TPanel* panel = new TPanel(form.get());
    TButton* button = new TButton(form.get());

    TSampleForm() {
        form->SetBounds(100, 100, 320, 240);
        combo->SetParent(form.get());
        combo->SetBounds(10, 10, 150, 21);
        combo->Items()->Add(L"碳钢");
        combo->Items()->Add(L"铝");
        edit->SetParent(form.get());
        edit->SetBounds(10, 40, 150, 21);
        panel->SetParent(form.get());
        panel->SetBounds(10, 70, 200, 100);
        button->SetParent(panel);
        button->SetBounds(10, 10, 80, 25);
        form->Show();
        PumpMessages();
    }
};

TEST(Teardown, AParentWindowDestroyedFirstLeavesNothingToDestroyTwice) {
    TSampleForm sample;
    ASSERT_TRUE(sample.combo->EditHandle());
    DestroyWindow(sample.form->Handle());
    for (TWinControl* child :
         std::vector<TWinControl*>{sample.combo, sample.edit, sample.panel, sample.button})
        EXPECT_FALSE(child->HandleAllocated()) << child->ClassName();

    // New windows that may take the dead handles' places must survive the objects' going.
    std::vector<HWND> sentinels;
    for (int i = 0; i < 32; ++i)
        sentinels.push_back(CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr,
                                            nullptr, GetModuleHandleW(nullptr), nullptr));
    SetLastError(0);
    delete sample.combo;
    delete sample.panel;  // with its button
    delete sample.edit;
    EXPECT_NE(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
    for (HWND sentinel : sentinels) {
        EXPECT_TRUE(IsWindow(sentinel));
        DestroyWindow(sentinel);
    }
}

TEST(Teardown, AChildSavesItsStateWhenItsParentsWindowGoes) {
    TSampleForm sample;
    sample.combo->SetItemIndex(1);
    sample.edit->SetText(L"12.5");
    sample.form->DestroyHandle();
    sample.form->HandleNeeded();
    EXPECT_EQ(sample.combo->ItemIndex(), 1);
    EXPECT_EQ(sample.combo->Text(), L"铝");
    EXPECT_EQ(sample.edit->GetText(), L"12.5");
    EXPECT_TRUE(sample.combo->EditHandle());
}

TEST(Teardown, AFormReleasedInsideItsOwnMessagesIsFreedOnlyAfterThem) {
    auto* form = new TForm(Application);
    form->SetBounds(100, 100, 200, 120);
    auto* button = new TButton(form);
    button->SetParent(form);
    button->SetBounds(10, 10, 80, 25);
    TFreeWatcher watcher(nullptr);
    form->FreeNotification(&watcher);
    form->Show();
    PumpMessages();

    bool freedInsideTheClick = true;
    button->OnClick = [&](TObject*) {
        form->Release();
        Application->ProcessMessages();  // the release message arrives while the click runs
        freedInsideTheClick = watcher.freed;
    };
    const HWND window = form->Handle();
    SendMessageW(button->Handle(), BM_CLICK, 0, 0);
    EXPECT_FALSE(freedInsideTheClick);
    EXPECT_TRUE(watcher.freed);
    EXPECT_FALSE(IsWindow(window));
}

}  // namespace
