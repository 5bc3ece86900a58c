// The file of the program that is running, as the system names it (links resolved).
#pragma once

#include <filesystem>

namespace dnovar::app {

// Empty when the system does not say.
std::filesystem::path running_program();

}  // namespace dnovar::app
