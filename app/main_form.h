#pragma once
// TMainForm: the calculator's main window, built from its form description (main_form.dfm).

#include "forms/forms.h"

class TMainForm : public TForm {
    PONDERIX_CLASS(TMainForm, TForm)
public:
    using TForm::TForm;
};

extern TMainForm* MainForm;

// Registers the classes that the program's form descriptions name.
void RegisterApplicationClasses();
