#pragma once
#include <objbase.h>

// Owners for COM's two resources: an interface pointer, released once, and
// the calling thread's apartment, left only when this object entered it.
namespace zrv::win32 {

// Releases the object when there is one; out of line, so each owner's
// destructor is one call (docs/size-rules.md).
void release(IUnknown* object);

template <typename Interface>
class ComPointer {
 public:
  ComPointer() = default;
  ~ComPointer() { release(pointer_); }
  ComPointer(const ComPointer&) = delete;
  ComPointer& operator=(const ComPointer&) = delete;
  // Where CoCreateInstance or QueryInterface puts the interface.
  void** out() { return reinterpret_cast<void**>(&pointer_); }
  Interface* operator->() const { return pointer_; }
  Interface* get() const { return pointer_; }
  explicit operator bool() const { return pointer_ != nullptr; }

 private:
  Interface* pointer_ = nullptr;
};

class ComApartment {
 public:
  ComApartment() : entered_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
  ~ComApartment() {
    if (entered_) CoUninitialize();
  }
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;

 private:
  bool entered_;
};

}  // namespace zrv::win32
