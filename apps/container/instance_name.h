// The name a host gives a control instance (its extender's Name): a letter, then letters, digits
// or underscores, at most 40 characters in all ("Dnovar1", "kalendar_2").
#pragma once

#include <string_view>

namespace dnovar::container {

inline constexpr std::size_t kMaxInstanceNameLength = 40;

bool valid_instance_name(std::string_view name);

}  // namespace dnovar::container
