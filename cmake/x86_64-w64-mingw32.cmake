# The same sources for 64-bit Windows: used to run the Windows tests under
# Wine on machines that cannot execute 32-bit code (no 32-bit Wine there).
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(TOOLCHAIN_PREFIX x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
