// What crosses the Windows backend's own boundaries: UTF-8 to UTF-16 and
// back, and the message-box styles and answers of the logic to Windows'.
#include <windows.h>

#include <gtest/gtest.h>

#include "platform/message_box.h"
#include "platform/win32/message_box_flags.h"
#include "platform/win32/utf16.h"

namespace zrv::win32 {
namespace {

TEST(ContractTextCrossing, TurkishNulAndBrokenBytesCross) {
  const std::string turkish = "İptal ŞşĞğıİÜüÖöÇç";
  EXPECT_EQ(narrow(widen(turkish)), turkish);
  const std::string with_nul("a\0b", 3);
  EXPECT_EQ(widen(with_nul).size(), 3u);
  EXPECT_EQ(narrow(widen(with_nul)), with_nul);
  EXPECT_EQ(widen("\xC3"), L"\uFFFD") << "a broken UTF-8 sequence";
}

TEST(ContractMessageBoxes, StylesAndAnswersMapToWindows) {
  EXPECT_EQ(message_box_flags(kStyleWarning), UINT{MB_OK | MB_ICONEXCLAMATION | MB_TASKMODAL | MB_SETFOREGROUND});
  EXPECT_EQ(message_box_flags(kStyleSystemWarning),
            UINT{MB_OK | MB_ICONEXCLAMATION | MB_TASKMODAL | MB_SETFOREGROUND | MB_TOPMOST});
  EXPECT_EQ(message_box_flags(kStyleSystemQuestion),
            UINT{MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2 | MB_TASKMODAL | MB_SETFOREGROUND | MB_TOPMOST});
  EXPECT_EQ(message_box_answer(IDYES), kAnswerYes);
  EXPECT_EQ(message_box_answer(IDNO), kAnswerNo);
  EXPECT_EQ(message_box_answer(IDOK), kAnswerOk);
  EXPECT_EQ(prompt_with_line_breaks(L"a\rb\r\nc\r"), L"a\r\nb\r\nc\r\n") << "lone carriage returns";
}

}  // namespace
}  // namespace zrv::win32
