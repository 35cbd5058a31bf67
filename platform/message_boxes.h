#pragma once
#include <string_view>

#include "platform/message_box.h"

// The system's own message boxes, which need none of our windows: even a
// program without a form of its own can ask and warn.
namespace zrv {

class MessageBoxes {
 protected:
  // Never destroyed through the role (platform.h says why).
  ~MessageBoxes() = default;

 public:
  // A modal message box; returns the button pressed (kAnswerOk, kAnswerYes…).
  // Carriage returns in the prompt start new lines.
  virtual int message_box(std::string_view prompt, int style, std::string_view title) = 0;
};

}  // namespace zrv
