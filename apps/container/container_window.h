// The container's main window: the control on a form, its instance name, a property browser, the
// method buttons, an event log, and a File menu for property-bag files (New, Open bag…, Save,
// Save as…). Failures of any of these are logged as "error N message"; the window stays usable.
#pragma once

#include <QMainWindow>
#include <filesystem>
#include <memory>
#include <optional>

#include "apps/container/container_document.h"
#include "apps/container/container_site.h"

class QLineEdit;
class QPlainTextEdit;

namespace dnovar::container {

class MethodPanel;
class PropertyBrowser;

class ContainerWindow final : public QMainWindow, private ContainerSiteListener {
  Q_OBJECT

 public:
  ContainerWindow(Registry registry, app::ControlModule module, QWidget* parent = nullptr);
  ~ContainerWindow() override;

  // Opens the bag file, or starts a new instance without one (also when the file fails to open).
  void start(const std::optional<std::filesystem::path>& file);

  // Replace the instance; false (and the failure logged) when the old one stays.
  bool new_instance();
  bool open_file(const std::filesystem::path& file);
  // Saves to the current file, or asks for one; false when nothing was saved.
  bool save();
  bool save_to(const std::filesystem::path& file);

  ContainerDocument& document() { return *document_; }
  ContainerSite& site() { return site_; }
  PropertyBrowser& property_browser() { return *browser_; }
  QLineEdit& name_editor() { return *name_; }
  // The control's widgets on the form; null without an instance.
  QWidget* control_root() const;

 signals:
  // Every line of the event log, as it is added.
  void logged(const QString& line);
  // The window has been painted for the first time.
  void first_painted();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void log(const std::string& line) override;
  void property_changed(std::string_view name) override;

  void build_menu();
  QWidget* build_central();
  void show_control();
  void place_in_tab_order(QWidget& root);
  void schedule_refresh();
  void update_title();
  void rename();
  bool save_as();
  void open_chosen_file();
  // Asks whether to save unsaved changes; false when the user cancels (or saving fails).
  bool may_discard_changes();
  bool input_reaches_control(QObject* watched) const;

  ContainerSite site_;
  // After the site: the control is released before the site it was given.
  std::unique_ptr<ContainerDocument> document_;
  QWidget* form_ = nullptr;
  QLineEdit* name_ = nullptr;
  PropertyBrowser* browser_ = nullptr;
  MethodPanel* methods_ = nullptr;
  QPlainTextEdit* log_ = nullptr;
  bool refresh_pending_ = false;
  bool painted_ = false;
};

}  // namespace dnovar::container
