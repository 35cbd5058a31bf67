// The gradient backdrop behind the wizard.
#include <gtest/gtest.h>

#include "tests/support/control_lookup.h"
#include "tests/support/harness.h"

namespace zrv {
namespace {

using testing::control_named;
using testing::SetupRun;

int blue_of(const Control& stripe) { return static_cast<int>((stripe.fill_color() >> 16) & 0xFF); }

int stripe_count(Form& form) {
  int count = 0;
  while (testing::find_control(form, "Shape1(" + std::to_string(count) + ")") != nullptr) ++count;
  return count;
}

TEST(BackdropTest, StandardScreenGivesOneHundredEightyStripes) {
  SetupRun run;
  ASSERT_TRUE(run.start());
  Form2& backdrop = run.app.form2;
  EXPECT_FLOAT_EQ(backdrop.width(), 15360.0f);
  EXPECT_FLOAT_EQ(backdrop.height(), 13284.0f);
  ASSERT_EQ(stripe_count(backdrop), 180);

  EXPECT_EQ(control_named(backdrop, "Shape1(0)").fill_color(), 0u) << "stripe 0 is black";
  int brightest = 0;
  for (int k = 1; k < 180; ++k) {
    const Control& stripe = control_named(backdrop, "Shape1(" + std::to_string(k) + ")");
    const int expected = k <= 80 ? 3 * k : k <= 158 ? 240 - 3 * (k - 80) : (k % 2 == 1 ? 3 : 6);
    ASSERT_EQ(blue_of(stripe), expected) << "stripe " << k;
    EXPECT_EQ(stripe.border_color(), stripe.fill_color());
    EXPECT_EQ(stripe.bounds().top, 75 * k);
    EXPECT_EQ(stripe.bounds().width, 15360);
    EXPECT_TRUE(stripe.visible());
    if (blue_of(stripe) == 240) brightest = k;
  }
  EXPECT_EQ(brightest, 80);
}

TEST(BackdropTest, BuiltCompletelyBeforeShownAndBeforeTheWizard) {
  SetupRun run;
  // Each stripe is followed by one yield: what the screen could show then.
  int stripes_while_shown = 0;
  run.os.on_yield = [&](int) { stripes_while_shown += run.app.form2.visible() ? 1 : 0; };
  ASSERT_TRUE(run.start());
  const auto& events = run.os.events;
  const auto at = [&](const std::string& event) {
    return std::find(events.begin(), events.end(), event) - events.begin();
  };
  EXPECT_EQ(run.os.yields, 179) << "one yield per stripe made at load";
  EXPECT_EQ(stripes_while_shown, 0) << "the backdrop showed before its last stripe was made";
  EXPECT_LT(at("show Form2"), at("create Form1"));
  EXPECT_LT(at("create Form1"), at("show Form1"));
}

TEST(BackdropTest, StaysWhenAskedToClose) {
  SetupRun run;
  ASSERT_TRUE(run.start());
  for (UnloadMode mode : {UnloadMode::User, UnloadMode::Code, UnloadMode::Windows}) {
    run.app.form2.request_close(mode);
    EXPECT_TRUE(run.app.form2.loaded() && run.app.form2.visible());
  }
}

TEST(BackdropTest, LowWindowOnlyBrightens) {
  SetupRun run;
  run.os.area = {0, 0, 640, 300};  // 300 px × 15 × 1.2 = 5400 twips
  ASSERT_TRUE(run.start());
  const int count = stripe_count(run.app.form2);
  EXPECT_LE(count - 1, 80);
  for (int k = 2; k < count; ++k) {
    EXPECT_GT(blue_of(control_named(run.app.form2, "Shape1(" + std::to_string(k) + ")")),
              blue_of(control_named(run.app.form2, "Shape1(" + std::to_string(k - 1) + ")")));
  }
}

TEST(BackdropTest, SizeFollowsEachAxisOwnFactor) {
  SetupRun run;
  run.os.twips = {10.0f, 12.0f};  // 144 dpi across, 120 down
  run.os.area = {0, 0, 1536, 1104};
  ASSERT_TRUE(run.start());
  EXPECT_FLOAT_EQ(run.app.form2.width(), 15360.0f);
  EXPECT_FLOAT_EQ(run.app.form2.height(), 15897.6f);
}

TEST(BackdropTest, FailedWorkAreaQueryStopsAfterTwoStripes) {
  SetupRun run;
  run.os.area = {};
  ASSERT_TRUE(run.start());
  EXPECT_EQ(stripe_count(run.app.form2), 3);
  EXPECT_FLOAT_EQ(run.app.form2.width(), 0.0f);
}

}  // namespace
}  // namespace zrv
