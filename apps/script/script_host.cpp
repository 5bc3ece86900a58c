#include "apps/script/script_host.h"

#include <cstdlib>
#include <iostream>
#include <istream>
#include <ostream>
#include <string>
#include <string_view>
#include <utility>

#include "apps/common/control_registration.h"
#include "apps/script/script_value.h"
#include "apps/script/surface_json.h"
#include "component/bag_file.h"
#include "component/module.h"
#include "component/text_arguments.h"
#include "host/control_members.h"
#include "host/type_library.h"
#include "platform/date_text.h"
#include "platform/number_text.h"
#include "platform/utf8.h"

namespace dnovar::script {

namespace {

void expect_count(const std::vector<Token>& args, std::size_t min, std::size_t max) {
  if (args.size() < min || args.size() > max) throw SyntaxError("wrong number of arguments");
}

int parse_int(const Token& token) {
  const Variant value = parse_value(token);
  if (value.type() != Variant::Type::I2 && value.type() != Variant::Type::I4)
    throw SyntaxError("an integer was expected", token.text);
  return value.to_i4();
}

// What a script's `key` types: Backspace, Enter and the printable characters. Tab would move the
// focus and the other control characters (DEL among them) are a text box's shortcuts, which
// differ between toolkits; a script moves the focus with `focus` and sends no shortcuts.
bool is_typed(int code) {
  return code == kKeyBackspace || code == kKeyEnter || (code >= 32 && code != 127);
}

// Colours print as unsigned numbers; everything else as its value.
std::string format_property(std::string_view name, const Variant& value) {
  const ControlMember* member = control_member_named(name);
  if (member != nullptr && member->type == ValueType::colour &&
      (value.type() == Variant::Type::I4 || value.type() == Variant::Type::I2))
    return std::to_string(static_cast<std::uint32_t>(value.to_i4()));
  return format_value(value);
}

// A grid key as a script writes it: `shift+`, `ctrl+` (in either order) before the key's name.
struct GridPress {
  GridKey key;
  int modifiers;
};

GridPress parse_grid_press(std::string_view text) {
  static constexpr std::pair<std::string_view, int> kModifiers[] = {{"shift+", kShiftHeld},
                                                                    {"ctrl+", kCtrlHeld}};
  static constexpr std::pair<std::string_view, GridKey> kKeys[] = {
      {"up", GridKey::Up},       {"down", GridKey::Down},  {"left", GridKey::Left},
      {"right", GridKey::Right}, {"home", GridKey::Home},  {"end", GridKey::End},
      {"enter", GridKey::Enter}, {"space", GridKey::Space}};
  int modifiers = 0;
  for (bool found = true; found;) {
    found = false;
    for (const auto& [prefix, bit] : kModifiers) {
      if (!text.starts_with(prefix) || (modifiers & bit) != 0) continue;
      modifiers |= bit;
      text.remove_prefix(prefix.size());
      found = true;
    }
  }
  for (const auto& [name, key] : kKeys)
    if (text == name) return {key, modifiers};
  throw SyntaxError("gridkey [shift+][ctrl+]up|down|left|right|home|end|enter|space");
}

}  // namespace

ScriptHost::ScriptHost(ScriptBackend& backend, std::ostream& out, ComponentSource components)
    : backend_(backend),
      out_(out),
      site_(backend.toolkit(), clock_),
      components_(std::move(components)) {
  backend_.on_beep([this] { site_.record("beep"); });
  commands_ = {
      {"today", &ScriptHost::today},     {"start", &ScriptHost::start},
      {"get", &ScriptHost::get},         {"put", &ScriptHost::put},
      {"call", &ScriptHost::call},       {"focus", &ScriptHost::focus},
      {"show", &ScriptHost::show},       {"state", &ScriptHost::state},
      {"events", &ScriptHost::events},   {"click", &ScriptHost::click},
      {"select", &ScriptHost::select},   {"spin", &ScriptHost::spin},
      {"key", &ScriptHost::key},         {"text", &ScriptHost::text},
      {"mouse", &ScriptHost::mouse},     {"dblclick", &ScriptHost::dblclick},
      {"grid", &ScriptHost::grid},       {"new", &ScriptHost::new_instance},
      {"load", &ScriptHost::load},       {"save", &ScriptHost::save},
      {"rename", &ScriptHost::rename},   {"extender", &ScriptHost::extender},
      {"modal", &ScriptHost::modal},     {"access", &ScriptHost::access},
      {"gridkey", &ScriptHost::gridkey}, {"cursor", &ScriptHost::cursor},
  };
}

ScriptHost::~ScriptHost() {
  instance_.reset();
  backend_.on_beep(nullptr);
}

int ScriptHost::run(std::istream& in, std::ostream& err) {
  std::string line;
  int number = 0;
  while (std::getline(in, line)) {
    ++number;
    try {
      execute_line(line);
    } catch (const SyntaxError& error) {
      out_.flush();
      err << "line " << number << ": " << error.what() << std::endl;
      return 2;
    }
  }
  return 0;
}

void ScriptHost::execute_line(const std::string& line) {
  // Bytes that are no UTF-8 become characters here, so no command hands a backend invalid text.
  const std::vector<Token> tokens = split_line(valid_utf8(line));
  if (tokens.empty() || (!tokens[0].quoted && tokens[0].text.front() == '#')) return;
  const auto command = commands_.find(tokens[0].text);
  if (tokens[0].quoted || command == commands_.end())
    throw SyntaxError("unknown command", tokens[0].text);
  const Arguments args(tokens.begin() + 1, tokens.end());
  try {
    (this->*(command->second))(args);
  } catch (const SyntaxError&) {
    throw;
  } catch (...) {
    // A run-time error is the line's answer; anything else is reported the same way (as 51), and
    // the script goes on.
    const RuntimeError error = error_in_flight();
    out_ << "error " << error.number() << ' ' << error.what() << '\n';
  }
  out_.flush();
}

ScriptInstance& ScriptHost::instance() {
  if (!instance_) raise_object_not_set();
  return *instance_;
}

void ScriptHost::ok() {
  out_ << "ok\n";
}

WidgetId ScriptHost::widget_named(const Token& name) {
  const WidgetTable& table = surface().table();
  for (std::size_t i = 0; i < table.widgets.size(); ++i)
    if (table.widgets[i].name == name.text && table.widgets[i].index == kNoIndex)
      return WidgetId{static_cast<int>(i)};
  throw SyntaxError("no such widget", name.text);
}

WidgetId ScriptHost::day_cell(const Token& cell) {
  const int index = parse_int(cell);
  if (index < 0 || index >= kDayCellCount) raise_no_such_element(index);
  surface();  // an instance must exist
  return day_cell_id(index);
}

void ScriptHost::today(const Arguments& args) {
  expect_count(args, 1, 1);
  const auto date = parse_date_text(args[0].text);
  if (!date) throw SyntaxError("a date YYYY-MM-DD was expected");
  clock_.fix(*date);
  ok();
}

void ScriptHost::start(const Arguments& args) {
  expect_count(args, 0, 1);
  const DateSerial date = args.empty() ? 0.0 : parse_value(args[0]).to_date();
  instance_.reset();
  instance_ = backend_.start_instance(site_, date);
  if (!instance_) instance_ = start_in_process_control(site_, date);
  ok();
}

ScriptInstance& ScriptHost::create_registered_instance(const Arguments& args) {
  if (!args.empty() && args[0].text.find('=') == std::string::npos) site_.set_name(args[0].text);
  instance_.reset();
  if ((instance_ = backend_.create_instance(site_))) return *instance_;
  if (!components_.registry) {
    throw RuntimeError(error_number::cannot_create_object,
                       "Can't create object: the script host has no registry");
  }
  Registry registry(components_.registry());
  const app::RegistrationCheck check =
      app::ensure_registered(registry, modules_, kDnovarProgId, components_.module);
  if (!check.replacement.empty()) std::cerr << "dnovar: " << check.replacement << '\n';
  instance_ = std::make_unique<ScriptInstance>(
      create_registered<Unknown>(registry, modules_, kDnovarProgId), site_);
  return *instance_;
}

void ScriptHost::new_instance(const Arguments& args) {
  expect_count(args, 0, 1);
  ScriptInstance& created = create_registered_instance(args);
  ExceptionInfo info;
  check_status(created.hosting().init_new(&info), &info);
  ok();
}

void ScriptHost::load(const Arguments& args) {
  MemoryBag bag;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::size_t equals = args[i].text.find('=');
    if (equals == std::string::npos) {
      if (i == 0) continue;  // the instance's name
      throw SyntaxError("KEY=VALUE expected", args[i].text);
    }
    const Token value{args[i].text.substr(equals + 1), args[i].quoted};
    bag.set(args[i].text.substr(0, equals), parse_value(value));
  }
  ScriptInstance& created = create_registered_instance(args);
  ExceptionInfo info;
  check_status(created.hosting().load(bag, &info), &info);
  ok();
}

