#include "app/about_box.h"

TAboutBox* AboutBox = nullptr;

PONDERIX_DEFINE_CLASS(TAboutBox, [](TClassBuilder<TAboutBox>& b) {
    b.Field("Panel1", &TAboutBox::Panel1);
    b.Field("ProgramIcon", &TAboutBox::ProgramIcon);
    b.Field("ProductName", &TAboutBox::ProductName);
    b.Field("Version", &TAboutBox::Version);
    b.Field("Label1", &TAboutBox::Label1);
    b.Field("OKButton", &TAboutBox::OKButton);
    b.Field("Memo1", &TAboutBox::Memo1);
    b.Method("OKButtonClick", &TAboutBox::OKButtonClick);
})

void TAboutBox::OKButtonClick(TObject*) { Close(); }
