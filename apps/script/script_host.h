// The scriptable host: runs a script of host actions and user input against one control instance
// and prints what a test container would show. See docs/script.md for the language.
#pragma once

#include <iosfwd>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "apps/script/script_backend.h"
#include "apps/script/script_instance.h"
#include "apps/script/script_lexer.h"
#include "apps/script/script_site.h"
#include "platform/clock.h"

namespace dnovar::script {

// Today's date: the system's, until a script fixes it.
class ScriptClock final : public Clock {
 public:
  DateSerial today() const override { return fixed_ ? *fixed_ : SystemClock().today(); }
  void fix(DateSerial day) { fixed_ = day; }

 private:
  std::optional<DateSerial> fixed_;
};

class ScriptHost {
 public:
  ScriptHost(ScriptBackend& backend, std::ostream& out);
  ~ScriptHost();

  // Runs every line; returns the exit status: 0, or 2 when a line cannot be parsed (its number
  // and the reason go to `err`, and the script stops there).
  int run(std::istream& in, std::ostream& err);
  // Runs one line. Throws SyntaxError when it cannot be parsed; prints run-time errors.
  void execute_line(const std::string& line);

 private:
  using Arguments = std::vector<Token>;
  using Command = void (ScriptHost::*)(const Arguments&);

  void today(const Arguments& args);
  void start(const Arguments& args);
  void get(const Arguments& args);
  void put(const Arguments& args);
  void call(const Arguments& args);
  void focus(const Arguments& args);
  void show(const Arguments& args);
  void grid(const Arguments& args);
  void state(const Arguments& args);
  void events(const Arguments& args);
  void click(const Arguments& args);
  void select(const Arguments& args);
  void spin(const Arguments& args);
  void key(const Arguments& args);
  void text(const Arguments& args);
  void mouse(const Arguments& args);
  void dblclick(const Arguments& args);

  ScriptInstance& instance();
  Surface& surface() { return instance().calendar().surface(); }
  WidgetId widget_named(const Token& name);
  WidgetId day_cell(const Token& cell);
  void ok();

  ScriptBackend& backend_;
  std::ostream& out_;
  ScriptClock clock_;
  ScriptSite site_;
  std::unique_ptr<ScriptInstance> instance_;
  std::map<std::string, Command, std::less<>> commands_;
};

}  // namespace dnovar::script
