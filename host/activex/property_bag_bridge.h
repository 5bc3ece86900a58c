// A container's IPropertyBag as the control's PropertyBag: read with default, write with default.
#pragma once

#include <windows.h>

#include <ocidl.h>

#include "platform/site.h"

namespace dnovar {

class PropertyBagBridge final : public PropertyBag {
 public:
  // Both stay the caller's; `log` may be null.
  PropertyBagBridge(IPropertyBag& bag, IErrorLog* log) : bag_(bag), log_(log) {}

  // A key the bag does not have (its Read fails with E_INVALIDARG) gives the default; any other
  // failure of the bag is raised as the run-time error its status stands for.
  Variant read(std::string_view key, const Variant& default_value) override;
  // A value equal to the default is not written: a container saves into a new bag, where the
  // key then stays absent.
  void write(std::string_view key, const Variant& value, const Variant& default_value) override;
  // With the caller's error log: the key and the error (its control error, source and text) go
  // to IErrorLog::AddError, and the load goes on. Without one the load fails at once.
  bool failure_recorded(std::string_view key, const RuntimeError& error) override;

 private:
  IPropertyBag& bag_;
  IErrorLog* log_;
};

}  // namespace dnovar
