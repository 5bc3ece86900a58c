// Late binding: calling an object's members by dispatch id with variant arguments.
#pragma once

#include <string_view>
#include <vector>

#include "component/type_library.h"
#include "component/unknown.h"
#include "platform/variant.h"

namespace dnovar {

// Where an object's description lives: its library and the index of its type there.
struct TypeInfoRef {
  const TypeLibrary* library = nullptr;
  std::size_t index = 0;
  const TypeInfo& info() const { return library->types.at(index); }
};

class Dispatch : public Unknown {
 public:
  static constexpr Guid iid = guid_literal("{00020400-0000-0000-C000-000000000046}");

  // The dispatch id of a member, by name without regard to ASCII case; member_not_found (and
  // kDispidUnknown in *id) for a name the object does not have.
  virtual Status get_ids_of_names(std::string_view name, DispatchId* id) = 0;

  // Calls a member. `args` are in declaration order (first parameter first); a property write
  // passes the new value as its one argument. Optional trailing arguments may be left out.
  // Arguments of by-reference parameters may be written back into `args`. `result` may be null
  // when the caller does not want it. A run-time error returns `exception` with details in `info`
  // when `info` is given (status.h).
  virtual Status invoke(DispatchId id, InvokeKind kind, std::vector<Variant>& args, Variant* result,
                        ExceptionInfo* info) = 0;

  // The description of this object's interface; its library outlives the object.
  virtual Status get_type_info(TypeInfoRef* out) = 0;

 protected:
  ~Dispatch() = default;
};

// Receives the events of a source interface (the control's `__Dnovar`: `Zavri` = 1).
class EventSink : public Unknown {
 public:
  static constexpr Guid iid = guid_literal("{6D1C4A52-3E0B-4F7A-9C41-2B8E5D0F7A11}");

  virtual Status invoke(DispatchId id, std::vector<Variant>& args) = 0;

 protected:
  ~EventSink() = default;
};

// An object that raises events: a host advises its sink for a source interface and gets a cookie
// to unadvise with.
class EventSource : public Unknown {
 public:
  static constexpr Guid iid = guid_literal("{6D1C4A52-3E0B-4F7A-9C41-2B8E5D0F7A12}");

  // no_interface when the object has no such source interface; pointer when sink or cookie is null.
  virtual Status advise(const Guid& source_iid, EventSink* sink, std::uint32_t* cookie) = 0;
  // invalid_argument for a cookie that is not advised (any more).
  virtual Status unadvise(std::uint32_t cookie) = 0;

 protected:
  ~EventSource() = default;
};

// Helpers for hosts calling through Dispatch: bind by name, raise the call's failure as the
// RuntimeError it stands for.
Variant get_property(Dispatch& object, std::string_view name);
void put_property(Dispatch& object, std::string_view name, const Variant& value);
Variant call_method(Dispatch& object, std::string_view name, std::vector<Variant> args = {});

}  // namespace dnovar
