# A Visual Studio-like compiler on Linux, for compiling the program through
# the project's MSVC branch: clang-cl for 32-bit x86 Windows, lld-link,
# llvm-lib and llvm-rc. It compiles; it does not link (Debian has neither
# Microsoft's import libraries nor its static C runtime).
# QUILLET_WINE_HEADERS names a folder holding Wine's MSVC-compatible headers,
# msvcrt/ and windows/, patched/ with the headers changed for clang-cl, and
# libcxx/, LLVM's C++ library headers, for the tests and the benchmark:
# Visual Studio's own C++ library is not on Debian (scripts/check-msvc-like.sh
# makes the folder).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR X86)
set(QUILLET_CLANG_CL_TARGET i686-pc-windows-msvc)

find_program(QUILLET_CLANG_CL NAMES clang-cl clang-cl-14 REQUIRED)
find_program(QUILLET_LLD_LINK NAMES lld-link lld-link-14 REQUIRED)
find_program(QUILLET_LLVM_LIB NAMES llvm-lib llvm-lib-14 REQUIRED)
find_program(QUILLET_LLVM_RC NAMES llvm-rc llvm-rc-14 REQUIRED)

set(CMAKE_C_COMPILER ${QUILLET_CLANG_CL})
set(CMAKE_CXX_COMPILER ${QUILLET_CLANG_CL})
set(CMAKE_C_COMPILER_TARGET ${QUILLET_CLANG_CL_TARGET})
set(CMAKE_CXX_COMPILER_TARGET ${QUILLET_CLANG_CL_TARGET})
set(CMAKE_LINKER ${QUILLET_LLD_LINK})
set(CMAKE_AR ${QUILLET_LLVM_LIB})
set(CMAKE_RC_COMPILER ${QUILLET_LLVM_RC})

if(NOT QUILLET_WINE_HEADERS OR NOT EXISTS "${QUILLET_WINE_HEADERS}/windows/windows.h")
    message(FATAL_ERROR "QUILLET_WINE_HEADERS (\"${QUILLET_WINE_HEADERS}\") holds no "
        "windows/windows.h; scripts/check-msvc-like.sh fetches Wine's headers and names them.")
endif()
# CMake's own compiler checks run with this file too, in a project of their
# own: they need the headers' folder handed on.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES QUILLET_WINE_HEADERS)
# Packages are looked for among these headers alone, where there are none:
# the build machine's own (Debian's GoogleTest, say) are built for Linux.
set(CMAKE_FIND_ROOT_PATH ${QUILLET_WINE_HEADERS})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# Nothing can be linked here, so the compiler checks build a static library.
set(CMAKE_TRY_COMPILE_TARGET_TYPE STATIC_LIBRARY)
# A check for a library then passes without one: FindThreads would find a
# pthreads library, and GoogleTest would use it. Answered as a Visual Studio
# link answers them, Windows' own threads are used.
foreach(check CMAKE_HAVE_LIBC_PTHREAD CMAKE_HAVE_PTHREADS_CREATE CMAKE_HAVE_PTHREAD_CREATE)
    set(${check} FALSE CACHE INTERNAL "No link here; a Visual Studio link finds no pthreads")
endforeach()

# System headers: warnings in them are not the program's. The C++ library
# comes first, as its C headers wrap the C runtime's; then msvc-like/include,
# where the Universal C Runtime's declarations that Wine's headers lack are
# added to Wine's, and Wine's headers that cl.exe has no counterpart of
# (<unistd.h>) stop the build; then patched/, whose headers stand in for
# Wine's own.
set(QUILLET_CLANG_CL_FLAGS " /imsvc \"${QUILLET_WINE_HEADERS}/libcxx\"")
string(APPEND QUILLET_CLANG_CL_FLAGS " /imsvc \"${CMAKE_CURRENT_LIST_DIR}/msvc-like/include\"")
foreach(folder patched windows msvcrt)
    string(APPEND QUILLET_CLANG_CL_FLAGS " /imsvc \"${QUILLET_WINE_HEADERS}/${folder}\"")
endforeach()
# LLVM's C++ library declares the exception and allocation machinery itself,
# rather than from Visual Studio's runtime headers, which Wine lacks; its
# headers are system headers already, without its #pragma GCC system_header.
string(APPEND QUILLET_CLANG_CL_FLAGS " /D_LIBCPP_NO_VCRUNTIME /D_LIBCPP_HAS_NO_PRAGMA_SYSTEM_HEADER")
# Wine's excpt.h gives GetExceptionCode for __try/__except, as cl.exe has it,
# only when asked.
string(APPEND QUILLET_CLANG_CL_FLAGS " /DUSE_COMPILER_EXCEPTIONS")
# Names that Wine's headers and clang accept and cl.exe does not are errors
# where a source spells them out (msvc-like/not-in-msvc.h).
string(APPEND QUILLET_CLANG_CL_FLAGS " /FI\"${CMAKE_CURRENT_LIST_DIR}/msvc-like/not-in-msvc.h\"")
# Not the folders of an INCLUDE variable (a Visual Studio prompt's): these
# headers alone, and clang's own intrinsic headers.
string(APPEND QUILLET_CLANG_CL_FLAGS " /X")
# WCHAR as wchar_t in C++, as the Windows SDK has it; _MSC_VER as Visual
# Studio 2022's; SSE2, cl.exe's default for 32-bit x86.
string(APPEND QUILLET_CLANG_CL_FLAGS
    " /DWINE_UNICODE_NATIVE /arch:SSE2 -fms-compatibility-version=19.30")
# What cl.exe rejects and clang accepts without a word: variable-length arrays,
# statement expressions and other GNU extensions. Microsoft's own (__try,
# __int64) are what cl.exe is.
string(APPEND QUILLET_CLANG_CL_FLAGS " -Wpedantic -Wgnu -Wvla -Wno-language-extension-token")
# This compiler stands in for cl.exe to find what it would reject: a warning
# is an error, in the resource scripts too.
string(APPEND QUILLET_CLANG_CL_FLAGS " /WX")
set(CMAKE_C_FLAGS_INIT "${QUILLET_CLANG_CL_FLAGS}")
set(CMAKE_CXX_FLAGS_INIT "${QUILLET_CLANG_CL_FLAGS}")
# The resource compiler's preprocessor is clang-cl; it finds windows.h there.
set(CMAKE_RC_FLAGS_INIT "/WX /I \"${QUILLET_WINE_HEADERS}/windows\"")
