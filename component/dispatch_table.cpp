#include "component/dispatch_table.h"

#include <stdexcept>

namespace dnovar {

Variant coerce(const Variant& value, ValueType type) {
  switch (type) {
    case ValueType::none:
    case ValueType::variant:
      return value;
    case ValueType::i2:
      return Variant::i2(value.to_i2());
    case ValueType::i4:
    case ValueType::colour:
      return Variant::i4(value.to_i4());
    case ValueType::r8:
      return Variant::r8(value.to_r8());
    case ValueType::boolean:
      return Variant::boolean(value.to_bool() != kFalse);
    case ValueType::date:
      return Variant::date(value.to_date());
    case ValueType::string:
      return Variant::string(value.to_string());
  }
  raise_type_mismatch();
}

DispatchTable::DispatchTable(const TypeLibrary& library, std::size_t type_index,
                             std::vector<MemberBinding> bindings, std::string source)
    : library_(&library), type_index_(type_index), source_(std::move(source)) {
  const TypeInfo& described = type();
  handlers_.resize(described.functions.size());
  for (MemberBinding& binding : bindings) {
    bool bound = false;
    for (std::size_t i = 0; i < described.functions.size(); ++i) {
      const Function& function = described.functions[i];
      if (function.kind == binding.kind && names_equal(function.name, binding.name)) {
        if (handlers_[i])
          throw std::logic_error(described.name + "." + binding.name + " is bound twice");
        handlers_[i] = std::move(binding.handler);
        bound = true;
        break;
      }
    }
    if (!bound) {
      throw std::logic_error(described.name + " has no " + invoke_kind_name(binding.kind) + " " +
                             binding.name);
    }
  }
  for (std::size_t i = 0; i < handlers_.size(); ++i) {
    if (!handlers_[i]) {
      throw std::logic_error(described.name + "." + described.functions[i].name + " (" +
                             invoke_kind_name(described.functions[i].kind) + ") has no handler");
    }
  }
}

Status DispatchTable::get_ids_of_names(std::string_view name, DispatchId* id) const {
  if (id == nullptr) return Status::pointer;
  const Function* function = find_function(type(), name);
  *id = function != nullptr ? function->id : kDispidUnknown;
  return function != nullptr ? Status::ok : Status::member_not_found;
}

Status DispatchTable::get_type_info(TypeInfoRef* out) const {
  if (out == nullptr) return Status::pointer;
  *out = TypeInfoRef{library_, type_index_};
  return Status::ok;
}

namespace {

std::size_t required_count(const std::vector<Parameter>& parameters) {
  std::size_t required = 0;
  for (std::size_t i = 0; i < parameters.size(); ++i) {
    if (!(parameters[i].flags & (param_flag::optional | param_flag::has_default))) required = i + 1;
  }
  return required;
}

// Converts the caller's arguments to the parameters' types; a failure is the status of the call.
Status convert_arguments(const std::vector<Parameter>& parameters, const Args& args,
                         Args& converted) {
  converted.clear();
  for (std::size_t i = 0; i < parameters.size(); ++i) {
    const Parameter& parameter = parameters[i];
    Variant given;
    if (i < args.size()) {
      given = args[i];
    } else if ((parameter.flags & param_flag::has_default) && parameter.default_value) {
      given = *parameter.default_value;
    }
    try {
      converted.push_back(coerce(given, parameter.type));
    } catch (const RuntimeError& error) {
      return error.number() == error_number::overflow ? Status::overflow : Status::type_mismatch;
    }
  }
  return Status::ok;
}

}  // namespace

Status DispatchTable::invoke(DispatchId id, InvokeKind kind, Args& args, Variant* result,
                             ExceptionInfo* info) const {
  const TypeInfo& described = type();
  std::size_t index = 0;
  while (index < described.functions.size() &&
         (described.functions[index].id != id || described.functions[index].kind != kind)) {
    ++index;
  }
  if (index == described.functions.size()) return Status::member_not_found;
  const Function& function = described.functions[index];
  if (args.size() < required_count(function.parameters) ||
      args.size() > function.parameters.size()) {
    return Status::bad_param_count;
  }

  const Status status = guarded_call(info, [&] {
    Args converted;
    if (const Status conversion = convert_arguments(function.parameters, args, converted);
        failed(conversion)) {
      return conversion;
    }
    const Args before = converted;
    Variant value = handlers_[index](converted);
    for (std::size_t i = 0; i < args.size(); ++i) {
      if (function.parameters[i].by_reference && !(converted[i] == before[i]))
        args[i] = converted[i];
    }
    if (result != nullptr)
      *result = function.result == ValueType::none ? Variant() : coerce(value, function.result);
    return Status::ok;
  });
  if (status == Status::exception && info != nullptr) info->source = source_;
  return status;
}

}  // namespace dnovar
