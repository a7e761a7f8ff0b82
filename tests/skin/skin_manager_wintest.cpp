// The skin manager with real windows: which windows get a frame skinner (and so have their
// components classified), which skin a window uses, the popup-menu gate and registry, the
// activation actions with MDI children, and the frame skinner's attach, detach and purge.
#include <windows.h>

#include <gtest/gtest.h>

#include "forms/buttons.h"
#include "forms/containers.h"
#include "forms/edits.h"
#include "forms/forms.h"
#include "forms/stream.h"
#include "skin/controls/skin_control_tree.h"
#include "skin/manager/skin_manager.h"
#include "skin/skin_data.h"
#include "skin/skin_reader.h"
#include "skin_store_builder.h"
#include "support/win_test_util.h"

namespace {

// A skin component with a small parsed skin, not registered anywhere yet.
void LoadSmallSkin(TSkinData& skin) {
    const std::vector<TSkinEntry> entries = {
        skintest::TextEntry("skin.ini",
                            "[TitlebarSkin]\nSkinName=Test\n[Personality]\nTop=top.bmp\n"),
        {"top.bmp", skintest::MarkedBmp(40, 20, 7)},
    };
    const std::vector<uint8_t> store = PackSkinStore(BuildSkinArchive(entries));
    TMemoryStream stream;
    stream.WriteInt32(static_cast<int32_t>(store.size()));
    stream.WriteBuffer(store.data(), static_cast<int64_t>(store.size()));
    stream.SetPosition(0);
    skin.ReadStreamData(stream);
}

class SkinManager : public testing::Test {
protected:
    void SetUp() override {
        LoadSmallSkin(skin);
        ASSERT_FALSE(skin.Empty());
        manager.RegisterSkin(&skin);
        manager.SetEnabled(true);
    }
    // A shown form with a button and an edit.
    std::unique_ptr<TForm> NewForm(intptr_t tag = 0) {
        auto form = std::make_unique<TForm>(nullptr);
        form->SetTag(tag);
        form->SetBounds(50, 50, 300, 200);
        auto* button = new TButton(form.get());
        button->SetName(L"Button1");
        button->SetParent(form.get());
        button->SetBounds(10, 10, 80, 25);
        auto* edit = new TEdit(form.get());
        edit->SetName(L"Edit1");
        edit->SetParent(form.get());
        edit->SetBounds(10, 50, 120, 21);
        form->Show();
        PumpMessages();
        return form;
    }
    size_t SkinnerCount(HWND window) {
        TWinSkinForm* frame = manager.FindFormSkinner(window);
        return frame ? frame->ControlSkinners().size() : 0;
    }

    TSkinData skin{nullptr};
    TSkinManage manager;
};

TEST_F(SkinManager, AFormGetsAFrameSkinnerThatClassifiesItsComponentsOnce) {
    auto form = NewForm();
    ASSERT_TRUE(manager.SkinWindow(form->Handle()));
    TWinSkinForm* frame = manager.FindFormSkinner(form->Handle());
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->Owner(), form.get());
    EXPECT_EQ(frame->Form(), form.get());
    EXPECT_EQ(SkinnerCount(form->Handle()), 2u);
    // The window now answers that it is skinned, so a second activation changes nothing.
    EXPECT_EQ(SendMessageW(form->Handle(), CN_IsSkinned, 0, 0), 1);
    EXPECT_FALSE(manager.SkinWindow(form->Handle()));
    EXPECT_EQ(manager.FormSkinners().size(), 1u);
    PumpMessages();
    EXPECT_TRUE(frame->Activated());  // CN_SkinActive was posted
    // The form takes its frame skinner with it, and the manager's list forgets it.
    form.reset();
    EXPECT_TRUE(manager.FormSkinners().empty());
}