void ScriptHost::save(const Arguments& args) {
  expect_count(args, 0, 0);
  MemoryBag bag;
  ExceptionInfo info;
  const Status status = instance().hosting().save(bag, &info);
  for (const auto& entry : bag.entries())
    out_ << entry.key << '=' << format_property(entry.key, entry.value) << '\n';
  if (failed(status)) {
    const RuntimeError error = error_from_status(status, &info);
    out_ << "error " << error.number() << ' ' << error.what() << '\n';
  }
  out_ << "end\n";
}

void ScriptHost::rename(const Arguments& args) {
  expect_count(args, 1, 1);
  site_.set_name(args[0].text);
  ok();
}

void ScriptHost::extender(const Arguments& args) {
  expect_count(args, 1, 1);
  if (args[0].text != "none") throw SyntaxError("extender none");
  site_.remove_extender();
  ok();
}

void ScriptHost::modal(const Arguments& args) {
  expect_count(args, 1, 1);
  const std::string& what = args[0].text;
  if (what == "Command1")
    backend_.queue_modal(ModalAction::PressFirstButton);
  else if (what == "closebox")
    backend_.queue_modal(ModalAction::CloseBox);
  else if (what == "escape")
    backend_.queue_modal(ModalAction::Escape);
  else if (what == "altz")
    backend_.queue_modal(ModalAction::AccessKey);
  else
    throw SyntaxError("modal Command1|closebox|escape|altz");
  ok();
}

