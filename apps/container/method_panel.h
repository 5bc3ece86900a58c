// The control's methods as buttons: Aktualizuj with its argument k, Velikonoce with a year and
// its result, ShowAbout. A failing call is reported, never thrown into the event loop.
#pragma once

#include <QGroupBox>
#include <optional>
#include <vector>

#include "component/automation.h"

class QLabel;
class QPushButton;
class QSpinBox;

namespace dnovar::container {

class MethodPanel final : public QGroupBox {
  Q_OBJECT

 public:
  explicit MethodPanel(QWidget* parent = nullptr);

  // The object must outlive its showing here; null disables the buttons.
  void set_object(Dispatch* object);

 signals:
  // A method returned; the control's state may have changed.
  void called(const QString& method);
  void error_reported(int number, const QString& message);

 private:
  // The method's result, or nothing when it failed (reported).
  std::optional<Variant> call(const QString& method, std::vector<Variant> args);

  Dispatch* object_ = nullptr;
  QSpinBox* k_;
  QSpinBox* year_;
  QLabel* easter_;
  std::vector<QPushButton*> buttons_;
};

}  // namespace dnovar::container