TEST_F(SkinManager, WindowsThatAreLeftAlone) {
    auto tagged = NewForm(99);
    skin.SetDisableTag(5);  // the form's Tag 99 counts whatever DisableTag says
    EXPECT_FALSE(manager.SkinWindow(tagged->Handle()));
    auto form = NewForm();
    manager.SetEnabled(false);
    EXPECT_FALSE(manager.SkinWindow(form->Handle()));
    manager.SetEnabled(true);
    // A window without area (a form keeps a minimum size, a bare popup need not).
    const HWND flat = CreateWindowExW(0, L"#32770", L"", WS_POPUP | WS_VISIBLE, 0, 0, 0, 0, nullptr,
                                      nullptr, nullptr, nullptr);
    EXPECT_FALSE(manager.SkinWindow(flat));
    DestroyWindow(flat);
    skin.OnFormSkin = [](TObject*, const std::wstring&, bool& doSkin) { doSkin = false; };
    EXPECT_FALSE(manager.SkinWindow(form->Handle()));
    EXPECT_TRUE(manager.FormSkinners().empty());
}

TEST_F(SkinManager, TheTagRuleKeepsComponentsUnskinned) {
    auto form = NewForm();
    form->Components(0)->SetTag(199);  // Button1: 199 mod 100 is 99
    form->Components(1)->SetTag(-99);  // Edit1: -99 is not 99
    ASSERT_TRUE(manager.SkinWindow(form->Handle()));
    TWinSkinForm* frame = manager.FindFormSkinner(form->Handle());
    ASSERT_EQ(frame->ControlSkinners().size(), 1u);
    EXPECT_EQ(frame->ControlSkinners()[0]->Owner(), form->Components(1));
}

TEST_F(SkinManager, Skin3rdAndOnSkinControlSteerTheClassification) {
    auto form = NewForm();
    skin.Skin3rd()->Clear();
    skin.Skin3rd()->Add(L"TButton=nil");
    skin.Skin3rd()->Add(L"TButton=edit");  // only the first line counts
    skin.Skin3rd()->Add(L"TEdit=nosuchkind");
    ASSERT_TRUE(manager.SkinWindow(form->Handle()));
    EXPECT_EQ(SkinnerCount(form->Handle()), 0u);  // "nil", and an unknown kind: unskinned
    manager.FindFormSkinner(form->Handle())->Detach();
    delete manager.FindFormSkinner(form->Handle());

    skin.Skin3rd()->Clear();
    TSkinControl* own = nullptr;
    skin.OnSkinControl = [&](TComponent*, TSkinData*, TControl*, TControl* control,
                             const std::wstring& controlClass, TComponent*& skinned) {
        if (controlClass == L"TEDIT") skinned = own = new TSkinGroupBox(control);
    };
    ASSERT_TRUE(manager.SkinWindow(form->Handle()));
    TWinSkinForm* frame = manager.FindFormSkinner(form->Handle());
    ASSERT_EQ(frame->ControlSkinners().size(), 2u);
    EXPECT_EQ(frame->ControlSkinners()[0]->ClassName(), "TSkinButton");
    EXPECT_EQ(frame->ControlSkinners()[1], own);
    EXPECT_TRUE(own->HookedThroughWindowProc());
}

TEST_F(SkinManager, ABareDialogUsesTheMainFormSkinAndItsChildWindowsAreClassified) {
    const HWND dialog = CreateWindowExW(0, L"#32770", L"对话", WS_POPUP | WS_CAPTION | WS_VISIBLE,
                                        20, 20, 240, 160, nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(dialog);
    const auto child = [dialog](const wchar_t* cls, DWORD style) {
        return CreateWindowExW(0, cls, L"", WS_CHILD | WS_VISIBLE | style, 0, 0, 60, 20, dialog,
                               nullptr, nullptr, nullptr);
    };
    child(L"BUTTON", BS_PUSHBUTTON);
    child(L"BUTTON", BS_AUTOCHECKBOX);
    child(L"BUTTON", BS_GROUPBOX);
    child(L"EDIT", 0);
    child(L"STATIC", 0);
    EXPECT_EQ(manager.ChooseSkin(dialog, L"#32770"), &skin);  // no sfDialog skin registered
    TSkinData dialogSkin(nullptr);
    dialogSkin.SetSkinFormtype(sfDialog);
    manager.RegisterSkin(&dialogSkin);
    EXPECT_EQ(manager.ChooseSkin(dialog, L"#32770"), &dialogSkin);
    manager.UnregisterSkin(&dialogSkin);

    ASSERT_TRUE(manager.SkinWindow(dialog));
    TWinSkinForm* frame = manager.FindFormSkinner(dialog);
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->Owner(), nullptr);
    std::vector<std::string> classes;
    for (TSkinControl* s : frame->ControlSkinners()) classes.push_back(s->ClassName());
    // Child windows in z-order: the first created is at the top.
    EXPECT_EQ(classes, (std::vector<std::string>{"TSkinButton", "TSkinCheckBox", "TSkinEdit"}));

    // Destroyed, the window's frame skinner waits for the next purge.
    DestroyWindow(dialog);
    ASSERT_EQ(manager.FormSkinners().size(), 1u);
    EXPECT_EQ(frame->SkinState(), fsWindowDestroyed);
    EXPECT_TRUE(frame->ControlSkinners().empty());
    manager.PurgeFormSkinners();
    EXPECT_TRUE(manager.FormSkinners().empty());
}

