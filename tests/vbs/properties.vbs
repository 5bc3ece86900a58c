' Every property of a control made by CreateObject: read, written and read back.
' Prints its values separated by spaces, as text (True and False by name).
Sub Say(values)
  line = ""
  For Each v In values
    If line <> "" Then line = line & " "
    line = line & CStr(v)
  Next
  WScript.Echo line
End Sub
Function D(value)
  D = Year(value) & "-" & Month(value) & "-" & Day(value)
End Function

Set c = CreateObject("DnovarLib.Dnovar")
' A control nobody loads starts as a new one in a container does: on today, named Dnovar1.
Say Array("start", c.Caption, (c.Datum = Date), c.Dplus, c.Svatky, c.Enabled, c.VyberColor)
Say Array("week", (c.Dtyd = Weekday(Date, vbMonday)), (c.Dtyd1 = Weekday(DateSerial(Year(Date), Month(Date), 1), vbMonday)))

' The public fields keep whatever is written, until the next refresh uses them.
c.Dtyd = 7 : c.Dtyd1 = -3 : c.Svatky = False : c.Dlow = 5 : c.Dhigh = 10 : c.Dplus = -32768
Say Array("fields", c.Dtyd, c.Dtyd1, c.Svatky, c.Dlow, c.Dhigh, c.Dplus)

' Spaces kept as written; a character beyond ASCII (a with acute, from the ANSI code page) too.
caption = " Kalend" & Chr(225) & "r "
c.Caption = caption
Say Array("caption", Len(c.Caption), c.Caption = caption, "[" & Trim(c.Caption) = "[Kalend" & Chr(225) & "r")
c.Caption = ""
Say Array("empty caption [" & c.Caption & "]")

' The highlight colour takes positive values only; black and system colours are ignored.
c.VyberColor = 0 : Say Array("black", c.VyberColor)
c.VyberColor = 1 : Say Array("one", c.VyberColor)
c.VyberColor = &H8000000F : Say Array("system colour", c.VyberColor)
c.VyberColor = &HFF : Say Array("red", c.VyberColor)

' Datum is stored as written; the view follows only on Aktualizuj with a non-zero argument.
c.Datum = DateSerial(2024, 4, 30)
Say Array("datum", D(c.Datum), c.Dtyd)
c.Aktualizuj 1
Say Array("refreshed", D(c.Datum), c.Dtyd, c.Dtyd1)

c.Enabled = False
Say Array("disabled", c.Enabled, CInt(c.Enabled))
c.Enabled = True
Say Array("enabled", c.Enabled, CInt(c.Enabled))
