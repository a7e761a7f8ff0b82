object TestKernelForm: TTestKernelForm
  BorderIcons = [biSystemMenu]
  BorderStyle = bsSingle
  Caption = '核心 测试'
  ClientWidth = 300
  ClientHeight = 200
  Position = poScreenCenter
  OnCreate = FormCreate
  object Probe: TProbeButton
    Left = 10
    Top = 10
    Width = 80
    Height = 25
    TabOrder = 0
  end
end
