// Security descriptors written as SDDL text, converted once and freed with
// the object. Narrow texts: SDDL is ASCII (docs/size-rules.md).
#pragma once
#include <windows.h>
#include <sddl.h>

namespace zrv::win32 {

class SecurityDescriptor {
 public:
  // No text, no descriptor: what is made with none takes its parent's rules.
  explicit SecurityDescriptor(const char* sddl) {
    if (!sddl || !ConvertStringSecurityDescriptorToSecurityDescriptorA(sddl, SDDL_REVISION_1, &descriptor_, nullptr)) {
      descriptor_ = nullptr;
    }
  }
  ~SecurityDescriptor() {
    if (descriptor_) LocalFree(descriptor_);
  }
  SecurityDescriptor(const SecurityDescriptor&) = delete;
  SecurityDescriptor& operator=(const SecurityDescriptor&) = delete;
  // Null when the text could not be converted.
  PSECURITY_DESCRIPTOR get() const { return descriptor_; }

 private:
  PSECURITY_DESCRIPTOR descriptor_ = nullptr;
};

}  // namespace zrv::win32
