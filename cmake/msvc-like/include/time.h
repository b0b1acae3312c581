/* Wine's <time.h>, and what the Universal C Runtime's has beside it that Wine's
   lacks and LLVM's C++ library or GoogleTest use. Only compiled against:
   nothing here is linked. */
#include_next <time.h>
#ifndef QUILLET_MSVC_LIKE_TIME_H
#define QUILLET_MSVC_LIKE_TIME_H
#ifdef __cplusplus
extern "C" {
#endif
struct timespec {
    time_t tv_sec;
    long tv_nsec;
};
_ACRTIMP errno_t __cdecl localtime_s(struct tm*, const time_t*);
#ifdef __cplusplus
}
#endif
#endif
