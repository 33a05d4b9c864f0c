# Cross-compiling for 64-bit Windows with Debian's MinGW-w64 compilers (the -posix
# variants, whose C++ library has std::thread). QV_WINDOWS_PREFIX names where
# scripts/windows-deps.sh installed the libraries; they are found there and only there,
# through their pkg-config files, linked statically. Programs are linked with -static so
# that they need no DLL a Windows machine lacks, and test programs run under Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)

if(NOT QV_WINDOWS_PREFIX AND DEFINED ENV{QV_WINDOWS_PREFIX})
  set(QV_WINDOWS_PREFIX $ENV{QV_WINDOWS_PREFIX})
endif()
set(QV_WINDOWS_PREFIX ${QV_WINDOWS_PREFIX} CACHE PATH "Where scripts/windows-deps.sh installed the libraries")
# Try-compile projects see the prefix too.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES QV_WINDOWS_PREFIX)

set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32 ${QV_WINDOWS_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# pkg-config reads the prefix's files only, and gives the static link lines.
set(ENV{PKG_CONFIG_LIBDIR} ${QV_WINDOWS_PREFIX}/lib/pkgconfig:/usr/x86_64-w64-mingw32/lib/pkgconfig)
set(ENV{PKG_CONFIG_PATH} "")
set(PKG_CONFIG_ARGN --static)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
# File sizes in 64 bits, as on Linux: the readers refuse files by their size.
set(CMAKE_C_FLAGS_INIT "-D_FILE_OFFSET_BITS=64")
set(CMAKE_CXX_FLAGS_INIT "-D_FILE_OFFSET_BITS=64")

# Test programs and the build's own steps run the cross-built programs under Wine.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run.sh)
