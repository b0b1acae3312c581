# Cross-compiles for x86_64, for the tests alone, on hosts that cannot run
# 32-bit code; configure it with -DQUILLET_64BIT_TESTS=ON.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
