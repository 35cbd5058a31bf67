#pragma once
#include "platform/message_boxes.h"

namespace zrv::win32 {

// The system's MessageBox, with our styles and answers converted.
class Win32MessageBoxes final : public MessageBoxes {
 public:
  int message_box(std::string_view prompt, int style, std::string_view title) override;
};

}  // namespace zrv::win32
