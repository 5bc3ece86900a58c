// A window's text as the project keeps text (UTF-8).
#pragma once

#include <windows.h>

#include <string>

#include "platform/wide_text.h"

namespace dnovar {

// A window's text (a caption, an edit box's contents) as UTF-8.
std::string window_text(HWND window);

}  // namespace dnovar
