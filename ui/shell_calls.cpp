#include "ui/shell_calls.h"

typedef UINT(WINAPI* DragQueryFileFn)(HDROP, UINT, LPSTR, UINT);
typedef void(WINAPI* DragFinishFn)(HDROP);
typedef BOOL(WINAPI* GetOpenFileNameFn)(LPOPENFILENAMEA);

// The library stays loaded for the rest of the process once it is needed.
// It comes from the system folder, never from beside the program. Windows
// without that flag (Windows 7 before KB2533623) refuses it; both libraries
// are known DLLs there, which Windows loads from the system folder anyway.
static void* procedureOf(const char* library, const char* name) {
    HMODULE module = GetModuleHandleA(library);
    if (module == NULL) {
        module = LoadLibraryExA(library, NULL, LOAD_LIBRARY_SEARCH_SYSTEM32);
    }
    if (module == NULL && GetLastError() == ERROR_INVALID_PARAMETER) {
        module = LoadLibraryA(library);
    }
    return module != NULL ? (void*)GetProcAddress(module, name) : NULL;
}

void acceptDroppedFiles(HWND window) {
    LONG_PTR style = GetWindowLongPtrA(window, GWL_EXSTYLE);
    SetWindowLongPtrA(window, GWL_EXSTYLE, style | WS_EX_ACCEPTFILES);
}

UINT queryDroppedFile(HDROP drop, UINT index, char* buffer, UINT size) {
    DragQueryFileFn query = (DragQueryFileFn)procedureOf("shell32.dll", "DragQueryFileA");
    return query != NULL ? query(drop, index, buffer, size) : 0;
}

void finishDrop(HDROP drop) {
    DragFinishFn finish = (DragFinishFn)procedureOf("shell32.dll", "DragFinish");
    if (finish != NULL) {
        finish(drop);
    }
}

BOOL pickOpenFileName(OPENFILENAMEA* request) {
    GetOpenFileNameFn pick = (GetOpenFileNameFn)procedureOf("comdlg32.dll", "GetOpenFileNameA");
    return pick != NULL ? pick(request) : FALSE;
}
