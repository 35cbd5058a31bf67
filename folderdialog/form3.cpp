#include "folderdialog/form3.h"

#include <algorithm>

#include "folderdialog/texts.h"
#include "folderdialog/form3_layout.h"
#include "install/destination.h"
#include "platform/message_box.h"
#include "wizard/form1.h"
#include "wizard/wizard_state.h"
#include "base/fixed_text.h"

namespace zrv {
namespace {

// GetDriveType's answers that the dialog refuses.
constexpr std::uint32_t kDriveUnknown = 0;
constexpr std::uint32_t kDriveRemovable = 2;
constexpr std::uint32_t kDriveRemote = 4;
constexpr std::uint32_t kDriveCdRom = 5;
constexpr std::uint32_t kDriveRamDisk = 6;

// The game needs 500,000 bytes; compared in KB as a fraction.
constexpr double kMinimumFreeKB = 500000.0 / 1024.0;

bool ends_with_backslash(std::string_view text) { return !text.empty() && text.back() == '\\'; }

// The first `count` characters of a text, or all of it when shorter: a view
// into the text, where substr would copy them into a new string.
std::string_view leading(std::string_view text, std::size_t count) {
  return {text.data(), std::min(count, text.size())};
}

// The drive types the dialog refuses, with what it tells the user.
struct Refusal {
  std::uint32_t drive_type;
  std::string_view message;
};
constexpr Refusal kRefusals[] = {
    {kDriveUnknown, text::kDriveNotFound},  // after the drive's root: "e:\ bulunamadı!"
    {kDriveRemovable, text::kNoFloppy},
    {kDriveRemote, text::kNoNetwork},
    {kDriveCdRom, text::kNoCd},
    {kDriveRamDisk, text::kNoRam},
};

// Tells the user why the dialog refuses the drive; false for a drive it takes.
bool refused(Platform& os, std::string_view root) {
  const std::uint32_t drive_type = os.drive_type(root);
  for (const Refusal& refusal : kRefusals) {
    if (refusal.drive_type != drive_type) continue;
    const std::string_view subject = drive_type == kDriveUnknown ? root : std::string_view();
    os.message_box(concat({subject, refusal.message}), kStyleSystemWarning, text::kDriveTitle);
    return true;
  }
  return false;
}

// Divides by ten and returns the remainder, sixteen bits at a time as on
// paper: no 64-bit division (docs/size-rules.md).
unsigned divide_by_ten(std::uint64_t& number) {
  std::uint64_t quotient = 0;
  std::uint32_t remainder = 0;
  for (int shift = 48; shift >= 0; shift -= 16) {
    const std::uint32_t part = remainder << 16 | static_cast<std::uint16_t>(number >> shift);
    quotient |= std::uint64_t{part / 10} << shift;
    remainder = part % 10;
  }
  number = quotient;
  return remainder;
}

// The digits grouped in threes with `separator`; nothing at all for 0.
// Appended a group at a time: no appending of single characters.
std::string grouped_digits(std::uint64_t number, std::string_view separator) {
  char digits[20];  // as many as the largest 64-bit number has
  char* const end = digits + sizeof digits;
  char* group = end;
  while (number != 0) *--group = static_cast<char>('0' + divide_by_ten(number));
  std::string text;
  // The first group has one to three digits, every later one three.
  std::size_t size = (end - group + 2) % 3 + 1;
  while (group != end) {
    if (!text.empty()) text += separator;
    text.append(group, size);
    group += size;
    size = 3;
  }
  return text;
}

// Each control is bound by its place in the table, found while compiling.
consteval std::size_t at(std::string_view name) { return index_of(kForm3Controls, name); }

}  // namespace

std::string free_space_text(std::int64_t kilobytes, const std::string& separator) {
  std::string text = grouped_digits(kilobytes > 0 ? static_cast<std::uint64_t>(kilobytes) : 0, separator);
  text += text::kKilobytes;
  return text;
}

Form3::Form3(Platform& platform, WizardState& state, Form1& wizard)
    : Form(platform, kForm3Layout),
      state(state),
      wizard(wizard),
      Dir1(control_at(at("Dir1"))),
      Drive1(control_at(at("Drive1"))),
      Command1(control_at(at("Command1"))),
      Command2(control_at(at("Command2"))),
      Label1(control_at(at("Label1"))),
      Label2(control_at(at("Label2"))),
      Label3(control_at(at("Label3"))),
      drives_(*this, platform, Drive1),
      directories_(platform, Dir1) {
  Command1.on_click = Callback<>::to<&Form3::Command1_Click>(*this);
  Command2.on_click = Callback<>::to<&Form3::Command2_Click>(*this);
}

void Form3::select_windows_drive() { drives_.set_drive(system_drive(state.WindowsDir)); }

void Form3::Form_Load() {
  copy_icon_from(wizard);
  Label1.set_caption(text::kChooseDirectory);
  Label2.set_caption(text::kAvailableSpace);
  Command1.set_caption(text::kNewDirectoryButton);
  Command2.set_caption(text::kOkButton);

  FixedText& install_dir = state.InstallDir;
  if (platform().dir_search(install_dir.value(), /*include_directories=*/true).empty()) {
    install_dir = system_drive(state.WindowsDir);
  }
  const std::string_view destination_drive = leading(install_dir.raw(), 2);
  if (!drives_.set_drive(destination_drive)) select_windows_drive();
  // The destination opens only on its own drive: where that drive was
  // refused, the directory list follows the drive list to the Windows drive.
  // A destination that names a file, not a directory, opens its drive.
  if (!drives_.shows(destination_drive) || !directories_.set_path(install_dir.value())) {
    open_in_dir_list(drives_.drive());
  }
  // Compared as a view (docs/size-rules.md).
  const std::string_view drive = Drive1.caption();
  if (drive == "a:" || drive == "b:") select_windows_drive();
  show_free_space();
}

void Form3::Drive1_Change() {
  // "c:" or "c: [label]" names the root "c:\".
  const std::string_view drive = trim_view(leading(Drive1.caption(), 3));
  const std::string root = concat({drive, drive.size() < 3 && !ends_with_backslash(drive) ? "\\" : ""});
  if (refused(platform(), root)) {
    // Runs a whole pass for the Windows drive before this one goes on.
    select_windows_drive();
  }
  open_in_dir_list(Drive1.caption());
  show_free_space();
}

// Points the directory list at a path; a drive that is not ready is said so
// and the Windows drive is selected in its place.
bool Form3::open_in_dir_list(std::string_view path) {
  if (directories_.set_path(path)) return true;
  platform().message_box(concat({leading(trim_view(path), 2), "\\", text::kDriveNotReady}),
                         kStyleSystemWarning, text::kDriveTitle);
  select_windows_drive();
  return false;
}

void Form3::show_free_space() {
  Label3.set_caption(free_space_text(GetFreeSpaceKB(), platform().thousands_separator()));
}

std::int64_t Form3::GetFreeSpaceKB() {
  const std::optional<std::uint64_t> bytes = platform().free_bytes(leading(directories_.path(), 3));
  if (!bytes) return 0;
  std::uint64_t kilobytes = *bytes >> 10;
  const unsigned rest = *bytes & 1023;
  // Halfway values go to the even neighbour: 488.5 KB counts as 488.
  if (rest > 512 || (rest == 512 && kilobytes % 2 == 1)) ++kilobytes;
  return static_cast<std::int64_t>(kilobytes);
}

void Form3::restore_destination_if_bare() {
  FixedText& install_dir = state.InstallDir;
  if (char_count(install_dir.value()) < 4) install_dir = trim_view(wizard.Label10.caption());
}

void Form3::Command2_Click() {
  if (static_cast<double>(GetFreeSpaceKB()) < kMinimumFreeKB) {
    platform().message_box(text::kTooLittleSpace, kStyleWarning, text::kWarningTitle);
    return;
  }
  FixedText& install_dir = state.InstallDir;
  const std::string_view chosen_folder = trim_view(directories_.path());
  // A drive's root is no destination: the one before stays.
  if (char_count(chosen_folder) > 3) {
    if (!usable_destination(chosen_folder)) {
      platform().message_box(
          concat({text::kPathTooLong, grouped_digits(longest_destination(), {}), text::kPathTooLongEnd}),
          kStyleWarning, text::kWarningTitle);
      return;
    }
    if (ends_with_backslash(chosen_folder)) {
      install_dir = leading(chosen_folder, chosen_folder.size() - 1);
    } else {
      install_dir = directories_.path();
    }
  }
  restore_destination_if_bare();
  request_close(UnloadMode::Code);
  wizard.Label10.set_caption(install_dir.value());
  wizard.show();
}

void Form3::Form_QueryUnload(bool& /*Cancel*/, UnloadMode mode) {
  if (mode == UnloadMode::Code) return;
  restore_destination_if_bare();
  wizard.show();
}

}  // namespace zrv
