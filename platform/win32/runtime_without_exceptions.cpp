// The Windows programs are built without exceptions, yet the C++ library's
// containers still report a failed allocation or a broken precondition by
// calling operator new's failure path or one of the std::__throw_* helpers.
// The library's own definitions throw, and linking them brings in the whole
// unwinder, the exception classes with their strings and locales, and the
// verbose terminate handler with its demangler: most of a small program.
// These definitions replace them: each one ends the process at once, with a
// message box that says why and a non-zero exit code, so a failure is never
// mistaken for success and no caller ever sees a null it does not expect.
// Every std::__throw_* helper of the library's functexcept object is defined
// here, so that a reference to any of them never pulls that object in beside
// these.
#include <windows.h>

#include <bits/functexcept.h>
#include <cstdlib>
#include <new>

// Defined by each program beside its entry point: the exit code that, in
// that program's own table of codes, means an error stopped it.
extern "C" const unsigned zrv_runtime_failure_exit_code;

namespace {

constexpr wchar_t kOutOfMemory[] = L"Bellek yetersiz; program sona erdi.";
constexpr wchar_t kInternalError[] = L"Programda bir iç hata oluştu; program sona erdi.";

// Says why, then ends the process with the code that, among the program's
// own exit codes, means an error stopped it (FatalAppExit would end it
// with a status of the system's instead).
[[noreturn]] void end_process(const wchar_t* why) {
  MessageBoxW(nullptr, why, L"Hata", MB_OK | MB_ICONERROR | MB_TASKMODAL | MB_TOPMOST);
  ExitProcess(zrv_runtime_failure_exit_code);
}

void* allocate_or_end(std::size_t size) {
  // malloc(0) may return null; operator new must return a usable pointer.
  if (void* memory = std::malloc(size == 0 ? 1 : size)) return memory;
  end_process(kOutOfMemory);
}

}  // namespace

void* operator new(std::size_t size) { return allocate_or_end(size); }
void* operator new[](std::size_t size) { return allocate_or_end(size); }
// The nothrow forms keep their contract: the caller checks for null.
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return std::malloc(size == 0 ? 1 : size); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return std::malloc(size == 0 ? 1 : size); }

void operator delete(void* memory) noexcept { std::free(memory); }
void operator delete[](void* memory) noexcept { std::free(memory); }
void operator delete(void* memory, std::size_t) noexcept { std::free(memory); }
void operator delete[](void* memory, std::size_t) noexcept { std::free(memory); }
void operator delete(void* memory, const std::nothrow_t&) noexcept { std::free(memory); }
void operator delete[](void* memory, const std::nothrow_t&) noexcept { std::free(memory); }

// A call of a pure virtual function or a deleted one is a bug of ours; the
// library's versions go through std::terminate and its verbose handler.
extern "C" [[noreturn]] void __cxa_pure_virtual() { end_process(kInternalError); }
extern "C" [[noreturn]] void __cxa_deleted_virtual() { end_process(kInternalError); }

namespace std {

void __throw_bad_alloc() { end_process(kOutOfMemory); }
void __throw_bad_array_new_length() { end_process(kOutOfMemory); }
void __throw_bad_exception() { end_process(kInternalError); }
void __throw_bad_cast() { end_process(kInternalError); }
void __throw_bad_typeid() { end_process(kInternalError); }
void __throw_logic_error(const char*) { end_process(kInternalError); }
void __throw_domain_error(const char*) { end_process(kInternalError); }
void __throw_invalid_argument(const char*) { end_process(kInternalError); }
void __throw_length_error(const char*) { end_process(kInternalError); }
void __throw_out_of_range(const char*) { end_process(kInternalError); }
void __throw_out_of_range_fmt(const char*, ...) { end_process(kInternalError); }
void __throw_runtime_error(const char*) { end_process(kInternalError); }
void __throw_range_error(const char*) { end_process(kInternalError); }
void __throw_overflow_error(const char*) { end_process(kInternalError); }
void __throw_underflow_error(const char*) { end_process(kInternalError); }
void __throw_bad_function_call() { end_process(kInternalError); }

}  // namespace std
