# Cross-compiles for 64-bit Windows with Debian's MinGW-w64, posix-thread
# flavour (std::thread and std::mutex need it; the win32 flavour lacks them).
#
#   cmake -S . -B build/windows -G Ninja \
#     -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
#     -DCMAKE_PREFIX_PATH=$HOME/.cache/velkrant-windows/qt6-mingw
#
# The Qt prefix is the static Qt that scripts/windows/build-qt.sh puts in
# the cache. It may also be given as VELKRANT_QT_PREFIX.
#
# Everything is linked statically: the .exe runs on a bare Windows or Wine
# without libstdc++, libgcc or libwinpthread DLLs beside it.

set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(_mingw_triple x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${_mingw_triple}-gcc-posix)
set(CMAKE_CXX_COMPILER ${_mingw_triple}-g++-posix)
set(CMAKE_RC_COMPILER ${_mingw_triple}-windres)

# Look for libraries, headers and packages of the target only in the MinGW
# sysroot and in the cross-built Qt; programs (moc, uic, rcc and the like)
# come from the build machine. A prefix already below a root path is not
# re-rooted by CMake, so listing the Qt prefix here lets CMAKE_PREFIX_PATH
# point straight at it.
set(CMAKE_FIND_ROOT_PATH /usr/${_mingw_triple})
foreach(_prefix IN LISTS VELKRANT_QT_PREFIX CMAKE_PREFIX_PATH)
  if(_prefix)
    list(APPEND CMAKE_FIND_ROOT_PATH "${_prefix}")
  endif()
endforeach()
list(REMOVE_DUPLICATES CMAKE_FIND_ROOT_PATH)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# try_compile projects read this file again; hand them the same prefixes.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES VELKRANT_QT_PREFIX CMAKE_PREFIX_PATH)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "-static")

# A cross-built Qt runs its code generators from the build machine's Qt of
# the same version (qt6-base-dev-tools on Debian).
if(NOT DEFINED QT_HOST_PATH)
  set(QT_HOST_PATH /usr CACHE PATH "Prefix of the build machine's Qt")
endif()
if(NOT DEFINED QT_HOST_PATH_CMAKE_DIR AND EXISTS /usr/lib/x86_64-linux-gnu/cmake/Qt6HostInfo)
  set(QT_HOST_PATH_CMAKE_DIR /usr/lib/x86_64-linux-gnu/cmake
      CACHE PATH "CMake package folder of the build machine's Qt")
endif()

