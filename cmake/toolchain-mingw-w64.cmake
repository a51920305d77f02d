# Cross-builds the Windows programs with Debian's mingw-w64 (g++-mingw-w64-x86-64). The POSIX
# thread flavour gives the whole C++20 library; everything is linked statically, so the .exe
# files need no DLL beyond Windows' own.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(USERDB_MINGW_TRIPLET x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${USERDB_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${USERDB_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${USERDB_MINGW_TRIPLET}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${USERDB_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# CLI11 is headers only: the build machine's copy serves Windows as well.
set(CLI11_DIR ${CMAKE_CURRENT_LIST_DIR}/mingw-packages CACHE PATH "CLI11's package for the cross build")

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# ctest runs the test programs under Wine when it is there.
find_program(USERDB_WINE NAMES wine64 wine)
if(USERDB_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${USERDB_WINE})
endif()
