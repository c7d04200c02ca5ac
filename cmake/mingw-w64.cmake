# SPDX-License-Identifier: MIT
# Cross-compiling for 64-bit Windows with mingw-w64 (the posix-thread compilers, for std::thread).
# DELVO_WINDOWS_DEPS lists the prefixes of the cross-built dependencies (scripts/windows/build-deps.sh prints
# them), given on the command line or in the environment.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(DELVO_MINGW x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${DELVO_MINGW}-gcc-posix)
set(CMAKE_CXX_COMPILER ${DELVO_MINGW}-g++-posix)
set(CMAKE_RC_COMPILER ${DELVO_MINGW}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${DELVO_MINGW})
if(NOT DELVO_WINDOWS_DEPS AND DEFINED ENV{DELVO_WINDOWS_DEPS})
  set(DELVO_WINDOWS_DEPS "$ENV{DELVO_WINDOWS_DEPS}")
endif()
list(APPEND CMAKE_FIND_ROOT_PATH ${DELVO_WINDOWS_DEPS})
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES DELVO_WINDOWS_DEPS)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# Programs need no DLL beyond their own and Windows' own: the C++ runtime and threads are linked in.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "-static")
# Tests and programs run under wine.
set(CMAKE_CROSSCOMPILING_EMULATOR wine)
