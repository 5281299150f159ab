# Shared part of the two mingw-w64 toolchain files; TOOLCHAIN_PREFIX is set by them.
set(CMAKE_SYSTEM_NAME Windows)

# posix thread variant: GoogleTest needs std::mutex.
set(CMAKE_C_COMPILER ${TOOLCHAIN_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TOOLCHAIN_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${TOOLCHAIN_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${TOOLCHAIN_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# A bare machine has no libstdc++/libgcc/winpthread DLLs: link them in.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
# The shipped program carries no symbols: a third of its size otherwise.
set(CMAKE_EXE_LINKER_FLAGS_MINSIZEREL_INIT "-s")

# ctest runs the Windows test programs under Wine.
get_filename_component(_pictorel_root "${CMAKE_CURRENT_LIST_DIR}/.." ABSOLUTE)
set(CMAKE_CROSSCOMPILING_EMULATOR "${_pictorel_root}/scripts/wine-run")
