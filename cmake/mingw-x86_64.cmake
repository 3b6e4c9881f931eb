# The 64-bit build, tested where no 32-bit code can run (scripts/arch.sh).
set(ORVANE_MINGW_ARCH x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-toolchain.cmake)
