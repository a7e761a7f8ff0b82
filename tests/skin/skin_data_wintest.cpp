// The skin component on a form: its creation values, its stored skin read while the form is
// read, and how it drives the skin manager — registration, the hook, and the scheduling of
// actions before and after the first window activation. Bad skins never break the program.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "forms/form_reader.h"
#include "forms/forms.h"
#include "forms/properties.h"
#include "skin/manager/skin_manager.h"
#include "skin/skin_data.h"
#include "skin/skin_message_win.h"
#include "skin/skin_reader.h"
#include "skin_store_builder.h"
#include "support/win_test_util.h"

namespace fs = std::filesystem;

namespace {

// A small, complete skin: its description and one image.
std::vector<uint8_t> GoodStore() {
    const std::vector<TSkinEntry> entries = {
        skintest::TextEntry("skin.ini",
                            "[TitlebarSkin]\nSkinName=Test\n[Personality]\nTop=top.bmp\n"),
        {"top.bmp", skintest::MarkedBmp(40, 20, 7)},
    };
    return PackSkinStore(BuildSkinArchive(entries));
}

std::string Hex(const std::vector<uint8_t>& bytes) {
    static const char digits[] = "0123456789ABCDEF";
    std::string out;
    for (uint8_t b : bytes) out += {digits[b >> 4], digits[b & 15]};
    return out;
}

// The payload of SkinStream: a 32-bit length, then the store.
std::string Payload(const std::vector<uint8_t>& store) {
    std::vector<uint8_t> bytes;
    const auto n = static_cast<uint32_t>(store.size());
    bytes = {uint8_t(n), uint8_t(n >> 8), uint8_t(n >> 16), uint8_t(n >> 24)};
    bytes.insert(bytes.end(), store.begin(), store.end());
    return Hex(bytes);
}

class TSkinnedForm : public TForm {
    PONDERIX_CLASS(TSkinnedForm, TForm)
public:
    using TForm::TForm;
    TSkinData* SkinData1 = nullptr;
};
PONDERIX_DEFINE_CLASS(TSkinnedForm, [](TClassBuilder<TSkinnedForm>& b) {
    b.Field("SkinData1", &TSkinnedForm::SkinData1);
})

std::string FormText(const std::string& payloadHex, bool active = true) {
    return "object SkinnedForm: TSkinnedForm\n"
           "  object SkinData1: TSkinData\n"
           "    Active = " +
           std::string(active ? "True" : "False") +
           "\n"
           "    DisableTag = 99\n"
           "    SkinFormtype = sfMainform\n"
           "    SkinStore = '(Good)'\n"
           "    Version = '1.0'\n"
           "    MenuUpdate = True\n"
           "    SkinStream = {" +
           payloadHex +
           "}\n"
           "  end\n"
           "end\n";
}

class SkinComponent : public testing::Test {
protected:
    static void SetUpTestSuite() {
        InstallSkinManager();
        InstallSkinMessageBox();
        RegisterSkinDataClasses();
    }
    void TearDown() override { FreeSkinManager(); }
    static TSkinManage* Manager() { return static_cast<TSkinManage*>(ExistingSkinManager()); }
};

}  // namespace

TEST_F(SkinComponent, CreationValues) {
    TSkinData skin(nullptr);
    EXPECT_FALSE(skin.Active());
    EXPECT_EQ(skin.DisableTag(), 99);
    EXPECT_EQ(skin.SkinControls(), 0x3FFFFu);
    EXPECT_EQ(skin.SkinFormtype(), sfMainform);
    EXPECT_TRUE(skin.MenuUpdate());
    EXPECT_TRUE(skin.Empty());
    EXPECT_TRUE(skin.NcPaint());
    ASSERT_EQ(skin.Skin3rd()->Count(), 96);
    EXPECT_EQ(skin.Skin3rd()->Get(0), L"TComboboxex=combobox");
    EXPECT_EQ(skin.Skin3rd()->Get(95), L"TOVCDBNUMERICFIELD=Edit");
    EXPECT_EQ(skin.Skin3rd()->Get(26), L"TDBCheckboxEh=Checkbox");  // one of the repeated rows
    // Published in order, readable by name.
    std::vector<std::string> names;
    for (const TPropInfo* p : TSkinData::StaticClass().AllProperties())
        if (p->name != "Name" && p->name != "Tag") names.push_back(p->name);
    EXPECT_EQ(names, (std::vector<std::string>{"Active", "DisableTag", "SkinControls", "Skin3rd",
                                               "SkinFile", "SkinStore", "SkinFormtype", "Version",
                                               "MenuUpdate", "OnFormSkin", "OnSkinChanged",
                                               "OnSkinControl"}));
    EXPECT_EQ(GetEnumPropName(&skin, "SkinFormtype"), "sfMainform");
    // Writing Version or SkinStore changes nothing.
    skin.SetVersion(L"9.9");
    skin.SetSkinStore(L"(Good)");
    EXPECT_EQ(GetStrPropByName(&skin, "Version"), L"2.69.9.27");
    EXPECT_EQ(GetStrPropByName(&skin, "SkinStore"), L"(none)");
}

