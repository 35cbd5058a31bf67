// Read before every C++ file of the Windows builds (-include, set in the top
// CMakeLists.txt). The C++ library hands each of its error helpers
// (std::__throw_length_error and the like) a message through its __N macro:
// "basic_string::_M_create", "vector::_M_realloc_insert" and so on. Our own
// helpers (runtime_without_exceptions.cpp) end the process with a message of
// their own and never read the library's. Yet every file that expands a
// string or vector member inline kept its own copy of each message, since
// Windows object files have no merging of equal strings: 2.6 KB of the setup
// image. Here they all give the same empty text (docs/size-rules.md).
#pragma once
#include <bits/c++config.h>

// One text shared by all of them: an inline variable has one copy in the
// program, where a literal would be copied into every file again.
inline constexpr char zrv_library_message[] = "";
#undef __N
#define __N(msgid) (zrv_library_message)

// One of the helpers takes its message as a printf format, and an empty
// format draws a warning in every file that reaches it.
#pragma GCC diagnostic ignored "-Wformat-zero-length"
