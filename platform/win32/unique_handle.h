#pragma once
#include <windows.h>

#include <utility>

// One owner for every Windows handle, so no path through the backend can leak
// or double-close one. Each kind names its empty value and its closing call.
namespace zrv::win32 {

template <typename Traits>
class UniqueHandle {
 public:
  using Handle = typename Traits::Handle;

  UniqueHandle() = default;
  explicit UniqueHandle(Handle handle) : handle_(handle) {}
  ~UniqueHandle() { reset(); }

  UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
  }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;

  Handle get() const { return handle_; }
  explicit operator bool() const { return handle_ != Traits::empty(); }

  Handle release() { return std::exchange(handle_, Traits::empty()); }
  void reset(Handle handle = Traits::empty()) {
    if (handle_ != Traits::empty()) Traits::close(handle_);
    handle_ = handle;
  }

 private:
  Handle handle_ = Traits::empty();
};

struct FileHandleTraits {
  using Handle = HANDLE;
  static Handle empty() { return INVALID_HANDLE_VALUE; }
  static void close(Handle h) { CloseHandle(h); }
};

struct KernelHandleTraits {
  using Handle = HANDLE;
  static Handle empty() { return nullptr; }
  static void close(Handle h) { CloseHandle(h); }
};

struct FindHandleTraits {
  using Handle = HANDLE;
  static Handle empty() { return INVALID_HANDLE_VALUE; }
  static void close(Handle h) { FindClose(h); }
};

struct RegKeyTraits {
  using Handle = HKEY;
  static Handle empty() { return nullptr; }
  static void close(Handle h) { RegCloseKey(h); }
};

template <typename GdiHandle>
struct GdiObjectTraits {
  using Handle = GdiHandle;
  static Handle empty() { return nullptr; }
  static void close(Handle h) { DeleteObject(h); }
};

struct MemoryDcTraits {
  using Handle = HDC;
  static Handle empty() { return nullptr; }
  static void close(Handle h) { DeleteDC(h); }
};

using UniqueFile = UniqueHandle<FileHandleTraits>;
using UniqueKernelHandle = UniqueHandle<KernelHandleTraits>;
using UniqueFind = UniqueHandle<FindHandleTraits>;
using UniqueRegKey = UniqueHandle<RegKeyTraits>;
using UniqueFont = UniqueHandle<GdiObjectTraits<HFONT>>;
using UniqueBrush = UniqueHandle<GdiObjectTraits<HBRUSH>>;
using UniqueBitmap = UniqueHandle<GdiObjectTraits<HBITMAP>>;
using UniqueMemoryDc = UniqueHandle<MemoryDcTraits>;

// Puts an object into a device context for one scope and puts the old one back.
class SelectedObject {
 public:
  SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
  ~SelectedObject() { SelectObject(dc_, previous_); }
  SelectedObject(const SelectedObject&) = delete;
  SelectedObject& operator=(const SelectedObject&) = delete;

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

}  // namespace zrv::win32
