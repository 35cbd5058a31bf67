# Cross-compiles the same Windows sources for x86-64. The product stays
# 32-bit; this build lets the end-to-end tests run at full speed under
# 64-bit Wine on hosts that cannot run 32-bit code.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(ZRV_MINGW_TARGET x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
