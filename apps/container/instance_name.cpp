#include "apps/container/instance_name.h"

namespace dnovar::container {

namespace {

bool ascii_letter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}
bool ascii_digit(char c) {
  return c >= '0' && c <= '9';
}

}  // namespace

bool valid_instance_name(std::string_view name) {
  if (name.empty() || name.size() > kMaxInstanceNameLength || !ascii_letter(name.front()))
    return false;
  for (const char c : name)
    if (!ascii_letter(c) && !ascii_digit(c) && c != '_') return false;
  return true;
}

}  // namespace dnovar::container
