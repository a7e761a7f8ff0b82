// The table of the skin's element slots, and the default skin against it: every slot has a
// section of its own in the default skin's description, naming an image that the skin's folder
// holds, so that no element of the program falls back to the native look.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>

#include "skin/quick_ini.h"
#include "skin/skin_slots.h"
#include "tests/support/test_files.h"

TEST(SkinSlots, MembersSectionsAndCountsAreDistinctAndUsable) {
    std::set<std::string_view> members, sections;
    for (const TSkinSlotInfo& slot : kSkinSlots) {
        SCOPED_TRACE(slot.member);
        EXPECT_TRUE(members.insert(slot.member).second);
        // Only the menu bar shares its section, the window's Personality.
        if (slot.reader != TSkinSlotReader::MenuBar) {
            EXPECT_TRUE(sections.insert(slot.section).second);
        }
        EXPECT_FALSE(slot.imageKey.empty());
        EXPECT_GE(slot.frameCount, 1);
    }
    EXPECT_EQ(members.size(), kSkinSlotCount);
}

TEST(SkinSlots, TheDefaultSkinDescribesEverySlotWithAnImageItHolds) {
    const std::filesystem::path folder = testfiles::DefaultSkinFolder();
    const std::string text = testfiles::ReadText(folder / "skin.ini");
    ASSERT_FALSE(text.empty()) << folder.string();
    TQuickIni ini;
    ini.LoadFromText(text);
    for (const TSkinSlotInfo& slot : kSkinSlots) {
        SCOPED_TRACE(slot.member);
        const std::string image = ini.ReadString(slot.section, slot.imageKey, "");
        ASSERT_FALSE(image.empty());
        EXPECT_TRUE(std::filesystem::is_regular_file(folder / image)) << image;
        if (!slot.secondImageKey.empty() && slot.reader != TSkinSlotReader::MirroredElement) {
            const std::string second = ini.ReadString(slot.section, slot.secondImageKey, "");
            EXPECT_TRUE(std::filesystem::is_regular_file(folder / second)) << second;
        }
    }
}
