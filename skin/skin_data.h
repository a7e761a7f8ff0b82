#pragma once
// TSkinData: the component a form carries to be skinned. It keeps the packed skin (from its
// form resource as the SkinStream property, or from SkinFile), unpacks and parses it into the
// skin objects, which it owns, and switches skinning on and off through the skin manager. It also
// carries the settings the skinners read: which kinds of control to skin, the tag that exempts a
// control, the foreign-class mappings, and the events an application steers skinning with.

#include <memory>
#include <string>

#include "forms/bitmap.h"
#include "forms/controls.h"
#include "forms/image_list.h"
#include "forms/stream.h"
#include "forms/strings.h"
#include "skin/skin_control_types.h"
#include "skin/skin_objects.h"

extern const TEnumInfo SkinControlTypeInfo;

enum TSkinFormType { sfMainform, sfOnlyThisForm, sfDialog };
extern const TEnumInfo SkinFormTypeInfo;

class TSkinData;
using TOnFormSkin = std::function<void(TObject* sender, const std::wstring& aName, bool& doSkin)>;
using TOnSkinControl =
    std::function<void(TComponent* sender, TSkinData* skinData, TControl* form, TControl* control,
                       const std::wstring& controlClass, TComponent*& skinnedControl)>;

class TSkinData : public TComponent {
    PONDERIX_CLASS(TSkinData, TComponent)
public:
    explicit TSkinData(TComponent* owner);
    ~TSkinData() override;

    // Published properties, in this order.
    bool Active() const { return active; }
    void SetActive(bool value);
    int DisableTag() const { return disableTag; }
    void SetDisableTag(int value) { disableTag = value; }
    TSkinControlTypes SkinControls() const { return skinControls; }
    void SetSkinControls(TSkinControlTypes value) { skinControls = value; }
    TStrings* Skin3rd() { return &skin3rd; }
    void SetSkin3rd(TStrings* value);
    const std::wstring& SkinFile() const { return skinFile; }
    void SetSkinFile(const std::wstring& path);
    std::wstring GetSkinStore() const;
    void SetSkinStore(const std::wstring&) {}
    TSkinFormType SkinFormtype() const { return skinFormtype; }
    void SetSkinFormtype(TSkinFormType value) { skinFormtype = value; }
    std::wstring Version() const { return L"2.69.9.27"; }
    void SetVersion(const std::wstring&) {}
    bool MenuUpdate() const { return menuUpdate; }
    void SetMenuUpdate(bool value) { menuUpdate = value; }

    TOnFormSkin OnFormSkin;
    TNotifyEvent OnSkinChanged;
    TOnSkinControl OnSkinControl;

    // Unpacks and parses the store; answers false when it cannot be opened (the older-skin
    // message has been shown then). Errors of the decoder and of the images propagate.
    bool LoadSkin();
    // Tells the skin manager that the skin changed.
    void ApplySkin();
    // Whether a window of class aName is to be skinned.
    void CheckFormSkin(const std::wstring& aName, bool& doSkin);
    // Fires OnSkinChanged; the manager calls it once a scheduled action has run.
    void DoSkinChanged();

    void Loaded() override;
    void DefineProperties(TFiler& filer) override;
    void ReadStreamData(TStream& stream);
    void WriteStreamData(TStream& stream) const;

    bool Empty() const { return empty; }
    bool NcPaint() const { return ncPaint; }
    void SetNcPaint(bool value) { ncPaint = value; }
    const TMemoryStream& Store() const { return *store; }
    // The skin objects of the last parse.
    TSkinDescription& Skin() { return *skin; }
    TImageList* MenuGlyphs() { return menuGlyphs.get(); }
    TBitmap* DefaultIcon() { return defaultIcon.get(); }

private:
    void LoadMenuGlyphs();

    bool active = false;
    int disableTag = 99;
    TSkinControlTypes skinControls = 0x3FFFF;  // every kind but xcFastReport
    TStringList skin3rd;
    std::wstring skinFile;
    TSkinFormType skinFormtype = sfMainform;
    bool menuUpdate = true;

    // Owned pieces are pointers so that the destructor frees them in its stated order.
    std::unique_ptr<TMemoryStream> store = std::make_unique<TMemoryStream>();
    bool empty = true;
    bool ncPaint = true;
    std::unique_ptr<TImageList> menuGlyphs;
    std::unique_ptr<TBitmap> defaultIcon = std::make_unique<TBitmap>();
    std::unique_ptr<TSkinDescription> skin = std::make_unique<TSkinDescription>();
};

void RegisterSkinDataClasses();

// Draws text with the platform's text call and answers its result: the wide call on the NT
// family, the ANSI call on an ANSI copy elsewhere (decided once). The caller's rectangle is
// never changed, whatever the flags.
int SkinDrawText(HDC dc, const std::wstring& text, const RECT& rect, UINT format);
