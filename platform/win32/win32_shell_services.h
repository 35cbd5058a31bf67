#pragma once
#include "platform/shell_services.h"

namespace zrv::win32 {

// The shell through DDEML and COM: program groups, shortcuts, rights.
class Win32ShellServices final : public ShellServices {
 public:
  std::unique_ptr<DdeConversation> dde_connect(std::string_view service, std::string_view topic) override;
  std::string programs_folder(bool all_users) override;
  bool running_as_administrator() override;
  bool save_shortcut(HeldDirectory& folder, std::string_view name, std::string_view target) override;
};

}  // namespace zrv::win32
