// The shell's Programs folders in the scratch tree, and shortcuts whose
// bytes are their target, each written down for the tests.

#include "platform/headless/headless_platform.h"

namespace zrv {

std::string HeadlessPlatform::programs_folder(bool all_users) {
  return all_users ? all_users_programs : user_programs;
}

bool HeadlessPlatform::save_shortcut(HeldDirectory& folder, std::string_view name, std::string_view target) {
  if (faults.hit(Op::SaveShortcut, target)) return false;
  shortcut_targets.emplace_back(target);
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(target.data());
  return folder.write_file(name, {bytes, target.size()}, Rights::inherited);
}

}  // namespace zrv
