#include "app/main_form.h"

#include "app/about_box.h"
#include "app/densities.h"
#include "app/number_rules.h"
#include "app/weights.h"
#include "forms/application.h"

TMainForm* MainForm = nullptr;

PONDERIX_DEFINE_CLASS(TMainForm, [](TClassBuilder<TMainForm>& b) {
    // Fields
    b.Field("PageControl1", &TMainForm::PageControl1);
    b.Field("TabSheet1", &TMainForm::TabSheet1);
    b.Field("TabSheet2", &TMainForm::TabSheet2);
    b.Field("TabSheet3", &TMainForm::TabSheet3);
    b.Field("TabSheet4", &TMainForm::TabSheet4);
    b.Field("TabSheet5", &TMainForm::TabSheet5);
    b.Field("TabSheet6", &TMainForm::TabSheet6);
    b.Field("GroupBox1", &TMainForm::GroupBox1);
    b.Field("GroupBox2", &TMainForm::GroupBox2);
    b.Field("GroupBox3", &TMainForm::GroupBox3);
    b.Field("GroupBox4", &TMainForm::GroupBox4);
    b.Field("GroupBox5", &TMainForm::GroupBox5);
    b.Field("GroupBox6", &TMainForm::GroupBox6);
    b.Field("GroupBox7", &TMainForm::GroupBox7);
    b.Field("Label1", &TMainForm::Label1);
    b.Field("Label2", &TMainForm::Label2);
    b.Field("Label3", &TMainForm::Label3);
    b.Field("Label4", &TMainForm::Label4);
    b.Field("Label5", &TMainForm::Label5);
    b.Field("Label6", &TMainForm::Label6);
    b.Field("Label7", &TMainForm::Label7);
    b.Field("Label8", &TMainForm::Label8);
    b.Field("Label9", &TMainForm::Label9);
    b.Field("Label10", &TMainForm::Label10);
    b.Field("Label11", &TMainForm::Label11);
    b.Field("Label12", &TMainForm::Label12);
    b.Field("Label13", &TMainForm::Label13);
    b.Field("Label14", &TMainForm::Label14);
    b.Field("Label15", &TMainForm::Label15);
    b.Field("Label16", &TMainForm::Label16);
    b.Field("Label17", &TMainForm::Label17);
    b.Field("Label18", &TMainForm::Label18);
    b.Field("Label19", &TMainForm::Label19);
    b.Field("Label20", &TMainForm::Label20);
    b.Field("Label21", &TMainForm::Label21);
    b.Field("Label22", &TMainForm::Label22);
    b.Field("Label23", &TMainForm::Label23);
    b.Field("Label24", &TMainForm::Label24);
    b.Field("Label25", &TMainForm::Label25);
    b.Field("Label26", &TMainForm::Label26);
    b.Field("Edit1", &TMainForm::Edit1);
    b.Field("Edit2", &TMainForm::Edit2);
    b.Field("Edit3", &TMainForm::Edit3);
    b.Field("Edit4", &TMainForm::Edit4);
    b.Field("Edit5", &TMainForm::Edit5);
    b.Field("Edit6", &TMainForm::Edit6);
    b.Field("Edit7", &TMainForm::Edit7);
    b.Field("Edit8", &TMainForm::Edit8);
    b.Field("Edit9", &TMainForm::Edit9);
    b.Field("Edit10", &TMainForm::Edit10);
    b.Field("Edit11", &TMainForm::Edit11);
    b.Field("Edit12", &TMainForm::Edit12);
    b.Field("Edit13", &TMainForm::Edit13);
    b.Field("Edit14", &TMainForm::Edit14);
    b.Field("Edit15", &TMainForm::Edit15);
    b.Field("Edit16", &TMainForm::Edit16);
    b.Field("Edit17", &TMainForm::Edit17);
    b.Field("Edit18", &TMainForm::Edit18);
    b.Field("Edit19", &TMainForm::Edit19);
    b.Field("Edit20", &TMainForm::Edit20);
    b.Field("Edit21", &TMainForm::Edit21);
    b.Field("ComboBox1", &TMainForm::ComboBox1);
    b.Field("ComboBox2", &TMainForm::ComboBox2);
    b.Field("ComboBox3", &TMainForm::ComboBox3);
    b.Field("ComboBox4", &TMainForm::ComboBox4);
    b.Field("ComboBox5", &TMainForm::ComboBox5);
    b.Field("RadioButton1", &TMainForm::RadioButton1);
    b.Field("RadioButton2", &TMainForm::RadioButton2);
    b.Field("RadioButton3", &TMainForm::RadioButton3);
    b.Field("RadioButton4", &TMainForm::RadioButton4);
    b.Field("RadioButton5", &TMainForm::RadioButton5);
    b.Field("RadioButton6", &TMainForm::RadioButton6);
    b.Field("RadioButton7", &TMainForm::RadioButton7);
    b.Field("RadioButton8", &TMainForm::RadioButton8);
    b.Field("RadioButton9", &TMainForm::RadioButton9);
    b.Field("RadioButton10", &TMainForm::RadioButton10);
    b.Field("RadioButton11", &TMainForm::RadioButton11);
    b.Field("RadioButton12", &TMainForm::RadioButton12);
    b.Field("RadioButton13", &TMainForm::RadioButton13);
    b.Field("RadioButton14", &TMainForm::RadioButton14);
    b.Field("RadioButton15", &TMainForm::RadioButton15);
    b.Field("Button1", &TMainForm::Button1);
    b.Field("Button2", &TMainForm::Button2);
    b.Field("Button3", &TMainForm::Button3);
    b.Field("Button4", &TMainForm::Button4);
    b.Field("Button5", &TMainForm::Button5);
    b.Field("Button6", &TMainForm::Button6);
    b.Field("Button7", &TMainForm::Button7);
    b.Field("Button8", &TMainForm::Button8);
    b.Field("DBGrid1", &TMainForm::DBGrid1);
    b.Field("DBGrid2", &TMainForm::DBGrid2);
    b.Field("DBGrid3", &TMainForm::DBGrid3);
    b.Field("DBGrid4", &TMainForm::DBGrid4);
    b.Field("ADOTable1", &TMainForm::ADOTable1);
    b.Field("ADOTable2", &TMainForm::ADOTable2);
    b.Field("ADOTable3", &TMainForm::ADOTable3);
    b.Field("ADOTable4", &TMainForm::ADOTable4);
    b.Field("DataSource1", &TMainForm::DataSource1);
    b.Field("DataSource2", &TMainForm::DataSource2);
    b.Field("DataSource3", &TMainForm::DataSource3);
    b.Field("DataSource4", &TMainForm::DataSource4);
    b.Field("SkinData1", &TMainForm::SkinData1);
    // Event handlers
    b.Method("FormCreate", &TMainForm::FormCreate);
    b.Method("Button1Click", &TMainForm::Button1Click);
    b.Method("Button2Click", &TMainForm::Button2Click);
    b.Method("Edit1KeyPress", &TMainForm::Edit1KeyPress);
    b.Method("Edit2KeyPress", &TMainForm::Edit2KeyPress);
    b.Method("Edit4KeyPress", &TMainForm::Edit4KeyPress);
    b.Method("Edit5KeyPress", &TMainForm::Edit5KeyPress);
    b.Method("Edit7KeyPress", &TMainForm::Edit7KeyPress);
    b.Method("Edit8KeyPress", &TMainForm::Edit8KeyPress);
    b.Method("Edit10KeyPress", &TMainForm::Edit10KeyPress);
    b.Method("Edit11KeyPress", &TMainForm::Edit11KeyPress);
    b.Method("Edit13KeyPress", &TMainForm::Edit13KeyPress);
    b.Method("Edit14KeyPress", &TMainForm::Edit14KeyPress);
    b.Method("Edit15KeyPress", &TMainForm::Edit15KeyPress);
    b.Method("Edit17KeyPress", &TMainForm::Edit17KeyPress);
    b.Method("Edit18KeyPress", &TMainForm::Edit18KeyPress);
    b.Method("Edit20KeyPress", &TMainForm::Edit20KeyPress);
    b.Method("Edit21KeyPress", &TMainForm::Edit21KeyPress);
    b.Method("Button3Click", &TMainForm::Button3Click);
    b.Method("Button7Click", &TMainForm::Button7Click);
    b.Method("Button8Click", &TMainForm::Button8Click);
    b.Method("ComboBox3Change", &TMainForm::ComboBox3Change);
    b.Method("ComboBox4Change", &TMainForm::ComboBox4Change);
    b.Method("ComboBox5Change", &TMainForm::ComboBox5Change);
    b.Method("RadioButton10Click", &TMainForm::RadioButton10Click);
    b.Method("RadioButton11Click", &TMainForm::RadioButton11Click);
    b.Method("RadioButton12Click", &TMainForm::RadioButton12Click);
    b.Method("Button4Click", &TMainForm::Button4Click);
    b.Method("Button5Click", &TMainForm::Button5Click);
    b.Method("Button6Click", &TMainForm::Button6Click);
    b.Method("RadioButton1Click", &TMainForm::RadioButton1Click);
    b.Method("RadioButton2Click", &TMainForm::RadioButton2Click);
    b.Method("RadioButton3Click", &TMainForm::RadioButton3Click);
    b.Method("RadioButton4Click", &TMainForm::RadioButton4Click);
    b.Method("RadioButton5Click", &TMainForm::RadioButton5Click);
    b.Method("RadioButton6Click", &TMainForm::RadioButton6Click);
    b.Method("RadioButton7Click", &TMainForm::RadioButton7Click);
    b.Method("RadioButton8Click", &TMainForm::RadioButton8Click);
    b.Method("RadioButton9Click", &TMainForm::RadioButton9Click);
    b.Method("RadioButton13Click", &TMainForm::RadioButton13Click);
    b.Method("RadioButton14Click", &TMainForm::RadioButton14Click);
    b.Method("RadioButton15Click", &TMainForm::RadioButton15Click);
})

