object ViewPort: TViewPort
  Left = 172
  Top = 170
  Width = 823
  Height = 740
  Caption = 'Galaxy'
  Color = clBtnFace
  Font.Charset = DEFAULT_CHARSET
  Font.Color = clWindowText
  Font.Height = -11
  Font.Name = 'MS Sans Serif'
  Font.Style = []
  OldCreateOrder = False
  OnClose = FormClose
  OnCreate = FormCreate
  OnKeyDown = FormKeyDown
  OnMouseWheel = FormMouseWheel
  OnResize = FormResize
  PixelsPerInch = 96
  TextHeight = 13
  object Timer: TTimer
    Interval = 10
    OnTimer = TimerTimer
    Left = 24
    Top = 24
  end
end
