// The shell's side of the platform: the Start menu's Programs folders and
// shortcuts, made by the shell's own IShellLink so that they are exactly
// what Explorer makes.
#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

#include "platform/win32/com_objects.h"
#include "platform/win32/late_functions.h"
#include "platform/win32/utf16.h"
#include "platform/win32/win32_shell_services.h"

namespace zrv::win32 {

// shell32's two plain functions, looked up (late_functions.h says why).
std::string Win32ShellServices::programs_folder(bool all_users) {
  using GetFolderPath = HRESULT(WINAPI*)(HWND, int, HANDLE, DWORD, LPWSTR);
  const auto get_folder_path = reinterpret_cast<GetFolderPath>(late_function(L"shell32.dll", "SHGetFolderPathW"));
  wchar_t folder[MAX_PATH] = L"";
  const int which = all_users ? CSIDL_COMMON_PROGRAMS : CSIDL_PROGRAMS;
  if (!get_folder_path || FAILED(get_folder_path(nullptr, which, nullptr, SHGFP_TYPE_CURRENT, folder))) return {};
  return narrow(folder);
}

bool Win32ShellServices::running_as_administrator() {
  using IsAdministrator = BOOL(WINAPI*)();
  const auto is_user_an_admin = reinterpret_cast<IsAdministrator>(late_function(L"shell32.dll", "IsUserAnAdmin"));
  return is_user_an_admin && is_user_an_admin() != FALSE;
}

// Saved into memory rather than to a file by its path, then written
// through the folder's hold.
bool Win32ShellServices::save_shortcut(HeldDirectory& folder, std::string_view name, std::string_view target) {
  const std::wstring wide_target = widen(target);
  const std::wstring folder_name = widen(target.substr(0, target.find_last_of('\\')));
  ComApartment apartment;
  ComPointer<IShellLinkW> link;
  ComPointer<IPersistStream> persist;
  ComPointer<IStream> stream;
  ULARGE_INTEGER size{};
  HGLOBAL memory = nullptr;
  // Where the saving leaves the stream is its length.
  return SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW, link.out())) &&
         SUCCEEDED(link->SetPath(wide_target.c_str())) && SUCCEEDED(link->SetWorkingDirectory(folder_name.c_str())) &&
         SUCCEEDED(link->QueryInterface(IID_IPersistStream, persist.out())) &&
         SUCCEEDED(CreateStreamOnHGlobal(nullptr, TRUE, reinterpret_cast<IStream**>(stream.out()))) &&
         SUCCEEDED(persist->Save(stream.get(), TRUE)) && SUCCEEDED(stream->Seek({}, STREAM_SEEK_CUR, &size)) &&
         SUCCEEDED(GetHGlobalFromStream(stream.get(), &memory)) &&
         folder.write_file(name, {static_cast<const std::uint8_t*>(GlobalLock(memory)), size.LowPart},
                           Rights::inherited);
}

}  // namespace zrv::win32
