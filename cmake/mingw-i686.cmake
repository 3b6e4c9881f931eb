# The program users get: 32-bit Windows.
set(ORVANE_MINGW_ARCH i686)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-toolchain.cmake)
