// The class factory a module hands out for each of its classes.
#pragma once

#include <functional>

#include "component/object.h"
#include "component/unknown.h"

namespace dnovar {

class ClassFactory : public Unknown {
 public:
  static constexpr Guid iid = guid_literal("{00000001-0000-0000-C000-000000000046}");

  // Creates an instance and returns its `interface_id` interface in *out. Aggregation is not
  // supported: a non-null `outer` gives no_aggregation.
  virtual Status create_instance(Unknown* outer, const Guid& interface_id, void** out) = 0;
  // Holds (true) or lets go (false) of the module, so a host can keep it loaded between creations.
  virtual Status lock_server(bool lock) = 0;

 protected:
  ~ClassFactory() = default;
};

// A class factory over a function that creates one instance (throwing on failure).
class FunctionClassFactory final : public ObjectBase<ClassFactory> {
 public:
  using Create = std::function<ComponentPtr<Unknown>()>;
  explicit FunctionClassFactory(Create create) : create_(std::move(create)) {}

  Status create_instance(Unknown* outer, const Guid& interface_id, void** out) override;
  Status lock_server(bool lock) override;

 private:
  Create create_;
};

}  // namespace dnovar
