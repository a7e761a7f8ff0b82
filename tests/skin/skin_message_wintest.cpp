// The older-skin notice reaches the user as a message box once the Win32 handler is installed.
#include <gtest/gtest.h>

#include "forms/stream.h"
#include "skin/lzh_encoder.h"
#include "skin/skin_message_win.h"
#include "skin/skin_reader.h"
#include "support/win_test_util.h"

TEST(SkinMessageBox, OlderSkinIsShownInABoxTitledWithTheProgramName) {
    InstallSkinMessageBox();
    const std::vector<uint8_t> older = {0x1F, 0x4E, 0, 0, 0, 0, 0, 0};  // version 19999
    TMemoryStream store(PackSkinStore(older));
    TSkinReader reader;

    TMessageBoxWatcher watcher;
    EXPECT_FALSE(reader.Open(store));  // returns once the watcher has pressed OK
    const TMessageBoxSeen seen = watcher.Wait();
    SetSkinMessageHandler(nullptr);

    ASSERT_TRUE(seen.seen);
    EXPECT_EQ(seen.text, L"This is Older Skin File\rPlease update to new version !");
    EXPECT_EQ(seen.title, L"skin_message_wintest");
    EXPECT_EQ(reader.Count(), 0);
}
