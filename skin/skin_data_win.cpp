#include "skin/skin_data.h"

#include "forms/bmp_decoder.h"
#include "forms/filer.h"
#include "forms/text.h"
#include "skin/quick_ini.h"
#include "skin/skin_manager_link.h"
#include "skin/skin_parse.h"
#include "skin/skin_reader.h"

const TEnumInfo SkinControlTypeInfo{
    "TSkinControlType",
    {"xcMainMenu", "xcPopupMenu", "xcToolbar", "xcControlbar", "xcCombo", "xcCheckBox",
     "xcRadioButton", "xcProgress", "xcScrollbar", "xcEdit", "xcButton", "xcBitBtn",
     "xcSpeedButton", "xcPanel", "xcGroupBox", "xcStatusBar", "xcTab", "xcSystemMenu",
     "xcFastReport"}};
const TEnumInfo SkinFormTypeInfo{"TSkinFormType", {"sfMainform", "sfOnlyThisForm", "sfDialog"}};

PONDERIX_DEFINE_CLASS(TSkinData, [](TClassBuilder<TSkinData>& b) {
    b.Boolean("Active", &TSkinData::Active, &TSkinData::SetActive);
    b.Integer("DisableTag", &TSkinData::DisableTag, &TSkinData::SetDisableTag);
    b.Set("SkinControls", SkinControlTypeInfo, &TSkinData::SkinControls,
          &TSkinData::SetSkinControls);
    b.StringList("Skin3rd", &TSkinData::Skin3rd);
    b.String("SkinFile", &TSkinData::SkinFile, &TSkinData::SetSkinFile);
    b.String("SkinStore", &TSkinData::GetSkinStore, &TSkinData::SetSkinStore);
    b.Enum("SkinFormtype", SkinFormTypeInfo, &TSkinData::SkinFormtype, &TSkinData::SetSkinFormtype);
    b.String("Version", &TSkinData::Version, &TSkinData::SetVersion);
    b.Boolean("MenuUpdate", &TSkinData::MenuUpdate, &TSkinData::SetMenuUpdate);
    b.Event("OnFormSkin", &TSkinData::OnFormSkin);
    b.Event("OnSkinChanged", &TSkinData::OnSkinChanged);
    b.Event("OnSkinControl", &TSkinData::OnSkinControl);
})

