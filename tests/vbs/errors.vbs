' Run-time errors reach the script with their number and text, and the control stays usable.
On Error Resume Next
Set c = CreateObject("DnovarLib.Dnovar")

Sub Report(what)
  WScript.Echo what, Err.Number, Err.Description
  Err.Clear
End Sub

c.NoSuchMember = 1 : Report "unknown property"
c.NoSuchMethod : Report "unknown method"
c.Dlow = 40000 : Report "overflow"
c.Dplus = "12x" : Report "type mismatch"
c.Datum = "not a date" : Report "not a date"
c.Velikonoce : Report "missing argument"
c.Aktualizuj 1, 2 : Report "one argument too many"
c.Velikonoce -32768 : Report "year out of range"
c.Datum = 2958466 : c.Aktualizuj 1 : Report "past the last date"
c.Datum = DateSerial(2024, 5, 20) : c.Aktualizuj 1
c.Dlow = -5 : c.Dhigh = -3 : c.Aktualizuj 1 : Report "no such day cell"
c.Dlow = 0 : c.Dhigh = 0 : c.Aktualizuj 1 : Report "usable again"
WScript.Echo "Datum", Year(c.Datum), Month(c.Datum), Day(c.Datum)
