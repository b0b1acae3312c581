/* Wine's <crtdbg.h>, and what the Universal C Runtime's has beside it that Wine's
   lacks and LLVM's C++ library or GoogleTest use. Only compiled against:
   nothing here is linked. */
#include_next <crtdbg.h>
#ifndef QUILLET_MSVC_LIKE_CRTDBG_H
#define QUILLET_MSVC_LIKE_CRTDBG_H
typedef void* _HFILE;
#define _CRTDBG_FILE_STDERR ((_HFILE)-5)
#ifdef _DEBUG
#ifdef __cplusplus
extern "C"
#endif
    _ACRTIMP _HFILE __cdecl _CrtSetReportFile(int, _HFILE);
#else
#define _CrtSetReportFile(t, f) ((_HFILE)0)
#endif
#endif
