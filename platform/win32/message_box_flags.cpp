#include "platform/win32/message_box_flags.h"

#include "platform/message_box.h"

namespace zrv::win32 {

namespace {
constexpr int kButtonSetMask = 0x000F;
constexpr int kIconMask = 0x00F0;
constexpr int kDefaultButtonMask = 0x0F00;
constexpr int kModalityMask = 0x3000;
}  // namespace

UINT message_box_flags(int legacy_style) {
  // The button, icon and default-button fields keep the values MessageBoxW
  // uses; only the modality is ours to decide.
  UINT flags = static_cast<UINT>(legacy_style & (kButtonSetMask | kIconMask | kDefaultButtonMask));
  flags |= MB_TASKMODAL | MB_SETFOREGROUND;
  if ((legacy_style & kModalityMask) == kMbSystemModal) flags |= MB_TOPMOST;
  return flags;
}

int message_box_answer(int button_id) {
  switch (button_id) {
    case IDYES: return kAnswerYes;
    case IDNO: return kAnswerNo;
    case IDOK: return kAnswerOk;
    default: return button_id;  // IDCANCEL and friends keep their Windows numbers
  }
}

std::wstring prompt_with_line_breaks(std::wstring_view prompt) {
  // A prompt grows a few times at most: no reserve() (docs/size-rules.md).
  std::wstring out;
  for (size_t i = 0; i < prompt.size(); ++i) {
    out += prompt[i];
    const bool lone_cr = prompt[i] == L'\r' && (i + 1 == prompt.size() || prompt[i + 1] != L'\n');
    if (lone_cr) out += L'\n';
  }
  return out;
}

}  // namespace zrv::win32
