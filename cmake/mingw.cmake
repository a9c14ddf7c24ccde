# Cross build for Windows with Debian's MinGW-w64 (posix thread model).
# Included by the toolchain file of each architecture, which names the triple.
set(CMAKE_SYSTEM_NAME Windows)

set(CMAKE_C_COMPILER ${VEXLO_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${VEXLO_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${VEXLO_MINGW_TRIPLE}-windres)
set(VEXLO_DLLTOOL ${VEXLO_MINGW_TRIPLE}-dlltool)

set(CMAKE_FIND_ROOT_PATH /usr/${VEXLO_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# ctest runs every test program under Wine in the build folder's prefix.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run)
