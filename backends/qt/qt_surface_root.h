// The root widget of a Qt surface; for a form it reports the close box instead of closing itself.
#pragma once

#include <QWidget>
#include <functional>

namespace dnovar {

class SurfaceRoot final : public QWidget {
 public:
  SurfaceRoot() = default;

  void on_close(std::function<void()> close) { close_ = std::move(close); }

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  std::function<void()> close_;
};

}  // namespace dnovar
