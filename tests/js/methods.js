// The methods from JScript: Aktualizuj with and without its argument, Velikonoce, and what a
// property read of a method gives (typeof reads; it must not run ShowAbout's modal box).
function d(value) {
  var date = new Date(value);
  return date.getFullYear() + "-" + (date.getMonth() + 1) + "-" + date.getDate();
}
// Prints its values separated by spaces, converted as JScript converts them to text.
function say() {
  var line = "";
  for (var i = 0; i < arguments.length; ++i) line += (i ? " " : "") + arguments[i];
  WScript.Echo(line);
}
var c = new ActiveXObject("DnovarLib.Dnovar");
c.Datum = "2024-04-30";
c.Aktualizuj(1);
say("refreshed", d(c.Datum), c.Dtyd, c.Dtyd1);
c.Datum = "2000-02-29";
c.Aktualizuj(-1);
say("with -1", d(c.Datum), c.Dtyd, c.Dtyd1);
c.Aktualizuj();
say("without", d(c.Datum));

var years = [2024, 2025, 1999, "2024"];
for (var i = 0; i < years.length; ++i)
  say("Velikonoce", years[i], typeof years[i], d(c.Velikonoce(years[i])));

// Wine's JScript cannot tell the type of a date value (typeof c.Datum fails with E_NOTIMPL), so
// Datum is left out.
say("typeof", typeof c.ShowAbout, typeof c.Velikonoce, typeof c.Aktualizuj, typeof c.Dplus,
    typeof c.Caption, typeof c.Svatky);
