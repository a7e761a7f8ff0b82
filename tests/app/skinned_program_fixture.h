#pragma once
// The fixture of the tests that run the program's own windows skinned: the skin manager
// installed as the program installs it, the main window and the help window built from their
// descriptions in a working folder of their own (a copy of the section database), the main
// window shown; everything freed again after each test, the skin manager last.

#include <gtest/gtest.h>

#include <chrono>
#include <optional>
#include <string>

#include "about_box.h"
#include "forms/application.h"
#include "main_form.h"
#include "skin/manager/skin_manager.h"
#include "support/program_folder.h"
#include "support/win_test_util.h"

class TSkinnedProgramTest : public testing::Test {
protected:
    static void SetUpTestSuite() {
        InstallSkinManager();
        RegisterApplicationClasses();
    }
    // Builds the two windows in a new folder named after the prefix and shows the main one.
    void OpenProgramWindows(const std::string& folderPrefix) {
        folder.emplace(folderPrefix);
        Application->CreateForm(MainForm);
        Application->CreateForm(AboutBox);
        MainForm->Show();
        PumpMessages();
    }
    // The window's frame skinner once its skinned painting has started (the window has
    // activated), pumping messages meanwhile; null when that does not happen in time.
    static TWinSkinForm* ActiveFrameSkinner(
        HWND window, std::chrono::milliseconds patience = std::chrono::seconds(2)) {
        auto* manager = static_cast<TSkinManage*>(ExistingSkinManager());
        TWinSkinForm* skinner = nullptr;
        const bool active = PumpUntil(
            [&] {
                skinner = manager->FindFormSkinner(window);
                return skinner && skinner->SkinState() == fsActive;
            },
            patience);
        return active ? skinner : nullptr;
    }
    void TearDown() override {
        delete AboutBox;
        delete MainForm;
        AboutBox = nullptr;
        MainForm = nullptr;
        FreeSkinManager();
        folder.reset();
    }

private:
    std::optional<TProgramFolder> folder;
};