TEST_F(SkinManager, DetachingAFrameSkinnerGivesTheWindowItsProcedureBack) {
    const HWND window = CreateWindowExW(0, L"#32770", L"", WS_POPUP | WS_VISIBLE, 0, 0, 100, 80,
                                        nullptr, nullptr, nullptr, nullptr);
    const LONG_PTR procBefore = GetWindowLongPtrW(window, GWLP_WNDPROC);
    ASSERT_TRUE(manager.SkinWindow(window));
    EXPECT_NE(GetWindowLongPtrW(window, GWLP_WNDPROC), procBefore);
    manager.SetActivationCount(1);
    manager.SetPendingSkin(&skin);
    manager.ScheduleAction(2, 250);
    EXPECT_TRUE(manager.Enabled());  // only the timer's tick switches skinning off
    manager.RunPendingAction();
    EXPECT_FALSE(manager.Enabled());
    EXPECT_TRUE(manager.FormSkinners().empty());
    EXPECT_EQ(GetWindowLongPtrW(window, GWLP_WNDPROC), procBefore);
    EXPECT_NE(SendMessageW(window, CN_IsSkinned, 0, 0), 1);
    DestroyWindow(window);
}

TEST_F(SkinManager, PopupMenusAreGatedByTheMainMenuSetting) {
    struct TCase {
        TSkinControlTypes controls;
        size_t skinned;
    };
    const TSkinControlTypes popupOnly = (1u << xcPopupMenu);
    const TSkinControlTypes mainOnly = (1u << xcMainMenu);
    for (const TCase& c : {TCase{popupOnly, 0}, TCase{mainOnly, 1}, TCase{0x3FFFF, 1}}) {
        SCOPED_TRACE(c.controls);
        skin.SetSkinControls(c.controls);
        manager.InstallHook();
        const HWND menu = CreateWindowExW(0, L"#32768", L"", WS_POPUP, 0, 0, 50, 50, nullptr,
                                          nullptr, nullptr, nullptr);
        ASSERT_TRUE(menu);
        EXPECT_EQ(manager.PopupSkinnerCount(), c.skinned);
        if (c.skinned) {
            EXPECT_EQ(SendMessageW(menu, CN_IsSkinned, 0, 0), 1);
            manager.SetMenuBarTracking(true);
        }
        DestroyWindow(menu);
        EXPECT_EQ(manager.PopupSkinnerCount(), 0u);
        EXPECT_FALSE(manager.MenuBarTracking());  // cleared with the last popup skinner
    }
}

