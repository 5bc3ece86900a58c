// The Qt toolkit as the container hands it to a control: it notes the root widget of each control
// surface it creates, so the container can place the control on its form without reaching into
// the control.
#pragma once

#include <QPointer>
#include <QWidget>
#include <functional>

#include "backends/qt/qt_toolkit.h"

namespace dnovar::container {

class EmbeddingToolkit final : public Toolkit {
 public:
  std::unique_ptr<Surface> create_surface(const WidgetTable& table, ErrorSink& errors) override;
  std::unique_ptr<Form> create_form(const WidgetTable& table, ErrorSink& errors) override;
  void beep() override { qt_.beep(); }
  void on_beep(std::function<void()> listener) { qt_.on_beep(std::move(listener)); }

  // The root of the control surface created last, and forgets it; null when none was created
  // since, or when it is gone already (its surface released).
  QWidget* take_control_root();

 private:
  QtToolkit qt_;
  QPointer<QWidget> control_root_;
};

}  // namespace dnovar::container
