// The DDE client of the platform, on DDEML: one conversation per connect,
// execute commands in UTF-16, each waited for.
#include <windows.h>
#include <ddeml.h>

#include "platform/win32/utf16.h"
#include "platform/win32/win32_platform.h"

namespace zrv::win32 {

namespace {

constexpr DWORD kExecuteTimeoutMs = 15000;

HDDEDATA CALLBACK client_callback(UINT, UINT, HCONV, HSZ, HSZ, HDDEDATA, ULONG_PTR, ULONG_PTR) { return nullptr; }

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
  DdemlConversation(DWORD instance, HCONV conversation) : instance_(instance), conversation_(conversation) {}
  ~DdemlConversation() override {
    DdeDisconnect(conversation_);
    DdeUninitialize(instance_);
  }
  DdemlConversation(const DdemlConversation&) = delete;
  DdemlConversation& operator=(const DdemlConversation&) = delete;

  bool execute(std::string_view command) override {
    std::wstring text = widen(command);
    text.push_back(L'\0');
    DWORD result = 0;
    HDDEDATA answer = DdeClientTransaction(reinterpret_cast<BYTE*>(text.data()),
                                           static_cast<DWORD>(text.size() * sizeof(wchar_t)), conversation_,
                                           nullptr, CF_UNICODETEXT, XTYP_EXECUTE, kExecuteTimeoutMs, &result);
    return answer != nullptr;
  }

 private:
  DWORD instance_;
  HCONV conversation_;
};

}  // namespace

std::unique_ptr<DdeConversation> Win32Platform::dde_connect(std::string_view service, std::string_view topic) {
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
