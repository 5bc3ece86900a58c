#include "platform/spin_step.h"

#include <gtest/gtest.h>

#include <limits>

namespace dnovar {
namespace {

constexpr Int32 kLowest = std::numeric_limits<Int32>::min();
constexpr Int32 kHighest = std::numeric_limits<Int32>::max();

struct StepCase {
  const char* what;
  Int32 value, min, max, increment;
  bool up;
  std::optional<Int32> expected;
};

TEST(SpinStep, StepsStopAtTheLimitsAndComeBackIntoTheRange) {
  const StepCase cases[] = {
      {"inside, up", 5, 1, 31, 1, true, 6},
      {"inside, down", 5, 1, 31, 1, false, 4},
      {"at Max, up", 31, 1, 31, 1, true, std::nullopt},
      {"at Min, down", 1, 1, 31, 1, false, std::nullopt},
      {"a large step stops at Max", 30, 1, 31, 5, true, 31},
      {"a large step stops at Min", 3, 1, 31, 5, false, 1},
      {"beyond Max, down comes back to Max", 40, 1, 31, 1, false, 31},
      {"beyond Max, up goes no further", 40, 1, 31, 1, true, std::nullopt},
      {"below Min, up comes back to Min", -5, 1, 31, 1, true, 1},
      {"below Min, down goes no further", -5, 1, 31, 1, false, std::nullopt},
      {"year spinner", 2024, 1000, 3000, 1, true, 2025},
      {"increment 0 never moves", 5, 1, 31, 0, true, std::nullopt},
      {"a negative increment steps by its size", 5, 1, 31, -2, true, 7},
      {"one-value range", 7, 7, 7, 1, true, std::nullopt},
      {"one-value range, value elsewhere", 3, 7, 7, 1, true, 7},
  };
  for (const StepCase& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(spin_step(c.value, c.min, c.max, c.increment, c.up), c.expected);
  }
}

TEST(SpinStep, MinAboveMaxCountsTheArrowsTowardsMax) {
  const StepCase cases[] = {
      {"up counts down", 5, 10, 1, 1, true, 4},
      {"down counts up", 5, 10, 1, 1, false, 6},
      {"up stops at Max", 1, 10, 1, 1, true, std::nullopt},
      {"down stops at Min", 10, 10, 1, 1, false, std::nullopt},
      {"outside, towards the range", 20, 10, 1, 3, true, 10},
      {"outside, away from the range", 20, 10, 1, 3, false, std::nullopt},
  };
  for (const StepCase& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(spin_step(c.value, c.min, c.max, c.increment, c.up), c.expected);
  }
}

TEST(SpinStep, TheWhole32BitRangeNeitherOverflowsNorWraps) {
  const StepCase cases[] = {
      {"highest, up", kHighest, kLowest, kHighest, kHighest, true, std::nullopt},
      {"lowest, down", kLowest, kLowest, kHighest, kHighest, false, std::nullopt},
      {"lowest increment", 0, kLowest, kHighest, kLowest, false, kLowest},
      {"lowest increment, up", 0, kLowest, kHighest, kLowest, true, kHighest},
      {"from lowest to highest", kLowest, kHighest, kHighest, 1, true, kHighest},
      {"reversed full range", 0, kHighest, kLowest, kHighest, true, -kHighest},
  };
  for (const StepCase& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(spin_step(c.value, c.min, c.max, c.increment, c.up), c.expected);
  }
}

}  // namespace
}  // namespace dnovar
