// The frame: an etched rectangle with its caption standing in the top border line, the way the
// control's platform drew it. Drawn here rather than by a style's group box, so that its inside
// is exactly its background colour, the colour the labels on it paint too.
#pragma once

#include <QWidget>

namespace dnovar {

class FrameBox final : public QWidget {
 public:
  explicit FrameBox(QWidget* parent);

  void set_caption(const QString& caption);
  const QString& caption() const { return caption_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QString caption_;
};

}  // namespace dnovar
