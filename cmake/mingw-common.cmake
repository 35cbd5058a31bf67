# What both Windows toolchains share; each names its target in
# ZRV_MINGW_TARGET (the mingw-w64 triplet) before including this file.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_C_COMPILER ${ZRV_MINGW_TARGET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ZRV_MINGW_TARGET}-g++-posix)
set(CMAKE_RC_COMPILER ${ZRV_MINGW_TARGET}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${ZRV_MINGW_TARGET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# Static runtime: the programs must run on a bare Windows with only its own DLLs.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
