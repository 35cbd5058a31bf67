#pragma once
#include <memory>
#include <string>

#include "install/checked_payload.h"
#include "install/staging.h"
#include "platform/form.h"
#include "wizard/wizard_state.h"

namespace zrv {

// The wizard's four page frames, addressed by page number as Frame1(3).
class PageFrames {
 public:
  PageFrames(Control& page1, Control& page2, Control& page3, Control& page4) : pages_{&page1, &page2, &page3, &page4} {}
  Control& operator()(int page) const { return *pages_[page - 1]; }

 private:
  Control* pages_[4];
};

// The setup wizard: four pages in one fixed window above Back, Next, Cancel.
class Form1 : public Form {
 public:
  // The payload is the one the setup checked at start; the wizard installs it.
  Form1(Platform& platform, WizardState& state, const CheckedPayload& payload);

  void Form_Load();
  void Form_Unload(bool& Cancel);

  void ShowPage();
  void Command1_Click();
  void Command2_Click();
  void Command3_Click();
  void Command4_Click();
  void Option1_Click();
  void Option2_Click();

  void RunInstall();
  void DeleteTempFiles();
  // Sets Back, Next, Cancel and the run-now box from the wizard's state.
  void update_navigation();

  WizardState& state;
  const CheckedPayload& payload;
  // Shows the folder dialog; the wizard hides itself first.
  Callback<> open_folder_dialog;

  PageFrames Frame1;
  Control& Frame2;
  Control& Picture1;
  Control& Image1;
  Control& Command1;
  Control& Command2;
  Control& Command3;
  Control& Command4;
  Control& Label1;
  Control& Label3;
  Control& Label9;
  Control& Label10;
  Control& Label11;
  Control& Label12;
  Control& Text1;
  Control& Check1;
  Control& Option1;
  Control& Option2;

 protected:
  void on_load() override { Form_Load(); }
  void on_unload(bool& cancel) override { Form_Unload(cancel); }

 private:
  bool prepare_destination();
  // Whether anything, file or directory, is at the path.
  bool exists(std::string_view path);
  // Holds the default directory, making it and Program Files where missing.
  bool make_default_destination(const std::string& default_dir);
  void back_to_destination_page();
  void load_system_directories();
  void look_up_previous_installation();
  // False, after telling the user, when the game could not be started.
  bool start_game();
  void fail_at_start(std::string_view message);

  // The destination, held from page 4 on for the installation.
  std::unique_ptr<HeldDirectory> destination_;
  // The run's staging directory; cleaned up once, by the installation or on
  // Cancel, whichever comes first.
  Staging staging_;
};

}  // namespace zrv
