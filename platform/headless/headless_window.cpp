#include "platform/headless/headless_window.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace zrv {

// Like the real window, it is made with every control of the form's table.
HeadlessWindow::HeadlessWindow(Form& form, std::vector<std::string>& events)
    : form_(form), events_(events), known_(form.controls().begin(), form.controls().end()) {
  log("create");
}

void HeadlessWindow::require_known(const Control& control) const {
  if (std::ranges::find(known_, &control) != known_.end()) return;
  std::fprintf(stderr, "the window of %s was never given the control %s before it changed\n",
               std::string(form_.layout().name).c_str(), control.name().c_str());
  std::abort();
}

void HeadlessWindow::log(const std::string& what) { events_.push_back(what + " " + std::string(form_.layout().name)); }

void HeadlessWindow::add_control(Control& control) {
  if (std::ranges::find(known_, &control) == known_.end()) known_.push_back(&control);
}

void HeadlessWindow::control_changed(Control& control, Property) { require_known(control); }

void HeadlessWindow::refresh(Control& control) {
  require_known(control);
  events_.push_back("refresh " + control.name() + ": " + control.caption());
}

void HeadlessWindow::set_visible(bool visible) { log(visible ? "show" : "hide"); }

void HeadlessWindow::size_changed() {}

void HeadlessWindow::bring_to_front_and_focus() { log("front"); }

void HeadlessWindow::set_focus() { log("focus"); }

void HeadlessWindow::copy_icon_from(const WindowPeer&) { log("icon"); }

}  // namespace zrv
