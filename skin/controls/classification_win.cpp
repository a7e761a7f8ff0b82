#include "skin/controls/classification.h"

#include <commctrl.h>

#include <algorithm>
#include <cwctype>

#include "forms/containers.h"
#include "forms/controls.h"
#include "forms/properties.h"
#include "forms/text.h"
#include "skin/controls/control_skinner_host.h"
#include "skin/controls/skin_control_tree.h"
#include "skin/skin_data.h"

namespace {

std::string Upper(std::string text) {
    for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

std::wstring LowerWide(std::wstring text) {
    for (wchar_t& c : text) c = static_cast<wchar_t>(std::towlower(c));
    return text;
}

// Sets an integer property (a colour) by name; nothing when the object has none of that kind.
void SetIntPropByName(TObject* object, std::string_view name, int64_t value) {
    const TPropInfo* prop = object->ClassType().FindProperty(name);
    if (prop && prop->kind == TTypeKind::tkInteger && prop->setOrdinal)
        prop->setOrdinal(*object, value);
}

int64_t EnumOrdinal(TObject* object, std::string_view name) {
    const TPropInfo* prop = object->ClassType().FindProperty(name);
    if (!prop || prop->kind != TTypeKind::tkEnumeration || !prop->getOrdinal) return -1;
    return prop->getOrdinal(*object);
}

// The status bar's own grip goes; the skinner draws the skin's grip where the control wants one.
void SwitchSizeGripOff(TComponent* c) {
    auto* windowed = dynamic_cast<TWinControl*>(c);
    if (!windowed || !windowed->HandleAllocated()) return;
    const HWND window = windowed->Handle();
    const LONG style = GetWindowLongW(window, GWL_STYLE);
    if (style & SBARS_SIZEGRIP) SetWindowLongW(window, GWL_STYLE, style & ~SBARS_SIZEGRIP);
}

TSkinControl* NewSkinner(TSkinnerKind kind, TComponent* owner) {
    switch (kind) {
        case TSkinnerKind::Button: return new TSkinButton(owner);
        case TSkinnerKind::BitButton: return new TSkinBitButton(owner);
        case TSkinnerKind::SpeedButton: return new TSkinSpeedButton(owner);
        case TSkinnerKind::CheckBox: return new TSkinCheckBox(owner);
        case TSkinnerKind::RadioButton: return new TSkinRadioButton(owner);
        case TSkinnerKind::ComBox: return new TSkinComBox(owner);
        case TSkinnerKind::Edit: return new TSkinEdit(owner);
        case TSkinnerKind::StatusBar: return new TSkinStatusBar(owner);
        case TSkinnerKind::Box: return new TSkinBox(owner);
        case TSkinnerKind::GroupBox: return new TSkinGroupBox(owner);
        case TSkinnerKind::UpDown: return new TSkinUpDown(owner);
        case TSkinnerKind::Tab: return new TSkinTab(owner);
        case TSkinnerKind::Tab31: return new TSkinTab31(owner);
        case TSkinnerKind::Progress: return new TSkinProgress(owner);
        case TSkinnerKind::TrackBar: return new TSkinTrackBar(owner);
        case TSkinnerKind::Sizer: return new TSkinSizer(owner);
        case TSkinnerKind::ScControl: return new TSkinScControl(owner);
        case TSkinnerKind::Header: return new TSkinHeader(owner);
        case TSkinnerKind::Scrollbar: return new TSkinScrollbar(owner);
        case TSkinnerKind::ListView: return new TSkinListView(owner);
        case TSkinnerKind::None: break;
    }
    return nullptr;
}

}  // namespace

bool IsOfClass(const TComponent* component, std::string_view className) {
    for (const TClassInfo* info = &component->ClassType(); info; info = info->parent)
        if (info->name == className) return true;
    return false;
}

TSkinFacts TControlClassifier::Facts() const {
    return {skin.SkinControls(), skin.Skin().Tabs != nullptr};
}

void TControlClassifier::SkinComponents(TComponent* container) {
    frame.RemoveDestroyedSkinners();
    // Classifying can create components (skinners owned by the container's components, never by
    // the container itself), so the count is read on every round.
    for (int i = 0; i < container->ComponentCount(); ++i)
        ClassifyComponent(container->Components(i), container);
}

void TControlClassifier::ClassifyComponent(TComponent* c, TComponent* owner) {
    const std::string upperName = Upper(c->ClassName());
    if (TagDisables(c->Tag(), skin.DisableTag())) return;
    if (IsControlSkinned(c)) return;
    if (auto* windowed = dynamic_cast<TWinControl*>(c); windowed && !windowed->HandleAllocated()) {
        // A control on a page not yet shown is classified when its window is made.
        if (windowed->HandleDeferred()) return;
        try {
            windowed->HandleNeeded();
        } catch (...) {
            return;  // a control whose window cannot be made stays as it is
        }
    }
    if (skin.OnSkinControl) {
        TComponent* skinned = nullptr;
        skin.OnSkinControl(frame.SkinnerOwner(), &skin, dynamic_cast<TControl*>(owner),
                           dynamic_cast<TControl*>(c), Utf8ToWide(upperName), skinned);
        if (auto* skinner = dynamic_cast<TSkinControl*>(skinned)) {
            const auto& list = frame.ControlSkinners();
            if (std::find(list.begin(), list.end(), skinner) == list.end()) {
                skinner->HookControl(&frame, &skin, skinner->Recolour(), frame.ControlCanvas());
                frame.AddControlSkinner(skinner);
                if (IsOfClass(c, "TCustomPanel")) SkinComponents(c);
            }
            return;
        }
    }
    if (ClassifyBySkin3rd(upperName, c)) return;
    if (NeverSkinnedClass(upperName)) return;
    TComponentFacts facts;
    facts.upperName = upperName;
    facts.isA = [c](std::string_view name) { return IsOfClass(c, name); };
    facts.windowed = dynamic_cast<TWinControl*>(c) != nullptr;
    facts.needsScrollSkin = NeedsScrollSkin(c);
    Apply(ClassifyByClass(facts, Facts()), c);
}

bool TControlClassifier::ClassifyBySkin3rd(const std::string& upperName, TComponent* c) {
    if (!skin3rdRead) {
        for (int i = 0; i < skin.Skin3rd()->Count(); ++i)
            skin3rdLines.push_back(skin.Skin3rd()->Get(i));
        skin3rdRead = true;
    }
    const std::optional<std::wstring> kind = Skin3rdKind(skin3rdLines, upperName);
    if (!kind) return false;
    if (*kind != L"nil") Apply(Skin3rdAction(*kind, Facts()), c);
    return true;
}

void TControlClassifier::Apply(const TClassifyAction& action, TComponent* c) {
    if (action.setFlat) SetEnumPropByName(c, "Flat", "True");
    if (action.setTransparent) SetEnumPropByName(c, "Transparent", "True");
    if (action.sizeGripOff) SwitchSizeGripOff(c);
    if (action.childSkinner != TSkinnerKind::None) {
        if (auto* parent = dynamic_cast<TWinControl*>(c))
            for (int i = 0; i < parent->ControlCount(); ++i)
                AttachNew(action.childSkinner, THookKind::HookControl, parent->Controls(i), false,
                          0);
    }
    TSkinnerKind kind = action.skinner;
    if (action.timePickerIsEdit && EnumOrdinal(c, "Kind") == 1) kind = TSkinnerKind::Edit;
    if (kind != TSkinnerKind::None)
        AttachNew(kind, action.hook, c, action.recolour, action.scrollMode);
    if (action.gridFixedColour) SetIntPropByName(c, "FixedColor", skin.Skin().ButtonFaceColour);
    if (action.classifyOwned) SkinComponents(c);
}

TSkinControl* TControlClassifier::AttachNew(TSkinnerKind kind, THookKind hook, TComponent* c,
                                            bool recolour, int scrollMode) {
    TSkinControl* skinner = NewSkinner(kind, c);
    if (!skinner) return nullptr;
    TCanvas* canvas = frame.ControlCanvas();
    switch (hook) {
        case THookKind::HookControl: skinner->HookControl(&frame, &skin, recolour, canvas); break;
        case THookKind::HookWindow:
            if (auto* windowed = dynamic_cast<TWinControl*>(c))
                skinner->HookWindow(windowed->Handle(), &skin, &frame, canvas);
            break;
        case THookKind::HookScrollControl:
            if (auto* scroll = dynamic_cast<TSkinScrollbar*>(skinner))
                scroll->HookScrollControl(dynamic_cast<TWinControl*>(c), &skin, scrollMode, &frame,
                                          canvas);
            break;
        case THookKind::Graphic:
            if (auto* speed = dynamic_cast<TSkinSpeedButton*>(skinner))
                speed->HookGraphicControl(&frame, &skin, canvas);
            break;
        case THookKind::None: break;
    }
    if (skinner->State() != ssAttached) {  // nothing to attach to (no window, wrong kind)
        delete skinner;
        return nullptr;
    }
    return skinner;
}

bool TControlClassifier::IsControlSkinned(TComponent* c) const {
    auto* windowed = dynamic_cast<TWinControl*>(c);
    for (TSkinControl* skinner : frame.ControlSkinners()) {
        if (skinner->GraphicControl()) {
            if (skinner->GraphicControl() == c) return true;
            continue;
        }
        if (!windowed) continue;
        if (windowed->HandleAllocated()) {
            if (skinner->Handle() == windowed->Handle()) return true;
            continue;
        }
        // A control without a window on a print preview counts as skinned; elsewhere the walk
        // ends here.
        TComponent* form = c->Owner();
        const std::wstring name = form ? form->Name() : L"";
        return LowerWide(name).find(L"preview") != std::wstring::npos ||
               name == L"TQRStandardPreview" || name == L"TppPrintPreview" ||
               name == L"TdxfmStdPreview";
    }
    return false;
}

bool TControlClassifier::NeedsScrollSkin(TComponent* c) const {
    auto* windowed = dynamic_cast<TWinControl*>(c);
    const uint32_t style =
        windowed && windowed->HandleAllocated()
            ? static_cast<uint32_t>(GetWindowLongW(windowed->Handle(), GWL_STYLE))
            : 0;
    return NeedsScrollSkinRule(windowed != nullptr, style, c->Tag(),
                               [c](std::string_view name) { return IsOfClass(c, name); });
}

void TControlClassifier::SkinChildWindows(HWND window) {
    for (HWND child = GetTopWindow(window); child; child = GetWindow(child, GW_HWNDNEXT))
        if (GetWindowLongW(child, GWL_STYLE) & WS_CHILD) ClassifyWindow(child);
}

void TControlClassifier::ClassifyWindow(HWND window) {
    if (FindControlSkinner(window)) return;
    wchar_t name[101] = {};
    GetClassNameW(window, name, 101);
    const HWND firstChild = GetWindow(window, GW_CHILD);
    const TWindowSkinner kind = ClassifyWindowClass(
        LowerWide(name), static_cast<uint32_t>(GetWindowLongW(window, GWL_STYLE)),
        firstChild != nullptr);
    TSkinControl* skinner = nullptr;
    TComponent* owner = frame.SkinnerOwner();
    HWND target = window;
    switch (kind) {
        case TWindowSkinner::None: return;
        case TWindowSkinner::CheckBox: skinner = new TSkinCheckBox(owner); break;
        case TWindowSkinner::RadioButton: skinner = new TSkinRadioButton(owner); break;
        case TWindowSkinner::Button: skinner = new TSkinButton(owner); break;
        case TWindowSkinner::ComBox: skinner = new TSkinComBox(owner); break;
        case TWindowSkinner::ComBoxChild:
            skinner = new TSkinComBox(owner);
            target = firstChild;
            break;
        case TWindowSkinner::Sizer: skinner = new TSkinSizer(owner); break;
        case TWindowSkinner::Tab: skinner = new TSkinTab(owner); break;
        case TWindowSkinner::Edit: skinner = new TSkinEdit(owner); break;
    }
    skinner->HookWindow(target, &skin, &frame, frame.ControlCanvas());
    if (skinner->State() != ssAttached) delete skinner;
}

TSkinControl* TControlClassifier::FindControlSkinner(HWND window) const {
    for (TSkinControl* skinner : frame.ControlSkinners())
        if (skinner->Handle() == window) return skinner;
    return nullptr;
}
