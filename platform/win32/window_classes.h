#pragma once
// Names and numbers the automation program shares with the backend, so it
// can find our windows and controls without guessing. No Windows header here.
namespace zrv::win32 {

// Every form is a top-level window of this class.
inline constexpr wchar_t kFormClassName[] = L"ZarveloForm";
// Frames and picture boxes: containers that draw their own border.
inline constexpr wchar_t kPanelClassName[] = L"ZarveloPanel";

// A control's window has the ID kFirstControlId + its index in the form's
// table (run-time array elements follow the table), so controls without a
// caption can be found by their mandated names.
inline constexpr int kFirstControlId = 1000;

// The resource number of the program's icon.
inline constexpr int kAppIconId = 1;

}  // namespace zrv::win32
