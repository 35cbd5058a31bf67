#pragma once
#include <gtest/gtest.h>

#include "folderdialog/form3.h"
#include "tests/support/harness.h"

namespace zrv::testing {

// The wizard on its destination page with the folder dialog opened.
class DialogTest : public ::testing::Test {
 protected:
  SetupRun run;
  HeadlessPlatform& os = run.os;
  Form1& wizard = run.wizard;

  void SetUp() override {
    os.drives['A'] = DriveConfig{2, 1440 * 1024, "", true};
    os.drives['D'] = DriveConfig{3, std::uint64_t{5} << 30, "OYUNLAR", true};
    run.make_dir("C:\\Program Files\\Zarvelo");
    run.make_dir("D:\\GAMES");
    ASSERT_TRUE(run.start());
    run.walk_to_page3();
  }

  Form3& open() {
    wizard.Command4.user_click();
    return *run.app.form3;
  }
  std::string install_dir() { return run.app.state.InstallDir.trimmed(); }
  std::vector<std::string> prompts() {
    std::vector<std::string> all;
    for (const auto& box : os.message_boxes) all.push_back(box.prompt);
    return all;
  }
};

}  // namespace zrv::testing
