// What the container holds and saves: one control instance and the property-bag file it came
// from or goes to.
//
// A new instance replaces the current one only when it was created and initialised or loaded
// without failure; on failure the current one stays, with its file. Saving writes the control's
// keys into a copy of the bag read from the file, so keys the control does not know survive a
// save, and the file is written only when the control saved every key.
#pragma once

#include <filesystem>
#include <memory>
#include <optional>

#include "apps/common/component_paths.h"
#include "apps/container/container_site.h"
#include "apps/container/hosted_control.h"
#include "component/activation.h"
#include "component/bag_file.h"
#include "component/registry.h"

namespace dnovar::container {

class ContainerDocument {
 public:
  // `module` is registered when the registry cannot create the control, or names another module
  // than the one installed with the program (control_registration.h).
  ContainerDocument(Registry registry, app::ControlModule module, ContainerSite& site,
                    ContainerSiteListener& listener);
  ~ContainerDocument();
  ContainerDocument(const ContainerDocument&) = delete;
  ContainerDocument& operator=(const ContainerDocument&) = delete;

  // A new, started instance belonging to no file: a placed instance initialised (init_new) and
  // saved to a bag in memory, and a second instance loaded from that bag, which starts the
  // calendar (on today, captioned with the instance name).
  void new_instance();
  // A new instance loaded from the bag file (53 missing, 75 unreadable, 321 malformed, or the
  // control's load failure).
  void open(const std::filesystem::path& file);
  // Saves to the current file; error 75 when there is none.
  void save();
  void save_as(const std::filesystem::path& file);

  HostedControl* control() const { return control_.get(); }
  // Empty when the instance belongs to no file yet.
  const std::filesystem::path& file() const { return file_; }
  const Registry& registry() const { return registry_; }

  // The control notified a change of a property.
  void note_change() { changed_ = true; }
  // Whether saving now would store something else than the last save or load: a notified
  // change, or keys that differ from those the control gave then.
  bool modified();

 private:
  std::unique_ptr<HostedControl> create();
  void adopt(std::unique_ptr<HostedControl> control, MemoryBag bag, std::filesystem::path file);
  std::optional<MemoryBag> snapshot();
  HostedControl& require_control();

  Registry registry_;
  app::ControlModule module_;
  ContainerSite& site_;
  ContainerSiteListener& listener_;
  // Before the control: a module stays loaded while an object of it may live.
  ModuleCache modules_;
  std::unique_ptr<HostedControl> control_;
  MemoryBag stored_;
  std::filesystem::path file_;
  std::optional<MemoryBag> saved_keys_;
  bool changed_ = false;
};

}  // namespace dnovar::container
