# 32-bit Windows build: compiled and linked only (nothing 32-bit runs on these kernels); its
# static asserts check the 32-bit sizes of the platform structures.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(TONKLE_MINGW_TRIPLE i686-w64-mingw32)
set(CMAKE_C_COMPILER ${TONKLE_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TONKLE_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${TONKLE_MINGW_TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${TONKLE_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
