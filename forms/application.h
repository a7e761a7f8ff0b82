#pragma once
// The application object: the main form, the message loop, and the error box that shows every
// error an event handler raises. Also the start-up failure box for errors that stop the program
// before its main window exists.

#include <exception>
#include <functional>
#include <string>

#include "forms/forms.h"

class TApplication : public TComponent {
    PONDERIX_CLASS(TApplication, TComponent)
public:
    explicit TApplication(TComponent* owner);

    void Initialize();
    // Creates a form of class T owned by the application, reads its form description, runs its
    // OnCreate; the first form created becomes the main form.
    template <class T>
    void CreateForm(T*& reference) {
        auto* form = new T(this);
        reference = form;
        try {
            ReadFormResource(*form);
            if (!mainForm) mainForm = form;
            form->DoCreate();
        } catch (...) {
            reference = nullptr;
            if (mainForm == form) mainForm = nullptr;
            delete form;
            throw;
        }
    }
    // Shows the main form and runs the message loop until it closes; answers the exit code.
    int Run();
    void ProcessMessages();
    void Terminate();
    bool Terminated() const { return terminated; }

    TCustomForm* MainForm() const { return mainForm; }
    void ForgetMainForm() { mainForm = nullptr; }
    // The program file's name without folder, cut at its first ".", every character after the
    // first in lower case ("PONDERIX.EXE" gives "Ponderix").
    const std::wstring& Title() const { return title; }

    // Shows an error raised in an event handler: OnException when assigned, else the error box.
    void HandleException(const std::exception& error);
    void ShowException(const std::exception& error);
    std::function<void(TObject* sender, const std::exception& error)> OnException;

    // Keys used before they reach their window: a main-menu item's shortcut runs the item;
    // keyboard navigation between controls: Tab and
    // Shift+Tab move the focus, Ctrl+Tab switches pages, Enter presses the focused or the
    // default button and Escape the cancel button, unless the focused control wants the key.
    // Answers true when the key was used.
    bool IsDialogKey(const MSG& msg);

private:
    TCustomForm* mainForm = nullptr;
    std::wstring title;
    bool terminated = false;
};

extern TApplication* Application;

// The window procedures' way to the application's error box.
void ApplicationHandleException(const std::exception& error);

// The title rule, from a program path.
std::wstring ApplicationTitleFromPath(const std::wstring& path);
// The text of the error box: the message, with "." appended when its last character sorts
// after "." (a letter, a digit, a Chinese character), not after ".", "'" or ")".
std::wstring ErrorBoxText(const std::wstring& message);
// The start-up failure box's text: "异常 %s 发生在模块 %s 中的 %p 位置." and the message.
std::wstring StartupFailureText(const std::exception& error, const std::wstring& moduleName);
// Shows it, task-modal, titled "应用程序错误". The caller then ends with exit code 1.
void ShowStartupFailure(const std::exception& error);
