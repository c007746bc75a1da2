# Cross-builds for 64-bit Windows with Debian's MinGW-w64 compilers (the posix thread model,
# which std::thread needs). Used by scripts/windows; on Windows itself use CMakePresets.json.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(KX_MINGW_PREFIX x86_64-w64-mingw32)

set(CMAKE_C_COMPILER ${KX_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${KX_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${KX_MINGW_PREFIX}-windres)

# Windows' libraries from the cross compiler, the ones built for it from CMAKE_PREFIX_PATH, and
# never a library or header of the Linux machine.
set(CMAKE_FIND_ROOT_PATH /usr/${KX_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The programs run under Wine when a build runs them (gtest_discover_tests lists the tests).
find_program(KX_WINE NAMES wine64 wine)
if(KX_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${KX_WINE})
endif()

# The Windows builds of the libraries the programs use (yaml-cpp, GoogleTest, CLI11's headers),
# from scripts/windows.
if(NOT KX_WINDOWS_PREFIX AND DEFINED ENV{KX_WINDOWS_PREFIX})
  set(KX_WINDOWS_PREFIX $ENV{KX_WINDOWS_PREFIX})
endif()
if(KX_WINDOWS_PREFIX)
  list(APPEND CMAKE_FIND_ROOT_PATH ${KX_WINDOWS_PREFIX})
  list(APPEND CMAKE_PREFIX_PATH ${KX_WINDOWS_PREFIX})
endif()
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES KX_WINDOWS_PREFIX)
