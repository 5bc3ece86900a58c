#include "apps/container/embedding_toolkit.h"

#include "backends/qt/qt_access.h"

namespace dnovar::container {

std::unique_ptr<Surface> EmbeddingToolkit::create_surface(const WidgetTable& table,
                                                          ErrorSink& errors) {
  std::unique_ptr<Surface> surface = qt_.create_surface(table, errors);
  control_root_ = &surface_root(*surface);
  return surface;
}

std::unique_ptr<Form> EmbeddingToolkit::create_form(const WidgetTable& table, ErrorSink& errors) {
  return qt_.create_form(table, errors);
}

QWidget* EmbeddingToolkit::take_control_root() {
  QWidget* root = control_root_.data();
  control_root_.clear();
  return root;
}

}  // namespace dnovar::container
