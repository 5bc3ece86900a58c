#include "apps/container/embedding_toolkit.h"

#include "backends/qt/qt_access.h"

namespace dnovar::container {

std::unique_ptr<Surface> EmbeddingToolkit::create_surface(const SurfaceSpec& layout,
                                                          ErrorSink& errors) {
  std::unique_ptr<Surface> surface = qt_.create_surface(layout, errors);
  control_root_ = &surface_root(*surface);
  return surface;
}

std::unique_ptr<Form> EmbeddingToolkit::create_form(const SurfaceSpec& layout, ErrorSink& errors) {
  return qt_.create_form(layout, errors);
}

QWidget* EmbeddingToolkit::take_control_root() {
  QWidget* root = control_root_.data();
  control_root_.clear();
  return root;
}

}  // namespace dnovar::container
