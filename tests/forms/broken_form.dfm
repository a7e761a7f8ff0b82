object BrokenForm: TBrokenForm
  Caption = 'x'
  ClientWidth = wide
end
