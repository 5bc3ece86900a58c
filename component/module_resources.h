// The resources a module carries besides its code: pictures, records and its version, readable by
// a host before it creates any instance (a host listing controls in a palette shows the toolbox
// picture). A module hands this interface out from DllGetClassObject for any of its class ids,
// asked with ModuleResources::iid, so it needs no entry point of its own.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "component/unknown.h"

namespace dnovar {

class ModuleResources : public Unknown {
 public:
  static constexpr Guid iid = guid_literal("{4B1E7C2A-5D39-4C8E-9F06-1A2B3C4D5E6F}");

  // The bytes of a resource by type and name: ("BITMAP", "30000"), ("TYPELIB", "1"),
  // ("CUSTOM", "_IID_DNOVAR"). invalid_argument when the module has no such resource.
  virtual Status find_resource(std::string_view type, std::string_view name,
                               std::vector<std::uint8_t>* out) = 0;
  // An entry of the version record ("FileVersion", "OriginalFilename", ...); invalid_argument when
  // absent. An entry may exist with an empty value ("OLESelfRegister").
  virtual Status version_entry(std::string_view key, std::string* out) = 0;

 protected:
  ~ModuleResources() = default;
};

}  // namespace dnovar