namespace {

// The key filter: digits, "." and backspace pass; everything else is dropped.
void FilterKey(wchar_t& key) {
    if (!NumericKeyPasses(key)) key = 0;
}

// Sets a page's density from the material box: the selected list item's text, compared with
// the page's materials in table order; no selected item, or no match, changes nothing.
void ApplyMaterial(TComboBox* materials, TEdit* density, MaterialPage page) {
    const int index = materials->ItemIndex();
    const std::wstring item = index >= 0 ? materials->Items()->Get(index) : std::wstring();
    if (auto text = DensityForMaterial(page, item)) density->SetTextValue(std::wstring(*text));
}

}  // namespace

float TMainForm::Input(TWinControl* box) { return ConvertInput(box->GetText()); }

void TMainForm::FormCreate(TObject*) {
    if (RadioButton9->Checked()) DBGrid4->SetVisible(false);
}

void TMainForm::Button1Click(TObject*) { AboutBox->Show(); }

void TMainForm::Button2Click(TObject*) { Close(); }

void TMainForm::Edit1KeyPress(TObject*, wchar_t& key) { FilterKey(key); }
void TMainForm::Edit2KeyPress(TObject*, wchar_t& key) { FilterKey(key); }
void TMainForm::Edit4KeyPress(TObject*, wchar_t& key) { FilterKey(key); }
void TMainForm::Edit5KeyPress(TObject*, wchar_t& key) { FilterKey(key); }
void TMainForm::Edit7KeyPress(TObject*, wchar_t& key) { FilterKey(key); }
void TMainForm::Edit8KeyPress(TObject*, wchar_t& key) { FilterKey(key); }
void TMainForm::Edit10KeyPress(TObject*, wchar_t& key) { FilterKey(key); }
void TMainForm::Edit11KeyPress(TObject*, wchar_t& key) { FilterKey(key); }
void TMainForm::Edit13KeyPress(TObject*, wchar_t& key) { FilterKey(key); }
void TMainForm::Edit14KeyPress(TObject*, wchar_t& key) { FilterKey(key); }
void TMainForm::Edit15KeyPress(TObject*, wchar_t& key) { FilterKey(key); }
void TMainForm::Edit17KeyPress(TObject*, wchar_t& key) { FilterKey(key); }
void TMainForm::Edit18KeyPress(TObject*, wchar_t& key) { FilterKey(key); }
void TMainForm::Edit20KeyPress(TObject*, wchar_t& key) { FilterKey(key); }
void TMainForm::Edit21KeyPress(TObject*, wchar_t& key) { FilterKey(key); }

