# Cross-compiling the Windows program on Linux with Debian's mingw-w64.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(TONKLE_MINGW_TRIPLE x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
# Test programs run under Wine from CTest.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-exec.sh)
