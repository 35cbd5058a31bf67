// Starting a program without our administrator rights.
//
// A process started by an elevated one inherits its token; Windows offers
// no call to start one with the user's ordinary rights. The desktop's shell
// (Explorer) runs with them, though, and its automation objects let another
// process ask it to start a program: the desktop's window among the shell
// windows, its view's background object, the Shell.Application object behind
// that, and its ShellExecute.
#include "platform/win32/unelevated_start.h"

#include <windows.h>
#include <exdisp.h>
#include <shldisp.h>
#include <shlguid.h>
#include <shlobj.h>

#include "platform/win32/com_objects.h"
#include "platform/win32/late_functions.h"
#include "platform/win32/unique_handle.h"

namespace zrv::win32 {

namespace {

// oleaut32's string and variant calls, looked up (late_functions.h says
// why). The shell's objects need oleaut32 anyway: COM loads it to carry
// these calls to Explorer, so it is there once the first object is.
BSTR allocate_string(const wchar_t* text) {
  using Allocate = BSTR(WINAPI*)(const OLECHAR*);
  const auto allocate = reinterpret_cast<Allocate>(late_function(L"oleaut32.dll", "SysAllocString"));
  return allocate ? allocate(text) : nullptr;
}

void free_string(BSTR text) {
  using Free = void(WINAPI*)(BSTR);
  const auto free = reinterpret_cast<Free>(late_function(L"oleaut32.dll", "SysFreeString"));
  if (free) free(text);
}

void clear_variant(VARIANT* value) {
  using Clear = HRESULT(WINAPI*)(VARIANT*);
  const auto clear = reinterpret_cast<Clear>(late_function(L"oleaut32.dll", "VariantClear"));
  if (clear) clear(value);
}

// A BSTR or any other VARIANT, cleared when it goes. Starts empty: VT_EMPTY
// is zero, which is all VariantInit would set.
class Variant {
 public:
  Variant() : value_{} {}
  explicit Variant(const wchar_t* text) : Variant() {
    value_.vt = VT_BSTR;
    value_.bstrVal = allocate_string(text);
  }
  explicit Variant(int number) : Variant() {
    value_.vt = VT_I4;
    value_.lVal = number;
  }
  ~Variant() { clear_variant(&value_); }
  Variant(const Variant&) = delete;
  Variant& operator=(const Variant&) = delete;
  VARIANT* get() { return &value_; }

 private:
  VARIANT value_;
};

class Bstr {
 public:
  explicit Bstr(const wchar_t* text) : text_(allocate_string(text)) {}
  ~Bstr() { free_string(text_); }
  Bstr(const Bstr&) = delete;
  Bstr& operator=(const Bstr&) = delete;
  BSTR get() const { return text_; }

 private:
  BSTR text_;
};

// The Shell.Application object of the desktop's shell, or null.
bool desktop_shell(ComPointer<IShellDispatch2>& shell) {
  ComPointer<IShellWindows> windows;
  if (FAILED(CoCreateInstance(CLSID_ShellWindows, nullptr, CLSCTX_LOCAL_SERVER, IID_IShellWindows, windows.out()))) {
    return false;
  }
  Variant location;
  Variant root;
  long desktop_window = 0;
  ComPointer<IDispatch> desktop;
  if (windows->FindWindowSW(location.get(), root.get(), SWC_DESKTOP, &desktop_window, SWFO_NEEDDISPATCH,
                            reinterpret_cast<IDispatch**>(desktop.out())) != S_OK ||
      !desktop) {
    return false;
  }
  ComPointer<IServiceProvider> services;
  ComPointer<IShellBrowser> browser;
  ComPointer<IShellView> view;
  ComPointer<IDispatch> background;
  ComPointer<IShellFolderViewDual> folder_view;
  ComPointer<IDispatch> application;
  return SUCCEEDED(desktop->QueryInterface(IID_IServiceProvider, services.out())) &&
         SUCCEEDED(services->QueryService(SID_STopLevelBrowser, IID_IShellBrowser, browser.out())) &&
         SUCCEEDED(browser->QueryActiveShellView(reinterpret_cast<IShellView**>(view.out()))) &&
         SUCCEEDED(view->GetItemObject(SVGIO_BACKGROUND, IID_IDispatch, background.out())) &&
         SUCCEEDED(background->QueryInterface(IID_IShellFolderViewDual, folder_view.out())) &&
         SUCCEEDED(folder_view->get_Application(reinterpret_cast<IDispatch**>(application.out()))) &&
         SUCCEEDED(application->QueryInterface(IID_IShellDispatch2, shell.out()));
}

}  // namespace

bool process_is_elevated() {
  HANDLE raw = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &raw)) return false;
  UniqueKernelHandle token(raw);
  TOKEN_ELEVATION elevation{};
  DWORD size = 0;
  return GetTokenInformation(token.get(), TokenElevation, &elevation, sizeof elevation, &size) &&
         elevation.TokenIsElevated != 0;
}

bool start_through_desktop_shell(const std::wstring& program, const std::wstring& folder) {
  ComApartment apartment;
  ComPointer<IShellDispatch2> shell;
  if (!desktop_shell(shell)) return false;
  Bstr file(program.c_str());
  // No arguments and the default operation: one empty text serves both,
  // as the call takes its own copies of the values.
  Variant nothing(L"");
  Variant directory(folder.c_str());
  Variant show(SW_SHOWNORMAL);
  return SUCCEEDED(shell->ShellExecute(file.get(), *nothing.get(), *directory.get(), *nothing.get(), *show.get()));
}

}  // namespace zrv::win32
