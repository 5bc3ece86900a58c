// The root widget of a Qt surface; for a form it reports the close box instead of closing itself.
// It also reports a change of the application's palette, so the surface can repaint its widgets'
// colours from the new system colours.
#pragma once

#include <QWidget>
#include <functional>

namespace dnovar {

class SurfaceRoot final : public QWidget {
 public:
  SurfaceRoot() = default;

  void on_close(std::function<void()> close) { close_ = std::move(close); }
  void on_palette_change(std::function<void()> changed) { palette_changed_ = std::move(changed); }

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool event(QEvent* event) override;

 private:
  std::function<void()> close_;
  std::function<void()> palette_changed_;
};

}  // namespace dnovar
