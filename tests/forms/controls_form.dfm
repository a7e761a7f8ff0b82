object ControlsForm: TControlsForm
  BorderIcons = [biSystemMenu]
  BorderStyle = bsSingle
  Caption = '控件'
  ClientWidth = 480
  ClientHeight = 309
  Font.Charset = GB2312_CHARSET
  Font.Height = -12
  Font.Name = '宋体'
  Position = poScreenCenter
  object PageControl1: TPageControl
    Left = 16
    Top = 16
    Width = 449
    Height = 241
    ActivePage = TabSheet1
    TabOrder = 0
    object TabSheet1: TTabSheet
      Caption = '管材'
      object GroupBox1: TGroupBox
        Left = 8
        Top = 16
        Width = 153
        Height = 185
        Caption = '管材'
        object Label1: TLabel
          Left = 16
          Top = 24
          Caption = '外径(mm)：'
        end
        object ComboBox1: TComboBox
          Left = 16
          Top = 40
          Width = 121
          TabOrder = 1
          Items = ('6' '8' '10' '12' '13' '14' '18' '22' '25' '27' '32' '33.5' '34' '38' '42'
            '45' '48' '57' '60' '76' '89' '108' '114' '133' '140' '159' '168' '219' '273' '325'
            '355' '377' '406' '426' '457' '478' '508' '529')
          OnChange = ComboChange
        end
        object ComboBox2: TComboBox
          Left = 16
          Top = 96
          Width = 121
          TabOrder = 2
          Items = ('1' '1.5' '2' '2.5' '3' '3.5' '4' '4.5' '5' '6' '7' '8' '9' '10' '11' '12' '13'
            '14' '15' '16' '17' '18' '19' '20')
          OnChange = ComboChange
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
      object ComboBox3: TComboBox
        Left = 200
        Top = 26
        Width = 121
        Text = '碳钢'
        Items = ('碳钢' '不锈钢' '铝' '紫铜' '塑料')
        OnChange = ComboChange
      end
      object Button3: TButton
        Left = 200
        Top = 144
        Width = 75
        Height = 25
        Caption = '计 算'
        Default = True
        OnClick = Button3Click
      end
    end
    object TabSheet2: TTabSheet
      Caption = '棒材'
      object RadioButton10: TRadioButton
        Left = 256
        Top = 32
        Width = 89
        Height = 17
        Caption = '圆棒'
        Checked = True
        OnClick = RadioClick
      end
      object RadioButton11: TRadioButton
        Left = 256
        Top = 64
        Width = 65
        Height = 17
        Caption = '方棒'
        OnClick = RadioClick
      end
      object RadioButton12: TRadioButton
        Left = 256
        Top = 96
        Width = 65
        Height = 17
        Caption = '六角棒'
        OnClick = RadioClick
      end
      object Memo1: TMemo
        Left = 8
        Top = 8
        Width = 200
        Height = 100
        Lines = ('本程序用于计算常用材料的重量。' '')
      end
      object Panel1: TPanel
        Left = 8
        Top = 120
        Width = 200
        Height = 40
        BevelInner = bvRaised
        BevelOuter = bvLowered
        Caption = ''
      end
    end
  end
end
