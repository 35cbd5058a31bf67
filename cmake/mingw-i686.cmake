# Cross-compiles the Windows side of the tree with mingw-w64 for 32-bit x86:
# the product.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(ZRV_MINGW_TARGET i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
