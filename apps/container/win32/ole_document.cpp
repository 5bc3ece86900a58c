#include "apps/container/win32/ole_document.h"

#include "host/type_library.h"
#include "platform/error.h"

namespace dnovar::container {

std::unique_ptr<ole::OleControl> OleDocument::create() {
  return std::make_unique<ole::OleControl>(ole::OleControl::create(kDnovarProgId), site_,
                                           listener_);
}

void OleDocument::new_instance() {
  // What a host does between placing a control and running its form: the placed instance is
  // initialised and saved in design mode, the running one is a fresh instance loaded from that
  // save.
  MemoryBag placed;
  {
    const ole::DesignTime designing(*site_, nullptr);
    std::unique_ptr<ole::OleControl> design = create();
    design->init_new();
    design->save(placed);
  }
  std::unique_ptr<ole::OleControl> running = create();
  running->load(placed);
  adopt(std::move(running), MemoryBag{}, {});
}

void OleDocument::open(const std::filesystem::path& file) {
  MemoryBag bag = load_bag_file(file);
  std::unique_ptr<ole::OleControl> created = create();
  MemoryBag reading = bag;  // the stored bag stays as the file has it whatever the control does
  created->load(reading);
  adopt(std::move(created), std::move(bag), file);
}

void OleDocument::save_as(const std::filesystem::path& file) {
  if (!control_) raise_object_not_set();
  MemoryBag bag = saved_bag(*control_);
  save_bag_file(bag, file);
  stored_ = bag;
  file_ = file;
  saved_keys_ = std::move(bag);
  changed_ = false;
}

bool OleDocument::modified() {
  if (changed_) return true;
  const std::optional<MemoryBag> now = snapshot();
  return !now || !saved_keys_ || !(*now == *saved_keys_);
}

void OleDocument::adopt(std::unique_ptr<ole::OleControl> control, MemoryBag bag,
                        std::filesystem::path file) {
  control_ = std::move(control);
  stored_ = std::move(bag);
  file_ = std::move(file);
  control_keys_.clear();
  changed_ = false;  // loading notifies changes; they are what the document starts from
  saved_keys_ = snapshot();
}

MemoryBag OleDocument::saved_bag(ole::OleControl& control) {
  MemoryBag own;
  control.save(own);
  for (const MemoryBag::Entry& entry : own.entries()) control_keys_.insert(entry.key);
  MemoryBag bag = stored_;
  for (const std::string& key : control_keys_)
    if (own.find(key) == nullptr) bag.erase(key);
  for (const MemoryBag::Entry& entry : own.entries()) bag.set(entry.key, entry.value);
  return bag;
}

std::optional<MemoryBag> OleDocument::snapshot() {
  if (!control_) return std::nullopt;
  try {
    return saved_bag(*control_);
  } catch (const RuntimeError&) {
    return std::nullopt;  // a save would fail as well; the window shows that error when it saves
  }
}

}  // namespace dnovar::container
