# Shared by the MinGW-w64 toolchain files, which set CMAKE_SYSTEM_PROCESSOR
# first: the posix thread model (GoogleTest needs std::mutex), and what it
# builds run under Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(QUILLET_MINGW_TRIPLE ${CMAKE_SYSTEM_PROCESSOR}-w64-mingw32)

set(CMAKE_C_COMPILER ${QUILLET_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${QUILLET_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${QUILLET_MINGW_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${QUILLET_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# Packages too: one of the build machine's own (GoogleTest, say) is built
# for Linux, not for this target.
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/wine-run.sh)
