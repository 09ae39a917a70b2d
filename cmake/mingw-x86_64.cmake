# Cross-compiling the same sources for 64-bit Windows. The programs ship as
# 32-bit builds; this build lets the tests run under 64-bit Wine on machines
# whose kernel cannot run 32-bit code.
set(CMAKE_SYSTEM_PROCESSOR AMD64)
set(TOOLCHAIN_PREFIX x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-toolchain.cmake)
