#include "apps/container/container_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QSplitter>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <vector>

#include "apps/container/method_panel.h"
#include "apps/container/property_browser.h"

namespace dnovar::container {

namespace {

// Space around the control on its form, in pixels.
constexpr int kFormMargin = 8;

const QString kBagFilter = QStringLiteral("Property bags (*.bag *.json);;All files (*)");

QString path_text(const std::filesystem::path& path) {
  return QString::fromStdString(path.string());
}
std::filesystem::path chosen_path(const QString& text) {
  return std::filesystem::path(text.toStdString());
}

}  // namespace

ContainerWindow::ContainerWindow(Registry registry, app::ControlModule module, QWidget* parent)
    : QMainWindow(parent),
      site_(*this),
      document_(std::make_unique<ContainerDocument>(std::move(registry), std::move(module), site_,
                                                    static_cast<ContainerSiteListener&>(*this))) {
  build_menu();
  setCentralWidget(build_central());
  resize(780, 600);
  update_title();
  qApp->installEventFilter(this);
}

ContainerWindow::~ContainerWindow() {
  qApp->removeEventFilter(this);
  // The control goes first, while the form that holds its widgets still stands.
  document_.reset();
}

void ContainerWindow::build_menu() {
  QMenu* file = menuBar()->addMenu(tr("&File"));
  file->addAction(tr("&New"), QKeySequence::New, this, [this] {
    if (may_discard_changes()) new_instance();
  });
  file->addAction(tr("&Open bag…"), QKeySequence::Open, this, [this] { open_chosen_file(); });
  file->addAction(tr("&Save"), QKeySequence::Save, this, [this] { save(); });
  file->addAction(tr("Save &as…"), QKeySequence::SaveAs, this, [this] { save_as(); });
  file->addSeparator();
  file->addAction(tr("&Quit"), QKeySequence::Quit, this, [this] { close(); });
}

QWidget* ContainerWindow::build_central() {
  name_ = new QLineEdit(QString::fromStdString(site_.name()));
  name_->setObjectName(QStringLiteral("Name"));
  name_->setToolTip(tr("The instance's name (the extender's Name); the caption's default"));
  connect(name_, &QLineEdit::editingFinished, this, &ContainerWindow::rename);

  form_ = new QWidget;
  form_->setObjectName(QStringLiteral("Form"));
  form_->setAutoFillBackground(true);
  form_->setFixedSize(2 * kFormMargin, 2 * kFormMargin);

  methods_ = new MethodPanel;
  connect(methods_, &MethodPanel::called, this, [this] { schedule_refresh(); });
  connect(methods_, &MethodPanel::error_reported, this, [this](int number, const QString& message) {
    log(error_line(RuntimeError(number, message.toStdString())));
  });

  browser_ = new PropertyBrowser;
  browser_->setObjectName(QStringLiteral("Properties"));
  browser_->setMinimumWidth(260);
  // Tab leaves the table for the next widget instead of walking its cells.
  browser_->setTabKeyNavigation(false);
  connect(browser_, &PropertyBrowser::property_edited, this, [this] { schedule_refresh(); });
  connect(browser_, &PropertyBrowser::error_reported, this,
          [this](int number, const QString& message) {
            log(error_line(RuntimeError(number, message.toStdString())));
          });

  log_ = new QPlainTextEdit;
  log_->setObjectName(QStringLiteral("EventLog"));
  log_->setReadOnly(true);
  log_->setMaximumBlockCount(5000);

  auto* name_row = new QFormLayout;
  name_row->addRow(tr("&Name:"), name_);
  auto* left = new QVBoxLayout;
  left->addLayout(name_row);
  left->addWidget(form_, 0, Qt::AlignLeft);
  left->addWidget(methods_);
  left->addStretch();
  auto* top = new QWidget;
  auto* columns = new QHBoxLayout(top);
  columns->addLayout(left);
  columns->addWidget(browser_, 1);

  auto* split = new QSplitter(Qt::Vertical);
  split->addWidget(top);
  split->addWidget(log_);
  split->setStretchFactor(0, 3);
  split->setStretchFactor(1, 1);
  return split;
}

void ContainerWindow::start(const std::optional<std::filesystem::path>& file) {
  if (file && open_file(*file)) return;
  new_instance();
}

bool ContainerWindow::new_instance() {
  try {
    document_->new_instance();
  } catch (const RuntimeError& error) {
    log(error_line(error));
    return false;
  }
  log("new " + site_.name());
  show_control();
  return true;
}

bool ContainerWindow::open_file(const std::filesystem::path& file) {
  try {
    document_->open(file);
  } catch (const RuntimeError& error) {
    log(error_line(error));
    log("not opened " + file.string());
    return false;
  }
  log("opened " + file.string());
  show_control();
  return true;
}

bool ContainerWindow::save() {
  if (document_->file().empty()) return save_as();
  return save_to(document_->file());
}

bool ContainerWindow::save_to(const std::filesystem::path& file) {
  try {
    document_->save_as(file);
  } catch (const RuntimeError& error) {
    log(error_line(error));
    log("not saved " + file.string());
    return false;
  }
  log("saved " + file.string());
  update_title();
  return true;
}

bool ContainerWindow::save_as() {
  if (!document_->control()) return false;
  const QString chosen = QFileDialog::getSaveFileName(this, tr("Save bag as"),
                                                      path_text(document_->file()), kBagFilter);
  return !chosen.isEmpty() && save_to(chosen_path(chosen));
}

void ContainerWindow::open_chosen_file() {
  if (!may_discard_changes()) return;
  const QString chosen =
      QFileDialog::getOpenFileName(this, tr("Open bag"), path_text(document_->file()), kBagFilter);
  if (!chosen.isEmpty()) open_file(chosen_path(chosen));
}

bool ContainerWindow::may_discard_changes() {
  if (!document_->control() || !document_->modified()) return true;
  const auto answer =
      QMessageBox::question(this, tr("Unsaved changes"), tr("Save the changes to the control?"),
                            QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel);
  if (answer == QMessageBox::Save) return save();
  return answer == QMessageBox::Discard;
}

void ContainerWindow::closeEvent(QCloseEvent* event) {
  if (may_discard_changes())
    event->accept();
  else
    event->ignore();
}

QWidget* ContainerWindow::control_root() const {
  HostedControl* control = document_ ? document_->control() : nullptr;
  return control != nullptr ? control->root() : nullptr;
}

void ContainerWindow::show_control() {
  HostedControl* control = document_->control();
  if (QWidget* root = control_root()) {
    root->setParent(form_);
    root->move(kFormMargin, kFormMargin);
    root->show();
    form_->setFixedSize(root->width() + 2 * kFormMargin, root->height() + 2 * kFormMargin);
    place_in_tab_order(*root);
  }
  browser_->show_object(control != nullptr ? &control->dispatch() : nullptr);
  methods_->set_object(control != nullptr ? &control->dispatch() : nullptr);
  update_title();
}

// The control's widgets come into the window's focus chain last, where Tab would never reach
// them past the property table: they go right after the Name field, in their own order.
void ContainerWindow::place_in_tab_order(QWidget& root) {
  std::vector<QWidget*> focusable;
  // The chain is a ring through every widget of the window, the root included.
  for (QWidget* w = root.nextInFocusChain(); w != &root; w = w->nextInFocusChain()) {
    if (!root.isAncestorOf(w)) continue;
    // A compound widget (the month list's edit field) moves with its owner.
    const bool inside_taken = std::any_of(focusable.begin(), focusable.end(),
                                          [w](QWidget* taken) { return taken->isAncestorOf(w); });
    if ((w->focusPolicy() & Qt::TabFocus) && !inside_taken) focusable.push_back(w);
  }
  QWidget* previous = name_;
  for (QWidget* w : focusable) {
    QWidget::setTabOrder(previous, w);
    previous = w;
  }
}

void ContainerWindow::rename() {
  const std::string wanted = name_->text().toStdString();
  if (wanted == site_.name()) return;
  try {
    site_.set_name(wanted);
    log("renamed " + wanted);
  } catch (const RuntimeError& error) {
    log(error_line(error));
    name_->setText(QString::fromStdString(site_.name()));
  }
  schedule_refresh();
}

void ContainerWindow::log(const std::string& line) {
  const QString text = QString::fromStdString(line);
  log_->appendPlainText(text);
  emit logged(text);
}

void ContainerWindow::property_changed(std::string_view) {
  document_->note_change();
  schedule_refresh();
}

// Refreshes once per turn of the event loop, after whatever changed the control has returned.
void ContainerWindow::schedule_refresh() {
  if (refresh_pending_) return;
  refresh_pending_ = true;
  QTimer::singleShot(0, this, [this] {
    refresh_pending_ = false;
    browser_->refresh();
    update_title();
  });
}

void ContainerWindow::update_title() {
  const QString file = document_->file().empty()
                           ? tr("Untitled")
                           : QString::fromStdString(document_->file().filename().string());
  setWindowTitle(QStringLiteral("%1[*] - dnovar-container").arg(file));
  setWindowModified(document_->control() != nullptr && document_->modified());
}

// The control's widgets, and the popup lists of its combo box (windows of their own).
bool ContainerWindow::input_reaches_control(QObject* watched) const {
  const QWidget* root = control_root();
  if (root == nullptr || !watched->isWidgetType()) return false;
  for (const QWidget* w = static_cast<QWidget*>(watched); w != nullptr; w = w->parentWidget())
    if (w == root) return true;
  return false;
}

bool ContainerWindow::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::Paint:
      if (watched == this && !painted_) {
        painted_ = true;
        QTimer::singleShot(0, this, [this] { emit first_painted(); });
      }
      break;
    // The control's handlers change its state without notifying (a drag sets Dlow and Dhigh).
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::KeyRelease:
    case QEvent::Wheel:
      if (input_reaches_control(watched)) schedule_refresh();
      break;
    default:
      break;
  }
  return QMainWindow::eventFilter(watched, event);
}

}  // namespace dnovar::container
