// What the container holds and saves: one control instance and the property-bag file it came
// from or goes to; the same rules as the other container's document.
//
// A new instance replaces the current one only when it was created and initialised or loaded
// without failure; on failure the current one stays, with its file. Saving writes the control's
// keys into a copy of the bag read from the file, so keys the control does not know survive a
// save. A COM property bag cannot take a key out, and the control writes no key that is at its
// default: before the control saves, the copy loses every key the control has ever written, so a
// property set back to its default is not saved with its old value.
#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <utility>

#include "apps/common/ole/ole_control.h"
#include "component/bag_file.h"

namespace dnovar::container {

class OleDocument {
 public:
  OleDocument(ComRef<ole::OleClientSite> site, ole::SinkListener& listener)
      : site_(std::move(site)), listener_(listener) {}

  // A new instance belonging to no file: a placed instance initialised (InitNew) and saved to a
  // bag in memory, and a fresh instance loaded from that bag, which starts the calendar.
  void new_instance();
  // A new instance loaded from the bag file (53 missing, 75 unreadable, 321 malformed, or the
  // control's load failure).
  void open(const std::filesystem::path& file);
  void save_as(const std::filesystem::path& file);
  // Lets go of the instance (before the window and its sites go).
  void close() { control_.reset(); }

  ole::OleControl* control() const { return control_.get(); }
  const std::filesystem::path& file() const { return file_; }

  void note_change() { changed_ = true; }
  // Whether saving now would store something else than the last save or load.
  bool modified();

 private:
  std::unique_ptr<ole::OleControl> create();
  void adopt(std::unique_ptr<ole::OleControl> control, MemoryBag bag, std::filesystem::path file);
  // The bag a save would write: the stored bag without the control's keys, then the control's.
  MemoryBag saved_bag(ole::OleControl& control);
  std::optional<MemoryBag> snapshot();

  ComRef<ole::OleClientSite> site_;
  ole::SinkListener& listener_;
  std::unique_ptr<ole::OleControl> control_;
  MemoryBag stored_;
  std::filesystem::path file_;
  std::set<std::string> control_keys_;  // as the control spells them; bags compare keys by case
  std::optional<MemoryBag> saved_keys_;
  bool changed_ = false;
};

}  // namespace dnovar::container
