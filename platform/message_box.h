#pragma once
// Message-box styles and answers, as the numbers the setup program has always
// used; backends turn them into their own flags in one place.
namespace zrv {

inline constexpr int kMbOk = 0;
inline constexpr int kMbYesNo = 4;
inline constexpr int kMbRetryCancel = 5;
inline constexpr int kMbIconQuestion = 32;
inline constexpr int kMbIconExclamation = 48;
inline constexpr int kMbIconInformation = 64;
inline constexpr int kMbDefButton2 = 256;
inline constexpr int kMbSystemModal = 4096;

// Exclamation and OK, modal to the application.
inline constexpr int kStyleWarning = kMbOk | kMbIconExclamation;                 // 48
// Exclamation and OK, system-modal.
inline constexpr int kStyleSystemWarning = kStyleWarning | kMbSystemModal;      // 4144
// Information and OK, system-modal.
inline constexpr int kStyleSystemInformation = kMbOk | kMbIconInformation | kMbSystemModal;  // 4160
// Yes and No with No as the default, question mark, system-modal.
inline constexpr int kStyleSystemQuestion =
    kMbYesNo | kMbIconQuestion | kMbDefButton2 | kMbSystemModal;                 // 4388

inline constexpr int kAnswerOk = 1;
inline constexpr int kAnswerCancel = 2;
inline constexpr int kAnswerRetry = 4;
inline constexpr int kAnswerYes = 6;
inline constexpr int kAnswerNo = 7;

}  // namespace zrv