TEST_F(SkinManager, AnMdiChildIsSkinnedOnlyByAnActivationAction) {
    auto parent = NewForm();
    CLIENTCREATESTRUCT ccs{};
    const HWND client = CreateWindowExW(0, L"MDICLIENT", L"", WS_CHILD | WS_VISIBLE, 0, 0, 280, 150,
                                        parent->Handle(), nullptr, nullptr, &ccs);
    ASSERT_TRUE(client);
    auto child = NewForm();
    child->SetFormStyle(fsMDIChild);
    SetWindowLongPtrW(child->Handle(), GWL_STYLE,
                      (GetWindowLongPtrW(child->Handle(), GWL_STYLE) & ~WS_POPUP) | WS_CHILD);
    SetParent(child->Handle(), client);
    SetWindowPos(child->Handle(), nullptr, 0, 0, 150, 100, SWP_NOZORDER | SWP_SHOWWINDOW);

    EXPECT_FALSE(manager.SkinWindow(child->Handle()));  // what the hook does at activation
    manager.SetActivationCount(1);
    manager.SetPendingSkin(&skin);
    manager.ScheduleAction(1, 250);
    EXPECT_TRUE(manager.TimerEnabled());
    manager.RunPendingAction();
    EXPECT_NE(manager.FindFormSkinner(child->Handle()), nullptr);
    EXPECT_NE(manager.FindFormSkinner(parent->Handle()), nullptr);
    EXPECT_FALSE(manager.ForceAll());
    SetParent(child->Handle(), nullptr);
    DestroyWindow(client);
}

TEST_F(SkinManager, OnlyThisFormActionsConcernTheFormThatOwnsTheSkin) {
    auto first = NewForm();
    auto second = NewForm();
    TSkinData* own = new TSkinData(second.get());
    LoadSmallSkin(*own);
    own->SetSkinFormtype(sfOnlyThisForm);
    manager.RegisterSkin(own);
    manager.SetActivationCount(1);
    EXPECT_EQ(manager.ChooseSkin(second->Handle(), L"TForm"), own);
    EXPECT_EQ(manager.ChooseSkin(first->Handle(), L"TForm"), &skin);

    const auto run = [&](TSkinData* pending, int action) {
        manager.SetPendingSkin(pending);
        manager.ScheduleAction(action, 250);
        manager.RunPendingAction();
        EXPECT_EQ(manager.PendingSkin(), nullptr);
    };
    run(own, 1);
    ASSERT_NE(manager.FindFormSkinner(second->Handle()), nullptr);
    EXPECT_EQ(manager.FindFormSkinner(first->Handle()), nullptr);
    run(&skin, 1);
    ASSERT_NE(manager.FindFormSkinner(first->Handle()), nullptr);
    EXPECT_EQ(manager.FormSkinners().size(), 2u);

    // A skin change refreshes the control skinners of the frames using that skin.
    auto* panel = new TPanel(second.get());
    panel->SetParent(second.get());
    auto* box = new TSkinBox(panel);
    box->HookControl(manager.FindFormSkinner(second->Handle()), own, true, nullptr);
    own->Skin().ButtonFaceColour = clSilver;
    run(own, 3);
    EXPECT_EQ(panel->Color(), clSilver);

    run(own, 2);
    EXPECT_EQ(manager.FindFormSkinner(second->Handle()), nullptr);
    EXPECT_NE(manager.FindFormSkinner(first->Handle()), nullptr);
    EXPECT_EQ(panel->Color(), clBtnFace);  // given back when its skinner was freed
    run(&skin, 2);
    EXPECT_TRUE(manager.FormSkinners().empty());
    manager.UnregisterSkin(own);
}

TEST_F(SkinManager, ThePurgeActionFreesTheSkinnersOfDestroyedWindows) {
    const HWND window = CreateWindowExW(0, L"#32770", L"", WS_POPUP | WS_VISIBLE, 0, 0, 100, 80,
                                        nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(manager.SkinWindow(window));
    DestroyWindow(window);
    manager.SetActivationCount(1);
    int changed = 0;
    skin.OnSkinChanged = [&](TObject*) { ++changed; };
    manager.SetPendingSkin(&skin);
    manager.ScheduleAction(6, 250);
    EXPECT_EQ(manager.FormSkinners().size(), 1u);
    EXPECT_TRUE(PumpUntil([&] { return changed == 1; }, std::chrono::seconds(3)));
    EXPECT_TRUE(manager.FormSkinners().empty());
    EXPECT_FALSE(manager.TimerEnabled());
}

}  // namespace