TEST_F(SkinComponent, MenuGlyphsComeFromTheBitmapResource) {
    TSkinData skin(nullptr);
    ASSERT_NE(skin.MenuGlyphs(), nullptr);
    EXPECT_EQ(skin.MenuGlyphs()->Count(), 4);  // LUSTRAMENU in skin_data_wintest.rc
    EXPECT_EQ(skin.MenuGlyphs()->Width(), 16);
}

TEST_F(SkinComponent, StoredSkinIsParsedWhileTheFormIsReadThenRegistered) {
    TSkinnedForm form(nullptr);
    ReadComponentFromText(form, FormText(Payload(GoodStore())), L"SKINNED");
    ASSERT_NE(form.SkinData1, nullptr);
    TSkinData& skin = *form.SkinData1;
    EXPECT_FALSE(skin.Empty());
    EXPECT_TRUE(skin.Active());
    EXPECT_EQ(skin.Store().Bytes().size(), GoodStore().size());
    EXPECT_EQ(skin.Skin().FrameTop.Image.Width(), 40);
    EXPECT_EQ(GetStrPropByName(&skin, "Version"), L"2.69.9.27");  // the stored value is discarded
    ASSERT_NE(Manager(), nullptr);
    EXPECT_EQ(Manager()->Skins(), std::vector<TSkinData*>{&skin});
    EXPECT_NE(Manager()->HookHandle(), nullptr);
    // No window was activated yet: action 1 only switched skinning on.
    EXPECT_TRUE(Manager()->Enabled());
    EXPECT_FALSE(Manager()->TimerEnabled());
}

TEST_F(SkinComponent, EmptyPayloadSwitchesActiveOffAtLoaded) {
    TSkinnedForm form(nullptr);
    ReadComponentFromText(form, FormText("00000000"), L"SKINNED");
    EXPECT_TRUE(form.SkinData1->Empty());
    EXPECT_FALSE(form.SkinData1->Active());
    EXPECT_FALSE(Manager()->Enabled());
}

TEST_F(SkinComponent, ActiveSchedulesOnlyWhenItChangesAndASkinIsParsed) {
    TSkinnedForm form(nullptr);
    ReadComponentFromText(form, FormText("00000000", false), L"SKINNED");
    TSkinData& skin = *form.SkinData1;
    Manager()->SetActivationCount(1);  // as after the first activation
    skin.SetActive(true);              // no skin: the property changes, nothing is scheduled
    EXPECT_TRUE(skin.Active());
    EXPECT_EQ(Manager()->PendingAction(), 0);
    EXPECT_FALSE(Manager()->TimerEnabled());
    skin.SetActive(true);  // the same value: nothing
    EXPECT_EQ(Manager()->PendingAction(), 0);
    skin.SetActive(false);
    EXPECT_EQ(Manager()->PendingAction(), 2);
    EXPECT_EQ(Manager()->TimerInterval(), 250);
    EXPECT_TRUE(Manager()->TimerEnabled());
    EXPECT_EQ(Manager()->PendingSkin(), &skin);

    int changes = 0;
    skin.OnSkinChanged = [&](TObject* sender) { changes += sender == &skin; };
    EXPECT_TRUE(PumpUntil([&] { return changes == 1; }, std::chrono::seconds(3)));
    EXPECT_EQ(Manager()->PendingSkin(), nullptr);
    EXPECT_FALSE(Manager()->Enabled());
}

TEST_F(SkinComponent, BeforeTheFirstActivationActionsOnlySetEnabled) {
    TSkinnedForm form(nullptr);
    ReadComponentFromText(form, FormText(Payload(GoodStore()), false), L"SKINNED");
    form.SkinData1->SetActive(true);
    EXPECT_TRUE(Manager()->Enabled());
    EXPECT_FALSE(Manager()->TimerEnabled());
    form.SkinData1->SetActive(false);
    EXPECT_FALSE(Manager()->Enabled());
    EXPECT_FALSE(Manager()->TimerEnabled());
}

TEST_F(SkinComponent, FormSkinQuery) {
    TSkinData skin(nullptr);
    bool doSkin = true;
    skin.CheckFormSkin(L"SysMonthCal32", doSkin);
    EXPECT_FALSE(doSkin);
    doSkin = true;
    skin.CheckFormSkin(L"TfrDesigner", doSkin);
    EXPECT_TRUE(doSkin);
    skin.SetSkinControls(skin.SkinControls() | (1u << xcFastReport));
    skin.CheckFormSkin(L"TfrDesigner", doSkin);
    EXPECT_FALSE(doSkin);
    doSkin = true;
    skin.CheckFormSkin(L"TFRDesigner", doSkin);  // case-sensitive
    EXPECT_TRUE(doSkin);
    skin.OnFormSkin = [](TObject*, const std::wstring& name, bool& answer) {
        answer = name == L"SysMonthCal32";
    };
    skin.CheckFormSkin(L"SysMonthCal32", doSkin);
    EXPECT_TRUE(doSkin);
}

