#pragma once
#include <memory>
#include <string>
#include <string_view>

#include "platform/file_system.h"

// The desktop's shell: the Start menu, its program groups and shortcuts,
// and the user's rights.
namespace zrv {

// One conversation with a DDE server, closed when the object goes away.
class DdeConversation {
 public:
  virtual ~DdeConversation() = default;
  // Sends one execute command and waits for the server's answer; false when
  // it refused the command or did not answer.
  virtual bool execute(std::string_view command) = 0;
};

class ShellServices {
 protected:
  // Never destroyed through the role (platform.h says why).
  ~ShellServices() = default;

 public:
  // Null when no server answers for the service and topic.
  virtual std::unique_ptr<DdeConversation> dde_connect(std::string_view service, std::string_view topic) = 0;
  // The Start menu's Programs folder: the user's own, or the one all users
  // share; empty text when the system cannot tell.
  virtual std::string programs_folder(bool all_users) = 0;
  // Whether this process holds administrator rights.
  virtual bool running_as_administrator() = 0;
  // Saves a shell shortcut (a .lnk file) named `name` in the held `folder`
  // that starts the program or document `target` in the target's own
  // folder, replacing whatever is at the name (a link as a link). False
  // when it could not be saved.
  virtual bool save_shortcut(HeldDirectory& folder, std::string_view name, std::string_view target) = 0;
};

}  // namespace zrv
