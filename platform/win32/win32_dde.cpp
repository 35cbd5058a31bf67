// The DDE client of the platform, on DDEML: one conversation per connect,
// execute commands in UTF-16, each waited for.
//
// Wine's DDEML server cannot be told a command's character set; it guesses.
// Data with any UTF-16 unit above U+00FF is taken for ANSI text and
// converted with the ANSI code page up to its first zero byte, so
// "[additem(…,Zarvelo Yardım)]" (dotless ı, U+0131) arrives as "[" and is
// refused. Under Wine such a command therefore goes as ANSI bytes instead:
// Wine hands them to the server unchanged, and its guess then converts them
// back with the same code page, intact wherever that code page holds every
// character (the Turkish one holds ı). Windows passes UTF-16 from a Unicode
// client to a Unicode server as it is, so there nothing changes.
#include <windows.h>
#include <ddeml.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <string_view>

#include "platform/win32/utf16.h"
#include "platform/win32/win32_shell_services.h"

namespace zrv::win32 {

namespace {

// Creating a shortcut makes Wine's shell wait up to ten seconds for its menu
// builder, so an answer may be slow in coming.
constexpr DWORD kExecuteTimeoutMs = 15000;
constexpr wchar_t kHighestLatin1 = 0x00FF;

HDDEDATA CALLBACK client_callback(UINT, UINT, HCONV, HSZ, HSZ, HDDEDATA, ULONG_PTR, ULONG_PTR) { return nullptr; }

bool running_on_wine() {
  HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  return ntdll && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

// Whether Wine's server would take this UTF-16 text for ANSI and garble it.
bool wine_would_misread(std::wstring_view text) {
  return std::ranges::any_of(text, [](wchar_t c) { return c > kHighestLatin1; });
}

// The text in the ANSI code page, when that code page holds all of it;
// otherwise empty text (a command is never empty). One result object and
// one return, so the text is made in the caller's place.
std::string in_ansi_code_page(const std::wstring& text) {
  const UINT code_page = GetACP();
  // UTF-8 as the ANSI code page takes neither flag nor default-character
  // report; the round trip below still proves the conversion.
  const bool utf8 = code_page == CP_UTF8;
  BOOL lost = FALSE;
  std::string bytes = narrow(text, code_page, utf8 ? 0 : WC_NO_BEST_FIT_CHARS, utf8 ? nullptr : &lost);
  const std::wstring back = widen(bytes, code_page);
  // Compared by memcmp once the lengths agree (docs/size-rules.md).
  if (lost || back.size() != text.size() || std::memcmp(back.data(), text.data(), text.size() * sizeof(wchar_t)) != 0) {
    bytes.clear();
  }
  return bytes;
}

class StringHandle {
 public:
  StringHandle(DWORD instance, std::string_view text)
      : instance_(instance), handle_(DdeCreateStringHandleW(instance, widen(text).c_str(), CP_WINUNICODE)) {}
  ~StringHandle() {
    if (handle_) DdeFreeStringHandle(instance_, handle_);
  }
  StringHandle(const StringHandle&) = delete;
  StringHandle& operator=(const StringHandle&) = delete;
  HSZ get() const { return handle_; }

 private:
  DWORD instance_;
  HSZ handle_;
};

class DdemlConversation final : public DdeConversation {
 public:
  DdemlConversation(DWORD instance, HCONV conversation)
      : instance_(instance), conversation_(conversation), on_wine_(running_on_wine()) {}
  ~DdemlConversation() override {
    DdeDisconnect(conversation_);
    DdeUninitialize(instance_);
  }
  DdemlConversation(const DdemlConversation&) = delete;
  DdemlConversation& operator=(const DdemlConversation&) = delete;

  bool execute(std::string_view command) override {
    const std::wstring text = widen(command);
    if (on_wine_ && wine_would_misread(text)) {
      // Where the code page lacks a character there is no way through to
      // Wine's server; UTF-16 then goes as on Windows, and the refusal is
      // reported like any other.
      const std::string bytes = in_ansi_code_page(text);
      if (!bytes.empty()) return send(bytes.c_str(), bytes.size() + 1, CF_TEXT);
    }
    return send(text.c_str(), (text.size() + 1) * sizeof(wchar_t), CF_UNICODETEXT);
  }

 private:
  // The bytes go as they are; each caller counts the text's terminating
  // zero in, which c_str() always has after the last character.
  bool send(const void* data, size_t size, UINT format) {
    DWORD result = 0;
    HDDEDATA answer = DdeClientTransaction(static_cast<BYTE*>(const_cast<void*>(data)), static_cast<DWORD>(size),
                                           conversation_, nullptr, format, XTYP_EXECUTE, kExecuteTimeoutMs, &result);
    return answer != nullptr;
  }

  DWORD instance_;
  HCONV conversation_;
  bool on_wine_;
};

}  // namespace

std::unique_ptr<DdeConversation> Win32ShellServices::dde_connect(std::string_view service, std::string_view topic) {
  DWORD instance = 0;
  if (DdeInitializeW(&instance, client_callback, APPCMD_CLIENTONLY, 0) != DMLERR_NO_ERROR) return nullptr;
  HCONV conversation = nullptr;
  {
    StringHandle service_name(instance, service);
    StringHandle topic_name(instance, topic);
    conversation = DdeConnect(instance, service_name.get(), topic_name.get(), nullptr);
  }
  if (!conversation) {
    DdeUninitialize(instance);
    return nullptr;
  }
  return std::make_unique<DdemlConversation>(instance, conversation);
}

}  // namespace zrv::win32