TEST_F(SkinComponent, WriteStreamDataWritesLengthThenStore) {
    TSkinData skin(nullptr);
    TMemoryStream out;
    skin.WriteStreamData(out);
    EXPECT_EQ(out.Bytes(), (std::vector<uint8_t>{0, 0, 0, 0}));
    const std::vector<uint8_t> store = GoodStore();
    TMemoryStream in;
    in.WriteInt32(static_cast<int32_t>(store.size()));
    in.WriteBuffer(store.data(), static_cast<int64_t>(store.size()));
    in.SetPosition(0);
    skin.ReadStreamData(in);
    TMemoryStream again;
    skin.WriteStreamData(again);
    EXPECT_EQ(again.Bytes(), in.Bytes());
}

TEST_F(SkinComponent, BadSkinFilesLeaveTheOldSkinAndTheProgramRunning) {
    TSkinnedForm form(nullptr);
    ReadComponentFromText(form, FormText(Payload(GoodStore())), L"SKINNED");
    TSkinData& skin = *form.SkinData1;
    const fs::path folder =
        fs::temp_directory_path() / ("ponderix-badskin-" + std::to_string(GetCurrentProcessId()));
    fs::create_directories(folder);

    // A missing file: the objects stay, the component is marked empty.
    skin.SetSkinFile((folder / "missing.skn").wstring());
    EXPECT_TRUE(skin.Empty());
    EXPECT_EQ(skin.Skin().FrameTop.Image.Width(), 40);
    Manager()->SetActivationCount(1);
    skin.SetActive(false);
    skin.SetActive(true);  // empty: re-activating schedules nothing more
    EXPECT_EQ(Manager()->PendingAction(), 2);

    const std::vector<uint8_t> good = GoodStore();
    auto write = [&](const char* name, const std::vector<uint8_t>& bytes) {
        std::ofstream(folder / name, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
        return (folder / name).wstring();
    };
    std::vector<uint8_t> truncated(good.begin(), good.begin() + static_cast<long>(good.size() / 3));
    std::vector<uint8_t> absurd = good;
    absurd[3] = 0x7F;  // declares ~2 GiB
    const std::vector<uint8_t> wrongVersion = PackSkinStore(std::vector<uint8_t>(16, 0));
    const std::vector<TSkinEntry> brokenEntries = {
        skintest::TextEntry("skin.ini", "[Personality]\nTop=top.bmp\n"),
        skintest::TextEntry("top.bmp", "BM this is not a bitmap"),
    };
    const std::vector<uint8_t> brokenBmp = PackSkinStore(BuildSkinArchive(brokenEntries));
    // Files that cannot give a skin: the component is left empty (skinning cannot be switched
    // on), the objects of the last good skin stay, and at most a message is shown.
    for (const auto& [name, bytes] : {std::pair{"absurd.skn", absurd}, {"broken.skn", brokenBmp}}) {
        SCOPED_TRACE(name);
        try {
            skin.SetSkinFile(write(name, bytes));
        } catch (const Exception&) {
            // A clear error; the component stays usable.
        }
        EXPECT_TRUE(skin.Empty());
        EXPECT_EQ(skin.Skin().FrameTop.Image.Width(), 40);
    }
    {
        TMessageBoxWatcher watcher;
        skin.SetSkinFile(write("version.skn", wrongVersion));
        const TMessageBoxSeen seen = watcher.Wait();
        ASSERT_TRUE(seen.seen);
        EXPECT_EQ(seen.text, L"This is Older Skin File\rPlease update to new version !");
        EXPECT_TRUE(skin.Empty());
        EXPECT_EQ(skin.Skin().FrameTop.Image.Width(), 40);
    }
    // A truncated store decodes (missing input reads as zero bits, so the declared size comes
    // out): the program goes on with whatever that gives, without an error.
    EXPECT_NO_THROW(skin.SetSkinFile(write("truncated.skn", truncated)));
    std::error_code ignored;
    fs::remove_all(folder, ignored);
}

TEST(SkinDrawTextTest, TheCallersRectangleIsNeverChanged) {
    HDC dc = CreateCompatibleDC(nullptr);
    const RECT rect{10, 10, 20, 12};
    const int height =
        SkinDrawText(dc, L"计算 text that is wider than the rectangle", rect, DT_CALCRECT);
    EXPECT_GT(height, 0);
    EXPECT_EQ(rect.right, 20);
    EXPECT_EQ(rect.bottom, 12);
    DeleteDC(dc);
}
