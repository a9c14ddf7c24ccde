# The same sources for 64-bit Windows: the test build for hosts that cannot
# run 32-bit programs. Nothing built here ships.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(VEXLO_MINGW_TRIPLE x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
