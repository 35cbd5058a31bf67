#pragma once
#include <optional>
#include <string>

#include "tests/e2e/automation/script.h"

// How each command of a script is written: its name and how many arguments
// it takes. Apart from the runner, which needs Windows, so that a script's
// form is checked, and tested, anywhere.
namespace zauto {

// Why the step cannot run as written (an unknown command, too few or too
// many arguments); none when it can.
std::optional<std::string> check_step(const Step& step);

}  // namespace zauto
