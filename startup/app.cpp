#include "startup/app.h"

#include "folderdialog/form3.h"


namespace zrv {

App::App(Platform& platform) : platform(platform), form2(platform), form1(*this) {}

App::~App() = default;


void App::Main() {
  form2.show();
  form1.show();
}

void App::open_folder_dialog() {
  form3 = std::make_unique<Form3>(*this);
  form3->show();
}

}  // namespace zrv
