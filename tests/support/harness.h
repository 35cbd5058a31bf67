#pragma once
#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "platform/headless/headless_platform.h"
#include "startup/app.h"

namespace zrv::testing {

// A scratch folder per test, removed afterwards.
class ScratchDir {
 public:
  ScratchDir();
  ~ScratchDir();
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

// One run of the setup program on the headless platform.
class SetupRun {
 public:
  SetupRun();

  // Runs Main; false when the program ended during it.
  bool start();
  // Runs an action that may end the program; true when it did.
  template <typename Action>
  bool ends_program(Action&& action) {
    try {
      action();
    } catch (const ProgramEnded&) {
      return true;
    }
    return false;
  }

  // Walks from page 1 to the destination page, accepting the disclaimer.
  void walk_to_page3();

  std::filesystem::path host(const std::string& windows_path) const { return os.host_path(windows_path); }
  void make_dir(const std::string& windows_path) const;
  void write_file(const std::string& windows_path, const std::string& content) const;

  ScratchDir scratch;
  HeadlessPlatform os;
  App app;
  Form1& wizard;
};

}  // namespace zrv::testing
