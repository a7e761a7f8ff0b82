#pragma once
// TMainForm: the calculator's main window, built from its form description (main_form.dfm):
// six pages of calculators, the help and exit buttons, and the four section tables.

#include "data/ado_table.h"
#include "data/data_source.h"
#include "data/db_grid.h"
#include "forms/buttons.h"
#include "forms/combo_box.h"
#include "forms/containers.h"
#include "forms/edits.h"
#include "forms/forms.h"
#include "forms/label.h"
#include "forms/page_control.h"
#include "skin/skin_data.h"

class TMainForm : public TForm {
    PONDERIX_CLASS(TMainForm, TForm)
public:
    using TForm::TForm;

    // Components of the form description, bound by name when it is read.
    TPageControl* PageControl1 = nullptr;
    TTabSheet* TabSheet1 = nullptr;
    TTabSheet* TabSheet2 = nullptr;
    TTabSheet* TabSheet3 = nullptr;
    TTabSheet* TabSheet4 = nullptr;
    TTabSheet* TabSheet5 = nullptr;
    TTabSheet* TabSheet6 = nullptr;
    TGroupBox* GroupBox1 = nullptr;
    TGroupBox* GroupBox2 = nullptr;
    TGroupBox* GroupBox3 = nullptr;
    TGroupBox* GroupBox4 = nullptr;
    TGroupBox* GroupBox5 = nullptr;
    TGroupBox* GroupBox6 = nullptr;
    TGroupBox* GroupBox7 = nullptr;
    TLabel* Label1 = nullptr;
    TLabel* Label2 = nullptr;
    TLabel* Label3 = nullptr;
    TLabel* Label4 = nullptr;
    TLabel* Label5 = nullptr;
    TLabel* Label6 = nullptr;
    TLabel* Label7 = nullptr;
    TLabel* Label8 = nullptr;
    TLabel* Label9 = nullptr;
    TLabel* Label10 = nullptr;
    TLabel* Label11 = nullptr;
    TLabel* Label12 = nullptr;
    TLabel* Label13 = nullptr;
    TLabel* Label14 = nullptr;
    TLabel* Label15 = nullptr;
    TLabel* Label16 = nullptr;
    TLabel* Label17 = nullptr;
    TLabel* Label18 = nullptr;
    TLabel* Label19 = nullptr;
    TLabel* Label20 = nullptr;
    TLabel* Label21 = nullptr;
    TLabel* Label22 = nullptr;
    TLabel* Label23 = nullptr;
    TLabel* Label24 = nullptr;
    TLabel* Label25 = nullptr;
    TLabel* Label26 = nullptr;
    TEdit* Edit1 = nullptr;
    TEdit* Edit2 = nullptr;
    TEdit* Edit3 = nullptr;
    TEdit* Edit4 = nullptr;
    TEdit* Edit5 = nullptr;
    TEdit* Edit6 = nullptr;
    TEdit* Edit7 = nullptr;
    TEdit* Edit8 = nullptr;
    TEdit* Edit9 = nullptr;
    TEdit* Edit10 = nullptr;
    TEdit* Edit11 = nullptr;
    TEdit* Edit12 = nullptr;
    TEdit* Edit13 = nullptr;
    TEdit* Edit14 = nullptr;
    TEdit* Edit15 = nullptr;
    TEdit* Edit16 = nullptr;
    TEdit* Edit17 = nullptr;
    TEdit* Edit18 = nullptr;
    TEdit* Edit19 = nullptr;
    TEdit* Edit20 = nullptr;
    TEdit* Edit21 = nullptr;
    TComboBox* ComboBox1 = nullptr;
    TComboBox* ComboBox2 = nullptr;
    TComboBox* ComboBox3 = nullptr;
    TComboBox* ComboBox4 = nullptr;
    TComboBox* ComboBox5 = nullptr;
    TRadioButton* RadioButton1 = nullptr;
    TRadioButton* RadioButton2 = nullptr;
    TRadioButton* RadioButton3 = nullptr;
    TRadioButton* RadioButton4 = nullptr;
    TRadioButton* RadioButton5 = nullptr;
    TRadioButton* RadioButton6 = nullptr;
    TRadioButton* RadioButton7 = nullptr;
    TRadioButton* RadioButton8 = nullptr;
    TRadioButton* RadioButton9 = nullptr;
    TRadioButton* RadioButton10 = nullptr;
    TRadioButton* RadioButton11 = nullptr;
    TRadioButton* RadioButton12 = nullptr;
    TRadioButton* RadioButton13 = nullptr;
    TRadioButton* RadioButton14 = nullptr;
    TRadioButton* RadioButton15 = nullptr;
    TButton* Button1 = nullptr;
    TButton* Button2 = nullptr;
    TButton* Button3 = nullptr;
    TButton* Button4 = nullptr;
    TButton* Button5 = nullptr;
    TButton* Button6 = nullptr;
    TButton* Button7 = nullptr;
    TButton* Button8 = nullptr;
    TDBGrid* DBGrid1 = nullptr;
    TDBGrid* DBGrid2 = nullptr;
    TDBGrid* DBGrid3 = nullptr;
    TDBGrid* DBGrid4 = nullptr;
    TADOTable* ADOTable1 = nullptr;
    TADOTable* ADOTable2 = nullptr;
    TADOTable* ADOTable3 = nullptr;
    TADOTable* ADOTable4 = nullptr;
    TDataSource* DataSource1 = nullptr;
    TDataSource* DataSource2 = nullptr;
    TDataSource* DataSource3 = nullptr;
    TDataSource* DataSource4 = nullptr;
    TSkinData* SkinData1 = nullptr;