namespace {

// clang-format off
// The class-name-to-skinner rows a new skin component starts with (three occur twice).
const wchar_t* const kDefaultSkin3rd[] = {
    L"TComboboxex=combobox", L"TTBDock=Panel", L"TTBToolbar=Panel", L"TImageEnMView=scrollbar",
    L"TImageEnView=scrollbar", L"TAdvMemo=scrollbar", L"TDBAdvMemo=scrollbar", L"TRzButton=button",
    L"TRzBitbtn=bitbtn", L"TRzMenuButton=bitbtn", L"TRzCheckGroup=CheckGroup",
    L"TRzRadioGroup=Radiogroup", L"TRzRadioButton=Radiobutton", L"TRzCheckBox=Checkbox",
    L"TRzButtonEdit=Edit", L"TRzDBRadioGroup=Radiogroup", L"TRzDBRadioButton=Radiobutton",
    L"TRzDBCheckBox=Checkbox", L"TRzDateTimeEdit=combobox", L"TRzColorEdit=combobox",
    L"TRzDateTimePicker=combobox", L"TRzDBDateTimeEdit=combobox", L"TRzDbColorEdit=combobox",
    L"TRzDBDateTimePicker=combobox", L"TLMDGroupBox=Groupbox", L"TDBCheckboxEh=Checkbox",
    L"TDBCheckboxEh=Checkbox", L"TLMDCHECKBOX=Checkbox", L"TLMDDBCHECKBOX=Checkbox",
    L"TLMDRadiobutton=Radiobutton", L"TLMDCalculator=panel", L"TLMDGROUPBOX=Panel",
    L"TLMDSIMPLEPANEL=Panel", L"TLMDDBCalendar=Panel", L"TLMDButtonPanel=Panel",
    L"TLMDLMDCalculator=Panel", L"TLMDHeaderPanel=Panel", L"TLMDTechnicalLine=Panel",
    L"TLMDLMDClock=Panel", L"TLMDTrackbar=panel", L"TLMDListCombobox=combobox",
    L"TLMDCheckListCombobox=combobox", L"TLMDHeaderListCombobox=combobox",
    L"TLMDImageCombobox=combobox", L"TLMDColorCombobox=combobox", L"TLMDFontCombobox=combobox",
    L"TLMDFontSizeCombobox=combobox", L"TLMDFontSizeCombobox=combobox",
    L"TLMDPrinterCombobox=combobox", L"TLMDDriveCombobox=combobox",
    L"TLMDCalculatorComboBox=combobox", L"TLMDTrackBarComboBox=combobox",
    L"TLMDCalendarComboBox=combobox", L"TLMDTreeComboBox=combobox", L"TLMDRADIOGROUP=radiogroup",
    L"TLMDCheckGroup=CheckGroup", L"TLMDDBRADIOGROUP=radiogroup", L"TLMDDBCheckGroup=CheckGroup",
    L"TLMDCalculatorEdit=edit", L"TLMDEDIT=Edit", L"TLMDMASKEDIT=Edit", L"TLMDBROWSEEDIT=Edit",
    L"TLMDEXTSPINEDIT=Edit", L"TLMDCALENDAREDIT=Edit", L"TLMDFILEOPENEDIT=Edit",
    L"TLMDFILESAVEEDIT=Edit", L"TLMDCOLOREDIT=Edit", L"TLMDDBEDIT=Edit", L"TLMDDBMASKEDIT=Edit",
    L"TLMDDBEXTSPINEDIT=Edit", L"TLMDDBSPINEDIT=Edit", L"TLMDDBEDITDBLookup=Edit",
    L"TLMDEDITDBLookup=Edit", L"TDBLookupCombobox=Combobox", L"TWWDBCombobox=Combobox",
    L"TWWDBLookupCombo=Combobox", L"TWWDBCombobox=Combobox", L"TWWKeyCombo=Combobox",
    L"TWWTempKeyCombo=combobox", L"TWWDBDateTimePicker=Combobox", L"TWWRADIOGROUP=radiogroup",
    L"TWWDBEDIT=Edit", L"TcxButton=bitbtn", L"TcxDBCheckBox=checkbox",
    L"TcxDBRadioGroup=radiogroup", L"TcxRadioGroup=radiogroup", L"TcxCheckBox=checkbox",
    L"TOVCPICTUREFIELD=Edit", L"TOVCDBPICTUREFIELD=Edit", L"TOVCSLIDEREDIT=Edit",
    L"TOVCDBSLIDEREDIT=Edit", L"TOVCSIMPLEFIELD=Edit", L"TOVCDBSIMPLEFIELD=Edit",
    L"TO32DBFLEXEDIT=Edit", L"TOVCNUMERICFIELD=Edit", L"TOVCDBNUMERICFIELD=Edit",
};
// clang-format on

constexpr wchar_t kMenuGlyphResource[] = L"LUSTRAMENU";

}  // namespace

TSkinData::TSkinData(TComponent* owner) : TComponent(owner) {
    for (const wchar_t* row : kDefaultSkin3rd) skin3rd.Add(row);
    LoadMenuGlyphs();
}

TSkinData::~TSkinData() {
    // The order matters: the manager must forget this component before its skin goes.
    menuGlyphs.reset();
    skin3rd.Clear();
    if (TSkinManagerLink* manager = ExistingSkinManager()) {
        if (manager->PendingSkin() == this) manager->SetPendingSkin(nullptr);
        manager->UnregisterSkin(this);
    }
    store.reset();
    defaultIcon.reset();
    skin.reset();  // borders, title-bar buttons, Buttons, Title, FaceBrush, element slots
}

