// A type library as plain data: what a module publishes about its classes, interfaces and
// enumerations, and what a host reads to list members, bind names and show help strings.
//
// Members are listed as the interface's functions: a read/write property is two entries with
// the same dispatch id, the read accessor (property_get) first, then the write accessor
// (property_put). A module fills one TypeLibrary from one table and builds its dispatch
// (dispatch_table.h) from the same entries, so dispatch ids are written down once.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "component/guid.h"
#include "platform/variant.h"

namespace dnovar {

using DispatchId = std::int32_t;

// Standard dispatch ids of the platform.
inline constexpr DispatchId kDispidUnknown = -1;
inline constexpr DispatchId kDispidEnabled = -514;
inline constexpr DispatchId kDispidAboutBox = -552;

enum class InvokeKind { method, property_get, property_put };

// The types a member or parameter can have. `colour` is OLE_COLOR, a 32-bit colour value that
// hosts show with a colour picker; `variant` accepts any value.
enum class ValueType { none, i2, i4, r8, boolean, date, string, colour, variant };

inline constexpr Guid kOleAutomationLibrary =
    guid_literal("{00020430-0000-0000-C000-000000000046}");
inline constexpr Guid kOleColourType = guid_literal("{66504301-BE0F-101A-8BBB-00AA00300CAB}");

namespace param_flag {
inline constexpr std::uint32_t in = 0x1;
inline constexpr std::uint32_t out = 0x2;
inline constexpr std::uint32_t retval = 0x8;
inline constexpr std::uint32_t optional = 0x10;
inline constexpr std::uint32_t has_default = 0x20;
}  // namespace param_flag

struct Parameter {
  std::string name{};  // may be empty (the write accessors' value has no name)
  ValueType type = ValueType::variant;
  bool by_reference = false;
  std::uint32_t flags = param_flag::in;
  std::optional<Variant> default_value{};  // set only with has_default
};

namespace function_flag {
inline constexpr std::uint32_t restricted = 0x1;
inline constexpr std::uint32_t hidden = 0x40;
inline constexpr std::uint32_t bindable = 0x4;
}  // namespace function_flag

struct Function {
  std::string name{};
  DispatchId id = 0;
  InvokeKind kind = InvokeKind::method;
  ValueType result = ValueType::none;   // a read accessor's value type; none for a write accessor
  std::vector<Parameter> parameters{};  // a write accessor's one parameter is the new value
  std::string help{};
  std::string result_name{};  // the name of a read accessor's value, where it has one
  std::uint32_t flags = 0;    // function_flag bits
};

struct EnumConstant {
  std::string name{};
  std::int32_t value = 0;
  std::string help{};
};

namespace implementation_flag {
inline constexpr std::uint32_t is_default = 0x1;
inline constexpr std::uint32_t source = 0x2;
}  // namespace implementation_flag

// An interface a class implements, by name within the same library.
struct ImplementedInterface {
  std::string name{};
  std::uint32_t flags = 0;  // implementation_flag bits
};

enum class TypeKind { dispinterface, dual_interface, coclass, enumeration };

namespace type_flag {
inline constexpr std::uint32_t can_create = 0x2;
inline constexpr std::uint32_t hidden = 0x10;
inline constexpr std::uint32_t control = 0x20;
inline constexpr std::uint32_t dual = 0x40;
inline constexpr std::uint32_t nonextensible = 0x80;
inline constexpr std::uint32_t oleautomation = 0x100;
inline constexpr std::uint32_t dispatchable = 0x1000;
}  // namespace type_flag

struct TypeInfo {
  std::string name{};
  TypeKind kind = TypeKind::dispinterface;
  Guid guid{};
  std::uint32_t flags = 0;  // type_flag bits
  std::uint16_t major_version = 1;
  std::uint16_t minor_version = 0;
  std::string help{};
  std::string base{};                              // interfaces: "IDispatch"
  std::vector<Function> functions{};               // interfaces
  std::vector<ImplementedInterface> interfaces{};  // classes
  std::vector<EnumConstant> constants{};           // enumerations
};

struct ImportedLibrary {
  std::string name{};
  Guid guid{};
  std::uint16_t major_version = 0;
  std::uint16_t minor_version = 0;
};

namespace library_flag {
inline constexpr std::uint32_t restricted = 0x1;
inline constexpr std::uint32_t control = 0x2;
inline constexpr std::uint32_t hidden = 0x4;
}  // namespace library_flag

struct TypeLibrary {
  std::string name{};
  Guid guid{};
  std::uint16_t major_version = 1;
  std::uint16_t minor_version = 0;
  std::uint32_t locale = 0x0409;
  std::string target_system = "win32";
  std::uint32_t flags = 0;  // library_flag bits
  std::string help{};
  std::string help_file{};
  std::vector<ImportedLibrary> imports{};
  std::vector<TypeInfo> types{};
};

// Lookups; names compare without regard to ASCII case, as late binding does.
const TypeInfo* find_type(const TypeLibrary& library, std::string_view name);
const TypeInfo* find_type(const TypeLibrary& library, const Guid& guid);
// The first function with that name (any kind), or null.
const Function* find_function(const TypeInfo& type, std::string_view name);
const Function* find_function(const TypeInfo& type, DispatchId id, InvokeKind kind);

bool names_equal(std::string_view a, std::string_view b);

// "IDL-like" listing of a library for people: one line per type, function and constant.
std::string describe(const TypeLibrary& library);

const char* value_type_name(ValueType type) noexcept;
const char* type_kind_name(TypeKind kind) noexcept;
const char* invoke_kind_name(InvokeKind kind) noexcept;

}  // namespace dnovar
