// Both ProgIDs from JScript, which reaches the control through IDispatch alone: what each made,
// and what a ProgID of another version raises.
function say(name) {
  var c = new ActiveXObject(name);
  c.Dplus = 3;
  var easter = new Date(c.Velikonoce(2024));
  WScript.Echo(name + ": Dplus " + c.Dplus + " Velikonoce " + easter.getFullYear() + "-" +
               (easter.getMonth() + 1) + "-" + easter.getDate());
}
say("DnovarLib.Dnovar.1");
say("DnovarLib.Dnovar");
try {
  new ActiveXObject("DnovarLib.Dnovar.2");
} catch (e) {
  WScript.Echo("DnovarLib.Dnovar.2: " + (e.number >>> 0).toString(16));
}
