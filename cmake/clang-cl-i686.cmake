# A Visual Studio-like compiler on Linux, for compiling the program through
# the project's MSVC branch: clang-cl for 32-bit x86 Windows, lld-link,
# llvm-lib and llvm-rc. It compiles; it does not link (Debian has neither
# Microsoft's import libraries nor its static C runtime).
# QUILLET_WINE_HEADERS names a folder holding Wine's MSVC-compatible headers,
# msvcrt/ and windows/, and patched/ with the headers changed for clang-cl
# (scripts/check-msvc-like.sh makes it).
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
# Nothing can be linked here, so the compiler checks build a static library.
set(CMAKE_TRY_COMPILE_TARGET_TYPE STATIC_LIBRARY)

# System headers: warnings in them are not the program's. patched/ comes
# first, so that its headers stand in for Wine's own.
set(QUILLET_CLANG_CL_FLAGS)
foreach(folder patched windows msvcrt)
    string(APPEND QUILLET_CLANG_CL_FLAGS " /imsvc \"${QUILLET_WINE_HEADERS}/${folder}\"")
endforeach()
# Not the folders of an INCLUDE variable (a Visual Studio prompt's): these
# headers alone, and clang's own intrinsic headers.
string(APPEND QUILLET_CLANG_CL_FLAGS " /X")
# WCHAR as wchar_t in C++, as the Windows SDK has it; _MSC_VER as Visual
# Studio 2022's; SSE2, cl.exe's default for 32-bit x86.
string(APPEND QUILLET_CLANG_CL_FLAGS
    " /DWINE_UNICODE_NATIVE /arch:SSE2 -fms-compatibility-version=19.30")
# What cl.exe rejects and clang accepts without a word: variable-length arrays,
# statement expressions and other GNU extensions.
string(APPEND QUILLET_CLANG_CL_FLAGS " -Wpedantic -Wgnu -Wvla")
# This compiler stands in for cl.exe to find what it would reject: a warning
# is an error, in the resource scripts too.
string(APPEND QUILLET_CLANG_CL_FLAGS " /WX")
set(CMAKE_C_FLAGS_INIT "${QUILLET_CLANG_CL_FLAGS}")
set(CMAKE_CXX_FLAGS_INIT "${QUILLET_CLANG_CL_FLAGS}")
# The resource compiler's preprocessor is clang-cl; it finds windows.h there.
set(CMAKE_RC_FLAGS_INIT "/WX /I \"${QUILLET_WINE_HEADERS}/windows\"")
