' The methods: Aktualizuj with and without its argument, Velikonoce, and names bound late.
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
c.Datum = DateSerial(2024, 4, 30)
c.Aktualizuj 1
' The day spinner's up arrow on 30 April: the refresh rebuilds the date from year, month and day.
c.Datum = DateSerial(2024, 4, 31)
c.Aktualizuj
Say Array("rebuilt from the shown day", D(c.Datum), c.Dtyd, c.Dtyd1)
c.Aktualizuj 0
Say Array("with 0", D(c.Datum))
c.Datum = DateSerial(2000, 2, 29)
c.Aktualizuj -1
Say Array("with -1", D(c.Datum), c.Dtyd, c.Dtyd1)

' Velikonoce reads its argument and never writes it back.
For Each y In Array(2024, 2025, 1999, 100, 9999)
  r = y
  Say Array("Velikonoce", y, D(c.Velikonoce(r)), r)
Next

' Names bind without regard to case.
Say Array("case", c.DLOW, c.dplus)
