// The container's main window: the control in place on a form, its instance name, the property
// list, the method buttons, an event log, and a File menu for property-bag files (New Ctrl+N,
// Open bag… Ctrl+O, Save Ctrl+S, Save as… Ctrl+Shift+S, Quit Ctrl+Q). Every log line also goes
// to standard output. Failures are logged as "error N message"; the window stays usable.
#pragma once

#include <windows.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "apps/common/ole/control_sinks.h"
#include "apps/common/ole/ole_client_site.h"
#include "apps/container/win32/method_buttons.h"
#include "apps/container/win32/ole_document.h"
#include "apps/container/win32/property_list.h"

namespace dnovar::container {

class OleContainerWindow final : private ole::SiteOwner, private ole::SinkListener {
 public:
  // Raises 7 when the window cannot be made. `shown` runs once the window is first painted.
  explicit OleContainerWindow(std::function<void(OleContainerWindow&)> shown);
  ~OleContainerWindow() override;
  OleContainerWindow(const OleContainerWindow&) = delete;
  OleContainerWindow& operator=(const OleContainerWindow&) = delete;

  // Opens the bag file, or starts a new instance without one (also when the file fails to open),
  // then shows the window.
  void start(const std::optional<std::filesystem::path>& file);
  // The message loop's share of a message before it is dispatched: the control's keys, its
  // mnemonics, the menu's shortcuts and Enter in the fields. True when the message was handled.
  bool translate(MSG& message);
  // After a message was dispatched: input the control handled may have changed its properties
  // without a notification (a drag sets Dlow and Dhigh), so the list is refreshed.
  void dispatched(const MSG& message);

  HWND window() const { return window_; }
  // The control's window while it is in place, else null.
  HWND control_window() const;
  void close() { DestroyWindow(window_); }

 private:
  static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM w, LPARAM l);
  LRESULT handle(UINT message, WPARAM w, LPARAM l);
  void command(int id);

  std::string extender_name() override { return instance_name_; }
  void control_info_changed() override;
  void log(const std::string& line);
  void control_event(DISPID id, const std::string& name) override;
  void control_changed(DISPID id, const std::string& name) override;

  void report(const RuntimeError& error);
  bool new_instance();
  bool open_file(const std::filesystem::path& file);
  bool save();
  bool save_to(const std::filesystem::path& file);
  bool save_as();
  void open_chosen_file();
  bool may_discard_changes();
  void show_control();
  void layout();
  void rename();
  void schedule_refresh();
  void update_title();
  bool inside_control(HWND window) const;

  std::function<void(OleContainerWindow&)> shown_;
  HWND window_ = nullptr;
  HWND form_ = nullptr;
  HWND name_ = nullptr;
  HWND name_label_ = nullptr;
  HWND log_ = nullptr;
  HACCEL accelerators_ = nullptr;
  std::vector<ACCEL> mnemonics_;  // the control's access keys (IOleControl::GetControlInfo)
  std::string instance_name_ = "Dnovar1";  // the extender's Name
  ComRef<ole::InPlaceFrame> frame_;
  ComRef<ole::OleClientSite> site_;
  bool control_eats_enter_ = false;  // where the focus is in it (CTRLINFO_EATS_RETURN)
  std::unique_ptr<OleDocument> document_;
  std::unique_ptr<PropertyList> properties_;
  std::unique_ptr<MethodButtons> methods_;
  bool refresh_pending_ = false;
  bool painted_ = false;
};

}  // namespace dnovar::container
