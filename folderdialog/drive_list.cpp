#include "folderdialog/drive_list.h"

#include <algorithm>
#include <cctype>

#include "folderdialog/form3.h"

namespace zrv {
namespace {

bool same_drive(std::string_view entry, std::string_view text) {
  return entry.size() >= 2 && text.size() >= 2 && entry[1] == ':' && text[1] == ':' &&
         std::tolower(static_cast<unsigned char>(entry[0])) == std::tolower(static_cast<unsigned char>(text[0]));
}

}  // namespace

bool DriveList::shows(std::string_view text) const { return same_drive(control_.caption(), text); }

DriveList::DriveList(Form3& dialog, Platform& platform, Control& control)
    : dialog_(dialog), platform_(platform), control_(control) {
  control_.set_items(platform_.drive_list());
  control_.on_choose = Callback<int>::to<&DriveList::choose>(*this);
}

void DriveList::choose(int index) { set_drive(control_.items()[static_cast<std::size_t>(index)]); }

bool DriveList::set_drive(std::string_view requested) {
  // A copy of the letter and colon, all that is compared: the text may be
  // one of the entries about to be read afresh.
  char drive[2];
  const std::size_t kept = std::min<std::size_t>(requested.size(), sizeof drive);
  for (std::size_t i = 0; i < kept; ++i) drive[i] = requested[i];
  const std::string_view text(drive, kept);
  // The system's drives can change while the dialog is open (a USB stick).
  control_.set_items(platform_.drive_list());
  const auto& entries = control_.items();
  for (std::size_t i = 0; i < entries.size(); ++i) {
    if (!same_drive(entries[i], text)) continue;
    if (same_drive(control_.caption(), text)) {
      control_.set_list_index(static_cast<int>(i));
      return true;
    }
    control_.set_caption(entries[i]);
    control_.set_list_index(static_cast<int>(i));
    dialog_.Drive1_Change();
    return true;
  }
  return false;
}

}  // namespace zrv
