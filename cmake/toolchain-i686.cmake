# 32-bit Windows 7 build with mingw-w64. It must build cleanly; it cannot run
# on these machines (no 32-bit execution), so no emulator is set.
set(TOOL_PREFIX i686-w64-mingw32)
set(CMAKE_SYSTEM_PROCESSOR x86)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