// ---- shape calculators ----------------------------------------------------------------------

void TMainForm::Button3Click(TObject*) {
    const float outer = Input(ComboBox1);
    const float wall = Input(ComboBox2);
    const float length = Input(Edit1);
    const float density = Input(Edit2);
    Edit3->SetTextValue(FormatWeight(PipeWeight(outer, wall, length, density)));
}

void TMainForm::Button7Click(TObject*) {
    const float size = Input(Edit13);
    const float length = Input(Edit15);
    const float density = Input(Edit14);
    const BarShape shape = RadioButton10->Checked()   ? BarShape::Round
                           : RadioButton11->Checked() ? BarShape::Square
                                                      : BarShape::Hexagonal;
    Edit16->SetTextValue(FormatWeight(BarWeight(shape, size, length, density)));
}

void TMainForm::Button8Click(TObject*) {
    const float length = Input(Edit17);
    const float density = Input(Edit18);
    const float width = Input(Edit20);
    if (RadioButton9->Checked()) {
        const float thickness = Input(Edit21);
        Edit19->SetTextValue(FormatWeight(PlateWeight(length, width, thickness, density)));
        return;
    }
    const float unitWeight =
        ConvertInput(DBGrid4->DataSet()->FieldByName(L"单重(kg/m-2)")->AsString());
    Edit19->SetTextValue(FormatWeight(CheckeredPlateWeight(length, width, unitWeight, density)));
}

