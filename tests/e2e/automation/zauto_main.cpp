// zauto: drives the setup program's windows from a script, for the
// end-to-end tests under Wine. Usage: zauto SCRIPT (or - for standard
// input). Prints each step; the last line is "N passed, N failed"; the exit
// code is 0 only when every step passed. The commands are listed in
// tests/e2e/automation/README.md.
#include <windows.h>

#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>
#include <string>

#include "tests/e2e/automation/runner.h"
#include "tests/e2e/automation/script.h"

namespace {

void print(const std::string& text) {
  std::fwrite(text.data(), 1, text.size(), stdout);
  std::fflush(stdout);
}

std::string read_all(std::istream& in) {
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    print("usage: zauto SCRIPT|-\n");
    return 2;
  }
  std::string source;
  if (std::string(argv[1]) == "-") {
    source = read_all(std::cin);
  } else {
    std::ifstream file(argv[1], std::ios::binary);
    if (!file) {
      print(std::string("zauto: cannot read ") + argv[1] + "\n");
      return 2;
    }
    source = read_all(file);
  }

  const zauto::ParsedScript script = zauto::parse_script(source);
  if (script.error) {
    print("zauto: line " + std::to_string(script.error->line) + ": " + script.error->message + "\n0 passed, 1 failed\n");
    return 1;
  }
  zauto::Runner runner;
  // A typo should not cost a whole run: every step is checked first.
  int malformed = 0;
  for (const zauto::Step& step : script.steps) {
    if (auto error = runner.check(step)) {
      ++malformed;
      print("FAIL " + std::to_string(step.line) + ": " + step.text + "\n     " + *error + "\n");
    }
  }
  if (malformed > 0) {
    print("0 passed, " + std::to_string(malformed) + " failed\n");
    return 1;
  }
  int passed = 0;
  int failed = 0;
  for (const zauto::Step& step : script.steps) {
    const zauto::Outcome outcome = runner.run(step);
    if (!outcome) {
      ++passed;
      print("ok   " + std::to_string(step.line) + ": " + step.text + "\n");
    } else {
      ++failed;
      print("FAIL " + std::to_string(step.line) + ": " + step.text + "\n     " + *outcome + "\n");
      if (const std::string screen = runner.describe_screen(); !screen.empty()) print("     " + screen + "\n");
      runner.shorten_waits();
    }
  }
  print(std::to_string(passed) + " passed, " + std::to_string(failed) + " failed\n");
  return failed == 0 ? 0 : 1;
}
