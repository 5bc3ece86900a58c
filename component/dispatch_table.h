// Late binding built from a type description: a module describes an interface once, in its
// TypeLibrary, and binds a handler to each of its functions by name. The table then answers
// get_ids_of_names and invoke with the description's dispatch ids, parameter counts and types:
//
//   DispatchTable table(library(), kDnovarInterface, {
//       {"Dlow", InvokeKind::property_get, [this](Args&) { return Variant::i2(state_.dlow); }},
//       {"Dlow", InvokeKind::property_put, [this](Args& a) { state_.dlow = a[0].to_i2(); return
//       Variant(); }},
//       ...});
//
// What the table does before a handler runs:
// - finds the function by dispatch id and kind, else member_not_found;
// - checks the argument count against the parameters (optional ones may be left out), else
//   bad_param_count;
// - fills left-out optional arguments with their recorded default, or Empty, and converts every
//   argument to its parameter's type (Empty becomes 0, "" or False); a value that does not convert
//   gives type_mismatch, one out of range overflow. The handler thus sees exactly one argument per
//   parameter, of the declared type.
// After it: converts the result to the function's declared type, writes a by-reference argument
// back only if the handler changed it (so an unchanged argument keeps the caller's own type), and
// turns a run-time error into the exception status with its ExceptionInfo.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "component/automation.h"

namespace dnovar {

using Args = std::vector<Variant>;
using MemberHandler = std::function<Variant(Args& args)>;

struct MemberBinding {
  std::string name;
  InvokeKind kind;
  MemberHandler handler;
};

class DispatchTable {
 public:
  // `library` must outlive the table. Throws std::logic_error naming the culprit when a binding
  // names no function of the type, or a function is left without a binding: a mismatch between
  // description and code is a programming error found by the first test that creates an object.
  DispatchTable(const TypeLibrary& library, std::size_t type_index,
                std::vector<MemberBinding> bindings, std::string source = {});

  Status get_ids_of_names(std::string_view name, DispatchId* id) const;
  Status invoke(DispatchId id, InvokeKind kind, Args& args, Variant* result,
                ExceptionInfo* info) const;
  Status get_type_info(TypeInfoRef* out) const;
  const TypeInfo& type() const { return library_->types.at(type_index_); }

 private:
  const TypeLibrary* library_;
  std::size_t type_index_;
  std::vector<MemberHandler> handlers_;  // parallel to type().functions
  std::string source_;
};

// The value converted to a declared type; raises type mismatch (13) or overflow (6).
Variant coerce(const Variant& value, ValueType type);

}  // namespace dnovar
