# Cross-builds the Windows program on Linux with Debian's MinGW-w64 compilers
# and runs what it builds (tests, tools) under Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

# The -posix thread model: std::thread and std::mutex need it, the -win32
# variant lacks them.
set(mingwTriple x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${mingwTriple}-gcc-posix)
set(CMAKE_CXX_COMPILER ${mingwTriple}-g++-posix)
set(CMAKE_RC_COMPILER ${mingwTriple}-windres)
set(CMAKE_AR ${mingwTriple}-gcc-ar-posix CACHE FILEPATH "")
set(CMAKE_RANLIB ${mingwTriple}-gcc-ranlib-posix CACHE FILEPATH "")

# Libraries and headers come from the MinGW-w64 tree only; the build machine's
# own programs still run.
set(CMAKE_FIND_ROOT_PATH /usr/${mingwTriple})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Link libgcc, libstdc++ and winpthread statically, so the .exe needs no DLL
# beside it.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# Debian puts the 64-bit loader outside PATH; calling it directly also skips
# the wrapper's warning about the missing 32-bit Wine.
find_program(QUORVANE_WINE NAMES wine64 wine PATHS /usr/lib/wine /usr/lib/wine64 NO_DEFAULT_PATH)
find_program(QUORVANE_WINE NAMES wine64 wine)
find_program(QUORVANE_WINESERVER NAMES wineserver PATHS /usr/lib/wine /usr/lib/wine64 NO_DEFAULT_PATH)
find_program(QUORVANE_WINESERVER NAMES wineserver)
if(QUORVANE_WINE)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${QUORVANE_WINE})
endif()
