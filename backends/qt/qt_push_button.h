// A push button that paints with the palette shared by all buttons that look alike, so that the
// style's cached panels serve every button of every instance (see shared_palette).
#pragma once

#include <QPushButton>

namespace dnovar {

class PushButton final : public QPushButton {
 public:
  using QPushButton::QPushButton;

 protected:
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace dnovar
