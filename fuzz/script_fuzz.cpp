// libFuzzer target for the script host: any text is read line by line and run against a headless
// control. Parse errors and run-time errors are answers; a crash, a hang or a sanitizer report is a
// finding. Scripts reach every user input and host call, so this also fuzzes the control itself.
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

#include "apps/script/script_host.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
  std::ostringstream out, err;
  auto backend = dnovar::script::make_headless_backend();
  // No module to load: `new` and `load` answer with an error line instead of touching the disk.
  dnovar::script::ScriptHost host(
      *backend, out,
      {[] { return std::filesystem::path("/nonexistent/registry.json"); },
       {"/nonexistent/module.so", false}});
  host.run(in, err);
  return 0;
}
