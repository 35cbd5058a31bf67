#pragma once
#include <string>
#include <vector>

#include "platform/form.h"
#include "platform/window_peer.h"

namespace zrv {

// A window that exists only as a record: the controls keep their own state,
// and what a user would have seen happen is logged for the tests.
class HeadlessWindow : public WindowPeer {
 public:
  HeadlessWindow(Form& form, std::vector<std::string>& events);

  void add_control(Control& control) override;
  void control_changed(Control& control, Property property) override;
  void refresh(Control& control) override;
  void set_visible(bool visible) override;
  void size_changed() override;
  void bring_to_front_and_focus() override;
  void set_focus() override;
  void copy_icon_from(const WindowPeer& other) override;

 private:
  void log(const std::string& what);
  // Stops the program, as the real window does, when a control the window
  // was never given changes: the form's order of events is broken.
  void require_known(const Control& control) const;

  Form& form_;
  std::vector<std::string>& events_;
  std::vector<const Control*> known_;
};

}  // namespace zrv
