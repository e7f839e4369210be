#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "support/ScopeGuard.h"

namespace kv {
namespace {

// How a guarded scope ends, and what the caller sees.
struct GuardCase {
  const char* name;
  bool dismiss;        // the work succeeded and the guard was dismissed
  bool workThrows;     // the work inside the scope throws "work"
  bool restoreThrows;  // the restore itself throws "restore"
  bool restored;
  const char* caught;  // what leaves the scope ("" for nothing)
};

class ScopeGuardTest : public ::testing::TestWithParam<GuardCase> {};

TEST_P(ScopeGuardTest, RestoresAsTheScopeEnds) {
  const GuardCase& c = GetParam();
  bool restored = false;
  std::string caught;
  try {
    TScopeGuard guard([&] {
      restored = true;
      if (c.restoreThrows) throw std::runtime_error("restore");
    });
    if (c.dismiss) guard.Dismiss();
    if (c.workThrows) throw std::runtime_error("work");
  } catch (const std::exception& e) {
    caught = e.what();
  }
  EXPECT_EQ(restored, c.restored);
  EXPECT_EQ(caught, c.caught);
}

INSTANTIATE_TEST_SUITE_P(
    Endings, ScopeGuardTest,
    ::testing::Values(GuardCase{"NormalEnd", false, false, false, true, ""},
                      GuardCase{"Exception", false, true, false, true, "work"},
                      GuardCase{"Dismissed", true, false, false, false, ""},
                      GuardCase{"DismissedThenException", true, true, false, false, "work"},
                      // The first error is the one the caller hears of.
                      GuardCase{"RestoreFailsDuringException", false, true, true, true, "work"},
                      GuardCase{"RestoreFailsAtNormalEnd", false, false, true, true, "restore"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace kv
