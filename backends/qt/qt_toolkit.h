// The Qt 6 Widgets toolkit. A QApplication must exist before the first surface is created.
#pragma once

#include <functional>

#include "platform/toolkit.h"

namespace dnovar {

class QtToolkit final : public Toolkit {
 public:
  std::unique_ptr<Surface> create_surface(const WidgetTable& table, ErrorSink& errors) override;
  std::unique_ptr<Form> create_form(const WidgetTable& table, ErrorSink& errors) override;
  // Sounds the system beep and tells the listener, so a host can show or count it.
  void beep() override;
  void on_beep(std::function<void()> listener) { beep_listener_ = std::move(listener); }

 private:
  std::function<void()> beep_listener_;
};

}  // namespace dnovar
