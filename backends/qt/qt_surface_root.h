// The root widget of a Qt surface; for a form it reports the close box instead of closing itself.
// It also reports a change of the application's palette, so the surface can repaint its widgets'
// colours from the new system colours, and keeps the surface's own font and colours when a host's
// style sheet reaches it (the layout is in twips: a host's font would not fit it; the colours are
// the control's properties).
#pragma once

#include <QWidget>
#include <functional>

namespace dnovar {

class SurfaceRoot final : public QWidget {
 public:
  SurfaceRoot() = default;

  void on_close(std::function<void()> close) { close_ = std::move(close); }
  void on_palette_change(std::function<void()> changed) { palette_changed_ = std::move(changed); }
  // Reports when the root or a widget of the surface that `watch` was given is enabled or
  // disabled.
  void on_enabled_change(std::function<void()> changed) { enabled_changed_ = std::move(changed); }
  void watch(QWidget& widget) { widget.installEventFilter(this); }
  // The face and size every widget of the surface keeps under a style sheet; the weight stays the
  // widget's own (bold holidays).
  void keep_font(const QFont& font);

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool event(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  std::function<void()> close_;
  std::function<void()> palette_changed_;
  std::function<void()> enabled_changed_;
  QString font_rule_;
};

}  // namespace dnovar
