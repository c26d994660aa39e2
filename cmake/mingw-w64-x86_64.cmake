# Cross-compiles for 64-bit Windows with Debian's MinGW-w64 (posix threads,
# which std::thread and std::mutex need). The program must run from a plain
# folder on any Windows, so nothing of MinGW's own is left as a DLL: -static
# links libgcc, libstdc++ and winpthread into each executable and DLL, while
# Windows' system DLLs are still imported (MinGW-w64's import libraries are
# static archives). The libraries tools/windows/deps cross-builds are found
# in its prefix, never the Linux ones of this machine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(FLINGAROO_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${FLINGAROO_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${FLINGAROO_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${FLINGAROO_MINGW_TRIPLE}-windres)

# Where tools/windows/deps installs GLFW and OpenAL Soft; it reads the same
# cache folder, so both agree unless one is given on the command line.
if(DEFINED ENV{XDG_CACHE_HOME} AND NOT "$ENV{XDG_CACHE_HOME}" STREQUAL "")
  set(FLINGAROO_USER_CACHE "$ENV{XDG_CACHE_HOME}")
else()
  set(FLINGAROO_USER_CACHE "$ENV{HOME}/.cache")
endif()
set(FLINGAROO_WINDOWS_DEPS "${FLINGAROO_USER_CACHE}/flingaroo/windows/prefix" CACHE PATH
    "The prefix holding the cross-built GLFW and OpenAL Soft (tools/windows/deps)")

set(CMAKE_FIND_ROOT_PATH /usr/${FLINGAROO_MINGW_TRIPLE} ${FLINGAROO_WINDOWS_DEPS})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# pkg-config sees only the cross-built libraries' .pc files: the machine's
# describe Linux libraries.
set(ENV{PKG_CONFIG_LIBDIR} "${FLINGAROO_WINDOWS_DEPS}/lib/pkgconfig")
set(ENV{PKG_CONFIG_PATH} "")

# -O2, as Debian builds its own packages (CMake's Release default is -O3).
set(CMAKE_C_FLAGS_RELEASE "-O2 -DNDEBUG" CACHE STRING "")
set(CMAKE_CXX_FLAGS_RELEASE "-O2 -DNDEBUG" CACHE STRING "")

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "-static")
