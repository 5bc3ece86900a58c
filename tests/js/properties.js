// Every property of a control made by new ActiveXObject, read, written and read back from JScript,
// which reaches the control through IDispatch alone: reads are DISPATCH_PROPERTYGET only.
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
var today = new Date();
say("start", c.Caption, d(c.Datum) == d(today.getTime()), c.Dplus, c.Svatky, c.Enabled,
             c.VyberColor);

c.Dtyd = 7; c.Dtyd1 = -3; c.Svatky = false; c.Dlow = 5; c.Dhigh = 10; c.Dplus = -32768;
say("fields", c.Dtyd, c.Dtyd1, c.Svatky, c.Dlow, c.Dhigh, c.Dplus);

// Spaces kept as written, characters beyond ASCII too.
var caption = " Kalend\u00e1\u0159 ";
c.Caption = caption;
say("caption", c.Caption == caption, c.Caption.length);
c.VyberColor = 255;
say("colour", c.VyberColor);

// Text for a date or a number, read by the caller's locale (English here) as the system reads it.
var dates = ["2024-05-20", "5/20/2024", "May 20, 2024", "2024-05-20 13:45"];
for (var i = 0; i < dates.length; ++i) {
  c.Datum = dates[i];
  say("datum", dates[i], d(c.Datum));
}
var numbers = ["&H10", "1e1", " 12 ", "3-"];
for (var i = 0; i < numbers.length; ++i) {
  c.Dlow = numbers[i];
  say("dlow", "[" + numbers[i] + "]", c.Dlow);
}
c.Svatky = "True";
say("svatky", c.Svatky);

c.Enabled = false;
say("disabled", c.Enabled);
c.Enabled = true;
say("enabled", c.Enabled);
