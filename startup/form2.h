#pragma once
#include "platform/form.h"

namespace zrv {

// The backdrop: a borderless window filling the work area with a blue
// gradient behind the wizard for the whole run. Its only code is its load.
class Form2 : public Form {
 public:
  explicit Form2(Platform& platform);

  void Form_Load();

 protected:
  void on_load() override { Form_Load(); }
};

}  // namespace zrv
