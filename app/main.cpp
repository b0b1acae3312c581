#include "app/command_line.h"
#include "app/dll_search.h"
#include "app/quillet.h"
#include "entries/entry_store.h"
#include "ui/main_dialog.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previousInstance, LPSTR commandLine,
                   int showCommand) {
    (void)previousInstance;
    (void)showCommand;
    // Before anything could load a DLL by name.
    limitDllSearchToSystemFolder();
    // The dialog lists the shell key's subkeys, so it must exist before the
    // dialog starts.
    makeShellKey();
    takeFirstArgument(commandLine, g_appPath);
    g_hInstance = instance;
    DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_MAIN), NULL, dialogProc, 0);
    return 0;
}
