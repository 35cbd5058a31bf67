// Starting a program for the user: the rule both backends start by.
#include "tests/platform/contract.h"

namespace zrv::contract {
namespace {

// Each way of starting, on both sides of elevation and of the shell's
// availability: an elevated process never starts the program itself.
TEST(ContractStartForUser, ElevatedStartGoesThroughTheShellOrNowhere) {
  const struct {
    bool elevated, shell, starts;
    StartOutcome outcome;
    const char* way;
  } cases[] = {
      {false, false, true, StartOutcome::started, "directly"},
      {false, true, false, StartOutcome::failed, "directly"},
      {true, true, true, StartOutcome::started, "shell"},
      {true, false, true, StartOutcome::refused_elevated, "shell"},
  };
  for (const auto& c : cases) {
    std::string asked;
    const StartOutcome outcome = start_for_user(
        c.elevated, [&] { asked += "shell"; return c.shell; },
        [&] { asked += "directly"; return c.starts; });
    EXPECT_EQ(outcome, c.outcome) << "elevated " << c.elevated << ", shell " << c.shell;
    EXPECT_EQ(asked, c.way) << "elevated " << c.elevated << ", shell " << c.shell;
  }
}

}  // namespace
}  // namespace zrv::contract
