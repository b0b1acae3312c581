/* Wine's <stdlib.h>, and what the Universal C Runtime's has beside it that Wine's
   lacks and LLVM's C++ library or GoogleTest use. Only compiled against:
   nothing here is linked. */
#include_next <stdlib.h>
#ifndef QUILLET_MSVC_LIKE_STDLIB_H
#define QUILLET_MSVC_LIKE_STDLIB_H
#ifdef __cplusplus
extern "C" {
#endif
_ACRTIMP float __cdecl _strtof_l(const char*, char**, _locale_t);
_ACRTIMP double __cdecl _strtod_l(const char*, char**, _locale_t);
_ACRTIMP unsigned int __cdecl _set_abort_behavior(unsigned int, unsigned int);
#ifdef __cplusplus
}
#endif
#define MB_CUR_MAX ___mb_cur_max_func()
#endif