void ScriptHost::get(const Arguments& args) {
  expect_count(args, 1, 1);
  const Variant value = instance().get(args[0].text);
  out_ << args[0].text << '=' << format_property(args[0].text, value) << '\n';
}

Variant ScriptHost::argument(const Token& token, std::string_view member, InvokeKind kind,
                             std::size_t position) const {
  const Variant value = parse_value(token);
  const Function* function =
      find_function(dnovar_type_library().types.at(kDnovarInterfaceIndex), member);
  if (function != nullptr && function->kind != kind)
    function =
        find_function(dnovar_type_library().types.at(kDnovarInterfaceIndex), function->id, kind);
  if (function == nullptr || position >= function->parameters.size()) return value;
  return argument_from_text(value, function->parameters[position].type, locale_,
                            civil_date(clock_.today()).year);
}

void ScriptHost::put(const Arguments& args) {
  expect_count(args, 2, 2);
  const Variant value = argument(args[1], args[0].text, InvokeKind::property_put, 0);
  instance().put(args[0].text, value);
  ok();
}

void ScriptHost::call(const Arguments& args) {
  expect_count(args, 1, 8);
  std::vector<Variant> values;
  for (std::size_t i = 1; i < args.size(); ++i)
    values.push_back(argument(args[i], args[0].text, InvokeKind::method, i - 1));
  const Variant result = instance().call(args[0].text, values);
  if (result.is_empty())
    ok();
  else
    out_ << format_value(result) << '\n';
}

void ScriptHost::focus(const Arguments& args) {
  expect_count(args, 1, 1);
  if (args[0].text == "in")
    backend_.focus_in(surface());
  else if (args[0].text == "out")
    backend_.focus_out(surface());
  else if (args[0].text == "grid")
    backend_.focus_grid(surface());
  else
    throw SyntaxError("focus in|out|grid");
  ok();
}

void ScriptHost::show(const Arguments& args) {
  expect_count(args, 0, 0);
  out_ << surface_json(surface()) << '\n';
}

void ScriptHost::grid(const Arguments& args) {
  expect_count(args, 0, 0);
  out_ << month_grid_text(surface(), instance().state()) << "end\n";
}

