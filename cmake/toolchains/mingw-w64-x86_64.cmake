# SPDX-License-Identifier: GPL-3.0-or-later
# Builds for 64-bit Windows on Debian with MinGW-w64 (package
# g++-mingw-w64-x86-64-posix): the command line alone, as scripts/build-windows does.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(WENDRAKE_MINGW_TRIPLET x86_64-w64-mingw32)
# The "posix" flavour: std::thread and the other threading parts of the
# standard library work, through winpthreads, linked in statically.
set(CMAKE_C_COMPILER ${WENDRAKE_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${WENDRAKE_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${WENDRAKE_MINGW_TRIPLET}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${WENDRAKE_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
