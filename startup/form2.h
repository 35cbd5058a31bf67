#pragma once
#include "platform/form.h"

namespace zrv {

// The backdrop: a borderless window filling the work area with a blue
// gradient behind the wizard for the whole run. It goes only with the
// program: a close request (WM_CLOSE from another program, say) is refused.
class Form2 : public Form {
 public:
  explicit Form2(Platform& platform);

  void Form_Load();

 protected:
  void on_load() override { Form_Load(); }
  void on_query_unload(bool& cancel, UnloadMode) override { cancel = true; }
};

}  // namespace zrv
