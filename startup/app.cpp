#include "startup/app.h"


namespace zrv {

App::App(Platform& platform) : platform(platform), form2(platform), form1(*this) {}

App::~App() = default;


void App::Main() {
  form2.show();
  form1.show();
}

void App::open_folder_dialog() {
  // The folder dialog is not built yet: the wizard comes back unchanged.
  form1.show();
}

}  // namespace zrv
