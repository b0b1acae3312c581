/* Wine's <ctype.h>, and what the Universal C Runtime's has beside it that Wine's
   lacks and LLVM's C++ library or GoogleTest use. Only compiled against:
   nothing here is linked. */
#include_next <ctype.h>
#ifndef QUILLET_MSVC_LIKE_CTYPE_H
#define QUILLET_MSVC_LIKE_CTYPE_H
#ifdef __cplusplus
extern "C" {
#endif
_ACRTIMP int __cdecl _islower_l(int, _locale_t);
_ACRTIMP int __cdecl _isupper_l(int, _locale_t);
#ifdef __cplusplus
}
#endif
#endif
