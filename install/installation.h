#pragma once
#include <array>
#include <cstddef>
#include <string>
#include <string_view>

#include "install/checked_payload.h"
#include "install/payload_manifest.h"
#include "install/staging.h"
#include "platform/platform.h"

// The installation on its own: given the checked payload, a destination and
// a staging directory, it extracts and expands every piece, records the
// installation in the registry, removes the staging directory and makes the
// Start-menu group. It knows nothing of windows; a front end follows it
// through InstallProgress.
namespace zrv {

// What the installation tells its front end while it runs.
class InstallProgress {
 public:
  enum class Line {
    phase,  // what is being done
    file,   // which file it is being done to
  };
  virtual ~InstallProgress() = default;
  // Shows a text; with `repaint`, at once rather than at the next repaint.
  virtual void show(Line line, std::string_view text, bool repaint) = 0;
  // Lets the user act (the front end may end the program here).
  virtual void yield() = 0;
  // Tells the user of a failure the installation goes on after.
  virtual void tell(std::string_view message) = 0;
};

struct InstallRequest {
  const CheckedPayload& payload;
  std::string install_dir;     // trimmed, no trailing backslash; it exists
  HeldDirectory& destination;  // install_dir, held
  Staging& staging;            // not yet opened
};

struct PieceResult {
  bool extracted = false;
  bool installed = false;  // expanded and in place under its installed name
  bool given_up = false;   // a file of it was in use, and the user chose Cancel
};

struct InstallReport {
  enum class Outcome {
    completed,
    no_staging,    // the staging directory could not be made
    game_missing,  // the game program could not be installed
    cancelled,     // a file of the game program was in use, and the user chose Cancel
  };
  Outcome outcome = Outcome::completed;
  // In manifest order, as PayloadManifest.
  std::array<PieceResult, PayloadManifest.size()> pieces{};
  bool registry_written = false;
  bool group_complete = false;

  bool completed() const { return outcome == Outcome::completed; }
  // Completed, and every piece, the registry and the group with it.
  bool all_well() const;
};

// Runs the whole installation. When the outcome is not `completed`, the
// staging directory is gone again and nothing was recorded in the registry;
// the front end ends the program.
InstallReport install_payload(Platform& platform, const InstallRequest& request, InstallProgress& progress);

// Empties and removes the staging directory, saying so on the phase line.
void clean_up_staging(Staging& staging, InstallProgress& progress);

}  // namespace zrv
