#include "tests/support/harness.h"

#include "tests/support/payload.h"

#include <atomic>
#include <fstream>
#include <unistd.h>

namespace zrv::testing {
namespace fs = std::filesystem;

ScratchDir::ScratchDir() {
  static std::atomic<int> counter{0};
  path_ = fs::temp_directory_path() /
          ("zrv-test-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
  fs::remove_all(path_);
  fs::create_directories(path_);
}

ScratchDir::~ScratchDir() {
  std::error_code ignored;
  fs::remove_all(path_, ignored);
}

SetupRun::SetupRun() : os(scratch.path()), app(os, trusted_digests()), wizard(app.form1) {
  // Where the headless program finds itself: a whole setup file, unless a
  // test writes another.
  write_file(os.program_path, setup_file_bytes());
}

bool SetupRun::start() {
  return !ends_program([&] { app.Main(); });
}

void SetupRun::walk_to_page3() {
  wizard.Command2.user_click();
  wizard.Option1.user_click();
  wizard.Command2.user_click();
}

void SetupRun::make_dir(const std::string& windows_path) const { fs::create_directories(host(windows_path)); }

void SetupRun::write_file(const std::string& windows_path, const std::string& content) const {
  fs::create_directories(host(windows_path).parent_path());
  std::ofstream(host(windows_path), std::ios::binary) << content;
}

}  // namespace zrv::testing
