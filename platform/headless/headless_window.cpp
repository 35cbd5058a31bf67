#include "platform/headless/headless_window.h"

namespace zrv {

HeadlessWindow::HeadlessWindow(Form& form, std::vector<std::string>& events) : form_(form), events_(events) {
  log("create");
}

void HeadlessWindow::log(const std::string& what) { events_.push_back(what + " " + std::string(form_.layout().name)); }

void HeadlessWindow::add_control(Control&) {}

void HeadlessWindow::control_changed(Control&, Property) {}

void HeadlessWindow::refresh(Control& control) {
  events_.push_back("refresh " + control.name() + ": " + control.caption());
}

void HeadlessWindow::set_visible(bool visible) { log(visible ? "show" : "hide"); }

void HeadlessWindow::size_changed() {}

void HeadlessWindow::bring_to_front_and_focus() { log("front"); }

void HeadlessWindow::set_focus() { log("focus"); }

void HeadlessWindow::copy_icon_from(const WindowPeer&) { log("icon"); }

}  // namespace zrv
