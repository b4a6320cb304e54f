# 32-bit Windows build: compiled and linked only (nothing 32-bit runs on these kernels); its
# static asserts check the 32-bit sizes of the platform records.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(TONKLE_MINGW_TRIPLE i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
