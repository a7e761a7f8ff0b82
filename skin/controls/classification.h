#pragma once
// The control classification: when a frame skinner attaches to a window, every component of the
// form (or every child window of a window that is not a form) is given at most one control
// skinner, chosen by its class, the skin's SkinControls gates and Skin3rd lines, and the
// application's OnSkinControl event. It works on the frame skinner only through the interface
// the frame skinner offers (its list, canvas and the owner of bare-window skinners).

#include <windows.h>

#include <string>
#include <vector>

#include "skin/controls/classification_rules.h"

class TComponent;
class TControlSkinnerHost;
class TSkinControl;
class TSkinData;

class TControlClassifier {
public:
    TControlClassifier(TControlSkinnerHost& frame, TSkinData& skin) : frame(frame), skin(skin) {}

    // Frees the skinners whose window is gone, then classifies every component the container
    // owns, in component order.
    void SkinComponents(TComponent* container);
    void ClassifyComponent(TComponent* component, TComponent* owner);
    // The Skin3rd mapping; false when no line names the class.
    bool ClassifyBySkin3rd(const std::string& upperName, TComponent* component);
    bool IsControlSkinned(TComponent* component) const;
    bool NeedsScrollSkin(TComponent* component) const;
    // ClassifyWindow for every direct child window of window.
    void SkinChildWindows(HWND window);
    void ClassifyWindow(HWND window);
    TSkinControl* FindControlSkinner(HWND window) const;

private:
    TSkinFacts Facts() const;
    // Carries out an action decided for the component.
    void Apply(const TClassifyAction& action, TComponent* component);
    TSkinControl* AttachNew(TSkinnerKind kind, THookKind hook, TComponent* component, bool recolour,
                            int scrollMode);

    TControlSkinnerHost& frame;
    TSkinData& skin;
    // The skin's Skin3rd lines, read once for all the components a classifier goes through.
    std::vector<std::wstring> skin3rdLines;
    bool skin3rdRead = false;
};

// Whether an object is of the named class or derives from it (by class-library class names,
// so that classes the library does not have simply never match).
bool IsOfClass(const TComponent* component, std::string_view className);
