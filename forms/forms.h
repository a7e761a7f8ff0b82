#pragma once
// Forms: top-level windows built from their form description, and the screen object that lists
// them.

#include <vector>

#include "forms/controls.h"

enum TPosition {
    poDesigned,
    poDefault,
    poDefaultPosOnly,
    poDefaultSizeOnly,
    poScreenCenter,
    poDesktopCenter,
    poMainFormCenter,
    poOwnerFormCenter
};
enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
enum TBorderIcon { biSystemMenu, biMinimize, biMaximize, biHelp };
using TBorderIcons = uint32_t;  // bit n for TBorderIcon n
enum TFormStyle { fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop };
enum TCloseAction { caNone, caHide, caFree, caMinimize };

using TCloseEvent = std::function<void(TObject* sender, TCloseAction& action)>;

class TCustomForm : public TWinControl {
    PONDERIX_CLASS(TCustomForm, TWinControl)
public:
    explicit TCustomForm(TComponent* owner);
    ~TCustomForm() override;

    TPosition Position() const { return position; }
    void SetPosition(TPosition value) { position = value; }
    TFormBorderStyle BorderStyle() const { return borderStyle; }
    void SetBorderStyle(TFormBorderStyle value);
    TBorderIcons BorderIcons() const { return borderIcons; }
    void SetBorderIcons(TBorderIcons value);
    TFormStyle FormStyle() const { return formStyle; }
    void SetFormStyle(TFormStyle value) { formStyle = value; }
    int ClientWidth();
    int ClientHeight();
    void SetClientWidth(int value);
    void SetClientHeight(int value);
    // The window's menu bar: a TMainMenu, or none (EInvalidOperation for any other component,
    // or for a menu another form shows). The menu is put on the window whenever it has one.
    TComponent* Menu() const { return menu; }
    virtual void SetMenu(TComponent* value);

    // Shows the window and brings it to the front.
    void Show();
    void Hide() { SetVisible(false); }
    // Closes the window as its close box does: the main form ends the program, other forms hide
    // unless OnClose says otherwise.
    void Close();
    // Frees the form once the messages now queued have been handled.
    void Release();

    TNotifyEvent OnCreate;
    TNotifyEvent OnDestroy;
    TNotifyEvent OnShow;
    TCloseEvent OnClose;

    // Runs OnCreate; the application calls it once the description has been read.
    virtual void DoCreate();

protected:
    void CreateParams(TCreateParams& params) override;
    void WndProc(TMessage& message) override;
    void Notification(TComponent* component, TOperation operation) override;
    void SetVisible(bool value) override;
    void AfterCreateHandle() override;

private:
    void ApplyFrameStyle();
    // Routes a menu's WM_COMMAND, WM_MEASUREITEM, WM_DRAWITEM, WM_INITMENUPOPUP and WM_MENUCHAR
    // to the main menu, and puts the menu back on the window on CM_MENUCHANGED; answers true
    // when handled.
    bool MenuMessage(TMessage& message);
    // Remembers the child that has the focus when the window is deactivated and gives the
    // focus back to it when the window is activated again; answers true when it did.
    bool KeepFocusOnActivation(const TMessage& message);
    void PlaceOnScreen(TCreateParams& params) const;

    TPosition position = poDesigned;
    TFormBorderStyle borderStyle = bsSizeable;
    TBorderIcons borderIcons = (1u << biSystemMenu) | (1u << biMinimize) | (1u << biMaximize);
    TFormStyle formStyle = fsNormal;
    int clientWidth = -1, clientHeight = -1;  // wanted before the window exists
    TComponent* menu = nullptr;
    bool placed = false;
    HWND focusedChild = nullptr;  // the child that had the focus when last deactivated
};

class TForm : public TCustomForm {
    PONDERIX_CLASS(TForm, TCustomForm)
public:
    using TCustomForm::TCustomForm;
};

extern const TEnumInfo PositionType;
extern const TEnumInfo FormBorderStyleType;
extern const TEnumInfo BorderIconType;
extern const TEnumInfo FormStyleType;

class TScreen : public TComponent {
    PONDERIX_CLASS(TScreen, TComponent)
public:
    explicit TScreen(TComponent* owner);

    int FormCount() const { return static_cast<int>(forms.size()); }
    TCustomForm* Forms(int index) const { return forms.at(static_cast<size_t>(index)); }
    // The font of menus, from the system's non-client metrics.
    TFont* MenuFont();

private:
    friend class TCustomForm;
    std::vector<TCustomForm*> forms;
    TFont menuFont;
    bool menuFontRead = false;
};

extern TScreen* Screen;

// Reads the form description stored as an RCDATA resource named after root's class (upper
// case). Answers false when there is none; a malformed one raises EReadError.
bool ReadFormResource(TComponent& root);

void RegisterFormClasses();
