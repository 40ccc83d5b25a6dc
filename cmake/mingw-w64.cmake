# Cross-build for 64-bit Windows with the mingw-w64 compilers of the build
# machine. The posix threading variant gives the full standard thread
# library; everything is linked statically (see options.cmake), so the
# programs need no DLL of the compiler beside them.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(SCENARIO_MINGW_TRIPLET x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${SCENARIO_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${SCENARIO_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${SCENARIO_MINGW_TRIPLET}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${SCENARIO_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Test programs built here run under wine on the build machine.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../tools/wine-run)
