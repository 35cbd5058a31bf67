// One run at a time, for every program that changes the installation.
#include "platform/win32/single_run.h"

#include "base/fixed_text.h"
#include "platform/win32/security_descriptor.h"
#include "platform/win32/utf16.h"

namespace zrv::win32 {

namespace {

// Only the system and the administrators may open the single-run name and
// the namespace it lives in.
constexpr char kAdministratorsOnly[] = "D:P(A;;GA;;;SY)(A;;GA;;;BA)";

// A namespace of our own whose boundary is the Administrators group: only a
// process whose token holds that group can create or open it, so no
// ordinary process can take the name first and keep the setup and the
// uninstaller from running. Null where the system has no private namespaces (Wine, for one)
// or this process is no administrator.
HANDLE open_administrators_namespace(const wchar_t* name, SECURITY_ATTRIBUTES& access) {
  HANDLE boundary = CreateBoundaryDescriptorW(name, 0);
  if (!boundary) return nullptr;
  HANDLE space = nullptr;
  BYTE administrators[SECURITY_MAX_SID_SIZE];
  DWORD size = sizeof administrators;
  if (CreateWellKnownSid(WinBuiltinAdministratorsSid, nullptr, administrators, &size) &&
      AddSIDToBoundaryDescriptor(&boundary, administrators)) {
    space = CreatePrivateNamespaceW(&access, boundary, name);
    if (!space && GetLastError() == ERROR_ALREADY_EXISTS) space = OpenPrivateNamespaceW(boundary, name);
  }
  DeleteBoundaryDescriptor(boundary);
  return space;
}

}  // namespace

bool SingleRun::claim(std::string_view name) {
  const SecurityDescriptor descriptor(kAdministratorsOnly);
  SECURITY_ATTRIBUTES access{sizeof access, descriptor.get(), FALSE};
  namespace_.reset(open_administrators_namespace(widen(name).c_str(), access));
  // In that namespace; without it global, as another user's session installs
  // into the same Program Files (any process may make a global mutex; only
  // file mappings need a right for it).
  mutex_.reset(
      CreateMutexW(&access, FALSE, widen(concat({namespace_ ? name : "Global", "\\", name})).c_str()));
  const DWORD error = GetLastError();
  // Another copy holds the name: it was there already, or only
  // administrators may open it.
  return mutex_ ? error != ERROR_ALREADY_EXISTS : error != ERROR_ACCESS_DENIED;
}

}  // namespace zrv::win32