void TSkinData::LoadMenuGlyphs() {
    // Four 16 x 16 glyphs (restore, maximize, minimize, close) from a two-colour bitmap
    // resource, white being transparent. A program without the resource gets an empty list.
    menuGlyphs = std::make_unique<TImageList>(nullptr);
    menuGlyphs->SetWidth(16);
    menuGlyphs->SetHeight(16);
    HMODULE module = GetModuleHandleW(nullptr);
    HRSRC resource = FindResourceW(module, kMenuGlyphResource, MAKEINTRESOURCEW(2) /* RT_BITMAP */);
    HGLOBAL loaded = resource ? LoadResource(module, resource) : nullptr;
    const auto* dib = loaded ? static_cast<const uint8_t*>(LockResource(loaded)) : nullptr;
    if (!dib) return;
    // A bitmap resource is a BMP file without its 14-byte file header: put one in front.
    const DWORD size = SizeofResource(module, resource);
    const auto* info = reinterpret_cast<const BITMAPINFOHEADER*>(dib);
    const DWORD colours =
        info->biClrUsed ? info->biClrUsed : (info->biBitCount <= 8 ? 1u << info->biBitCount : 0);
    const DWORD offset = 14 + info->biSize + colours * 4;
    TMemoryStream file;
    const uint8_t header[14] = {'B',
                                'M',
                                uint8_t(size + 14),
                                uint8_t((size + 14) >> 8),
                                uint8_t((size + 14) >> 16),
                                uint8_t((size + 14) >> 24),
                                0,
                                0,
                                0,
                                0,
                                uint8_t(offset),
                                uint8_t(offset >> 8),
                                uint8_t(offset >> 16),
                                uint8_t(offset >> 24)};
    file.WriteBuffer(header, sizeof header);
    file.WriteBuffer(dib, size);
    file.SetPosition(0);
    TBitmap glyphs;
    glyphs.LoadFromStream(file);
    menuGlyphs->AddMasked(glyphs, clWhite);
}

void TSkinData::SetSkin3rd(TStrings* value) {
    if (value) skin3rd.Assign(*value);
}

std::wstring TSkinData::GetSkinStore() const {
    return HasState(csDesigning) && store->Size() > 0 ? L"(Good)" : L"(none)";
}

void TSkinData::SetActive(bool value) {
    if (value == active) return;
    active = value;
    if (HasState(csDesigning) || HasState(csLoading)) return;
    TSkinManagerLink* manager = SkinManager();
    if (!manager) return;
    switch (skinFormtype) {
        case sfMainform:
            if (value && empty) return;
            manager->ScheduleAction(value ? 1 : 2, 250);
            manager->SetPendingSkin(this);
            break;
        case sfOnlyThisForm:
            manager->SetPendingSkin(this);
            if (value && empty) return;
            manager->ScheduleAction(value ? 1 : 2, 250);
            break;
        case sfDialog: break;
    }
}

void TSkinData::SetSkinFile(const std::wstring& path) {
    empty = true;
    skinFile = path;
    if (HasState(csDesigning)) {
        if (!path.empty() && store->Size() > 0) store->Clear();
        return;
    }
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (path.empty() || attributes == INVALID_FILE_ATTRIBUTES ||
        (attributes & FILE_ATTRIBUTE_DIRECTORY))
        return;
    // Read into a stream of its own first: a file that cannot be read leaves the store as it was.
    auto loaded = std::make_unique<TMemoryStream>();
    loaded->LoadFromFile(path);
    store = std::move(loaded);
    // Only a skin that loaded is applied: a store that cannot be opened leaves the skinned
    // windows as they are, rather than having them rebuilt from a component marked empty.
    if (LoadSkin() && skinFormtype == sfMainform) ApplySkin();
}

