// Errors reach JScript by number and the control stays usable. The control's own errors are
// control errors (0x800A0000 + the number: 5, 340); what the dispatcher refuses keeps its status
// (member not found, type mismatch, overflow, wrong count), which Wine's JScript passes on as it
// is, where Windows' JScript gives the run-time numbers 438, 13, 6 and 450.
var c = new ActiveXObject("DnovarLib.Dnovar");
function report(what, action) {
  try {
    action();
    WScript.Echo(what + " no error");
  } catch (e) {
    WScript.Echo(what + " " + (e.number >>> 0).toString(16));
  }
}
report("unknown property", function () { c.NoSuchMember = 1; });
report("unknown method", function () { c.NoSuchMethod(); });
report("read of a method", function () { return c.ShowAbout + 1; });
report("overflow", function () { c.Dlow = 40000; });
report("text overflow", function () { c.Dlow = "1e9"; });
report("type mismatch", function () { c.Dplus = "12x"; });
report("not a date", function () { c.Datum = "not a date"; });
report("missing argument", function () { c.Velikonoce(); });
report("one argument too many", function () { c.Aktualizuj(1, 2); });
report("year out of range", function () { c.Velikonoce(-32768); });
report("past the last date", function () { c.Datum = 2958466; c.Aktualizuj(1); });
report("no such day cell", function () {
  c.Datum = "2024-05-20"; c.Aktualizuj(1); c.Dlow = -5; c.Dhigh = -3; c.Aktualizuj(1);
});
report("usable again", function () { c.Dlow = 0; c.Dhigh = 0; c.Aktualizuj(1); });
