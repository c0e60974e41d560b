# Cross build for 64-bit Windows with Debian's mingw-w64 (posix thread model).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(EDGEROAM_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER   ${EDGEROAM_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${EDGEROAM_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER  ${EDGEROAM_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${EDGEROAM_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Everything static: the programs need no DLL beyond Windows' own.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# CTest runs the Windows test programs through Wine.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/lib/wine-exec)
