#pragma once
#include <memory>

#include "install/checked_payload.h"
#include "platform/platform.h"
#include "startup/form2.h"
#include "wizard/form1.h"
#include "wizard/wizard_state.h"

namespace zrv {

class Form3;

// Everything one run of the setup program shares: the platform, the wizard
// state and the three windows. Handed to every form; there are no globals.
class App {
 public:
  // `trusted_digests` vouch for the pieces of the setup file: the running
  // image's own block, unless a test gives another.
  explicit App(Platform& platform, DigestBlock trusted_digests = image_digest_block());
  ~App();

  // The program's start: the backdrop, then the wizard in front of it.
  // Returns at once; from then on window events drive the program.
  void Main();

  Platform& platform;
  DigestBlock trusted_digests;
  WizardState state;
  // Read and checked by Main before anything is shown.
  CheckedPayload payload;
  Form2 form2;
  Form1 form1;
  // The folder dialog is built afresh each time it opens.
  std::unique_ptr<Form3> form3;

  // Builds a new folder dialog, dropping the one closed before, and shows it.
  void open_folder_dialog();
};

}  // namespace zrv
