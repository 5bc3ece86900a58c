// The method buttons: Aktualizuj with its argument k, Velikonoce with its argument Rok (this year
// at first) and the Easter Monday it answers, ShowAbout. Arguments go to the control as typed; the
// control converts them and answers a bad one with its own error.
#pragma once

#include <windows.h>

#include <oaidl.h>

#include <functional>
#include <optional>

#include "platform/error.h"

namespace dnovar::container {

class MethodButtons {
 public:
  // Command ids first_id .. first_id + 2 are the three buttons, in the order above.
  MethodButtons(HWND parent, int first_id);

  // Lays the buttons out from (x, y); returns the bottom of the last row.
  int place(int x, int y);
  void set_object(IDispatch* object);
  // A command of one of the buttons: calls its method; false when `id` is none of them.
  bool command(int id, const std::function<void(const RuntimeError&)>& report);

 private:
  int first_id_;
  HWND buttons_[3]{};
  HWND k_ = nullptr;
  HWND year_ = nullptr;
  HWND labels_[2]{};
  HWND easter_ = nullptr;
  IDispatch* object_ = nullptr;
};

}  // namespace dnovar::container