void ScriptHost::access(const Arguments& args) {
  expect_count(args, 0, 1);
  Surface& shown = surface();
  const WidgetTable& table = shown.table();
  bool any = false;
  for (std::size_t i = 0; i < table.widgets.size(); ++i) {
    const WidgetRow& row = table.widgets[i];
    if (!args.empty() && row.name != args[0].text) continue;
    any = true;
    const Widget& widget = shown.widget(WidgetId{static_cast<int>(i)});
    out_ << row.name;
    if (row.index != kNoIndex) out_ << '(' << row.index << ')';
    out_ << ' ' << format_value(Variant::string(widget.accessible_name())) << ' '
         << format_value(Variant::string(widget.accessible_description())) << '\n';
  }
  if (!any) throw SyntaxError("no such widget", args[0].text);
  out_ << "end\n";
}

void ScriptHost::state(const Arguments& args) {
  expect_count(args, 0, 0);
  out_ << state_json(instance().state()) << '\n';
}

void ScriptHost::events(const Arguments& args) {
  expect_count(args, 0, 0);
  for (const std::string& line : site_.take_events()) out_ << line << '\n';
  out_ << "end\n";
}

void ScriptHost::click(const Arguments& args) {
  expect_count(args, 1, 1);
  backend_.click(surface(), widget_named(args[0]));
  ok();
}

void ScriptHost::select(const Arguments& args) {
  expect_count(args, 2, 2);
  const WidgetId combo = widget_named(args[0]);
  backend_.choose(surface(), combo, parse_int(args[1]));
  ok();
}

void ScriptHost::spin(const Arguments& args) {
  expect_count(args, 2, 2);
  const WidgetId spinner = widget_named(args[0]);
  if (args[1].text != "up" && args[1].text != "down") throw SyntaxError("spin NAME up|down");
  backend_.spin(surface(), spinner, args[1].text == "up");
  ok();
}

void ScriptHost::key(const Arguments& args) {
  expect_count(args, 2, 2);
  const WidgetId box = widget_named(args[0]);
  if (!args[1].quoted) throw SyntaxError("key NAME \"TEXT\"");
  for (int code : code_points(args[1].text)) {
    if (is_typed(code)) backend_.key(surface(), box, code);
  }
  ok();
}

void ScriptHost::text(const Arguments& args) {
  expect_count(args, 2, 2);
  const WidgetId box = widget_named(args[0]);
  if (!args[1].quoted) throw SyntaxError("text NAME \"TEXT\"");
  backend_.paste(surface(), box, args[1].text);
  ok();
}

void ScriptHost::mouse(const Arguments& args) {
  expect_count(args, 3, 3);
  const std::string& action = args[0].text;
  if (action != "down" && action != "up" && action != "move")
    throw SyntaxError("mouse down|up|move CELL BUTTONS");
  const int buttons = parse_int(args[2]);
  if (action != "move" && buttons != kLeftButton && buttons != kRightButton &&
      buttons != kMiddleButton)
    throw SyntaxError("BUTTON is 1 (left), 2 (right) or 4 (middle)");
  if (buttons < 0 || buttons > 7) throw SyntaxError("BUTTONS are bits: 1 left, 2 right, 4 middle");
  const WidgetId cell = day_cell(args[1]);
  if (action == "down")
    backend_.mouse_down(surface(), cell, buttons);
  else if (action == "up")
    backend_.mouse_up(surface(), cell, buttons);
  else
    backend_.mouse_move(surface(), cell, buttons);
  ok();
}

void ScriptHost::gridkey(const Arguments& args) {
  expect_count(args, 1, 1);
  const GridPress press = parse_grid_press(args[0].text);
  backend_.grid_key(surface(), press.key, press.modifiers);
  ok();
}

void ScriptHost::cursor(const Arguments& args) {
  expect_count(args, 0, 0);
  const int cell = surface().grid_cursor();
  out_ << "cursor " << (cell < 0 ? std::string("none") : std::to_string(cell)) << '\n';
}

void ScriptHost::dblclick(const Arguments& args) {
  expect_count(args, 1, 1);
  backend_.double_click(surface(), day_cell(args[0]));
  ok();
}

}  // namespace dnovar::script
