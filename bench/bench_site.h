// A minimal headless site for benchmarks: no recording, a fixed clock.
#pragma once

#include "platform/headless/headless_toolkit.h"
#include "platform/site.h"

namespace dnovar::bench {

class BenchSite final : public ControlSite {
 public:
  std::string extender_name() override { return "Dnovar1"; }
  void property_changed(std::string_view) override {}
  void raise_event(std::string_view, int) override {}
  void report_error(const RuntimeError&) override {}
  Toolkit& toolkit() override { return toolkit_; }
  const Clock& clock() const override { return clock_; }

 private:
  HeadlessToolkit toolkit_;
  FixedClock clock_{make_date(2024, 5, 20)};
};

}  // namespace dnovar::bench
