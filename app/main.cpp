#include "app/command_line.h"
#include "app/dll_search.h"
#include "app/quillet.h"
#include "registry/registry_key.h"
#include "ui/main_dialog.h"

// The dialog lists the shell key's subkeys, so it must exist before the
// dialog starts. A failure here shows later as an empty list and a failed
// add, so its result is not looked at.
static void ensureShellKey() {
    RegistryKey root(HKEY_LOCAL_MACHINE, NULL);
    root.createSubKey(SHELL_KEY_PATH);
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previousInstance, LPSTR commandLine,
                   int showCommand) {
    (void)previousInstance;
    (void)showCommand;
    // Before anything could load a DLL by name.
    limitDllSearchToSystemFolder();
    ensureShellKey();
    takeFirstArgument(commandLine, g_appPath);
    g_hInstance = instance;
    DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_MAIN), NULL, dialogProc, 0);
    return 0;
}