void TMainForm::ComboBox3Change(TObject*) { ApplyMaterial(ComboBox3, Edit2, MaterialPage::Pipe); }
void TMainForm::ComboBox4Change(TObject*) { ApplyMaterial(ComboBox4, Edit14, MaterialPage::Bar); }
void TMainForm::ComboBox5Change(TObject*) { ApplyMaterial(ComboBox5, Edit18, MaterialPage::Plate); }

void TMainForm::RadioButton10Click(TObject*) {
    GroupBox6->SetCaption(L"圆棒");
    Label16->SetCaption(L"直径(mm)：");
}

void TMainForm::RadioButton11Click(TObject*) {
    GroupBox6->SetCaption(L"方棒");
    Label16->SetCaption(L"边长(mm)：");
}

void TMainForm::RadioButton12Click(TObject*) {
    GroupBox6->SetCaption(L"六角棒");
    Label16->SetCaption(L"对边长(mm)：");
}

// ---- section tables -------------------------------------------------------------------------

void TMainForm::SwitchTable(TGroupBox* group, const wchar_t* caption, TADOTable* table,
                            const wchar_t* tableName) {
    if (table->Active()) table->Close();
    group->SetCaption(caption);
    table->SetTableName(tableName);
    table->Open();
}

void TMainForm::SectionCalculation(TDBGrid* grid, TEdit* length, TEdit* density, TEdit* result) {
    const float unitWeight = ConvertInput(grid->DataSet()->FieldByName(L"单重(kg/m)")->AsString());
    const float metres = Input(length);
    const float rho = Input(density);
    result->SetTextValue(FormatWeight(SectionWeight(unitWeight, metres, rho)));
}

void TMainForm::Button4Click(TObject*) { SectionCalculation(DBGrid1, Edit4, Edit5, Edit6); }
void TMainForm::Button5Click(TObject*) { SectionCalculation(DBGrid2, Edit7, Edit8, Edit9); }
void TMainForm::Button6Click(TObject*) { SectionCalculation(DBGrid3, Edit10, Edit11, Edit12); }

void TMainForm::RadioButton1Click(TObject*) {
    SwitchTable(GroupBox3, L"热轧槽钢", ADOTable1, L"槽钢");
}
void TMainForm::RadioButton2Click(TObject*) {
    SwitchTable(GroupBox3, L"热轧工字钢", ADOTable1, L"工字钢");
}
void TMainForm::RadioButton3Click(TObject*) {
    SwitchTable(GroupBox4, L"国标HW型钢", ADOTable2, L"H型钢国标HW");
}
void TMainForm::RadioButton4Click(TObject*) {
    SwitchTable(GroupBox4, L"国标HM型钢", ADOTable2, L"H型钢国标HM");
}
void TMainForm::RadioButton5Click(TObject*) {
    SwitchTable(GroupBox4, L"国标HN型钢", ADOTable2, L"H型钢国标HN");
}
void TMainForm::RadioButton6Click(TObject*) {
    SwitchTable(GroupBox4, L"国标HP型钢", ADOTable2, L"H型钢国标HP");
}
void TMainForm::RadioButton7Click(TObject*) {
    SwitchTable(GroupBox5, L"热轧等边角钢", ADOTable3, L"热轧等边角钢");
}
void TMainForm::RadioButton8Click(TObject*) {
    SwitchTable(GroupBox5, L"热轧不等边角钢", ADOTable3, L"热轧不等边角钢");
}

void TMainForm::RadioButton9Click(TObject*) {
    GroupBox7->SetCaption(L"普通钢板");
    DBGrid4->SetVisible(false);
    Label26->SetVisible(true);
    Edit21->SetVisible(true);
}

void TMainForm::ShowCheckeredGrid(const wchar_t* caption, const wchar_t* tableName) {
    DBGrid4->SetVisible(true);
    SwitchTable(GroupBox7, caption, ADOTable4, tableName);
    Label26->SetVisible(false);
    Edit21->SetVisible(false);
}

void TMainForm::RadioButton13Click(TObject*) { ShowCheckeredGrid(L"菱型花纹钢板", L"菱型钢板"); }
void TMainForm::RadioButton14Click(TObject*) { ShowCheckeredGrid(L"扁豆型花纹钢板", L"扁豆钢板"); }
void TMainForm::RadioButton15Click(TObject*) { ShowCheckeredGrid(L"圆豆型花纹钢板", L"圆豆钢板"); }

void RegisterApplicationClasses() {
    RegisterDataClasses();
    RegisterGridClasses();
    RegisterSkinDataClasses();
    RegisterComponentClass(TMainForm::StaticClass());
    RegisterComponentClass(TAboutBox::StaticClass());
}
