#include "apps/container/container_document.h"

#include <iostream>

#include "apps/common/control_registration.h"
#include "host/type_library.h"

namespace dnovar::container {

ContainerDocument::ContainerDocument(Registry registry, app::ControlModule module,
                                     ContainerSite& site, ContainerSiteListener& listener)
    : registry_(std::move(registry)),
      module_(std::move(module)),
      site_(site),
      listener_(listener) {}

ContainerDocument::~ContainerDocument() = default;

std::unique_ptr<HostedControl> ContainerDocument::create() {
  const app::RegistrationCheck check =
      app::ensure_registered(registry_, modules_, kDnovarProgId, module_);
  if (check.registered)
    listener_.log("registered " + std::string(kDnovarProgId) + " in " + registry_.file().string());
  if (!check.replacement.empty()) std::cerr << "dnovar-container: " << check.replacement << '\n';
  return std::make_unique<HostedControl>(registry_, modules_, kDnovarProgId, site_);
}

void ContainerDocument::new_instance() {
  // What a host does between placing a control and running its form: the placed instance is
  // initialised and saved, and the running one is a fresh instance loaded from that save. Only
  // loading starts the calendar; the placed instance is never shown.
  MemoryBag placed;
  {
    std::unique_ptr<HostedControl> design = create();
    design->init_new();
    design->save(placed);
  }
  std::unique_ptr<HostedControl> running = create();
  running->load(placed);
  adopt(std::move(running), MemoryBag{}, {});
}

void ContainerDocument::open(const std::filesystem::path& file) {
  MemoryBag bag = load_bag_file(file);
  std::unique_ptr<HostedControl> created = create();
  // The control only reads; a copy keeps the stored bag as the file has it whatever it does.
  MemoryBag reading = bag;
  created->load(reading);
  adopt(std::move(created), std::move(bag), file);
}

void ContainerDocument::save() {
  if (file_.empty())
    throw RuntimeError(error_number::file_access,
                       "Path/File access error: the instance has no file yet");
  save_as(file_);
}

void ContainerDocument::save_as(const std::filesystem::path& file) {
  MemoryBag bag = stored_;
  require_control().save(bag);
  save_bag_file(bag, file);
  stored_ = bag;
  file_ = file;
  saved_keys_ = std::move(bag);
  changed_ = false;
}

bool ContainerDocument::modified() {
  if (changed_) return true;
  const std::optional<MemoryBag> now = snapshot();
  return !now || !saved_keys_ || !(*now == *saved_keys_);
}

void ContainerDocument::adopt(std::unique_ptr<HostedControl> control, MemoryBag bag,
                              std::filesystem::path file) {
  control_ = std::move(control);
  stored_ = std::move(bag);
  file_ = std::move(file);
  // Initialising and loading notify changes; they are what the document starts from.
  changed_ = false;
  saved_keys_ = snapshot();
}

std::optional<MemoryBag> ContainerDocument::snapshot() {
  if (!control_) return std::nullopt;
  MemoryBag bag = stored_;
  try {
    control_->save(bag);
  } catch (const RuntimeError&) {
    return std::nullopt;  // a save would fail as well; the window shows that error when it saves
  }
  return bag;
}

HostedControl& ContainerDocument::require_control() {
  if (!control_) raise_object_not_set();
  return *control_;
}

}  // namespace dnovar::container
