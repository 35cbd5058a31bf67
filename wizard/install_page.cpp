// The wizard's last page: the installation told through its two labels,
// then the finished state.
#include "install/installation.h"
#include "install/install_texts.h"
#include "install/product.h"
#include "install/staging.h"
#include "platform/message_box.h"
#include "platform/platform.h"
#include "wizard/form1.h"

namespace zrv {
namespace {

// The phase in Label11, the file in Label12, the yields and messages as the
// rest of the wizard has them.
class WizardProgress : public InstallProgress {
 public:
  explicit WizardProgress(Form1& wizard) : wizard_(wizard) {}

  void show(Line line, std::string_view text, bool repaint) override {
    Control& label = line == Line::phase ? wizard_.Label11 : wizard_.Label12;
    label.set_caption(text);
    if (repaint) label.refresh();
  }
  void yield() override { wizard_.platform().do_events(); }
  void tell(std::string_view message) override {
    wizard_.platform().message_box(message, kStyleSystemWarning, product::kName);
  }

 private:
  Form1& wizard_;
};

}  // namespace

void Form1::RunInstall() {
  Platform& os = platform();
  state.installing = true;
  update_navigation();

  WizardProgress progress(*this);
  const InstallReport report =
      install_payload(os, {payload, state.InstallDir.trimmed(), *destination_, staging_}, progress);
  // Nothing more is written there; the game and its uninstaller may change it.
  destination_.reset();
  if (!report.completed()) {
    const bool cancelled = report.outcome == InstallReport::Outcome::cancelled;
    os.end_program(cancelled ? ExitCode::cancelled : ExitCode::stopped_by_error);
  }

  bring_to_front_and_focus();
  os.do_events();
  set_focus();

  Label11.set_caption(report.all_well() ? text::kInstalled : text::kInstalledWithErrors);
  Label11.refresh();
  state.installing = false;
  state.finished = true;
  state.finished_with_errors = !report.all_well();
  update_navigation();
}

// This run's directory while the installation runs, an earlier run's before
// it; nothing once the installation has cleaned up.
void Form1::DeleteTempFiles() {
  WizardProgress progress(*this);
  clean_up_staging(staging_, progress);
}

}  // namespace zrv
