#include "startup/app.h"

#include "base/fixed_text.h"
#include "folderdialog/form3.h"
#include "install/extract_piece.h"
#include "install/install_texts.h"
#include "install/product.h"
#include "platform/message_box.h"


namespace zrv {

App::App(Platform& platform, DigestBlock trusted_digests)
    : platform(platform), trusted_digests(trusted_digests), form2(platform), form1(platform, state, payload) {
  form1.open_folder_dialog = Callback<>::to<&App::open_folder_dialog>(*this);
}

App::~App() = default;


void App::Main() {
  // Two copies would share the staging directory and the destination, and
  // one's clean-up would delete the other's pieces.
  if (!platform.claim_single_run(product::kSingleRunName)) {
    platform.message_box(product::kAlreadyRunning, kStyleSystemWarning, product::kName);
    platform.end_program(ExitCode::stopped_by_error);
  }
  // A damaged or swapped setup file would install what nobody vouched for:
  // nothing is shown or changed before its payload is known to be exactly
  // the one this running image was built with.
  const std::string setup_file = SetupFile(platform);
  std::optional<CheckedPayload> checked = read_checked_payload(platform, setup_file, trusted_digests);
  if (!checked) {
    platform.message_box(concat({"'", setup_file, "'", text::kDamagedSetupFile}), kStyleSystemWarning,
                         product::kName);
    platform.end_program(ExitCode::stopped_by_error);
  }
  payload = std::move(*checked);
  form2.show();
  form1.show();
}

void App::open_folder_dialog() {
  form3 = std::make_unique<Form3>(platform, state, form1);
  form3->show();
}

}  // namespace zrv
