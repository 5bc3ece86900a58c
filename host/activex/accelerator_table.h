// The control's access keys as the accelerator table IOleControl::GetControlInfo hands to its
// container. The container only reads the table and must not free it, so the control owns one:
// made on first use, made again only when the keys differ from the table's, destroyed with the
// control. Repeated calls get the same handle.
#pragma once

#include <windows.h>

#include <vector>

namespace dnovar {

class AcceleratorTable {
 public:
  AcceleratorTable() = default;
  ~AcceleratorTable();
  AcceleratorTable(const AcceleratorTable&) = delete;
  AcceleratorTable& operator=(const AcceleratorTable&) = delete;

  // The table of `keys`; null when the system cannot make one.
  HACCEL of(const std::vector<ACCEL>& keys);

 private:
  HACCEL handle_ = nullptr;
  std::vector<ACCEL> keys_;
};

}  // namespace dnovar
