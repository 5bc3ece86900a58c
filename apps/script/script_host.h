// The scriptable host: runs a script of host actions and user input against one control instance
// and prints what a test container would show. See docs/script.md for the language.
#pragma once

#include <functional>
#include <iosfwd>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "apps/common/component_paths.h"
#include "apps/script/script_backend.h"
#include "apps/script/script_instance.h"
#include "apps/script/script_lexer.h"
#include "apps/script/script_site.h"
#include "component/activation.h"
#include "component/registry.h"
#include "platform/clock.h"
#include "platform/locale.h"

namespace dnovar::script {

// Today's date: the system's, until a script fixes it.
class ScriptClock final : public Clock {
 public:
  DateSerial today() const override { return fixed_ ? *fixed_ : SystemClock().today(); }
  void fix(DateSerial day) { fixed_ = day; }

 private:
  std::optional<DateSerial> fixed_;
};

// Where `new` and `load` find the control: the registry file to look its ProgID up in, asked for
// when first needed (it may be made then, or raise), and the module to register there first when
// the ProgID is missing (or names another module than the one installed with the program).
struct ComponentSource {
  std::function<std::filesystem::path()> registry;
  app::ControlModule module;
};

class ScriptHost {
 public:
  ScriptHost(ScriptBackend& backend, std::ostream& out, ComponentSource components = {});
  ~ScriptHost();

  // Runs every line; returns the exit status: 0, or 2 when a line cannot be parsed (its number
  // and the reason go to `err`, and the script stops there).
  int run(std::istream& in, std::ostream& err);
  // The rules every control the script creates marks holidays and numbers weeks by.
  void set_rules(CalendarRules rules) { site_.set_rules(rules); }
  // Runs one line. Throws SyntaxError when it cannot be parsed; prints run-time errors.
  void execute_line(const std::string& line);
  // The locale text arguments are read in (text_conversion.h); English (United States) unless
  // set.
  void set_locale(Locale locale) { locale_ = locale; }

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
  void access(const Arguments& args);
  void state(const Arguments& args);
  void events(const Arguments& args);
  void click(const Arguments& args);
  void select(const Arguments& args);
  void spin(const Arguments& args);
  void key(const Arguments& args);
  void text(const Arguments& args);
  void mouse(const Arguments& args);
  void dblclick(const Arguments& args);
  void gridkey(const Arguments& args);
  void cursor(const Arguments& args);
  void new_instance(const Arguments& args);
  void load(const Arguments& args);
  void save(const Arguments& args);
  void rename(const Arguments& args);
  void extender(const Arguments& args);
  void modal(const Arguments& args);

  // A value as the script wrote it, text for a typed parameter read by the script's locale.
  Variant argument(const Token& token, std::string_view member, InvokeKind kind,
                   std::size_t position) const;
  ScriptInstance& instance();
  // Creates the control by its ProgID through the registry and its module; keeps the current
  // name unless a NAME is the first argument.
  ScriptInstance& create_registered_instance(const Arguments& args);
  Surface& surface() { return instance().surface(); }
  WidgetId widget_named(const Token& name);
  WidgetId day_cell(const Token& cell);
  void ok();

  ScriptBackend& backend_;
  std::ostream& out_;
  ScriptClock clock_;
  Locale locale_ = Locale::en_US;
  ScriptSite site_;
  ComponentSource components_;
  ModuleCache modules_;
  std::unique_ptr<ScriptInstance> instance_;
  std::map<std::string, Command, std::less<>> commands_;
};

}  // namespace dnovar::script