    void FormCreate(TObject* sender);
    void Button1Click(TObject* sender);
    void Button2Click(TObject* sender);
    // The key filter of every numeric box (one rule for all fifteen).
    void Edit1KeyPress(TObject* sender, wchar_t& key);
    void Edit2KeyPress(TObject* sender, wchar_t& key);
    void Edit4KeyPress(TObject* sender, wchar_t& key);
    void Edit5KeyPress(TObject* sender, wchar_t& key);
    void Edit7KeyPress(TObject* sender, wchar_t& key);
    void Edit8KeyPress(TObject* sender, wchar_t& key);
    void Edit10KeyPress(TObject* sender, wchar_t& key);
    void Edit11KeyPress(TObject* sender, wchar_t& key);
    void Edit13KeyPress(TObject* sender, wchar_t& key);
    void Edit14KeyPress(TObject* sender, wchar_t& key);
    void Edit15KeyPress(TObject* sender, wchar_t& key);
    void Edit17KeyPress(TObject* sender, wchar_t& key);
    void Edit18KeyPress(TObject* sender, wchar_t& key);
    void Edit20KeyPress(TObject* sender, wchar_t& key);
    void Edit21KeyPress(TObject* sender, wchar_t& key);
    // Shape calculators and material densities.
    void Button3Click(TObject* sender);
    void Button7Click(TObject* sender);
    void Button8Click(TObject* sender);
    void ComboBox3Change(TObject* sender);
    void ComboBox4Change(TObject* sender);
    void ComboBox5Change(TObject* sender);
    void RadioButton10Click(TObject* sender);
    void RadioButton11Click(TObject* sender);
    void RadioButton12Click(TObject* sender);
    // Section tables.
    void Button4Click(TObject* sender);
    void Button5Click(TObject* sender);
    void Button6Click(TObject* sender);
    void RadioButton1Click(TObject* sender);
    void RadioButton2Click(TObject* sender);
    void RadioButton3Click(TObject* sender);
    void RadioButton4Click(TObject* sender);
    void RadioButton5Click(TObject* sender);
    void RadioButton6Click(TObject* sender);
    void RadioButton7Click(TObject* sender);
    void RadioButton8Click(TObject* sender);
    void RadioButton9Click(TObject* sender);
    void RadioButton13Click(TObject* sender);
    void RadioButton14Click(TObject* sender);
    void RadioButton15Click(TObject* sender);

private:
    // Converts one box's text (an edit or a combo box) to a single-precision number.
    static float Input(TWinControl* box);
    // Switches a section page to another table: close, caption, table name, open.
    void SwitchTable(TGroupBox* group, const wchar_t* caption, TADOTable* table,
                     const wchar_t* tableName);
    void SectionCalculation(TDBGrid* grid, TEdit* length, TEdit* density, TEdit* result);
    void ShowCheckeredGrid(const wchar_t* caption, const wchar_t* tableName);
};

extern TMainForm* MainForm;

// Registers the classes that the program's form descriptions name.
void RegisterApplicationClasses();
