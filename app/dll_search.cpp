#include "app/dll_search.h"

#include <windows.h>

typedef BOOL(WINAPI* SetDefaultDllDirectoriesFn)(DWORD);

void limitDllSearchToSystemFolder() {
    // Looked up rather than imported, so that the program still starts where
    // it is missing.
    SetDefaultDllDirectoriesFn setDefaultDllDirectories =
        (SetDefaultDllDirectoriesFn)(void*)GetProcAddress(GetModuleHandleA("kernel32.dll"),
                                                          "SetDefaultDllDirectories");
    if (setDefaultDllDirectories == NULL ||
        !setDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32)) {
        SetDllDirectoryA("");
    }
}