bool TSkinData::LoadSkin() {
    empty = true;
    if (HasState(csDesigning)) return false;
    TSkinReader reader;
    store->SetPosition(0);
    if (!reader.Open(*store)) return false;
    TMemoryStream description;
    std::string name;
    reader.FindEntry(".ini", description, name);
    TQuickIni ini;
    description.SetPosition(0);
    ini.LoadFromStream(&description);
    // The new skin is built apart and replaces the old one only when the whole parse succeeds,
    // so a broken image leaves the skin objects as they were.
    auto parsed = std::make_unique<TSkinDescription>();
    ParseSkin(*parsed, ini, reader);
    skin = std::move(parsed);
    empty = false;
    return true;
}

void TSkinData::ApplySkin() {
    if (HasState(csDesigning) || HasState(csLoading)) return;
    if (!ExistingSkinManager()) Loaded();
    TSkinManagerLink* manager = SkinManager();
    if (!manager) return;
    manager->SetPendingSkin(this);
    manager->ClearFormCaches();
    manager->ScheduleAction(3, 250);
}

void TSkinData::CheckFormSkin(const std::wstring& aName, bool& doSkin) {
    if (OnFormSkin) {
        OnFormSkin(this, aName, doSkin);
        return;
    }
    if (aName == L"SysMonthCal32") doSkin = false;
    if ((skinControls & (1u << xcFastReport)) && aName.rfind(L"Tfr", 0) == 0) doSkin = false;
}

void TSkinData::DoSkinChanged() {
    if (OnSkinChanged) OnSkinChanged(this);
}

void TSkinData::Loaded() {
    TComponent::Loaded();
    if (HasState(csDesigning)) return;
    TSkinManagerLink* manager = SkinManager();
    if (!manager) return;
    manager->RegisterSkin(this);
    if (skinFormtype == sfMainform) {
        manager->InstallHook();
        if (active) {
            if (empty)
                active = false;
            else
                manager->ScheduleAction(1, 250);
        }
        return;
    }
    manager->SetEnabled(true);
    manager->SetActivationCount(manager->ActivationCount() + 1);
    if (auto* form = dynamic_cast<TWinControl*>(Owner())) manager->SkinWindow(form->Handle());
}

void TSkinData::DefineProperties(TFiler& filer) {
    filer.DefineBinaryProperty(
        "SkinStream", [this](TStream& s) { ReadStreamData(s); },
        [this](TStream& s) { WriteStreamData(s); }, true);
}

void TSkinData::ReadStreamData(TStream& stream) {
    const int32_t length = stream.ReadInt32();
    if (length <= 0) return;
    // The length comes from a file: it must fit in what the stream still holds.
    if (length > stream.Size() - stream.Position())
        throw EReadError(L"皮肤数据长度 " + std::to_wstring(length) + L" 超出了流的长度");
    auto loaded = std::make_unique<TMemoryStream>();
    loaded->SetSize(length);
    stream.ReadBuffer(loaded->Memory(), length);
    store = std::move(loaded);
    if (!HasState(csDesigning)) LoadSkin();
}

void TSkinData::WriteStreamData(TStream& stream) const {
    const auto length = static_cast<int32_t>(store->Size());
    stream.WriteInt32(length);
    if (length > 0) stream.WriteBuffer(store->Memory(), length);
}

void RegisterSkinDataClasses() { RegisterComponentClass(TSkinData::StaticClass()); }

int SkinDrawText(HDC dc, const std::wstring& text, const RECT& rect, UINT format) {
    static const bool ntFamily = (GetVersion() & 0x80000000u) == 0;
    RECT copy = rect;
    if (ntFamily) return DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &copy, format);
    const int bytes = WideCharToMultiByte(CP_ACP, 0, text.c_str(), static_cast<int>(text.size()),
                                          nullptr, 0, nullptr, nullptr);
    std::string ansi(static_cast<size_t>(bytes), '\0');
    WideCharToMultiByte(CP_ACP, 0, text.c_str(), static_cast<int>(text.size()), ansi.data(), bytes,
                        nullptr, nullptr);
    return DrawTextA(dc, ansi.c_str(), -1, &copy, format);
}
