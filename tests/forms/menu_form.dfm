object MenuTestForm: TMenuTestForm
  BorderStyle = bsSingle
  Caption = '菜单 测试'
  ClientWidth = 320
  ClientHeight = 200
  Menu = MainMenu1
  object MainMenu1: TMainMenu
    object File1: TMenuItem
      Caption = '文件(&F)'
      object Open1: TMenuItem
        Caption = '打开(&O)'
        ShortCut = 16463
        OnClick = Open1Click
      end
      object Save1: TMenuItem
        Caption = '保存(&S)'
        Checked = True
        ShortCut = 16467
        OnClick = Save1Click
      end
      object N1: TMenuItem
        Caption = '-'
      end
      object Exit1: TMenuItem
        Caption = '退出(&X)'
        Enabled = False
        OnClick = Exit1Click
      end
    end
    object Help1: TMenuItem
      Caption = '帮助(&H)'
      Tag = 7
    end
  end
  object PopupMenu1: TPopupMenu
    OwnerDraw = True
    object Copy1: TMenuItem
      Caption = '复制(&C)'
      ShortCut = 16451
      OnClick = Copy1Click
      OnMeasureItem = PopupMeasure
      OnAdvancedDrawItem = PopupDraw
    end
    object Paste1: TMenuItem
      Caption = '粘贴(&P)'
      OnMeasureItem = PopupMeasure
      OnAdvancedDrawItem = PopupDraw
    end
  end
end
