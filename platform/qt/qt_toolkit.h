// The Qt 6 Widgets toolkit. A QApplication must exist before the first surface is created.
#pragma once

#include "platform/toolkit.h"

namespace dnovar {

class QtToolkit final : public Toolkit {
 public:
  std::unique_ptr<Surface> create_surface(const SurfaceSpec& desc, ErrorSink& errors) override;
  std::unique_ptr<Form> create_form(const SurfaceSpec& desc, ErrorSink& errors) override;
  void beep() override;
};

}  // namespace dnovar
