object AboutBox: TAboutBox
  Left = 0
  Top = 0
  BorderIcons = [biSystemMenu]
  BorderStyle = bsDialog
  Caption = '帮助'
  ClientHeight = 216
  ClientWidth = 361
  Color = clBtnFace
  Font.Charset = GB2312_CHARSET
  Font.Color = clWindowText
  Font.Height = -12
  Font.Name = '宋体'
  Font.Style = []
  Position = poScreenCenter
  object Panel1: TPanel
    Left = 8
    Top = 8
    Width = 345
    Height = 73
    BevelInner = bvRaised
    BevelOuter = bvLowered
    ParentColor = True
    TabOrder = 0
    object ProgramIcon: TImage
      Left = 16
      Top = 8
      Width = 52
      Height = 57
      Center = True
      Stretch = True
      Transparent = True
      PictureData = {@PROGRAM_ICON@}
    end
    object ProductName: TLabel
      Left = 88
      Top = 16
      Caption = 'Ponderix  1.0'
    end
    object Version: TLabel
      Left = 88
      Top = 32
      Caption = '版权所有 (C) 2026'
    end
    object Label1: TLabel
      Left = 88
      Top = 48
      Caption = '联系: ponderix@example.org'
    end
    object OKButton: TButton
      Left = 264
      Top = 36
      Width = 66
      Height = 21
      Caption = '关闭'
      Default = True
      TabOrder = 1
      OnClick = OKButtonClick
    end
  end
  object Memo1: TMemo
    Left = 8
    Top = 88
    Width = 345
    Height = 121
    Lines = (
      '本程序用于计算常用材料的重量。'
      '欢迎对本程序提出使用建议。'
      '本程序可免费使用及传播，但请勿由于商业场合。'
      ''
      '本程序带有ACESS数据库，可根据自己的要求增加或删除数据，'
      '但请不要改变数据库的结构，以免造成计算错误。'
      'H型钢的型号含义为尺寸“H×B”。'
      '角钢的型号含义为“角钢型号－角钢厚度”。')
    ScrollBars = ssNone
    WordWrap = True
    TabOrder = 2
  end
end
