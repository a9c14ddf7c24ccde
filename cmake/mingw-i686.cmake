# The shipped programs: 32-bit Windows, like the suite's tools and its Vexlo.dll.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(VEXLO_MINGW_TRIPLE i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
