// The shell's side of the platform: the Start menu's Programs folders and
// shortcut files, saved through the shell's own IShellLink so that they are
// exactly what Explorer makes.
#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

#include "platform/win32/com_objects.h"
#include "platform/win32/utf16.h"
#include "platform/win32/win32_shell_services.h"

namespace zrv::win32 {

std::string Win32ShellServices::programs_folder(bool all_users) {
  wchar_t folder[MAX_PATH] = L"";
  const int which = all_users ? CSIDL_COMMON_PROGRAMS : CSIDL_PROGRAMS;
  if (FAILED(SHGetFolderPathW(nullptr, which, nullptr, SHGFP_TYPE_CURRENT, folder))) return {};
  return narrow(folder);
}

bool Win32ShellServices::running_as_administrator() { return IsUserAnAdmin() != FALSE; }

bool Win32ShellServices::save_shortcut(std::string_view link_path, std::string_view target) {
  const std::wstring wide_target = widen(target);
  const std::wstring folder = widen(target.substr(0, target.find_last_of('\\')));
  ComApartment apartment;
  ComPointer<IShellLinkW> link;
  ComPointer<IPersistFile> file;
  return SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW, link.out())) &&
         SUCCEEDED(link->SetPath(wide_target.c_str())) && SUCCEEDED(link->SetWorkingDirectory(folder.c_str())) &&
         SUCCEEDED(link->QueryInterface(IID_IPersistFile, file.out())) &&
         SUCCEEDED(file->Save(widen(link_path).c_str(), TRUE));
}

}  // namespace zrv::win32
