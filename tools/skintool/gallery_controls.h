#pragma once
// The gallery's groups of controls, one function each, so that a control class added to the
// class library (and its skinner) joins the gallery as one more function and one more call in
// the gallery's layout (gallery_win.cpp). Every function creates its controls owned by the
// window `form` and placed on `parent`, in the rectangle given (client coordinates of parent),
// and names them after their group ("PushButton", "CheckedBox", ...), so tests find them.

#include <functional>

#include "forms/forms.h"
#include "forms/geometry.h"

class TGalleryDatabase;

// What the gallery's buttons and menu items do.
struct TGalleryActions {
    std::function<void()> showMessageBox;
    std::function<void()> showSecondWindow;
    std::function<void(TControl* below)> showPopupMenu;
    std::function<void()> reload;
    std::function<void()> close;
};

// Push, default, disabled and bitmap buttons, and the buttons that open a message box, the
// popup menu and the second window.
void AddButtons(TForm& form, TWinControl& parent, const TRect& area,
                const TGalleryActions& actions);
// Check boxes unchecked, checked and indeterminate, a disabled one, and radio buttons.
void AddChoices(TForm& form, TWinControl& parent, const TRect& area);
// Edits (plain, read-only, disabled) and combo boxes (drop-down, drop-down list, disabled).
void AddEdits(TForm& form, TWinControl& parent, const TRect& area);
// A group box and a panel holding a few controls.
void AddContainers(TForm& form, TWinControl& parent, const TRect& area);
// A memo whose text runs past both of its scroll bars.
void AddMemo(TForm& form, TWinControl& parent, const TRect& area);
// A grid on the gallery's own table, with more rows and columns than fit.
void AddGrid(TForm& form, TWinControl& parent, const TRect& area, const TGalleryDatabase& db);
// Up-down buttons (both orientations, one beside an edit), progress bars and track bars
// (horizontal, vertical and disabled).
void AddIndicators(TForm& form, TWinControl& parent, const TRect& area);
// A status bar with panels.
void AddStatusBar(TForm& form, TWinControl& parent, const TRect& area);
// The main menu with its drop-downs (a sub-menu, checked, disabled and default items) and the
// popup menu that showPopupMenu opens.
void AddMenus(TForm& form, const TGalleryActions& actions);
