' Both ProgIDs make the same control: the versioned one the class names and the one without a
' version, which names its current version. Prints what each made, and what a third one raises.
Sub Say(name)
  Set c = CreateObject(name)
  c.Datum = DateSerial(2024, 2, 29)
  WScript.Echo name & ": " & TypeName(c) & " " & Year(c.Datum) & "-" & Month(c.Datum) & "-" & _
               Day(c.Datum) & " Velikonoce " & Month(c.Velikonoce(2024)) & "-" & _
               Day(c.Velikonoce(2024))
End Sub
Say "DnovarLib.Dnovar.1"
Say "DnovarLib.Dnovar"
On Error Resume Next
Set c = CreateObject("DnovarLib.Dnovar.2")
WScript.Echo "DnovarLib.Dnovar.2: " & Err.Number
