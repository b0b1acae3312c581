// The program's dialog with nothing behind it: the same template and
// manifest, but no entry list, no window icon, no handlers. Its start-up
// time is the floor the benchmark sets the program's own start against.
#include "app/quillet.h"

#include <windows.h>

static INT_PTR CALLBACK bareDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    (void)lParam;
    if (message == WM_CLOSE || (message == WM_COMMAND && LOWORD(wParam) == IDCANCEL)) {
        EndDialog(dialog, 0);
        return TRUE;
    }
    return FALSE;
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previousInstance, LPSTR commandLine,
                   int showCommand) {
    (void)previousInstance;
    (void)commandLine;
    (void)showCommand;
    DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_MAIN), NULL, bareDialogProc, 0);
    return 0;
}
