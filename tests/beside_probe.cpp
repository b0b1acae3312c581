// A DLL of a name no system folder holds, built beside the test programs:
// it loads by bare name only from the program's own folder.
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
    (void)instance;
    (void)reason;
    (void)reserved;
    return TRUE;
}
