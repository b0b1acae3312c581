/* Forced into every C and C++ source of the Visual Studio-like build
   (cmake/clang-cl-i686.cmake), never into a Visual Studio build. Wine's
   headers and clang accept names that cl.exe and the Windows SDK lack or
   reject; poisoned here, each is an error where a source of the program, its
   tests or its benchmark spells it out. A poison does not reach the expansion
   of a macro defined before it, so the headers that spell these names
   themselves are read first, and their macros (GoogleTest's
   GTEST_ATTRIBUTE_UNUSED_, say) still expand. */
#ifndef QUILLET_NOT_IN_MSVC_H
#define QUILLET_NOT_IN_MSVC_H

#include <windows.h>
#include <conio.h>
#include <io.h>
#include <process.h>
#include <setjmp.h>
#include <string.h>
#ifdef __cplusplus
#include <string>
#include <vector>
#if __has_include(<gtest/gtest.h>)
#include <gtest/gtest.h>
#endif
#endif

/* GNU attributes and builtins: cl.exe has __declspec and its own
   intrinsics instead. */
#pragma clang poison __attribute__ __typeof__ __typeof __builtin_expect
/* Wine's string.h defines these; cl.exe's C runtime has _stricmp, _strnicmp
   and _strdup (strdup only as a deprecated POSIX name, warning C4996). */
#pragma clang poison strcasecmp strncasecmp strdup
/* #pragma GCC ...: an unknown pragma to cl.exe (C4068). */
#pragma clang poison GCC

#endif
