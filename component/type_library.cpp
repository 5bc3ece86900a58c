#include "component/type_library.h"

#include "platform/ascii_case.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

namespace dnovar {

bool names_equal(std::string_view a, std::string_view b) {
  return equal_ignoring_ascii_case(a, b);
}

const TypeInfo* find_type(const TypeLibrary& library, std::string_view name) {
  for (const TypeInfo& type : library.types) {
    if (names_equal(type.name, name)) return &type;
  }
  return nullptr;
}

const TypeInfo* find_type(const TypeLibrary& library, const Guid& guid) {
  for (const TypeInfo& type : library.types) {
    if (type.guid == guid) return &type;
  }
  return nullptr;
}

const Function* find_function(const TypeInfo& type, std::string_view name) {
  for (const Function& function : type.functions) {
    if (names_equal(function.name, name)) return &function;
  }
  return nullptr;
}

const Function* find_function(const TypeInfo& type, DispatchId id, InvokeKind kind) {
  for (const Function& function : type.functions) {
    if (function.id == id && function.kind == kind) return &function;
  }
  return nullptr;
}

const char* value_type_name(ValueType type) noexcept {
  switch (type) {
    case ValueType::none:
      return "void";
    case ValueType::i2:
      return "short";
    case ValueType::i4:
      return "long";
    case ValueType::r8:
      return "double";
    case ValueType::boolean:
      return "VARIANT_BOOL";
    case ValueType::date:
      return "DATE";
    case ValueType::string:
      return "BSTR";
    case ValueType::colour:
      return "OLE_COLOR";
    case ValueType::variant:
      return "VARIANT";
  }
  return "?";
}

const char* type_kind_name(TypeKind kind) noexcept {
  switch (kind) {
    case TypeKind::dispinterface:
      return "dispinterface";
    case TypeKind::dual_interface:
      return "interface";
    case TypeKind::coclass:
      return "coclass";
    case TypeKind::enumeration:
      return "enum";
  }
  return "?";
}

const char* invoke_kind_name(InvokeKind kind) noexcept {
  switch (kind) {
    case InvokeKind::method:
      return "method";
    case InvokeKind::property_get:
      return "propget";
    case InvokeKind::property_put:
      return "propput";
  }
  return "?";
}

namespace {

std::string hex(std::uint32_t value) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%08X", value);
  return text;
}

std::string quoted(const std::string& text) {
  return "\"" + text + "\"";
}

std::string version(std::uint16_t major, std::uint16_t minor) {
  return std::to_string(major) + "." + std::to_string(minor);
}

void describe_parameter(std::string& out, const Parameter& parameter) {
  out += "[";
  const char* separator = "";
  auto flag = [&](std::uint32_t bit, const char* name) {
    if (parameter.flags & bit) {
      out += separator;
      out += name;
      separator = ", ";
    }
  };
  flag(param_flag::in, "in");
  flag(param_flag::out, "out");
  flag(param_flag::optional, "optional");
  flag(param_flag::retval, "retval");
  if ((parameter.flags & param_flag::has_default) && parameter.default_value) {
    out += std::string(separator) + "defaultvalue(" + parameter.default_value->to_string() + ")";
  }
  out += "] ";
  out += value_type_name(parameter.type);
  if (parameter.by_reference) out += "*";
  if (!parameter.name.empty()) out += " " + parameter.name;
}

void describe_function(std::string& out, const Function& function) {
  out += "  [id(" + hex(static_cast<std::uint32_t>(function.id)) + ")";
  if (function.kind != InvokeKind::method)
    out += std::string(", ") + invoke_kind_name(function.kind);
  if (function.flags & function_flag::hidden) out += ", hidden";
  if (!function.help.empty()) out += ", helpstring(" + quoted(function.help) + ")";
  out += "] " + std::string(value_type_name(function.result)) + " " + function.name + "(";
  for (std::size_t i = 0; i < function.parameters.size(); ++i) {
    if (i > 0) out += ", ";
    describe_parameter(out, function.parameters[i]);
  }
  out += ");\n";
}

void describe_type(std::string& out, const TypeInfo& type) {
  out += "[uuid(" + format_guid(type.guid) + "), version(" +
         version(type.major_version, type.minor_version) + ")";
  const std::pair<std::uint32_t, const char*> flags[] = {
      {type_flag::hidden, "hidden"},
      {type_flag::dual, "dual"},
      {type_flag::nonextensible, "nonextensible"},
      {type_flag::oleautomation, "oleautomation"},
      {type_flag::control, "control"},
      {type_flag::can_create, "appobject-creatable"},
      {type_flag::dispatchable, "dispatchable"},
  };
  for (const auto& [bit, name] : flags) {
    if (type.flags & bit) out += std::string(", ") + name;
  }
  if (!type.help.empty()) out += ", helpstring(" + quoted(type.help) + ")";
  out += "]\n" + std::string(type_kind_name(type.kind)) + " " + type.name;
  if (!type.base.empty()) out += " : " + type.base;
  out += " {\n";
  for (const Function& function : type.functions) describe_function(out, function);
  for (const ImplementedInterface& implemented : type.interfaces) {
    out += "  [";
    if (implemented.flags & implementation_flag::is_default) out += "default";
    if ((implemented.flags & implementation_flag::is_default) &&
        (implemented.flags & implementation_flag::source)) {
      out += ", ";
    }
    if (implemented.flags & implementation_flag::source) out += "source";
    out += "] interface " + implemented.name + ";\n";
  }
  for (const EnumConstant& constant : type.constants) {
    out += "  " + constant.name + " = " + std::to_string(constant.value);
    if (!constant.help.empty()) out += "  // " + constant.help;
    out += "\n";
  }
  out += "};\n";
}

}  // namespace

std::string describe(const TypeLibrary& library) {
  std::string out = "[uuid(" + format_guid(library.guid) + "), version(" +
                    version(library.major_version, library.minor_version) + "), lcid(" +
                    hex(library.locale) + ")";
  if (library.flags & library_flag::control) out += ", control";
  if (!library.help.empty()) out += ", helpstring(" + quoted(library.help) + ")";
  out += "]\nlibrary " + library.name + " {\n";
  for (const ImportedLibrary& imported : library.imports) {
    out += "importlib(" + imported.name + " " + format_guid(imported.guid) + " " +
           version(imported.major_version, imported.minor_version) + ");\n";
  }
  for (const TypeInfo& type : library.types) describe_type(out, type);
  out += "};\n";
  return out;
}

}  // namespace dnovar
