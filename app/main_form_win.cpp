#include "app/main_form.h"

TMainForm* MainForm = nullptr;

PONDERIX_DEFINE_CLASS(TMainForm, [](TClassBuilder<TMainForm>&) {})

void RegisterApplicationClasses() { RegisterComponentClass(TMainForm::StaticClass()); }
