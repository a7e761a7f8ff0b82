object MainForm: TMainForm
  Left = 0
  Top = 0
  BorderIcons = [biSystemMenu]
  BorderStyle = bsSingle
  Caption = 'Ponderix'
  ClientHeight = 309
  ClientWidth = 480
  Color = clBtnFace
  Font.Charset = GB2312_CHARSET
  Font.Color = clWindowText
  Font.Height = -12
  Font.Name = 'MS Sans Serif'
  Font.Style = []
  Position = poScreenCenter
  OnCreate = FormCreate
  object PageControl1: TPageControl
    Left = 16
    Top = 16
    Width = 449
    Height = 241
    ActivePage = TabSheet1
    Font.Charset = GB2312_CHARSET
    Font.Color = clWindowText
    Font.Height = -12
    Font.Name = '宋体'
    Font.Style = []
    TabOrder = 0
    object TabSheet1: TTabSheet
      Caption = '管材'
      object GroupBox1: TGroupBox
        Left = 8
        Top = 16
        Width = 153
        Height = 185
        Caption = '管材'
        Font.Charset = GB2312_CHARSET
        Font.Color = clWindowText
        Font.Height = -12
        Font.Name = 'MS Sans Serif'
        Font.Style = []
        TabOrder = 0
        object Label1: TLabel
          Left = 16
          Top = 24
          Caption = '外径(mm)：'
        end
        object Label2: TLabel
          Left = 16
          Top = 80
          Caption = '壁厚(mm)：'
        end
        object Label3: TLabel
          Left = 16
          Top = 136
          Caption = '长度(m)：'
        end
        object ComboBox1: TComboBox
          Left = 16
          Top = 40
          Width = 121
          TabOrder = 1
          Items = ('6' '8' '10' '12' '13' '14' '18' '22' '25' '27' '32' '33.5' '34' '38' '42'
            '45' '48' '57' '60' '76' '89' '108' '114' '133' '140' '159' '168' '219' '273' '325'
            '355' '377' '406' '426' '457' '478' '508' '529')
        end
        object ComboBox2: TComboBox
          Left = 16
          Top = 96
          Width = 121
          TabOrder = 2
          Items = ('1' '1.5' '2' '2.5' '3' '3.5' '4' '4.5' '5' '6' '7' '8' '9' '10' '11' '12'
            '13' '14' '15' '16' '17' '18' '19' '20')
        end
        object Edit1: TEdit
          Left = 16
          Top = 152
          Width = 121
          Height = 20
          TabOrder = 0
          OnKeyPress = Edit1KeyPress
        end
      end
      object GroupBox2: TGroupBox
        Left = 192
        Top = 16
        Width = 241
        Height = 185
        Caption = '重量'
        Font.Charset = GB2312_CHARSET
        Font.Color = clWindowText
        Font.Height = -12
        Font.Name = 'MS Sans Serif'
        Font.Style = []
        TabOrder = 1
        object Label4: TLabel
          Left = 16
          Top = 32
          Caption = '材料类型：'
        end
        object Label5: TLabel
          Left = 16
          Top = 59
          Caption = '密度(t/m3)：'
        end
        object Label6: TLabel
          Left = 16
          Top = 120
          Caption = '计算重量(kg)：'
        end
        object ComboBox3: TComboBox
          Left = 104
          Top = 26
          Width = 121
          TabOrder = 0
          Text = '碳钢'
          Items = ('碳钢' '不锈钢' '铝' '紫铜' '塑料')
          OnChange = ComboBox3Change
        end
        object Edit2: TEdit
          Left = 104
          Top = 56
          Width = 121
          Height = 20
          TabOrder = 1
          Text = '7.85'
          OnKeyPress = Edit2KeyPress
        end
        object Edit3: TEdit
          Left = 16
          Top = 152
          Width = 105
          Height = 20
          ReadOnly = True
          TabOrder = 2
        end
        object Button3: TButton
          Left = 152
          Top = 144
          Width = 75
          Height = 25
          Caption = '计 算'
          TabOrder = 3
          OnClick = Button3Click
        end
      end
    end
    object TabSheet2: TTabSheet
      Caption = '槽钢/工字钢'
      object GroupBox3: TGroupBox
        Left = 8
        Top = 8
        Width = 425
        Height = 201
        Caption = '热轧槽钢'
        TabOrder = 0
        object Label7: TLabel
          Left = 225
          Top = 82
          Caption = '长度(m)：'
        end
        object Label8: TLabel
          Left = 224
          Top = 108
          Caption = '密度(t/m3)：'
        end
        object Label9: TLabel
          Left = 224
          Top = 152
          Caption = '计算重量(kg)：'
        end
        object DBGrid1: TDBGrid
          Left = 8
          Top = 16
          Width = 201
          Height = 177
          DataSource = DataSource1
          TabOrder = 6
          TitleFont.Charset = GB2312_CHARSET
          TitleFont.Color = clWindowText
          TitleFont.Height = -12
          TitleFont.Name = '宋体'
          TitleFont.Style = []
        end
        object Edit4: TEdit
          Left = 312
          Top = 78
          Width = 97
          Height = 20
          TabOrder = 1
          OnKeyPress = Edit4KeyPress
        end
        object Edit5: TEdit
          Left = 312
          Top = 105
          Width = 97
          Height = 20
          TabOrder = 2
          Text = '7.85'
          OnKeyPress = Edit5KeyPress
        end
        object Edit6: TEdit
          Left = 224
          Top = 168
          Width = 97
          Height = 20
          ReadOnly = True
          TabOrder = 3
        end
        object Button4: TButton
          Left = 336
          Top = 160
          Width = 73
          Height = 25
          Caption = '计 算'
          TabOrder = 0
          OnClick = Button4Click
        end
        object RadioButton1: TRadioButton
          Left = 224
          Top = 32
          Width = 81
          Height = 17
          Caption = '热轧槽钢'
          Checked = True
          TabOrder = 4
          OnClick = RadioButton1Click
        end
        object RadioButton2: TRadioButton
          Left = 320
          Top = 32
          Width = 89
          Height = 17
          Caption = '热轧工字钢'
          TabOrder = 5
          OnClick = RadioButton2Click
        end
      end
    end
    object TabSheet3: TTabSheet
      Caption = 'H型钢'
      object GroupBox4: TGroupBox
        Left = 8
        Top = 8
        Width = 425
        Height = 201
        Caption = '国标HW型钢'
        TabOrder = 0
        object Label10: TLabel
          Left = 225
          Top = 82
          Caption = '长度(m)：'
        end
        object Label11: TLabel
          Left = 224
          Top = 108
          Caption = '密度(t/m3)：'
        end
        object Label12: TLabel
          Left = 224
          Top = 152
          Caption = '计算重量(kg)：'
        end
        object DBGrid2: TDBGrid
          Left = 8
          Top = 16
          Width = 201
          Height = 177
          DataSource = DataSource2
          TabOrder = 6
          TitleFont.Charset = GB2312_CHARSET
          TitleFont.Color = clWindowText
          TitleFont.Height = -12
          TitleFont.Name = '宋体'
          TitleFont.Style = []
        end
        object Edit7: TEdit
          Left = 312
          Top = 78
          Width = 97
          Height = 20
          TabOrder = 1
          OnKeyPress = Edit7KeyPress
        end
        object Edit8: TEdit
          Left = 312
          Top = 105
          Width = 97
          Height = 20
          TabOrder = 2
          Text = '7.85'
          OnKeyPress = Edit8KeyPress
        end
        object Edit9: TEdit
          Left = 224
          Top = 168
          Width = 97
          Height = 20
          ReadOnly = True
          TabOrder = 3
        end
        object Button5: TButton
          Left = 336
          Top = 160
          Width = 73
          Height = 25
          Caption = '计 算'
          TabOrder = 0
          OnClick = Button5Click
        end
        object RadioButton3: TRadioButton
          Left = 224
          Top = 24
          Width = 81
          Height = 17
          Caption = '宽翼缘型HW'
          Checked = True
          TabOrder = 4
          OnClick = RadioButton3Click
        end
        object RadioButton4: TRadioButton
          Left = 320
          Top = 24
          Width = 89
          Height = 17
          Caption = '中翼缘型HM'
          TabOrder = 5
          OnClick = RadioButton4Click
        end
        object RadioButton5: TRadioButton
          Left = 224
          Top = 48
          Width = 89
          Height = 17
          Caption = '窄翼缘型HN'
          TabOrder = 7
          OnClick = RadioButton5Click
        end
        object RadioButton6: TRadioButton
          Left = 320
          Top = 48
          Width = 81
          Height = 17
          Caption = 'H型钢柱HP'
          TabOrder = 8
          OnClick = RadioButton6Click
        end
      end
    end
    object TabSheet4: TTabSheet
      Caption = '角钢'
      object GroupBox5: TGroupBox
        Left = 8
        Top = 8
        Width = 425
        Height = 201
        Caption = '热轧等边角钢'
        TabOrder = 0
        object Label13: TLabel
          Left = 225
          Top = 82
          Caption = '长度(m)：'
        end
        object Label14: TLabel
          Left = 224
          Top = 108
          Caption = '密度(t/m3)：'
        end
        object Label15: TLabel
          Left = 224
          Top = 152
          Caption = '计算重量(kg)：'
        end
        object DBGrid3: TDBGrid
          Left = 8
          Top = 16
          Width = 201
          Height = 177
          DataSource = DataSource3
          TabOrder = 6
          TitleFont.Charset = GB2312_CHARSET
          TitleFont.Color = clWindowText
          TitleFont.Height = -12
          TitleFont.Name = '宋体'
          TitleFont.Style = []
        end
        object Edit10: TEdit
          Left = 312
          Top = 78
          Width = 97
          Height = 20
          TabOrder = 1
          OnKeyPress = Edit10KeyPress
        end
        object Edit11: TEdit
          Left = 312
          Top = 105
          Width = 97
          Height = 20
          TabOrder = 2
          Text = '7.85'
          OnKeyPress = Edit11KeyPress
        end
        object Edit12: TEdit
          Left = 224
          Top = 168
          Width = 97
          Height = 20
          ReadOnly = True
          TabOrder = 3
        end
        object Button6: TButton
          Left = 336
          Top = 160
          Width = 73
          Height = 25
          Caption = '计 算'
          TabOrder = 0
          OnClick = Button6Click
        end
        object RadioButton7: TRadioButton
          Left = 224
          Top = 24
          Width = 97
          Height = 17
          Caption = '热轧等边角钢'
          Checked = True
          TabOrder = 4
          OnClick = RadioButton7Click
        end
        object RadioButton8: TRadioButton
          Left = 224
          Top = 48
          Width = 105
          Height = 17
          Caption = '热轧不等边角钢'
          TabOrder = 5
          OnClick = RadioButton8Click
        end
      end
    end
    object TabSheet5: TTabSheet
      Caption = '棒材'
      object GroupBox6: TGroupBox
        Left = 8
        Top = 8
        Width = 425
        Height = 201
        Caption = '圆棒'
        TabOrder = 0
        object Label16: TLabel
          Left = 8
          Top = 24
          Caption = '直径(mm)：'
        end
        object Label17: TLabel
          Left = 8
          Top = 53
          Caption = '材料类型：'
        end
        object Label18: TLabel
          Left = 8
          Top = 79
          Caption = '密度(t/m3)：'
        end
        object Label19: TLabel
          Left = 8
          Top = 104
          Caption = '长度(m)：'
        end
        object Label20: TLabel
          Left = 8
          Top = 163
          Caption = '计算重量(kg)：'
        end
        object Edit13: TEdit
          Left = 88
          Top = 19
          Width = 105
          Height = 20
          TabOrder = 0
          OnKeyPress = Edit13KeyPress
        end
        object ComboBox4: TComboBox
          Left = 88
          Top = 47
          Width = 105
          TabOrder = 1
          Text = '碳钢'
          Items = ('碳钢' '不锈钢' '铝' '黄铜' '紫铜' '塑料')
          OnChange = ComboBox4Change
        end
        object Edit14: TEdit
          Left = 88
          Top = 75
          Width = 105
          Height = 20
          TabOrder = 2
          Text = '7.85'
          OnKeyPress = Edit14KeyPress
        end
        object Edit15: TEdit
          Left = 88
          Top = 101
          Width = 105
          Height = 20
          TabOrder = 3
          OnKeyPress = Edit15KeyPress
        end
        object Edit16: TEdit
          Left = 96
          Top = 160
          Width = 97
          Height = 20
          ReadOnly = True
          TabOrder = 4
        end
        object Button7: TButton
          Left = 256
          Top = 156
          Width = 65
          Height = 25
          Caption = '计 算'
          TabOrder = 5
          OnClick = Button7Click
        end
        object RadioButton10: TRadioButton
          Left = 256
          Top = 32
          Width = 89
          Height = 17
          Caption = '圆棒'
          Checked = True
          TabOrder = 6
          OnClick = RadioButton10Click
        end
        object RadioButton11: TRadioButton
          Left = 256
          Top = 64
          Width = 65
          Height = 17
          Caption = '方棒'
          TabOrder = 7
          OnClick = RadioButton11Click
        end
        object RadioButton12: TRadioButton
          Left = 256
          Top = 96
          Width = 65
          Height = 17
          Caption = '六角棒'
          TabOrder = 8
          OnClick = RadioButton12Click
        end
      end
    end
    object TabSheet6: TTabSheet
      Caption = '板材'
      object GroupBox7: TGroupBox
        Left = 8
        Top = 8
        Width = 425
        Height = 201
        Caption = '普通钢板'
        TabOrder = 0
        object Label21: TLabel
          Left = 224
          Top = 66
          Caption = '长度(mm)：'
        end
        object Label22: TLabel
          Left = 224
          Top = 44
          Caption = '密度(t/m3)：'
        end
        object Label23: TLabel
          Left = 224
          Top = 152
          Caption = '计算重量(kg)：'
        end
        object Label24: TLabel
          Left = 224
          Top = 87
          Caption = '宽度(mm)：'
        end
        object Label25: TLabel
          Left = 224
          Top = 24
          Caption = '材料类型：'
        end
        object Label26: TLabel
          Left = 224
          Top = 108
          Caption = '厚度(mm)：'
        end
        object DBGrid4: TDBGrid
          Left = 8
          Top = 52
          Width = 201
          Height = 142
          DataSource = DataSource4
          TabOrder = 6
          TitleFont.Charset = GB2312_CHARSET
          TitleFont.Color = clWindowText
          TitleFont.Height = -12
          TitleFont.Name = '宋体'
          TitleFont.Style = []
        end
        object Button8: TButton
          Left = 336
          Top = 160
          Width = 73
          Height = 25
          Caption = '计 算'
          TabOrder = 0
          OnClick = Button8Click
        end
        object Edit17: TEdit
          Left = 312
          Top = 62
          Width = 97
          Height = 20
          TabOrder = 1
          OnKeyPress = Edit17KeyPress
        end
        object Edit18: TEdit
          Left = 312
          Top = 41
          Width = 97
          Height = 20
          TabOrder = 2
          Text = '7.85'
          OnKeyPress = Edit18KeyPress
        end
        object Edit19: TEdit
          Left = 224
          Top = 168
          Width = 97
          Height = 20
          ReadOnly = True
          TabOrder = 3
        end
        object Edit20: TEdit
          Left = 312
          Top = 83
          Width = 97
          Height = 20
          TabOrder = 9
          OnKeyPress = Edit20KeyPress
        end
        object Edit21: TEdit
          Left = 312
          Top = 104
          Width = 97
          Height = 20
          TabOrder = 11
          OnKeyPress = Edit21KeyPress
        end
        object ComboBox5: TComboBox
          Left = 312
          Top = 20
          Width = 97
          TabOrder = 10
          Text = '碳钢'
          Items = ('碳钢' '不锈钢' '铝' '塑料')
          OnChange = ComboBox5Change
        end
        object RadioButton9: TRadioButton
          Left = 8
          Top = 16
          Width = 81
          Height = 17
          Caption = '普通钢板'
          Checked = True
          TabOrder = 4
          OnClick = RadioButton9Click
        end
        object RadioButton13: TRadioButton
          Left = 112
          Top = 16
          Width = 97
          Height = 17
          Caption = '菱型花纹钢板'
          TabOrder = 5
          OnClick = RadioButton13Click
        end
        object RadioButton14: TRadioButton
          Left = 8
          Top = 32
          Width = 97
          Height = 17
          Caption = '扁豆花纹钢板'
          TabOrder = 7
          OnClick = RadioButton14Click
        end
        object RadioButton15: TRadioButton
          Left = 112
          Top = 32
          Width = 97
          Height = 17
          Caption = '圆豆花纹钢板'
          TabOrder = 8
          OnClick = RadioButton15Click
        end
      end
    end
  end
  object Button1: TButton
    Left = 104
    Top = 272
    Width = 89
    Height = 25
    Caption = '帮  助'
    TabOrder = 1
    OnClick = Button1Click
  end
  object Button2: TButton
    Left = 288
    Top = 272
    Width = 89
    Height = 25
    Caption = '退  出'
    TabOrder = 2
    OnClick = Button2Click
  end
  object ADOTable1: TADOTable
    ConnectionString = 'Provider=SQLite;Data Source=weight.db'
    TableName = '槽钢'
    Active = True
  end
  object DataSource1: TDataSource
    DataSet = ADOTable1
  end
  object ADOTable2: TADOTable
    ConnectionString = 'Provider=SQLite;Data Source=weight.db'
    TableName = 'H型钢国标HW'
    Active = True
  end
  object DataSource2: TDataSource
    DataSet = ADOTable2
  end
  object ADOTable3: TADOTable
    ConnectionString = 'Provider=SQLite;Data Source=weight.db'
    TableName = '热轧等边角钢'
    Active = True
  end
  object DataSource3: TDataSource
    DataSet = ADOTable3
  end
  object ADOTable4: TADOTable
    ConnectionString = 'Provider=SQLite;Data Source=weight.db'
    TableName = '菱型钢板'
    Active = True
  end
  object DataSource4: TDataSource
    DataSet = ADOTable4
  end
  object SkinData1: TSkinData
    Active = True
    DisableTag = 99
    SkinControls = [xcMainMenu, xcPopupMenu, xcToolbar, xcControlbar, xcCombo, xcCheckBox,
      xcRadioButton, xcProgress, xcScrollbar, xcEdit, xcButton, xcBitBtn, xcSpeedButton, xcPanel,
      xcGroupBox, xcStatusBar, xcTab, xcSystemMenu]
    Skin3rd = (
      'TComboboxex=combobox'
      'TTBDock=Panel'
      'TTBToolbar=Panel'
      'TImageEnMView=scrollbar'
      'TImageEnView=scrollbar'
      'TAdvMemo=scrollbar'
      'TDBAdvMemo=scrollbar'
      'TRzButton=button'
      'TRzBitbtn=bitbtn'
      'TRzMenuButton=bitbtn'
      'TRzCheckGroup=CheckGroup'
      'TRzRadioGroup=Radiogroup'
      'TRzRadioButton=Radiobutton'
      'TRzCheckBox=Checkbox'
      'TRzButtonEdit=Edit'
      'TRzDBRadioGroup=Radiogroup'
      'TRzDBRadioButton=Radiobutton'
      'TRzDBCheckBox=Checkbox'
      'TRzDateTimeEdit=combobox'
      'TRzColorEdit=combobox'
      'TRzDateTimePicker=combobox'
      'TRzDBDateTimeEdit=combobox'
      'TRzDbColorEdit=combobox'
      'TRzDBDateTimePicker=combobox'
      'TLMDGroupBox=Groupbox'
      'TDBCheckboxEh=Checkbox'
      'TDBCheckboxEh=Checkbox'
      'TLMDCHECKBOX=Checkbox'
      'TLMDDBCHECKBOX=Checkbox'
      'TLMDRadiobutton=Radiobutton'
      'TLMDCalculator=panel'
      'TLMDGROUPBOX=Panel'
      'TLMDSIMPLEPANEL=Panel'
      'TLMDDBCalendar=Panel'
      'TLMDButtonPanel=Panel'
      'TLMDLMDCalculator=Panel'
      'TLMDHeaderPanel=Panel'
      'TLMDTechnicalLine=Panel'
      'TLMDLMDClock=Panel'
      'TLMDTrackbar=panel'
      'TLMDListCombobox=combobox'
      'TLMDCheckListCombobox=combobox'
      'TLMDHeaderListCombobox=combobox'
      'TLMDImageCombobox=combobox'
      'TLMDColorCombobox=combobox'
      'TLMDFontCombobox=combobox'
      'TLMDFontSizeCombobox=combobox'
      'TLMDFontSizeCombobox=combobox'
      'TLMDPrinterCombobox=combobox'
      'TLMDDriveCombobox=combobox'
      'TLMDCalculatorComboBox=combobox'
      'TLMDTrackBarComboBox=combobox'
      'TLMDCalendarComboBox=combobox'
      'TLMDTreeComboBox=combobox'
      'TLMDRADIOGROUP=radiogroup'
      'TLMDCheckGroup=CheckGroup'
      'TLMDDBRADIOGROUP=radiogroup'
      'TLMDDBCheckGroup=CheckGroup'
      'TLMDCalculatorEdit=edit'
      'TLMDEDIT=Edit'
      'TLMDMASKEDIT=Edit'
      'TLMDBROWSEEDIT=Edit'
      'TLMDEXTSPINEDIT=Edit'
      'TLMDCALENDAREDIT=Edit'
      'TLMDFILEOPENEDIT=Edit'
      'TLMDFILESAVEEDIT=Edit'
      'TLMDCOLOREDIT=Edit'
      'TLMDDBEDIT=Edit'
      'TLMDDBMASKEDIT=Edit'
      'TLMDDBEXTSPINEDIT=Edit'
      'TLMDDBSPINEDIT=Edit'
      'TLMDDBEDITDBLookup=Edit'
      'TLMDEDITDBLookup=Edit'
      'TDBLookupCombobox=Combobox'
      'TWWDBCombobox=Combobox'
      'TWWDBLookupCombo=Combobox'
      'TWWDBCombobox=Combobox'
      'TWWKeyCombo=Combobox'
      'TWWTempKeyCombo=combobox'
      'TWWDBDateTimePicker=Combobox'
      'TWWRADIOGROUP=radiogroup'
      'TWWDBEDIT=Edit'
      'TcxButton=bitbtn'
      'TcxDBCheckBox=checkbox'
      'TcxDBRadioGroup=radiogroup'
      'TcxRadioGroup=radiogroup'
      'TcxCheckBox=checkbox'
      'TOVCPICTUREFIELD=Edit'
      'TOVCDBPICTUREFIELD=Edit'
      'TOVCSLIDEREDIT=Edit'
      'TOVCDBSLIDEREDIT=Edit'
      'TOVCSIMPLEFIELD=Edit'
      'TOVCDBSIMPLEFIELD=Edit'
      'TO32DBFLEXEDIT=Edit'
      'TOVCNUMERICFIELD=Edit'
      'TOVCDBNUMERICFIELD=Edit')
    SkinStore = '(Good)'
    SkinFormtype = sfMainform
    Version = '2.69.9.27'
    MenuUpdate = True
    // The packed default skin (skins/default), put in by the build.
    SkinStream = {@DEFAULT_SKIN_STREAM@}
  end
end
