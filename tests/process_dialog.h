// Finds the main dialog of another process, as a user's eye would: the
// visible dialog-class window of that process with the program's title.
// Shared by the end-to-end tests and the start-up benchmark.
#ifndef QUILLET_TESTS_PROCESS_DIALOG_H
#define QUILLET_TESTS_PROCESS_DIALOG_H

#include <windows.h>

#include <string.h>

struct ProcessDialogSearch {
    DWORD processId;
    HWND found;
};

inline BOOL CALLBACK matchProcessDialog(HWND window, LPARAM parameter) {
    ProcessDialogSearch* search = (ProcessDialogSearch*)parameter;
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search->processId || !IsWindowVisible(window)) {
        return TRUE;
    }
    char className[16] = "";
    char title[64] = "";
    GetClassNameA(window, className, sizeof className);
    GetWindowTextA(window, title, sizeof title);
    if (strcmp(className, "#32770") == 0 && strcmp(title, "Add or delete context menu item") == 0) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

// The dialog's window, or NULL while the process shows none.
inline HWND findProcessDialog(DWORD processId) {
    ProcessDialogSearch search = {processId, NULL};
    EnumWindows(matchProcessDialog, (LPARAM)&search);
    return search.found;
}

#endif
