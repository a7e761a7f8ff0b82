#pragma once
// TAboutBox: the help window. Created hidden at start-up, shown without blocking the main
// window, and only hidden again by its close button or close box.

#include "forms/buttons.h"
#include "forms/containers.h"
#include "forms/edits.h"
#include "forms/forms.h"
#include "forms/image.h"
#include "forms/label.h"

class TAboutBox : public TForm {
    PONDERIX_CLASS(TAboutBox, TForm)
public:
    using TForm::TForm;

    TPanel* Panel1 = nullptr;
    TImage* ProgramIcon = nullptr;
    TLabel* ProductName = nullptr;
    TLabel* Version = nullptr;
    TLabel* Label1 = nullptr;
    TButton* OKButton = nullptr;
    TMemo* Memo1 = nullptr;

    void OKButtonClick(TObject* sender);
};

extern TAboutBox* AboutBox;
