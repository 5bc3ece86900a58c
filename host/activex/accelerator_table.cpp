#include "host/activex/accelerator_table.h"

#include <algorithm>

namespace dnovar {

namespace {

bool same_key(const ACCEL& a, const ACCEL& b) {
  return a.fVirt == b.fVirt && a.key == b.key && a.cmd == b.cmd;
}

}  // namespace

AcceleratorTable::~AcceleratorTable() {
  if (handle_ != nullptr) DestroyAcceleratorTable(handle_);
}

HACCEL AcceleratorTable::of(const std::vector<ACCEL>& keys) {
  if (handle_ != nullptr &&
      std::equal(keys.begin(), keys.end(), keys_.begin(), keys_.end(), same_key))
    return handle_;
  if (handle_ != nullptr) DestroyAcceleratorTable(handle_);
  keys_ = keys;
  handle_ = CreateAcceleratorTableW(keys_.data(), static_cast<int>(keys_.size()));
  return handle_;
}

}  // namespace dnovar
